#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "tests/core/test_support.h"

using namespace ts;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// A pattern with structure at every scale the filters care about, different
// on every tick, so drives differ from step to step.
float Pattern(int32_t c, int32_t r, int32_t tick)
{
    return 0.6f * std::cos(0.11f * c + 0.3f * tick) * std::sin(0.07f * r - 0.2f * tick)
         + 0.4f * (((c / 9 + r / 13 + tick) % 3) - 1);
}

}  // namespace

TEST(ResponseDrive, FallsToZeroTwentyTicksAfterTheStimulusGoesOff)
{
    struct Case { int32_t cellType; bool saturating; float spontaneous; };
    const Case cases[] = {
        {OnCentreX, true, 15.0f}, {OnCentreX, false, 15.0f}, {OffCentreX, true, 15.0f},
        {Simple, false, 0.5f}, {DirectionalSimple, true, 1.0f}, {Complex, false, 5.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cellType);
        ResetEngine(c.cellType);
        modelOptions.saturatingIO = c.saturating;
        for (int32_t tick = 0; tick < 25; ++tick) {
            PublishImage([tick](int32_t x, int32_t y) { return Pattern(x, y, tick); });
            DriveOfTick();
        }
        PublishBlank();
        float drive = 0.0f;
        for (int32_t tick = 1; tick <= 20; ++tick) {
            drive = DriveOfTick();
            if (tick == 19) {
                EXPECT_NE(drive, 0.0f) << "the last stimulus frame is still in step 20";
            }
        }
        EXPECT_EQ(drive, 0.0f);
        EXPECT_NEAR(DriveToRate(drive), c.spontaneous, 1e-3f);
        EXPECT_EQ(DriveToTraceValue(drive), 0.0f);
    }
}

TEST(ResponseDrive, FlashedSpotOverOnCentreRisesOnlyFromTheSecondTickAndFallsBack)
{
    ResetEngine(OnCentreX);
    const float radius = 0.5f / stimulus.degreesPerPixel;
    std::vector<float> drives;
    for (int32_t tick = 0; tick < 5; ++tick) {
        PublishSpot(1.0f, radius);
        drives.push_back(DriveOfTick());
    }
    PublishBlank();
    for (int32_t tick = 0; tick < 20; ++tick) drives.push_back(DriveOfTick());

    EXPECT_EQ(drives[0], 0.0f) << "step 1 of the retinal filter is zero";
    EXPECT_GT(drives[1], 0.0f);
    EXPECT_GT(drives[2], drives[1]);
    EXPECT_GT(drives[3], drives[2]);
    EXPECT_GT(drives[4], 0.0f);
    const float peak = *std::max_element(drives.begin(), drives.end());
    EXPECT_LT(std::fabs(drives[15]), 0.5f * peak) << "falls back once the spot is off";
    EXPECT_EQ(drives.back(), 0.0f);
}

TEST(ResponseDrive, OffCentreIsTheNegativeOfOnCentre)
{
    std::vector<float> on, off;
    for (int32_t type : {OnCentreX, OffCentreX}) {
        ResetEngine(type);
        std::vector<float>& out = type == OnCentreX ? on : off;
        for (int32_t tick = 0; tick < 30; ++tick) {
            PublishImage([tick](int32_t x, int32_t y) { return Pattern(x, y, tick); });
            out.push_back(DriveOfTick());
        }
    }
    modelOptions.saturatingIO = false;
    for (size_t i = 0; i < on.size(); ++i) {
        EXPECT_FLOAT_EQ(off[i], -on[i]) << "tick " << i;
        EXPECT_NEAR(DriveToRate(off[i]) - 15.0f, -(DriveToRate(on[i]) - 15.0f), 1e-3f) << "tick " << i;
    }
    EXPECT_NE(*std::max_element(on.begin(), on.end()), 0.0f);
}

TEST(ResponseDrive, ComplexCellEnergyOfAGratingIsOneFifth)
{
    // The same images, once shown as a grating and once as another stimulus;
    // the type of the moment plays no part, only what each frame showed.
    std::vector<float> drives[2];
    for (bool grating : {false, true}) {
        ResetEngine(Complex);
        stimulus.stimulusType = grating ? Bar : Grating;
        for (int32_t tick = 0; tick < 25; ++tick) {
            PublishImage([tick](int32_t x, int32_t y) { return Pattern(x, y, tick); }, grating);
            CopyStimulusToHistory();
            const float direct = DirectDrive();
            drives[grating].push_back(ComputeDrive());
            EXPECT_NEAR(drives[grating].back(), direct, 1e-6f * direct + 1e-6f);
        }
    }
    for (size_t i = 0; i < drives[0].size(); ++i) {
        EXPECT_GE(drives[1][i], 0.0f);
        EXPECT_NEAR(drives[1][i] * 5.0f, drives[0][i], 1e-4f * drives[0][i] + 1e-9f) << "tick " << i;
    }
}

TEST(ResponseDrive, EmptyBoxCopiesNothingAndGivesNoDrive)
{
    // Sigmas far below a pixel give a box of half size 0.
    ResetEngine(Simple);
    receptiveField.width = 0.001f;
    receptiveField.length = 0.001f;
    buildFilters();
    const RfFilterSet& set = CurrentFilters();
    ASSERT_TRUE(set.boxRight - set.boxLeft <= 0 || set.boxBottom - set.boxTop <= 0);

    simulation.stimulusHistory[0][0] = 0.25f;
    float* image = StimulusImageBack();
    for (int32_t i = 0; i < kFilterPixels; ++i) image[i] = 1.0f;
    PublishStimulusImage();
    EXPECT_EQ(DriveOfTick(), 0.0f);
    EXPECT_EQ(simulation.stimulusHistory[0][0], 0.25f) << "no copy";
    EXPECT_EQ(simulation.historySlot, 2) << "the slot still advances";
    EXPECT_NEAR(DriveToRate(0.0f), modelOptions.currentSpontaneousRate, 1e-4f);
}

