// The stimulus drawn into the frame and, as signed contrast, into the
// stimulus image that the neuron sees.
//
// Each stimulus is a coverage test per pixel over its scan square (or box);
// for the discs (spot, grating) each row's covered run is found first, so
// the inner loop only shades. The scan is cut to the pixels that matter:
// frame pixels below the toolbar band, which are drawn, and the image's
// 500 x 500 part of the filter box, which is written; a radius of 1e30 costs
// no more than a full frame. Rows are the outer loop so both stores are
// walked in memory order; each pixel is visited once, so the order changes
// nothing.
#include <algorithm>
#include <cmath>

#include "model/filters.h"
#include "model/app_state.h"
#include "render/frame_buffer.h"
#include "render/draw_clipping.h"
#include "render/scene_drawing.h"
#include "stimulus/noise_frames.h"
#include "stimulus/stimulus_image.h"
#include "stimulus/stimulus_state.h"

namespace {

constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;
constexpr float kPhaseToRadians = 0.017453292f;

// Where one frame's stimulus may land.
struct Target {
    Span frameCols, frameRows;  // drawn: inside the frame, below the toolbar band
    Span boxCols, boxRows;      // written into the image
    int64_t boxLeft = 0, boxTop = 0;
    float* image = nullptr;
};

Target MakeTarget(const RfFilterSet& filters)
{
    Target t;
    const int64_t toolbarRows = appState.toolbarHeight;
    t.frameCols = {0, int64_t{frameBuffer.width} - 1};
    t.frameRows = {std::max<int64_t>(0, toolbarRows + 1), int64_t{frameBuffer.height} - 1};
    t.boxLeft = filters.boxLeft;
    t.boxTop = filters.boxTop;
    t.boxCols = {t.boxLeft, std::min<int64_t>(filters.boxRight, t.boxLeft + kFilterSide - 1)};
    t.boxRows = {t.boxTop, std::min<int64_t>(filters.boxBottom, t.boxTop + kFilterSide - 1)};
    t.image = StimulusImageBack();
    return t;
}

// Coverage tests and pixels visited by the rasteriser so far (scene thread).
int64_t work = 0;

bool Contains(Span s, int64_t v) { return v >= s.lo && v <= s.hi; }

// Visits every pixel of the scan that is drawn or written. sample(x, y, v)
// says whether the pixel is covered and sets its image value v; covered
// pixels are plotted in the colour already set.
template <typename Sample>
void Scan(const Target& t, Span scanX, Span scanY, Sample sample)
{
    Span cols[2], rows[2];
    const int32_t colRuns = ClipSpans(scanX, t.frameCols, t.boxCols, cols);
    const int32_t rowRuns = ClipSpans(scanY, t.frameRows, t.boxRows, rows);
    for (int32_t r = 0; r < rowRuns; ++r) {
        for (int64_t y = rows[r].lo; y <= rows[r].hi; ++y) {
            const bool drawRow = Contains(t.frameRows, y);
            float* imageRow =
                Contains(t.boxRows, y) ? t.image + (y - t.boxTop) * kFilterSide : nullptr;
            for (int32_t c = 0; c < colRuns; ++c) {
                for (int64_t x = cols[c].lo; x <= cols[c].hi; ++x) {
                    float v = 0.0f;
                    ++work;
                    const bool covered = sample(x, y, v);
                    if (covered && drawRow && Contains(t.frameCols, x))
                        PlotPixel(static_cast<int32_t>(x), static_cast<int32_t>(y));
                    if (imageRow && Contains(t.boxCols, x)) imageRow[x - t.boxLeft] = v;
                }
            }
        }
    }
}

uint32_t GreyColour(float level)
{
    // Greys beyond 0..255 (a contrast above 100 %) saturate instead of
    // spilling into the neighbouring colour bytes; NaN gives black.
    const int32_t g = level > 0.0f ? (level < 255.0f ? static_cast<int32_t>(level) : 255) : 0;
    return static_cast<uint32_t>(g) * 0x010101u;
}

// Squared pixel distance, exact for any on-screen distance and free of
// overflow for any position.
double DistanceSquared(int64_t dx, int64_t dy)
{
    return static_cast<double>(dx) * static_cast<double>(dx) +
           static_cast<double>(dy) * static_cast<double>(dy);
}

// The first guess at the end of a row's run: where d^2 = limit2 in exact
// arithmetic, within 0..h.
int64_t RunEstimate(double limit2, int64_t dy, int64_t h)
{
    const double room = limit2 - static_cast<double>(dy) * static_cast<double>(dy);
    return room > 0.0 ? std::min(h, TruncWide(std::sqrt(room))) : 0;
}

// The largest dx in 0..h for which inside(dx) holds (-1 if none), where
// inside only turns false as dx grows, searched for from the estimate e: by
// doubling steps away from it, then by halving. A huge limit is a float
// whose rounding step spans many pixels (at 1e26 a step of 1e19, half a
// million pixels beyond the estimate), so a walk pixel by pixel could take
// seconds per frame; the search takes at most about 4 x 62 tests.
template <typename Inside>
int64_t RunEnd(Inside inside, int64_t e, int64_t h)
{
    // lo is inside (or -1), hi outside (or h + 1); the steps stay within h,
    // so no sum leaves the clamp of TruncWide.
    int64_t lo = e, hi = e;
    int64_t step = 1;
    if (inside(e)) {
        for (hi = h + 1; lo < h; step = step > h / 2 ? h : 2 * step) {
            const int64_t probe = lo + std::min(step, h - lo);
            if (!inside(probe)) {
                hi = probe;
                break;
            }
            lo = probe;
        }
    } else {
        for (lo = -1; hi > 0; step = step > h / 2 ? h : 2 * step) {
            const int64_t probe = hi - std::min(step, hi);
            if (inside(probe)) {
                lo = probe;
                break;
            }
            hi = probe;
        }
    }
    while (hi - lo > 1) {
        const int64_t mid = lo + (hi - lo) / 2;
        (inside(mid) ? lo : hi) = mid;
    }
    return lo;
}

// The columns of row offset dy covered by the disc of the coverage test
// float(dx^2 + dy^2) <= r2, within |dx| <= h: one run.
int32_t DiscRuns(int64_t dy, float r2, int64_t h, Span out[2])
{
    if (h < 0) return 0;
    auto inside = [&](int64_t dx) {
        ++work;
        const double d2 = DistanceSquared(dx, dy);
        // Beyond the float range the sum rounds to infinity.
        return d2 < 0x1p128 ? static_cast<float>(d2) <= r2 : r2 == INFINITY;
    };
    const int64_t e = RunEnd(inside, RunEstimate(r2, dy, h), h);
    out[0] = {-e, e};
    return e >= 0 ? 1 : 0;
}

// The columns of row offset dy covered by the ring inner2 < d^2 <= outer2,
// within |dx| <= h: the outer disc's run less the inner one's, two runs or
// one or none.
int32_t AnnulusRuns(int64_t dy, double inner2, double outer2, int64_t h, Span out[2])
{
    if (h < 0) return 0;
    auto within = [&](double limit2) {
        return [dy, limit2](int64_t dx) {
            ++work;
            return DistanceSquared(dx, dy) <= limit2;
        };
    };
    const int64_t outer = RunEnd(within(outer2), RunEstimate(outer2, dy, h), h);
    const int64_t inner = RunEnd(within(inner2), RunEstimate(inner2, dy, h), h);
    if (outer < 0 || inner >= outer) return 0;
    if (inner < 0) {
        out[0] = {-outer, outer};
        return 1;
    }
    out[0] = {-outer, -inner - 1};
    out[1] = {inner + 1, outer};
    return 2;
}

// A round stimulus around (mx, my) scanned over the square |dx|, |dy| <= h,
// row by row: runsOf(dy, runs) gives the covered columns of a row as offsets
// from mx; covered pixels take value(dx, dy) and are drawn in the grey
// shade(v); the rest of the square within the box gets 0 in the image.
template <typename Runs, typename Value, typename Shade>
void ScanRuns(const Target& t, int64_t mx, int64_t my, int64_t h, Runs runsOf, Value value, Shade shade)
{
    Span cols[2], rows[2];
    Span last{-1, -1};  // the last pixel drawn, as (x, y)
    const int32_t colRuns = ClipSpans({mx - h, mx + h}, t.frameCols, t.boxCols, cols);
    const int32_t rowRuns = ClipSpans({my - h, my + h}, t.frameRows, t.boxRows, rows);
    for (int32_t r = 0; r < rowRuns; ++r) {
        for (int64_t y = rows[r].lo; y <= rows[r].hi; ++y) {
            const bool drawRow = Contains(t.frameRows, y);
            float* imageRow =
                Contains(t.boxRows, y) ? t.image + (y - t.boxTop) * kFilterSide : nullptr;
            uint32_t* frameRow = drawRow ? frameBuffer.pixels + y * frameBuffer.width : nullptr;
            Span runs[2];
            const int32_t runCount = runsOf(y - my, runs);
            for (int32_t c = 0; c < colRuns; ++c) {
                const Span span = cols[c];
                if (imageRow) {  // the square's part of the box row, covered below
                    const int64_t lo = std::max(span.lo, t.boxCols.lo), hi = std::min(span.hi, t.boxCols.hi);
                    work += std::max<int64_t>(hi - lo + 1, 0);
                    for (int64_t x = lo; x <= hi; ++x) imageRow[x - t.boxLeft] = 0.0f;
                }
                for (int32_t k = 0; k < runCount; ++k) {
                    const int64_t lo = std::max(span.lo, mx + runs[k].lo);
                    const int64_t hi = std::min(span.hi, mx + runs[k].hi);
                    if (frameRow && lo <= hi) TouchFrame(lo, y, hi + 1, y + 1);
                    work += std::max<int64_t>(hi - lo + 1, 0);
                    for (int64_t x = lo; x <= hi; ++x) {
                        const float v = value(x - mx, y - my);
                        if (frameRow && Contains(t.frameCols, x)) {
                            // A grey is the same word in the store's byte
                            // order, so the run is written straight in; the
                            // pen and the colour are set as plotting would
                            // leave them, below.
                            frameRow[x] = shade(v);
                            last = {x, y};
                        }
                        if (imageRow && Contains(t.boxCols, x)) imageRow[x - t.boxLeft] = v;
                    }
                }
            }
        }
    }
    if (last.lo >= 0) {
        SetColour(shade(value(last.lo - mx, last.hi - my)));
        PlotPixel(static_cast<int32_t>(last.lo), static_cast<int32_t>(last.hi));
    }
}

// One grey and one contrast for the whole spot, annulus or bar.
struct Uniform {
    uint32_t colour;
    float contrast;
};

Uniform UniformShade()
{
    const int64_t polarity = stimulus.polarity;
    const float contrast = stimulus.contrastPercent;
    const float level = static_cast<float>(127 * polarity) * contrast / 100.0f + 127.0f;
    return {GreyColour(level), static_cast<float>(polarity) * contrast / 100.0f};
}

void RasteriseSpot(const Target& t, int64_t mx, int64_t my, float dpp)
{
    const Uniform u = UniformShade();
    const float r = stimulus.spotRadius / dpp;
    const float r2 = r * r;
    const int64_t h = TruncWide(r + 5.0f);
    ScanRuns(
        t, mx, my, h, [&](int64_t dy, Span* runs) { return DiscRuns(dy, r2, h, runs); },
        [&](int64_t, int64_t) { return u.contrast; }, [&](float) { return u.colour; });
}

void RasteriseAnnulus(const Target& t, int64_t mx, int64_t my, float dpp)
{
    const Uniform u = UniformShade();
    const float r = stimulus.spotRadius / dpp;
    const int64_t outer = TruncWide(stimulus.annulusRatio * stimulus.spotRadius / dpp);
    const double inner2 = static_cast<double>(TruncWide(r * r));
    const double outer2 = static_cast<double>(outer) * static_cast<double>(outer);
    const int64_t h = outer + 1;
    SetColour(u.colour);  // in force even when nothing is covered
    ScanRuns(
        t, mx, my, h, [&](int64_t dy, Span* runs) { return AnnulusRuns(dy, inner2, outer2, h, runs); },
        [&](int64_t, int64_t) { return u.contrast; }, [&](float) { return u.colour; });
}

void RasteriseBar(const Target& t, int64_t mx, int64_t my, float dpp)
{
    const Uniform u = UniformShade();
    const float phi = stimulus.orientation * kPi / 180.0f;
    const float c = std::cos(phi), s = std::sin(phi);
    const float length = stimulus.barLength, width = stimulus.barWidth;
    // The scan box has a margin of one degree on every side.
    const float ex = (std::fabs(length * c / 2.0f) + 1.0f + std::fabs(width * s / 2.0f)) / dpp;
    const float ey = (std::fabs(length * s / 2.0f) + 1.0f + std::fabs(width * c / 2.0f)) / dpp;
    if (std::isnan(ex) || std::isnan(ey)) return;
    const float fx = static_cast<float>(mx), fy = static_cast<float>(my);
    const Span scanX{TruncWide(fx - ex), TruncWide(fx + ex)};
    const Span scanY{TruncWide(fy - ey), TruncWide(fy + ey)};
    const float hl = length / (2.0f * dpp), hw = width / (2.0f * dpp);
    const Span barX{TruncWide(fx - hl), TruncWide(fx + hl)};
    const Span barY{TruncWide(fy - hw), TruncWide(fy + hw)};
    SetColour(u.colour);
    Scan(
        t, scanX, scanY,
        [&](int64_t x, int64_t y, float& v) {
            // Rotate the pixel back about the centre onto the unrotated bar.
            const float dx = static_cast<float>(x - mx), dy = static_cast<float>(my - y);
            const int64_t rx = TruncWide(c * dx + s * dy + fx);
            const int64_t ry = TruncWide(s * dx - c * dy + fy);
            const bool covered = Contains(barX, rx) && Contains(barY, ry);
            v = covered ? u.contrast : 0.0f;
            return covered;
        });
}

// t mod period as a phase in radians; a period shorter than one millisecond
// counts as one millisecond, so the phase stays finite.
float ClockPhase(int64_t timeMs, int64_t periodMs)
{
    periodMs = std::max<int64_t>(periodMs, 1);
    return static_cast<float>(timeMs % periodMs) * kTwoPi / static_cast<float>(periodMs);
}

void RasteriseGrating(const Target& t, int64_t mx, int64_t my, float dpp, int64_t timeMs)
{
    const float sf = stimulus.gratingSf;  // read once: the user-interface thread may change it meanwhile
    const int64_t drift = GratingDriftPeriodMs(stimulus.gratingVelocity, sf);
    const float psi = drift > 0 ? ClockPhase(timeMs, drift) : stimulus.gratingPhase * kPhaseToRadians;
    const int64_t modulation = ModulationPeriodMs(stimulus.modulationRate);
    const float mu = modulation > 0 ? std::sin(ClockPhase(timeMs, modulation)) : 1.0f;
    const float amplitude = mu * stimulus.contrastPercent / 100.0f;
    const bool striped = sf != 0.0f;
    const float k = striped ? kTwoPi / ((1.0f / sf) / dpp) : 0.0f;
    const float phi = stimulus.orientation * kPi / 180.0f;
    const float c = std::cos(phi), s = std::sin(phi);
    const float radius = stimulus.gratingRadius / dpp;
    const float r2 = radius * radius;
    const int64_t h = TruncWide(radius + 5.0f);
    ScanRuns(
        t, mx, my, h, [&](int64_t dy, Span* runs) { return DiscRuns(dy, r2, h, runs); },
        [&](int64_t dx, int64_t dy) {
            if (!striped) return amplitude;
            const float across = s * static_cast<float>(dx) + c * static_cast<float>(dy);
            const float v = amplitude * std::cos(k * across + psi);
            return v == v ? v : 0.0f;  // stripes finer than float can place: mean grey
        },
        [](float v) { return GreyColour((v + 1.0f) * 127.0f); });
}

// The noise frame the last raster drew, -1 for none (scene thread).
int64_t noiseFrameDrawn = -1;

// A grid of squares centred at (mx, my), frame k of the record's noise. Each
// square is one value over a run of whole pixels, so rows are filled by runs:
// frame pixels in the square's grey, image pixels with its signed contrast.
// Squares out of the frame and the box cost nothing but the clip.
int64_t RasteriseNoise(const Target& t, int64_t mx, int64_t my, int64_t timeMs)
{
    const NoiseSettings s = NoiseSettingsOfStimulus();
    static int8_t values[kMaxNoiseSquares];
    const int64_t k = NoiseFrameIndexAt(s, timeMs);
    if (!NoiseFrame(s, k, values)) return -1;
    const NoiseGrid grid = NoiseGridAt(s, mx, my);
    const int64_t side = grid.side, left = grid.left, top = grid.top;
    const Span gridX{left, left + side * s.columns - 1}, gridY{top, top + side * s.rows - 1};
    Span rows[2], unused[2];
    const int32_t rowRuns = ClipSpans(gridY, t.frameRows, t.boxRows, rows);
    if (ClipSpans(gridX, t.frameCols, t.boxCols, unused) == 0) return k;
    uint32_t colour = GreyColour(127.0f);
    Span last{-1, -1};
    for (int32_t r = 0; r < rowRuns; ++r) {
        for (int64_t y = rows[r].lo; y <= rows[r].hi; ++y) {
            const int8_t* row = values + (y - top) / side * s.columns;
            float* imageRow = Contains(t.boxRows, y) ? t.image + (y - t.boxTop) * kFilterSide : nullptr;
            uint32_t* frameRow = Contains(t.frameRows, y) ? frameBuffer.pixels + y * frameBuffer.width : nullptr;
            for (int32_t c = 0; c < s.columns; ++c) {
                const float v = s.contrast * static_cast<float>(row[c]);
                const int64_t lo = left + c * side, hi = lo + side - 1;
                if (imageRow) {
                    const int64_t a = std::max(lo, t.boxCols.lo), b = std::min(hi, t.boxCols.hi);
                    for (int64_t x = a; x <= b; ++x) imageRow[x - t.boxLeft] = v;
                    work += std::max<int64_t>(b - a + 1, 0);
                }
                const int64_t a = std::max(lo, t.frameCols.lo), b = std::min(hi, t.frameCols.hi);
                if (frameRow && a <= b) {
                    colour = GreyColour((v + 1.0f) * 127.0f);
                    for (int64_t x = a; x <= b; ++x) frameRow[x] = colour;
                    TouchFrame(a, y, b + 1, y + 1);
                    work += b - a + 1;
                    last = {b, y};
                }
            }
        }
    }
    // The pen and colour as plotting the last pixel would leave them.
    if (last.lo >= 0) {
        SetColour(colour);
        PlotPixel(static_cast<int32_t>(last.lo), static_cast<int32_t>(last.hi));
    }
    return k;
}

}  // namespace

