// Outlines of the retinal and simple cells: where the field's sign changes,
// with plus marks on its ON regions and minus marks on its OFF regions.
#include <algorithm>
#include <cmath>

#include "model/model_options.h"
#include "model/numeric.h"
#include "model/receptive_field.h"
#include "render/draw_clipping.h"
#include "render/frame_buffer.h"
#include "render/rf_drawing_parts.h"
#include "stimulus/stimulus_state.h"

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kSurroundGrey = 0xA0A0A0;
constexpr uint32_t kOutlineGrey = 0xD0D0D0;
constexpr int32_t kMarkSize = 5;
constexpr double kMarkMargin = 8.0;
// More border lines than this can only come from absurd sizes; then only the
// lines that can reach the frame are drawn.
constexpr int64_t kMaxBorderLines = 4096;

// A ring is drawn only when it is a number, can touch the frame, and is not
// so large that walking its square would stall the tick.
constexpr float kLargestRing = 100000.0f;

bool RingReachesFrame(int64_t cx, int64_t cy, float r)
{
    if (!(r > 0.0f && r <= kLargestRing)) return false;
    if (frameBuffer.width <= 0 || frameBuffer.height <= 0) return false;
    const double w = frameBuffer.width, h = frameBuffer.height;
    const double x = static_cast<double>(cx), y = static_cast<double>(cy);
    const double nearX = std::clamp(x, 0.0, w - 1), nearY = std::clamp(y, 0.0, h - 1);
    const double farX = std::max(std::fabs(x), std::fabs(x - (w - 1)));
    const double farY = std::max(std::fabs(y), std::fabs(y - (h - 1)));
    const double nearest = std::hypot(x - nearX, y - nearY);
    const double farthest = std::hypot(farX, farY);
    return nearest <= r + 3.0 && farthest >= r - 1.0;
}

void DrawRingAt(int64_t cx, int64_t cy, float r)
{
    if (!RingReachesFrame(cx, cy, r)) return;
    MoveTo(static_cast<int32_t>(cx), static_cast<int32_t>(cy));
    DrawRing(r);
}

}  // namespace

void DrawXCellOutline(const RfFrame& f, int32_t cellType)
{
    const float dpp = kDegreesPerPixel;
    const int64_t sC = TruncFar(receptiveField.centreSigma / dpp);
    const int64_t sS = TruncFar(receptiveField.surroundSigma / dpp);
    const float w = modelOptions.surroundWeight;
    const float fc = static_cast<float>(sC), fs = static_cast<float>(sS);
    const float c2 = fc * fc, s2 = fs * fs;  // exact for any sigma a screen can show
    // Radius at which the weighted surround Gaussian equals the centre one.
    const float r0 = std::sqrt(2.0f * c2 * s2 * std::log(w * c2 / s2) / (c2 - s2));
    // Without a crossing (a centre under one pixel) there is no boundary to
    // outline and no region a mark could be placed in.
    if (std::isnan(r0)) return;

    SetColour(kWhite);
    DrawRingAt(f.cx, f.cy, r0);
    SetColour(kSurroundGrey);
    DrawRingAt(f.cx, f.cy, static_cast<float>(2 * sS));

    const int64_t m = r0 < 10.0f ? TruncFar(r0 - 1.0f) : kMarkSize;
    if (m < 1) return;
    const int64_t spacing = 4 * m;
    const int64_t half = ((2 * sS) / spacing + 1) * spacing;
    const int64_t n = (2 * half + spacing) / spacing;
    // Columns and rows of the grid that can touch the frame.
    const Span cols = IndexWindow(static_cast<double>(f.cx - half), spacing, -kMarkMargin,
                                  frameBuffer.width - 1 + kMarkMargin, 0, n - 1);
    const Span rows = IndexWindow(static_cast<double>(f.cy - half), spacing, -kMarkMargin,
                                  frameBuffer.height - 1 + kMarkMargin, 0, n - 1);
    const bool onCentre = cellType == OnCentreX;
    const float surroundEdge = static_cast<float>(2 * sS - m);
    for (int64_t k = cols.lo; k <= cols.hi; ++k) {
        const int64_t x = f.cx - half + k * spacing;
        for (int64_t l = rows.lo; l <= rows.hi; ++l) {
            const int64_t y = f.cy - half + l * spacing;
            if (!MarkNearFrame(x, y, m)) continue;
            const float dx = static_cast<float>(x - f.cx), dy = static_cast<float>(y - f.cy);
            const float d = std::sqrt(dx * dx + dy * dy) + 1.5f * static_cast<float>(m);
            const int32_t px = static_cast<int32_t>(x), py = static_cast<int32_t>(y);
            const int32_t size = static_cast<int32_t>(m);
            if (d < r0) {
                SetColour(kWhite);
                if (onCentre) DrawCross(px, py, size);
                else DrawDash(px, py, size);
            } else if (r0 + 2.0f * static_cast<float>(m) < d && d < surroundEdge) {
                SetColour(kSurroundGrey);
                if (onCentre) DrawDash(px, py, size);
                else DrawCross(px, py, size);
            }
        }
    }
}

