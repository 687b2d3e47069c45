#pragma once
#include <cstdint>

// The handler of the five cell buttons (requestedType 1..5).
void newReceptiveField(int32_t requestedType);
