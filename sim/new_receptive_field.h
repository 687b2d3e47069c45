#pragma once
#include <cstdint>

// The handler of the five cell buttons (requestedType 1..5).
void PlaceNewReceptiveField(int32_t requestedType);

struct SeededUniform;
// Draws what a new field of the randomise mode draws (2: orientation and
// position; 3: type and shape first) and places it in a client area of
// width x height pixels, without rebuilding the filters. Draws come from
// the generator, or from the shared ShuffledUniform when it is null.
void PlaceReceptiveField(int32_t mode, int32_t width, int32_t height, SeededUniform* generator);
