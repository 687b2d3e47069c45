#pragma once
// Guards shared by the scene-drawing steps. Sizes, positions and frequencies
// can be typed or keyed up to absurd values (a radius of 1e30, a spatial
// frequency of 1e-30); every coordinate derived from them goes through these
// helpers so that no conversion leaves its range and no loop visits more than
// the pixels that can be seen or used.
#include <cmath>
#include <cstdint>

// Float to a 64-bit integer, truncating toward zero, clamped to +-2^62
// (NaN gives 0). Wide enough for any sum or product of two frame coordinates.
inline int64_t TruncWide(double x)
{
    constexpr double kLimit = 4611686018427387904.0;  // 2^62
    if (!(x == x)) return 0;
    if (x >= kLimit) return int64_t{1} << 62;
    if (x <= -kLimit) return -(int64_t{1} << 62);
    return static_cast<int64_t>(x);
}

// Nearest integer, halves away from zero, with the same clamp.
inline int64_t NearestWide(double x) { return TruncWide(std::round(x)); }

// An inclusive run of columns or rows; empty when hi < lo.
struct Span {
    int64_t lo = 0, hi = -1;
};

// The part of scan that lies in a or in b, as at most two disjoint runs in
// increasing order. Returns how many runs were written to out.
int32_t ClipSpans(Span scan, Span a, Span b, Span out[2]);

// A line between two points given in floating point: each end is truncated
// and the line drawn with MoveTo and LineTo, so that for any line near the
// frame the pixels are exactly those of the primitives. A line reaching far
// beyond the frame is first cut to a band around it, so that no conversion
// overflows and the line primitive never walks millions of unseen pixels;
// a line with an end that is not a number is not drawn.
void DrawClippedLine(double x0, double y0, double x1, double y1);

// True when a mark of the given size centred at (x, y) could touch the frame;
// every mark outside this test is skipped, which also keeps the primitives'
// own arithmetic in range.
bool MarkNearFrame(int64_t x, int64_t y, int64_t size);

// How far along and across a pair of axes the frame (grown by margin on every
// side) reaches, measured from an origin: the frame's four corners projected
// onto a and b. A grid laid out along a and b can skip every point outside.
struct FrameExtent {
    double alongLo = 0, alongHi = -1, acrossLo = 0, acrossHi = -1;
};
FrameExtent FrameExtentAlong(double originX, double originY, double ax, double ay, double bx,
                         double by, double margin);

// For the sequence value(i) = first + (i - iLo) * step, i = iLo..iHi: the
// indices whose value may lie in [lo, hi] (two spare on either side, so the
// caller's own rounding decides the edge cases). A zero step gives the first
// index alone when its value lies in range.
Span IndexWindow(double first, double step, double lo, double hi, int64_t iLo, int64_t iHi);
