#pragma once
#include <cstdint>

// The handler of the five cell buttons (requestedType 1..5).
void PlaceNewReceptiveField(int32_t requestedType);
