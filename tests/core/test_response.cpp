
#include <limits>

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
            drives[grating].push_back(DriveOfTick());
        }
    }
    for (size_t i = 0; i < drives[0].size(); ++i) {
        EXPECT_GE(drives[1][i], 0.0f);
        EXPECT_NEAR(drives[1][i] * 5.0f, drives[0][i], 1e-4f * drives[0][i] + 1e-9f) << "tick " << i;
    }
}

TEST(ResponseDrive, FallsToZeroTwentyTicksAfterTheStimulusGoesOff)
{
    struct Case { int32_t cellType; bool saturating; float spontaneous; };
    const Case cases[] = {
        {OnCentreX, true, 15.0f}, {OffCentreX, false, 15.0f}, {DirectionalSimple, true, 1.0f}, {Complex, false, 5.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cellType);
        ResetEngine(c.cellType);
        modelOptions.saturatingIO = c.saturating;
        for (int32_t tick = 0; tick < 25; ++tick) {
            PublishImage([tick](int32_t x, int32_t y) { return Pattern(x, y, tick); });
            DriveOfTick();
        }
        PublishImage([](int32_t, int32_t) { return 0.0f; });
        for (int32_t tick = 1; tick < 19; ++tick) DriveOfTick();
        EXPECT_NE(DriveOfTick(), 0.0f) << "the last stimulus frame is still in step 20";
        const float drive = DriveOfTick();
        EXPECT_EQ(drive, 0.0f);
        EXPECT_NEAR(DriveToRate(drive), c.spontaneous, 1e-3f);
        EXPECT_EQ(DriveToTraceValue(drive), 0.0f);
    }
}

TEST(ResponseDrive, NoFiltersBuiltMeansNoDrive)
{
    // Before the first build the sum is 0: whatever drive arrives counts as
    // none, giving the spontaneous rate and an empty trace.
    ResetEngine(OnCentreX);
    ResetFilters();
    ASSERT_EQ(CurrentFilters().absoluteSum, 0.0f);
    PublishImage([](int32_t, int32_t) { return 1.0f; });
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
        {false, 15.0f, 10.0f, 25.0f}, {false, 15.0f, -40.0f, -25.0f},  // not clipped without saturation
        {true, 15.0f, 0.0f, 15.0f},   // the offset gives the spontaneous rate
        {true, 0.0f, 30.0f, 50.0f},   // c50 reaches half the maximum
        {true, 0.0f, -5.0f, 0.0f},    {true, 50.0f, 0.0f, 50.0f},
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
