// Clipping shared by the scene-drawing steps.
#include "render/draw_clipping.h"

#include <algorithm>
#include <cmath>

#include "render/frame_buffer.h"

namespace {

// Lines whose ends lie within this many pixels of the frame are drawn from
// their own ends, pixel for pixel; only lines reaching farther are cut.
constexpr double kGuardBand = 4096.0;

Span Intersect(Span a, Span b) { return {std::max(a.lo, b.lo), std::min(a.hi, b.hi)}; }

// Liang-Barsky: shrinks [t0, t1] to the part of the line where p * t <= q.
bool ClipEdge(double p, double q, double& t0, double& t1)
{
    if (p == 0.0) return q >= 0.0;
    const double t = q / p;
    if (p < 0.0) {
        if (t > t1) return false;
        t0 = std::max(t0, t);
    } else {
        if (t < t0) return false;
        t1 = std::min(t1, t);
    }
    return true;
}

}  // namespace

int32_t ClipSpans(Span scan, Span a, Span b, Span out[2])
{
    Span first = Intersect(scan, a);
    Span second = Intersect(scan, b);
    if (first.hi < first.lo) first = second, second = Span{};
    if (second.hi < second.lo) {
        if (first.hi < first.lo) return 0;
        out[0] = first;
        return 1;
    }
    if (second.lo < first.lo) std::swap(first, second);
    if (second.lo <= first.hi + 1) {  // touching or overlapping: one run
        out[0] = {first.lo, std::max(first.hi, second.hi)};
        return 1;
    }
    out[0] = first;
    out[1] = second;
    return 2;
}

void DrawClippedLine(double x0, double y0, double x1, double y1)
{
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
        return;
    const double left = -kGuardBand, top = -kGuardBand;
    const double right = frameBuffer.width - 1 + kGuardBand;
    const double bottom = frameBuffer.height - 1 + kGuardBand;
    auto inside = [&](double x, double y) { return x >= left && x <= right && y >= top && y <= bottom; };
    if (!inside(x0, y0) || !inside(x1, y1)) {
        const double dx = x1 - x0, dy = y1 - y0;
        double t0 = 0.0, t1 = 1.0;
        if (!ClipEdge(-dx, x0 - left, t0, t1) || !ClipEdge(dx, right - x0, t0, t1) ||
            !ClipEdge(-dy, y0 - top, t0, t1) || !ClipEdge(dy, bottom - y0, t0, t1))
            return;
        const double cx0 = x0 + t0 * dx, cy0 = y0 + t0 * dy;
        const double cx1 = x0 + t1 * dx, cy1 = y0 + t1 * dy;
        x0 = std::clamp(cx0, left, right), y0 = std::clamp(cy0, top, bottom);
        x1 = std::clamp(cx1, left, right), y1 = std::clamp(cy1, top, bottom);
    }
    MoveTo(static_cast<int32_t>(x0), static_cast<int32_t>(y0));
    LineTo(static_cast<int32_t>(x1), static_cast<int32_t>(y1));
}

bool MarkNearFrame(int64_t x, int64_t y, int64_t size)
{
    return x >= -size && y >= -size && x < int64_t{frameBuffer.width} + size &&
           y < int64_t{frameBuffer.height} + size;
}

FrameExtent FrameExtentAlong(double originX, double originY, double ax, double ay, double bx,
                         double by, double margin)
{
    const double xs[2] = {-margin - originX, frameBuffer.width - 1 + margin - originX};
    const double ys[2] = {-margin - originY, frameBuffer.height - 1 + margin - originY};
    FrameExtent e{INFINITY, -INFINITY, INFINITY, -INFINITY};
    for (double x : xs) {
        for (double y : ys) {
            const double along = x * ax + y * ay, across = x * bx + y * by;
            e.alongLo = std::min(e.alongLo, along), e.alongHi = std::max(e.alongHi, along);
            e.acrossLo = std::min(e.acrossLo, across), e.acrossHi = std::max(e.acrossHi, across);
        }
    }
    return e;
}

Span IndexWindow(double first, double step, double lo, double hi, int64_t iLo, int64_t iHi)
{
    if (iHi < iLo || !std::isfinite(first)) return {};
    if (step == 0.0 || !std::isfinite(step)) {
        if (first >= lo && first <= hi) return {iLo, iLo};
        return {};
    }
    const double t1 = (lo - first) / step, t2 = (hi - first) / step;
    if (!std::isfinite(t1) || !std::isfinite(t2)) return {};
    const double from = std::max(static_cast<double>(iLo), iLo + std::floor(std::min(t1, t2)) - 2.0);
    const double to = std::min(static_cast<double>(iHi), iLo + std::ceil(std::max(t1, t2)) + 2.0);
    if (to < from) return {};
    return {static_cast<int64_t>(from), static_cast<int64_t>(to)};
}
