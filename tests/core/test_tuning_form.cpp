// The tuning form's ranges, which both editions' forms and the command line apply, and the plan from the values typed.
#include <limits>

#include "tests/core/test_support.h"
#include "tuning/curve_picture.h"
#include "tuning/tuning_form.h"

// Each value outside its field is held to the nearest end, an empty one takes the field's first value, and the
// plan holds what the sweep runs.
TEST(TuningForm, ValuesOutsideTheirRangesAreHeldInThePlan)
{
    constexpr double kNan = std::numeric_limits<double>::quiet_NaN(), kInf = std::numeric_limits<double>::infinity();
    using V = TuningFormValues;
    const struct { int32_t parameter; double V::*member; double typed; int32_t points, repeats, ticks; float from, to; } cases[] = {
        {SweepOrientation, &V::repeats, 0, 12, 1, 50, 0, 360},
        {SweepOrientation, &V::repeats, 101, 12, 100, 50, 0, 360},
        {SweepOrientation, &V::repeats, 1e300, 12, 100, 50, 0, 360},
        {SweepOrientation, &V::repeats, kNan, 12, 2, 50, 0, 360},
        {SweepOrientation, &V::seconds, 61, 12, 2, 3000, 0, 360},
        {SweepOrientation, &V::seconds, -kInf, 12, 2, 10, 0, 360},
        {SweepOrientation, &V::seconds, 0.44, 12, 2, 20, 0, 360},
        {SweepOrientation, &V::step, 1, 72, 2, 50, 0, 360},
        {SweepOrientation, &V::step, 200, 2, 2, 50, 0, 360},
        {SweepOrientation, &V::step, kNan, 12, 2, 50, 0, 360},
        {SweepSpatialFrequency, &V::from, 0.001, 6, 2, 50, 0.05f, 6.4f},
        {SweepSpatialFrequency, &V::to, 1e9, 6, 2, 50, 0.2f, 20},
        {SweepSpatialFrequency, &V::to, -kInf, 6, 2, 50, 0.2f, 0.05f},
        {SweepSize, &V::points, 1, 2, 2, 50, 0.25f, 4},
        {SweepSize, &V::points, 61, 60, 2, 50, 0.25f, 4},
        {SweepContrast, &V::points, kNan, 6, 2, 50, 3.125f, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "parameter " << c.parameter << " typed " << c.typed);
        TuningFormValues values = DefaultFormValues(c.parameter);
        values.*c.member = c.typed;
        const SweepPlan plan = PlanOfForm(values);
        EXPECT_EQ(std::tuple(plan.parameter, plan.points, plan.repeats, plan.presentTicks, plan.from, plan.to),
                  std::tuple(c.parameter, c.points, c.repeats, c.ticks, c.from, c.to));
    }
}

static std::string Texts(const PlotPicture& p)
{
    std::string texts;
    for (const PlotShape& s : p.shapes)
        if (s.kind == ShapeText) texts += s.text + "|";
    return texts;
}

// The tuning curve's figure, as both editions paint it: a linear axis around the circle, a logarithmic one over
// octave steps, a rate axis with room above its peak, labels with the decimals their step needs.
TEST(TuningCurvePicture, AxesTicksAndNames)
{
    std::vector<CurvePoint> octaves;
    for (const float v : {0.2f, 0.4f, 0.8f, 1.6f, 3.2f, 6.4f}) octaves.push_back({v, 1, v == 1.6f ? 30.0f : 5.0f});
    const struct { int32_t field; std::vector<CurvePoint> curve; const char* texts; } cases[] = {
        {FieldOrientation, {}, "0|5|10|0|45|90|135|180|225|270|315|360|Orientation (deg)|"},
        {FieldSpatialFrequency, octaves, "0|10|20|30|40|0.2|0.5|1|2|5|Spatial frequency (c/deg)|"},
    };
    for (const auto& c : cases) {
        const std::string title = TuningFormOf(SweepOrientation).plotTitle + std::string("|");
        EXPECT_EQ(Texts(TuningCurvePicture(c.field, c.curve, 480, 300)),
                  title + c.texts + "Spike rate (spikes/s)|");
    }
}
