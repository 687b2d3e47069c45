#include "formats/plot_json.h"

#include <algorithm>
#include <cmath>

void WritePlotPicture(JsonWriter& j, const char* key, const PlotPicture& picture)
{
    j.OpenObject(key);
    j.Double("width", picture.width), j.Double("height", picture.height);
    j.Int("background", picture.background), j.Int("font", picture.fontPixels);
    j.OpenArray("shapes");
    for (const PlotShape& s : picture.shapes) {
        j.OpenArray();
        j.Int(nullptr, s.kind);
        // A hundredth of a pixel is finer than any screen shows; no figure
        // reaches past a float's range, but nothing converted may either.
        for (const double v : {s.x0, s.y0, s.x1, s.y1})
            j.Real(nullptr, std::isfinite(v) ? static_cast<float>(std::round(std::clamp(v, -1e9, 1e9) * 100) / 100) : NAN);
        j.Int(nullptr, s.colour), j.Bool(nullptr, s.dashed), j.Int(nullptr, s.align), j.Bool(nullptr, s.vertical);
        j.Text(nullptr, s.text);
        j.CloseArray();
    }
    j.CloseArray();
    j.CloseObject();
}

void WriteFormNumber(JsonWriter& j, const char* key, const FormNumber& field)
{
    j.OpenObject(key);
    j.Text("label", WithoutAccessKey(field.label)), j.Text("unit", field.unit);
    j.Double("low", field.low), j.Double("high", field.high), j.Double("value", field.value);
    j.Double("step", field.step), j.Int("decimals", field.decimals);
    j.CloseObject();
}
