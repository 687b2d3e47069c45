// The receptive field under the stimulus: a grey-scale map of its filter at
// the 20 ms delay, or an outline with ON and OFF marks. The complex cell has
// no single filter to map, so it always shows its rectangle.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "model/model_options.h"
#include "model/numeric.h"
#include "model/receptive_field.h"
#include "render/draw_clipping.h"
#include "render/frame_buffer.h"
#include "render/frame_buffer_pixels.h"
#include "render/rf_drawing.h"
#include "render/rf_drawing_parts.h"
#include "stimulus/stimulus_state.h"

namespace {
constexpr float kPi = 3.1415927f;
constexpr double kMarkMargin = 16.0;  // a mark reaches at most this far from its point

// The grey-scale map as last drawn, row after row of the part of the box the
// frame showed. It depends only on the filter set and that part, so while
// they stay the same every frame copies it instead of summing the filter
// terms for every pixel again. Scene thread only.
struct MapLayer {
    const RfFilterSet* set = nullptr;
    uint32_t generation = 0;
    float displayPeak = 0.0f, absoluteSum = 0.0f;  // a rebuilt set after a reset differs here
    int64_t x0 = 0, x1 = -1, y0 = 0, y1 = -1;
    uint32_t lastColour = 0;
    uint32_t pixels[kFilterPixels];
};
MapLayer mapLayer;

bool SameMap(const MapLayer& m, const RfFilterSet& f, int64_t x0, int64_t x1, int64_t y0, int64_t y1)
{
    return m.set == &f && m.generation == f.generation && m.displayPeak == f.displayPeak &&
           m.absoluteSum == f.absoluteSum && m.x0 == x0 && m.x1 == x1 && m.y0 == y0 && m.y1 == y1;
}
}  // namespace

int64_t TruncFar(double x) { return std::clamp(TruncWide(x), -kFarPixels, kFarPixels); }

RfFrame CurrentRfFrame()
{
    const float dpp = kDegreesPerPixel;
    const float theta = receptiveField.orientation * kPi / 180.0f;
    const float c = std::cos(theta), s = std::sin(theta);
    RfFrame f;
    f.cx = TruncFar(receptiveField.centreX / dpp);
    f.cy = TruncFar(receptiveField.centreY / dpp);
    f.ax = c, f.ay = -s;
    f.bx = s, f.by = c;
    return f;
}

void DrawReceptiveField(const RfFilterSet& filters)
{
    const int32_t mode = receptiveField.displayMode;
    const int32_t type = receptiveField.cellType;
    if (mode == Hidden) return;
    if (type == Complex) DrawComplexOutline(CurrentRfFrame(), mode);
    else if (mode == GreyScale) DrawGreyScaleMap(filters);
    else if (type == OnCentreX || type == OffCentreX) DrawXCellOutline(CurrentRfFrame(), type);
    else if (type == Simple || type == DirectionalSimple) DrawSimpleOutline(CurrentRfFrame(), mode);
}

