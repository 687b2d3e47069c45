#include "tuning/plot_picture.h"

#include <algorithm>
#include <cmath>

#include "language/catalog.h"
#include "model/file_numbers.h"

namespace {

PlotShape Shape(int32_t kind, double x0, double y0, double x1, double y1, uint32_t colour)
{
    PlotShape s;
    s.kind = kind, s.x0 = x0, s.y0 = y0, s.x1 = x1, s.y1 = y1, s.colour = colour;
    return s;
}

}  // namespace

void PlotPicture::Fill(double x0, double y0, double x1, double y1, uint32_t colour)
{
    shapes.push_back(Shape(ShapeFill, x0, y0, x1, y1, colour));
}

void PlotPicture::Outline(double x0, double y0, double x1, double y1, uint32_t colour)
{
    shapes.push_back(Shape(ShapeOutline, x0, y0, x1, y1, colour));
}

void PlotPicture::Line(double x0, double y0, double x1, double y1, uint32_t colour, bool dashed)
{
    shapes.push_back(Shape(ShapeLine, x0, y0, x1, y1, colour));
    shapes.back().dashed = dashed;
}

void PlotPicture::Text(double x, double y, std::string text, uint32_t colour, int32_t align, bool vertical)
{
    shapes.push_back(Shape(ShapeText, x, y, x, y, colour));
    shapes.back().align = align, shapes.back().vertical = vertical, shapes.back().text = std::move(text);
}

double NiceStep(double range, int32_t n)
{
    const double raw = range / std::max(n, 1);
    if (!(raw > 0.0) || !std::isfinite(raw)) return 1.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0})
        if (raw <= m * power * (1.0 + 1e-9)) return m * power;
    return 10.0 * power;
}

double RateAxisTop(double peak)
{
    const double wanted = std::max(10.0, std::isfinite(peak) ? peak * 1.1 : 0.0);
    const double step = NiceStep(wanted, 4);
    return step * std::ceil(wanted / step - 1e-9);
}

std::vector<double> TicksEvery(double low, double high, double step)
{
    std::vector<double> ticks;
    if (!(step > 0.0) || !std::isfinite(low) || !std::isfinite(high)) return ticks;
    const double slack = step * 1e-6;
    // Each tick from its own count, so that steps of 0.1 add no error.
    for (double k = std::ceil((low - slack) / step); k * step <= high + slack && ticks.size() < 1000; k += 1.0)
        ticks.push_back(k * step == 0.0 ? 0.0 : k * step);
    return ticks;
}

std::vector<double> LogTicks(double low, double high)
{
    std::vector<double> ticks;
    if (!(low > 0.0) || !(high >= low) || !std::isfinite(high)) return ticks;
    for (double power = std::pow(10.0, std::floor(std::log10(low))); power <= high && ticks.size() < 100; power *= 10.0)
        for (const double m : {1.0, 2.0, 5.0}) {
            const double v = m * power;
            if (v >= low * (1.0 - 1e-9) && v <= high * (1.0 + 1e-9)) ticks.push_back(v);
        }
    return ticks;
}

std::string TickLabel(double value, double step)
{
    const int32_t decimals = step >= 1.0 ? 0 : std::clamp(static_cast<int32_t>(std::ceil(-std::log10(step) - 1e-9)), 0, 6);
    return LocalNumber(FixedRealText(static_cast<float>(value), decimals));
}
