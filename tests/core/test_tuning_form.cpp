// The tuning form's ranges, which both editions' forms and the command line apply, and the plan from the values typed;
// the curve's figure; the contrast curve's fit and the headless contrast and temporal-frequency sweeps.
#include <limits>

#include "recording/offline_sweep.h"
#include "recording/recording.h"
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
        {SweepOrientation, &V::seconds, 61, 12, 2, 3000, 0, 360},
        {SweepOrientation, &V::seconds, -kInf, 12, 2, 10, 0, 360},
        {SweepOrientation, &V::seconds, 0.44, 12, 2, 20, 0, 360},
        {SweepOrientation, &V::step, 1, 72, 2, 50, 0, 360},
        {SweepOrientation, &V::step, 200, 2, 2, 50, 0, 360},
        {SweepSpatialFrequency, &V::from, 0.001, 6, 2, 50, 0.05f, 6.4f},
        {SweepSpatialFrequency, &V::to, 1e9, 6, 2, 50, 0.2f, 20},
        {SweepSpatialFrequency, &V::to, -kInf, 6, 2, 50, 0.2f, 0.05f},
        {SweepSize, &V::points, 1, 2, 2, 50, 0.25f, 4},
        {SweepSize, &V::points, 61, 60, 2, 50, 0.25f, 4},
        {SweepContrast, &V::points, kNan, 9, 2, 50, 1, 100},
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
    std::vector<CurvePoint> octaves, contrasts;
    for (const float v : {0.2f, 0.4f, 0.8f, 1.6f, 3.2f, 6.4f}) octaves.push_back({v, 1, v == 1.6f ? 30.0f : 5.0f});
    for (const float v : {2.0f, 5.0f, 10.0f, 20.0f, 50.0f})
        contrasts.push_back({v, 1, static_cast<float>(NakaRushtonRate({30, 10, 2, 1}, v))});
    const struct { int32_t field; std::vector<CurvePoint> curve; const char* texts; } cases[] = {
        {FieldOrientation, {}, "0|5|10|0|45|90|135|180|225|270|315|360|Orientation (deg)|Spike rate (spikes/s)|"},
        {FieldSpatialFrequency, octaves, "0|10|20|30|40|0.2|0.5|1|2|5|Spatial frequency (c/deg)|Spike rate (spikes/s)|"},
        {FieldContrast, contrasts, "0|10|20|30|40|2|5|10|20|50|Contrast (%)|Spike rate (spikes/s)|Naka-Rushton fit|"},
    };
    for (const auto& c : cases) {
        const std::string title = TuningFormOf(SweepOrientation).plotTitle + std::string("|");
        EXPECT_EQ(Texts(TuningCurvePicture(c.field, c.curve, 480, 300)), title + c.texts);
    }
}

// Exact Naka-Rushton rates at the contrast sweep's first values give back their C50 and n; rates with up to 5 %
// noise either way (drawn from a seed) within 30 % (the worst of 200 seeds is 26 %). Three contrasts are too few.
TEST(ContrastFit, RecoversC50AndExponent)
{
    const struct { NakaRushton truth; double noise, tolerance; } cases[] = {{{40, 20, 2, 3}, 0, 1e-4},
        {{80, 60, 1.2, 0}, 0, 1e-4}, {{25, 5, 3.5, 10}, 0, 1e-4}, {{40, 20, 2, 3}, 0.05, 0.3}, {{30, 10, 1.5, 1}, 0.05, 0.3}};
    const std::vector<float> values = SweepValues(PlanOfForm(DefaultFormValues(SweepContrast)));
    SeededUniform draws = MakeSeededUniform(11);
    NakaRushton fit;
    for (const auto& c : cases) {
        std::vector<double> contrasts(values.begin(), values.end()), rates;
        for (const double x : contrasts) rates.push_back(NakaRushtonRate(c.truth, x) * (1.0 + c.noise * (2.0 * DrawSeededUniform(draws) - 1.0)));
        ASSERT_TRUE(FitNakaRushton(contrasts, rates, &fit));
        EXPECT_TRUE(std::fabs(fit.c50 / c.truth.c50 - 1.0) < c.tolerance && std::fabs(fit.n / c.truth.n - 1.0) < c.tolerance)
            << c.truth.c50 << " " << c.truth.n << ": " << fit.c50 << " " << fit.n;
    }
    EXPECT_FALSE(FitNakaRushton({10, 20, 40, 40}, {1, 2, 3, 3}, &fit));
}

// The default simple cell's contrast curve rises and levels off inside the range swept; a temporal-frequency
// sweep drifts the grating at each value in turn (the velocity at its spatial frequency), and gives it back.
TEST(OfflineSweep, ContrastFitAndTemporalFrequencyDrift)
{
    const OfflineSweepResult contrast = RunOfflineSweep({OfflineContrast, Simple, 5, 10});
    const std::vector<CurvePoint> curve = AverageRepeats(tuningSweep.points);
    EXPECT_GT(curve.back().meanRate, 10.0f * curve.front().meanRate + 10.0f);
    ASSERT_TRUE(contrast.summary.hasContrastFit) << contrast.line;
    EXPECT_TRUE(contrast.summary.contrastFit.c50 > 1.0 && !contrast.summary.c50Beyond) << contrast.line;

    RunOfflineSweep({OfflineTemporalFrequency, Complex, 5, 1});
    const std::vector<float> hz = SweepValues(tuningSweep.plan);
    ASSERT_EQ(recording.trials.size(), hz.size());
    for (size_t i = 0; i < hz.size(); ++i) {
        const RecordedTrial& t = recording.trials[i];
        EXPECT_TRUE(t.field == FieldTemporalFrequency && std::fabs(t.stimulus.velocity * t.stimulus.spatialFrequency / hz[i] - 1) < 1e-5f) << i;
    }
    EXPECT_EQ(stimulus.gratingVelocity, 2.0f);
}