void DrawComplexOutline(const RfFrame& f, int32_t displayMode)
{
    const float dpp = kDegreesPerPixel;
    const int64_t l2 = TruncFar(2.0f * receptiveField.length / dpp);  // two sigmas along
    const int64_t w2 = TruncFar(2.0f * receptiveField.width / dpp);   // two sigmas across
    const float cx = static_cast<float>(f.cx), cy = static_cast<float>(f.cy);
    const float l = static_cast<float>(l2), w = static_cast<float>(w2);

    // The rectangle, in the colour in force (the traces' white of the last
    // tick): no colour is set here.
    const float xs[4] = {cx - l * f.ax - w * f.bx, cx + l * f.ax - w * f.bx,
                         cx + l * f.ax + w * f.bx, cx - l * f.ax + w * f.bx};
    const float ys[4] = {cy - l * f.ay - w * f.by, cy + l * f.ay - w * f.by,
                         cy + l * f.ay + w * f.by, cy - l * f.ay + w * f.by};
    for (int32_t i = 0; i < 4; ++i)
        DrawClippedLine(xs[i], ys[i], xs[(i + 1) % 4], ys[(i + 1) % 4]);
    const float axis = static_cast<float>(l2 + 10);
    DrawClippedLine(cx - axis * f.ax, cy - axis * f.ay, cx + axis * f.ax, cy + axis * f.ay);

    if (displayMode == Revealed) return;
    // A grid of plus marks, each with a minus mark below it.
    const int64_t nAcross = 2 * NearestWide(static_cast<float>(w2 - 10) / 25.0f);
    const int64_t nAlong = (2 * l2 - 20) / 25;
    if (nAlong <= 0 || nAcross <= 0) return;
    const int64_t stepAlong = (2 * l2) / nAlong, stepAcross = (2 * w2) / nAcross;
    // Only grid points that can reach the frame are visited.
    const FrameExtent e = FrameExtentAlong(cx, cy, f.ax, f.ay, f.bx, f.by, kMarkMargin);
    const Span along =
        IndexWindow(-l2 + 0.5 * stepAlong, stepAlong, e.alongLo, e.alongHi, 1, nAlong);
    const Span across =
        IndexWindow(-w2 + 0.5 * stepAcross, stepAcross, e.acrossLo, e.acrossHi, 1, nAcross);
    const float alongStart = static_cast<float>(f.cx - l2);
    const float acrossStart = static_cast<float>(f.cy - w2);
    const float alongStep = static_cast<float>(stepAlong), acrossStep = static_cast<float>(stepAcross);
    for (int64_t i = along.lo; i <= along.hi; ++i) {
        const int64_t v = TruncFar(alongStart + (static_cast<float>(i) - 0.5f) * alongStep);
        for (int64_t j = across.lo; j <= across.hi; ++j) {
            const int64_t u = TruncFar(acrossStart + (static_cast<float>(j) - 0.5f) * acrossStep);
            const float dv = static_cast<float>(v - f.cx), du = static_cast<float>(u - f.cy);
            const int64_t px = TruncFar(cx + dv * f.ax + du * f.bx);
            const int64_t py = TruncFar(cy + dv * f.ay + du * f.by);
            if (!MarkNearFrame(px, py, static_cast<int64_t>(kMarkMargin))) continue;
            DrawCross(static_cast<int32_t>(px), static_cast<int32_t>(py - 2), 5);
            DrawDash(static_cast<int32_t>(px), static_cast<int32_t>(py + 6), 5);
        }
    }
}

namespace {
// Only the box pixels the filters hold and the frame shows.
void MapExtent(const RfFilterSet& filters, int64_t& x0, int64_t& x1, int64_t& y0, int64_t& y1)
{
    const int64_t left = filters.boxLeft, top = filters.boxTop;
    x0 = std::max<int64_t>(left, 0);
    x1 = std::min<int64_t>({filters.boxRight, left + kFilterSide - 1, int64_t{frameBuffer.width} - 1});
    y0 = std::max<int64_t>(top, 0);
    y1 = std::min<int64_t>({filters.boxBottom, top + kFilterSide - 1, int64_t{frameBuffer.height} - 1});
}
}  // namespace