TEST(ResponseDrive, NoFiltersBuiltMeansNoDrive)
{
    // Before the first build the sum is 0: whatever drive arrives counts as
    // none, giving the spontaneous rate and an empty trace.
    ResetEngine(OnCentreX);
    ResetFilters();
    ASSERT_EQ(CurrentFilters().absoluteSum, 0.0f);
    PublishSpot(1.0f, 20.0f);
    EXPECT_EQ(DriveOfTick(), 0.0f);
    for (bool saturating : {true, false}) {
        modelOptions.saturatingIO = saturating;
        for (float drive : {0.0f, 5.0f, -3.0f, kNaN, kInf}) {
            EXPECT_NEAR(DriveToRate(drive), 15.0f, 1e-3f) << drive;
            EXPECT_EQ(DriveToTraceValue(drive), 0.0f) << drive;
        }
    }
}

TEST(ResponseRate, LinearAndSaturatingValues)
{
    ResetEngine(OnCentreX);
    const float sum = CurrentFilters().absoluteSum;
    ASSERT_GT(sum, 0.0f);
    struct Case { bool saturating; float spontaneous; float normalised; float rate; };
    const Case cases[] = {
        {false, 15.0f, 0.0f, 15.0f},
        {false, 15.0f, 10.0f, 25.0f},
        {false, 15.0f, -40.0f, -25.0f},    // not clipped without saturation
        {true, 15.0f, 0.0f, 15.0f},        // the offset gives the spontaneous rate
        {true, 0.0f, 30.0f, 50.0f},        // c50 reaches half the maximum
        {true, 0.0f, -5.0f, 0.0f},         // negative input gives nothing
        {true, 15.0f, -1000.0f, 0.0f},
        {true, 50.0f, 0.0f, 50.0f},
    };
    for (const Case& c : cases) {
        modelOptions.saturatingIO = c.saturating;
        modelOptions.currentSpontaneousRate = c.spontaneous;
        EXPECT_NEAR(DriveToRate(c.normalised * sum), c.rate, 2e-3f)
            << c.saturating << " " << c.spontaneous << " " << c.normalised;
    }
}

TEST(ResponseRate, SaturationKeepsEveryRateFiniteAndBelowTheMaximum)
{
    ResetEngine(OnCentreX);
    const float sum = CurrentFilters().absoluteSum;
    const float spontaneousRates[] = {0.0f, 0.5f, 15.0f, 99.0f, 100.0f, 101.0f, 1e30f, -5.0f};
    const float normalised[] = {-1e30f, -250.0f, -1.0f, 0.0f, 1.0f, 250.0f, 1e6f, 1e30f};
    for (float spontaneous : spontaneousRates) {
        modelOptions.currentSpontaneousRate = spontaneous;
        for (float x : normalised) {
            const float rate = DriveToRate(x * sum);
            EXPECT_TRUE(std::isfinite(rate)) << spontaneous << " " << x;
            EXPECT_GE(rate, 0.0f) << spontaneous << " " << x;
            EXPECT_LT(rate, modelOptions.saturationRate.load()) << spontaneous << " " << x;
        }
        const float nanRate = DriveToRate(kNaN);
        EXPECT_TRUE(std::isfinite(nanRate));
        EXPECT_LT(nanRate, 100.0f);
    }
    // At or above the maximum the cell idles just below it.
    for (float spontaneous : {100.0f, 101.0f}) {
        modelOptions.currentSpontaneousRate = spontaneous;
        EXPECT_GT(DriveToRate(0.0f), 99.0f);
    }
    modelOptions.saturatingIO = false;
    modelOptions.currentSpontaneousRate = 15.0f;
    for (float drive : {kNaN, kInf, -kInf, 1e38f})
        EXPECT_TRUE(std::isfinite(DriveToRate(drive))) << drive;
    EXPECT_EQ(DriveToRate(kNaN), 15.0f);
}

TEST(ResponseTrace, NormalisedToTheRetinalGainAndCappedAtOne)
{
    ResetEngine(Simple);
    const float sum = CurrentFilters().absoluteSum;
    struct Case { float normalised; float trace; };
    const Case cases[] = {{0.0f, 0.0f}, {125.0f, 0.5f}, {200.0f, 0.8f}, {250.0f, 1.0f},
                          {1000.0f, 1.0f}, {-50.0f, -0.2f}};
    for (const Case& c : cases) EXPECT_NEAR(DriveToTraceValue(c.normalised * sum), c.trace, 1e-5f);
    EXPECT_EQ(DriveToTraceValue(kNaN), 0.0f);
    EXPECT_EQ(DriveToTraceValue(kInf), 1.0f);
    EXPECT_TRUE(std::isfinite(DriveToTraceValue(-kInf)));
}

TEST(ResponseTick, RecordsTheRateAndTraceOfTheTick)
{
    ResetEngine(OnCentreX);
    PublishBlank();
    NeuronTickCompute();
    EXPECT_NEAR(simulation.rateWindow[1], 15.0f, 1e-3f);
    EXPECT_NEAR(simulation.expectedRate, 15.0f, 1e-3f);
    EXPECT_EQ(simulation.rateWindowSlot, 2);
    EXPECT_EQ(simulation.historySlot, 2);
    EXPECT_EQ(simulation.responseTrace[1].load(), 0.0f);
    EXPECT_EQ(simulation.traceIndex.load(), 1) << "advanced after the wait, not before";
}
