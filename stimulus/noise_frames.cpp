#include "stimulus/noise_frames.h"

#include <cmath>
#include <cstring>

#include "model/numeric.h"

namespace {

// SplitMix64's finaliser: every bit of the input reaches every bit of the
// output, so neighbouring seeds and frames give unrelated streams.
uint64_t Mix(uint64_t z)
{
    z += 0x9E3779B97F4A7C15u;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

// The j-th random word of frame k.
struct FrameStream {
    uint64_t key;
    uint64_t Draw(uint64_t j) const { return Mix(key + j * 0xD1B54A32D192ED03u); }
};

FrameStream StreamOf(const NoiseSettings& s, int64_t k)
{
    const uint64_t kind = static_cast<uint64_t>(static_cast<uint32_t>(s.kind)) << 40;
    return {Mix(Mix(uint64_t{s.seed} ^ kind) ^ static_cast<uint64_t>(k))};
}

// A whole number below n (n <= 2^16) from a word's high bits; the bias is
// below n / 2^32.
int32_t Below(uint64_t word, int32_t n)
{
    return static_cast<int32_t>(((word >> 32) * static_cast<uint64_t>(n)) >> 32);
}

bool Within(int32_t v, int32_t low, int32_t high) { return v >= low && v <= high; }
bool Within(float v, float low, float high) { return v >= low && v <= high; }  // NaN is not

}  // namespace

bool operator==(const NoiseSettings& a, const NoiseSettings& b)
{
    return a.kind == b.kind && a.columns == b.columns && a.rows == b.rows && a.squareDeg == b.squareDeg &&
           a.frameTicks == b.frameTicks && a.lit == b.lit && a.contrast == b.contrast && a.seed == b.seed;
}

NoiseField CheckNoiseSettings(const NoiseSettings& s)
{
    if (s.kind != SparseNoiseKind && s.kind != WhiteNoiseKind) return NoiseBadKind;
    if (!Within(s.columns, kNoiseGridLow, kNoiseGridHigh)) return NoiseBadColumns;
    if (!Within(s.rows, kNoiseGridLow, kNoiseGridHigh)) return NoiseBadRows;
    if (!Within(s.squareDeg, kNoiseSquareLow, kNoiseSquareHigh)) return NoiseBadSquare;
    if (!Within(s.frameTicks, kNoiseFrameTicksLow, kNoiseFrameTicksHigh)) return NoiseBadFrame;
    // White noise lights every square whatever lit says.
    if (s.kind == SparseNoiseKind && !Within(s.lit, kNoiseLitLow, NoiseSquares(s))) return NoiseBadLit;
    if (!Within(s.contrast, kNoiseContrastLow, kNoiseContrastHigh)) return NoiseBadContrast;
    return NoiseFine;
}

int32_t NoiseSquarePixels(const NoiseSettings& s)
{
    const int32_t pixels = NearestInt(s.squareDeg / kDegreesPerPixel);
    return pixels > 1 ? pixels : 1;
}

NoiseGrid NoiseGridAt(const NoiseSettings& s, int64_t centreX, int64_t centreY)
{
    const int64_t side = NoiseSquarePixels(s);
    return {centreX - side * s.columns / 2, centreY - side * s.rows / 2, side};
}

bool NoiseFrame(const NoiseSettings& s, int64_t k, int8_t* out)
{
    if (CheckNoiseSettings(s) != NoiseFine) return false;
    const int32_t n = NoiseSquares(s);
    const FrameStream stream = StreamOf(s, k);
    if (s.kind == WhiteNoiseKind) {
        for (int32_t i = 0; i < n; ++i) {
            const uint64_t word = stream.Draw(static_cast<uint64_t>(i / 64));
            out[i] = (word >> (i % 64)) & 1u ? int8_t{1} : int8_t{-1};
        }
        return true;
    }
    // The first `lit` places of a Fisher-Yates shuffle: distinct squares,
    // every set of them equally likely. Draw 2i picks the place, 2i + 1 its sign.
    int16_t order[kMaxNoiseSquares];
    for (int32_t i = 0; i < n; ++i) order[i] = static_cast<int16_t>(i);
    std::memset(out, 0, static_cast<size_t>(n));
    for (int32_t i = 0; i < s.lit; ++i) {
        const int32_t j = i + Below(stream.Draw(2 * static_cast<uint64_t>(i)), n - i);
        const int16_t chosen = order[j];
        order[j] = order[i];
        order[i] = chosen;
        out[chosen] = stream.Draw(2 * static_cast<uint64_t>(i) + 1) >> 63 ? int8_t{1} : int8_t{-1};
    }
    return true;
}