int64_t LastNoiseFrameDrawn() { return noiseFrameDrawn; }

int64_t GratingDriftPeriodMs(float velocity, float sf)
{
    const float period = (velocity != 0.0f && sf != 0.0f) ? 1.0f / (velocity * sf) : 0.0f;
    return period > 0.0f ? std::max<int64_t>(TruncWide(period * 1000.0f), 1) : 0;
}

int64_t ModulationPeriodMs(float rate)
{
    return rate > 0.0f ? std::max<int64_t>(TruncWide(1000.0f / rate), 1) : 0;
}

int64_t RasterisationWork() { return work; }

int32_t RasteriseStimulusAt(const RfFilterSet& filters, int64_t timeMs)
{
    const Target t = MakeTarget(filters);
    const int64_t mx = stimulus.mouseX, my = stimulus.mouseY;
    const float dpp = kDegreesPerPixel;
    const int32_t type = stimulus.stimulusType;
    noiseFrameDrawn = -1;
    switch (type) {
    case Spot: RasteriseSpot(t, mx, my, dpp); break;
    case Annulus: RasteriseAnnulus(t, mx, my, dpp); break;
    case Bar: RasteriseBar(t, mx, my, dpp); break;
    case Grating: RasteriseGrating(t, mx, my, dpp, timeMs); break;
    case SparseNoise:
    case WhiteNoise: noiseFrameDrawn = RasteriseNoise(t, mx, my, timeMs); break;
    default: break;
    }
    return type;
}