namespace {

// The simple cell's outline in frame pixels: the axis' ends, the carrier
// period and phase, and the offsets (across the bars) of the outermost
// borders drawn.
struct SimpleOutline {
    float cx, cy, l, period, phase, sf;
    int64_t l2;
    float ax, ay, bx, by;  // the axis' ends
    FrameExtent extent;
    int64_t minOff = 200000, maxOff = -200000;
};

SimpleOutline SimpleOutlineOf(const RfFrame& f)
{
    SimpleOutline o{};
    o.cx = static_cast<float>(f.cx), o.cy = static_cast<float>(f.cy);
    o.l2 = TruncFar(2.0f * receptiveField.length / kDegreesPerPixel);
    o.l = static_cast<float>(o.l2);
    o.sf = receptiveField.spatialFrequency;
    o.phase = receptiveField.phase;
    o.period = 1.0f / (kDegreesPerPixel * o.sf);  // carrier period in pixels
    o.ax = o.cx - o.l * f.ax, o.ay = o.cy - o.l * f.ay;
    o.bx = o.cx + o.l * f.ax, o.by = o.cy + o.l * f.ay;
    o.extent = FrameExtentAlong(o.cx, o.cy, f.ax, f.ay, f.bx, f.by, kMarkMargin);
    return o;
}

// Borders at the carrier's zero crossings within 2.5 sigmas across, then the
// end lines (with no border they run across the whole frame). Records the
// outermost offsets in o; false when the borders are finer than pixels.
bool DrawSimpleBorders(const RfFrame& f, SimpleOutline& o)
{
    const float width = receptiveField.width, period = o.period;
    const int64_t w2 = TruncFar(2.0f * width / kDegreesPerPixel);
    const int64_t n = TruncFar(2.0f * static_cast<float>(w2) / period + 1.0f);
    // When absurd sizes ask for more lines than any frame has pixels, walk
    // only the crossings whose offsets can reach the frame.
    Span ks{-n, n};
    if (2 * n + 1 > kMaxBorderLines) {
        // off(k) ~ ((2k - 1) / 4 - phase / 360) * period.
        const double first = (-2.0 * n - 1.0) * 0.25 * period - o.phase / 360.0 * period;
        ks = IndexWindow(first, 0.5 * period, o.extent.acrossLo, o.extent.acrossHi, -n, n);
        if (ks.hi - ks.lo + 1 > kMaxBorderLines) return false;
    }
    for (int64_t k = ks.lo; k <= ks.hi; ++k) {
        const float offset = (static_cast<float>(2 * k - 1) * 0.25f - o.phase / 360.0f) * period;
        if (std::isnan(offset)) continue;  // no carrier (a spatial frequency of 0)
        const int64_t off = TruncFar(offset);
        const float sigmas = static_cast<float>(off) * kDegreesPerPixel / width;
        if (!(-2.5f < sigmas && sigmas < 2.5f)) continue;
        o.minOff = std::min(o.minOff, off), o.maxOff = std::max(o.maxOff, off);
        const float d = static_cast<float>(off);
        DrawClippedLine(o.ax + d * f.bx, o.ay + d * f.by, o.bx + d * f.bx, o.by + d * f.by);
    }
    const float lo = static_cast<float>(o.minOff), hi = static_cast<float>(o.maxOff);
    DrawClippedLine(o.ax + lo * f.bx, o.ay + lo * f.by, o.ax + hi * f.bx, o.ay + hi * f.by);
    DrawClippedLine(o.bx + lo * f.bx, o.by + lo * f.by, o.bx + hi * f.bx, o.by + hi * f.by);
    return true;
}

// Marks along the middle of each subregion, '+' where the carrier is
// positive and '-' where it is negative.
void DrawSimpleMarks(const RfFrame& f, const SimpleOutline& o)
{
    const float l = o.l, period = o.period;
    const int64_t nAlong = NearestWide(2.0f * l / 25.0f);
    const int64_t nAcross = TruncFar(2.0f * static_cast<float>(o.maxOff - o.minOff) / period + 1.0f);
    const int64_t q = TruncFar(0.25f * period);
    if (nAcross <= 0 || nAlong <= 0) return;
    const int64_t stepAlong = TruncFar(2.0f * l / static_cast<float>(nAlong));
    const Span across = IndexWindow(static_cast<double>(o.minOff + q), 0.5f * period, o.extent.acrossLo,
                                    o.extent.acrossHi, 1, nAcross);
    const Span along = IndexWindow(-o.l2 + 0.5 * stepAlong, static_cast<double>(stepAlong), o.extent.alongLo,
                                   o.extent.alongHi, 1, nAlong);
    const float phaseRadians = o.phase * kPi / 180.0f;
    const float radiansPerPixel = o.sf * kTwoPi * kDegreesPerPixel;
    const float alongStart = static_cast<float>(f.cx - o.l2);
    const float alongStep = static_cast<float>(stepAlong);
    for (int64_t i = across.lo; i <= across.hi; ++i) {
        const float shift = static_cast<float>(i - 1) * 0.5f * period;
        const float offF = static_cast<float>(o.minOff + q) + shift;
        const int64_t offI = TruncFar(static_cast<float>(f.cy + o.minOff + q) + shift) - f.cy;
        if (offI >= o.maxOff) continue;
        const bool on = std::cos(phaseRadians + radiansPerPixel * offF) > 0.0f;
        const float oi = static_cast<float>(offI);
        for (int64_t j = along.lo; j <= along.hi; ++j) {
            const int64_t a = TruncFar(alongStart + (static_cast<float>(j) - 0.5f) * alongStep);
            const float da = static_cast<float>(a - f.cx);
            const int64_t px = TruncFar(o.cx + da * f.ax + oi * f.bx);
            const int64_t py = TruncFar(o.cy + da * f.ay + oi * f.by);
            if (!MarkNearFrame(px, py, kMarkSize)) continue;
            if (on) DrawCross(static_cast<int32_t>(px), static_cast<int32_t>(py), kMarkSize);
            else DrawDash(static_cast<int32_t>(px), static_cast<int32_t>(py), kMarkSize);
        }
    }
}

}  // namespace

void DrawSimpleOutline(const RfFrame& f, int32_t displayMode)
{
    SetColour(kOutlineGrey);
    SimpleOutline o = SimpleOutlineOf(f);
    if (!DrawSimpleBorders(f, o)) return;  // finer than pixels
    if (displayMode != Revealed) DrawSimpleMarks(f, o);
}