bool RestoreGreyScaleBackground(const RfFilterSet& filters, const FrameRect* rects, int32_t count, uint32_t grey)
{
    int64_t x0, x1, y0, y1;
    MapExtent(filters, x0, x1, y0, y1);
    const MapLayer& layer = mapLayer;
    if (x0 > x1 || y0 > y1 || !SameMap(layer, filters, x0, x1, y0, y1)) return false;
    const int64_t columns = x1 - x0 + 1;
    const uint32_t greyWord = PixelWord(grey);
    for (int32_t i = 0; i < count; ++i) {
        const int64_t left = std::max<int32_t>(rects[i].left, 0), right = std::min(rects[i].right, frameBuffer.width);
        const int64_t top = std::max<int32_t>(rects[i].top, 0), bottom = std::min(rects[i].bottom, frameBuffer.height);
        for (int64_t y = top; y < bottom; ++y) {
            uint32_t* row = frameBuffer.pixels + y * frameBuffer.width;
            std::fill(row + left, row + right, greyWord);
            const int64_t from = std::max(left, x0), to = std::min(right - 1, x1);
            if (y >= y0 && y <= y1 && from <= to)
                std::memcpy(row + from, layer.pixels + (y - y0) * columns + (from - x0), static_cast<size_t>(to - from + 1) * 4);
        }
    }
    SetColour(layer.lastColour);
    PlotPixel(static_cast<int32_t>(x1), static_cast<int32_t>(y1));
    return true;
}

void DrawGreyScaleMap(const RfFilterSet& filters)
{
    int64_t x0, x1, y0, y1;
    MapExtent(filters, x0, x1, y0, y1);
    const int64_t left = filters.boxLeft, top = filters.boxTop;
    if (x0 > x1 || y0 > y1) return;
    const int64_t columns = x1 - x0 + 1;
    MapLayer& layer = mapLayer;
    if (SameMap(layer, filters, x0, x1, y0, y1)) {
        for (int64_t y = y0; y <= y1; ++y)
            std::memcpy(frameBuffer.pixels + y * frameBuffer.width + x0, layer.pixels + (y - y0) * columns,
                        static_cast<size_t>(columns) * 4);
        SetColour(layer.lastColour);
        PlotPixel(static_cast<int32_t>(x1), static_cast<int32_t>(y1));
        return;
    }
    const int32_t terms = std::clamp(filters.termCount, 0, kMaxTerms);
    const float peak = filters.displayPeak;
    // No usable scale (nothing built yet): the map is plain mid grey rather
    // than a division by zero.
    const bool scaled = std::isfinite(peak) && peak != 0.0f;
    float weight[kMaxTerms] = {};
    for (int32_t k = 0; k < terms; ++k) weight[k] = filters.linearTemporal[k][1];  // step 2

    // Greys are the same word in the store's byte order, so rows are written
    // straight in; the last pixel is then plotted as usual, which leaves the
    // colour and the pen where plotting every pixel would have left them.
    uint32_t colour = 0;
    for (int64_t y = y0; y <= y1; ++y) {
        const int64_t row = (y - top) * kFilterSide - left;  // + x: the element of column x
        uint32_t* frameRow = frameBuffer.pixels + y * frameBuffer.width;
        for (int64_t x = x0; x <= x1; ++x) {
            int32_t g = 128;
            if (scaled) {
                float value = 0.0f;
                for (int32_t k = 0; k < terms; ++k) value += filters.spatial[k][row + x] * weight[k];
                // Values beyond the peak (a surround stronger than the centre)
                // saturate at black or white instead of wrapping into colours.
                const float level = value * 127.0f / peak + 128.0f;
                g = level > 0.0f ? (level < 255.0f ? static_cast<int32_t>(level) : 255) : 0;
            }
            colour = static_cast<uint32_t>(g) * 0x010101u;
            frameRow[x] = colour;
        }
    }
    SetColour(colour);
    PlotPixel(static_cast<int32_t>(x1), static_cast<int32_t>(y1));

    for (int64_t y = y0; y <= y1; ++y)
        std::memcpy(layer.pixels + (y - y0) * columns, frameBuffer.pixels + y * frameBuffer.width + x0,
                    static_cast<size_t>(columns) * 4);
    layer.set = &filters;
    layer.generation = filters.generation;
    layer.displayPeak = filters.displayPeak;
    layer.absoluteSum = filters.absoluteSum;
    layer.x0 = x0, layer.x1 = x1, layer.y0 = y0, layer.y1 = y1;
    layer.lastColour = colour;
}
