#pragma once
// Noise for mapping a receptive field by reverse correlation: a grid of
// squares flashed frame after frame, each black, grey or white. Frame k is a
// pure function of the settings' seed and k (a counter-based hash, nothing
// carried from frame to frame), so the screen, a recording, a fast run and a
// test that each ask for frame k get the same frame in any order.
#include <cstdint>

enum NoiseKind : int32_t {
    SparseNoiseKind = 0,  // a few squares lit on grey, each white or black
    WhiteNoiseKind = 1,   // every square white or black
};

// Each field's range, both ends allowed. The largest grid bounds every
// buffer of the map, and the frame is whole ticks so it changes on a tick.
constexpr int32_t kNoiseGridLow = 2, kNoiseGridHigh = 32;         // columns and rows
constexpr int32_t kMaxNoiseSquares = kNoiseGridHigh * kNoiseGridHigh;
constexpr float kNoiseSquareLow = 0.1f, kNoiseSquareHigh = 4.0f;  // degrees
constexpr int32_t kNoiseFrameTicksLow = 1, kNoiseFrameTicksHigh = 50;  // 20 ms to 1 s
constexpr int32_t kNoiseLitLow = 1;                               // up to every square
constexpr float kNoiseContrastLow = 0.0f, kNoiseContrastHigh = 1.0f;

struct NoiseSettings {
    int32_t kind = SparseNoiseKind;
    int32_t columns = 8, rows = 8;
    float squareDeg = 0.5f;
    int32_t frameTicks = 5;  // 100 ms
    int32_t lit = 2;         // sparse noise only
    float contrast = 1.0f;
    uint32_t seed = 1;
};
bool operator==(const NoiseSettings& a, const NoiseSettings& b);

// Which field of the settings lies outside its range, the first found in the
// order above; NoiseFine when all are in range.
enum NoiseField : int32_t {
    NoiseFine = 0, NoiseBadKind, NoiseBadColumns, NoiseBadRows, NoiseBadSquare,
    NoiseBadFrame, NoiseBadLit, NoiseBadContrast,
};
NoiseField CheckNoiseSettings(const NoiseSettings& s);

inline int32_t NoiseSquares(const NoiseSettings& s) { return s.columns * s.rows; }
// A square's side in frame pixels (at least one), as drawn and as mapped.
int32_t NoiseSquarePixels(const NoiseSettings& s);
// Where the grid lies in frame pixels when centred at (centreX, centreY):
// square (column c, row r) covers columns left + c x side to left + (c + 1)
// x side - 1 and the rows alike from top.
struct NoiseGrid {
    int64_t left = 0, top = 0, side = 1;
};
NoiseGrid NoiseGridAt(const NoiseSettings& s, int64_t centreX, int64_t centreY);
inline int64_t NoiseFrameMs(const NoiseSettings& s) { return int64_t{s.frameTicks} * 20; }

// Frame k into out[rows * columns], row by row from the top row: -1 black,
// 0 grey, +1 white. Sparse noise lights exactly `lit` distinct squares, each
// white or black with equal chance. Settings out of range write nothing and
// give false. Any k is a frame, negative ones too.
bool NoiseFrame(const NoiseSettings& s, int64_t k, int8_t* out);
