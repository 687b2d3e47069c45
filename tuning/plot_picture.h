#pragma once
// A figure described once for both editions: filled and outlined
// rectangles, lines and texts in the pixels of a view of a given size, with
// their colours, in the order they are painted. The desktop's views and the
// page's canvases paint exactly these shapes and compute nothing of their
// own, so the two editions' plots cannot drift apart. Also the axis rules
// the figures share: round tick steps, the rate axis's top, tick labels.
#include <cstdint>
#include <string>
#include <vector>

enum PlotShapeKind : int32_t { ShapeFill = 0, ShapeOutline = 1, ShapeLine = 2, ShapeText = 3 };
enum PlotAlign : int32_t { AlignStart = 0, AlignMiddle = 1, AlignEnd = 2 };

// Fill and outline: the rectangle from (x0, y0) to (x1, y1). Line: from
// (x0, y0) to (x1, y1), dashed or not. Text: anchored at (x0, y0), its
// vertical middle there and its start, middle or end at x0 as align says;
// vertical text is turned a quarter anticlockwise about the anchor.
struct PlotShape {
    int32_t kind = ShapeFill;
    double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
    uint32_t colour = 0;  // 0xRRGGBB
    bool dashed = false;
    int32_t align = AlignStart;
    bool vertical = false;
    std::string text;
};

struct PlotPicture {
    double width = 0.0, height = 0.0;
    uint32_t background = 0xffffff;
    int32_t fontPixels = 11;  // sans-serif, the same on both editions
    std::vector<PlotShape> shapes;

    void Fill(double x0, double y0, double x1, double y1, uint32_t colour);
    void Outline(double x0, double y0, double x1, double y1, uint32_t colour);
    void Line(double x0, double y0, double x1, double y1, uint32_t colour, bool dashed = false);
    void Text(double x, double y, std::string text, uint32_t colour, int32_t align, bool vertical = false);
};

// A round step (1, 2 or 5 times a power of ten) giving about n ticks over range.
double NiceStep(double range, int32_t n);
// The top of a rate axis holding peak with a tenth to spare, at least
// 10 spikes/s, on a whole number of NiceStep(top, 4) steps.
double RateAxisTop(double peak);
// The multiples of step from low to high (ends included, rounding allowed for).
std::vector<double> TicksEvery(double low, double high, double step);
// 1, 2 and 5 times the powers of ten from low to high, for a logarithmic axis.
std::vector<double> LogTicks(double low, double high);
// A tick's label: the value to the decimals its step needs, no more, with
// the decimal mark of the language in force.
std::string TickLabel(double value, double step);
