// From the stimulus image to the rate and what is heard: the drive (fast =
// direct), the rate and trace values, and whole scene-to-neuron ticks.
#include <limits>

#include "tests/core/test_support.h"

using namespace ts;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN(), kInf = std::numeric_limits<float>::infinity();

TEST(ResponseDrive, NoFiltersBuiltMeansNoDrive)
{
    // Before the first build the sum is 0: any drive gives the spontaneous rate and an empty trace.
    ResetEngine(OnCentreX);
    ResetFilters();
    ASSERT_EQ(CurrentFilters().absoluteSum, 0.0f);
    PublishImage([](int32_t, int32_t) { return 1.0f; });
    EXPECT_EQ(DriveOfTick(), 0.0f);
    for (bool saturating : {true, false}) {
        modelOptions.saturatingIO = saturating;
        for (float drive : {5.0f, -3.0f, kNaN, kInf})
            EXPECT_TRUE(std::fabs(DriveToRate(CurrentFilters(), drive) - 15.0f) < 1e-3f && DriveToTraceValue(CurrentFilters(), drive) == 0.0f) << drive;
    }
}

// Exact rates and trace values; with saturation every rate finite and below the maximum, whatever the input.
TEST(ResponseRate, RatesAndTraceValues)
{
    ResetEngine(Simple);
    const float sum = CurrentFilters().absoluteSum;
    ASSERT_GT(sum, 0.0f);
    const struct { bool saturating; float spontaneous, normalised, rate; } rates[] = {
        {false, 0.5f, 10.0f, 10.5f}, {false, 0.5f, -40.0f, -39.5f},  // not clipped without saturation
        {true, 15.0f, 0.0f, 15.0f}, {true, 0.0f, 30.0f, 50.0f}, {true, 0.0f, -5.0f, 0.0f}, {true, 50.0f, 0.0f, 50.0f},
    };
    for (const auto& c : rates) {
        modelOptions.saturatingIO = c.saturating, modelOptions.currentSpontaneousRate = c.spontaneous;
        EXPECT_NEAR(DriveToRate(CurrentFilters(), c.normalised * sum), c.rate, 2e-3f) << c.spontaneous << " " << c.normalised;
    }
    // Normalised to the retinal gain and capped at 1.
    const std::pair<float, float> traces[] = {{0, 0}, {125, 0.5f}, {250, 1}, {1000, 1}, {-50, -0.2f}};
    for (auto [normalised, trace] : traces) EXPECT_NEAR(DriveToTraceValue(CurrentFilters(), normalised * sum), trace, 1e-5f);
    EXPECT_EQ(DriveToTraceValue(CurrentFilters(), kNaN), 0.0f);
    EXPECT_EQ(DriveToTraceValue(CurrentFilters(), kInf), 1.0f);

    modelOptions.saturatingIO = true;
    for (float spontaneous : {0.0f, 15.0f, 99.0f, 100.0f, 101.0f, 1e30f, -5.0f}) {
        modelOptions.currentSpontaneousRate = spontaneous;
        for (float x : {-1e30f, -1.0f, 0.0f, 250.0f, 1e30f, kNaN}) {
            const float rate = DriveToRate(CurrentFilters(), x * sum);
            EXPECT_TRUE(std::isfinite(rate) && rate >= 0.0f && rate < 100.0f) << spontaneous << " " << x << ": " << rate;
        }
        // At or above the maximum the cell idles just below it.
        EXPECT_TRUE(spontaneous < 100.0f || spontaneous > 101.0f || DriveToRate(CurrentFilters(), 0.0f) > 99.0f) << spontaneous;
    }
    modelOptions.saturatingIO = false, modelOptions.currentSpontaneousRate = 15.0f;
    for (float drive : {kInf, -kInf, 1e38f}) EXPECT_TRUE(std::isfinite(DriveToRate(CurrentFilters(), drive))) << drive;
    EXPECT_EQ(DriveToRate(CurrentFilters(), kNaN), 15.0f);
}

namespace {

// The plain 20-step dot product over the box that the fast ComputeDrive must agree with. The images
// these comparisons publish show no grating, so every history frame weighs 1 in the complex cell's sums.
float DirectDrive()
{
    const RfFilterSet& set = CurrentFilters();
    const int32_t n = simulation.historySlot;
    const int32_t w = std::clamp(set.boxRight - set.boxLeft, 0, kFilterSide);
    const int32_t h = std::clamp(set.boxBottom - set.boxTop, 0, kFilterSide);
    if (w <= 0 || h <= 0) return 0.0f;
    const bool complex = set.cellType == Complex;
    double a = 0.0, b = 0.0;
    for (int32_t s = 1; s <= kFilterSteps; ++s) {
        const int32_t f = (n - s + kHistoryFrames) % kHistoryFrames;  // step s reads frame n - s + 1
        const float* frame = simulation.stimulusHistory[f];
        for (int32_t r = 0; r < h; ++r)
            for (int32_t k = 0; k < w; ++k) {
                const double v = frame[r * kFilterSide + k];
                a += (complex ? EnergyAValue(set, k + 1, r + 1, s) : LinearValue(set, k + 1, r + 1, s)) * v;
                b += complex ? EnergyBValue(set, k + 1, r + 1, s) * v : 0.0;
            }
    }
    const double drive = complex ? (a * a + b * b) / 1000.0 : a;
    return static_cast<float>(drive) * modelOptions.currentMaxRate.load();
}

// Within rounding: relative for the energy, against the bound of |drive| (pixels at most 1) for a linear cell.
void ExpectFastMatchesDirect(int32_t cellType, const char* when, bool copy = true)
{
    if (copy) CopyStimulusToHistory(CurrentFilters());
    const float direct = DirectDrive();
    const float tolerance = cellType == Complex ? 1e-6f * std::fabs(direct) + 1e-6f
                                                : 5e-8f * modelOptions.currentMaxRate * CurrentFilters().absoluteSum;
    EXPECT_NEAR(ComputeDrive(CurrentFilters()), direct, tolerance) << "cell type " << cellType << ", " << when;
}

}  // namespace

TEST(ResponseDriveFast, AgreesWithTheDirectDotProductForEveryCellType)
{
    for (int32_t cellType = OnCentreX; cellType <= Complex; ++cellType) {
        ResetEngine(cellType, 777 + cellType);
        const int32_t oldBox = BoxHalf();
        for (int32_t tick = 0; tick < 22; ++tick) {
            PublishImage([](int32_t, int32_t) { return 2.0f * Lcg() - 1.0f; });
            if (tick % 7 == 3) ExpectFastMatchesDirect(cellType, "steady");
            else DriveOfTick();
        }
        // Right after a rebuild (a new box: another size and centre) the old frames are read with the new box.
        receptiveField.centreX = receptiveField.centreX + 37.0f * kDegreesPerPixel;
        receptiveField.centreY = receptiveField.centreY - 23.0f * kDegreesPerPixel;
        // The X cells' box, then the cortical cells'.
        receptiveField.surroundSigma = 0.75f, receptiveField.length = 1.1f, receptiveField.orientation = 30.0f;
        BuildFilters();
        ASSERT_NE(BoxHalf(), oldBox);
        for (int32_t tick = 0; tick < 4; ++tick) {
            PublishImage([](int32_t c, int32_t r) { return Lcg() - 0.5f + (c > r ? 0.5f : -0.25f); });
            ExpectFastMatchesDirect(cellType, tick == 0 ? "first tick after a rebuild" : "after a rebuild");
        }
        // A rebuild between the copy and the drive.
        PublishImage([](int32_t, int32_t) { return 2.0f * Lcg() - 1.0f; });
        CopyStimulusToHistory(CurrentFilters());
        receptiveField.orientation = 120.0f, BuildFilters();
        ExpectFastMatchesDirect(cellType, "rebuilt between the copy and the drive", false);
    }
}

int64_t NonZeroElements(const float* image) { return kFilterPixels - std::count(image, image + kFilterPixels, 0.0f); }

// Press over the field, tick, hear the clicks: the ON-centre cell answers a spot from the second tick on,
// fires well above its spontaneous rate while it is held and falls back 20 ticks after the release.
TEST(SceneToNeuron, PressedSpotOverOnCentreIsHeard)
{
    SpotOverField(OnCentreX);
    std::vector<float> rates;
    int32_t clicks[3] = {};  // before, while held, after
    float peakHeld = 0.0f;
    for (int32_t tick = 0; tick < 150; ++tick) {
        if (tick == 50) OnLeftButtonDown();
        if (tick == 100) OnLeftButtonUp();
        clicks[tick / 50] += RunTick(tick);
        rates.push_back(simulation.expectedRate);
        if (tick / 50 == 1) peakHeld = std::max(peakHeld, simulation.peakRate.load());
    }
    EXPECT_NEAR(rates[50], 15.0f, 1e-3f) << "spontaneous until the spot's first tick is past";
    EXPECT_GT(rates[51], 15.5f);
    EXPECT_GT(rates[52], rates[51]);
    EXPECT_NEAR(rates[149], 15.0f, 1e-3f) << "back to spontaneous 20 ticks after the release";
    EXPECT_GT(peakHeld, 20.0f);
    // About 15 clicks in each second without the spot, twice that with it.
    EXPECT_GT(clicks[1], clicks[0]);
    EXPECT_GT(clicks[1], clicks[2]);
}

// What the neuron is handed is what the frame shows, with nothing left behind by a stimulus that moved or went off.
TEST(SceneToNeuron, ImageHoldsOnlyWhatThisTickDrew)
{
    SpotOverField(Simple);
    receptiveField.displayMode = Hidden;
    stimulus.stimulusOn = true;
    SceneTick();
    const float* seen = LatestStimulusImage();
    const int32_t half = BoxHalf();
    EXPECT_EQ(seen[half * kFilterSide + half], 1.0f);
    const int64_t drawn = NonZeroElements(seen);
    EXPECT_NEAR(drawn, 3.14159265 * 19 * 19, 40.0);

    // Far beyond the spot's scan margin: nothing of the old spot may remain.
    stimulus.mouseX = 560;
    SceneTick();
    seen = LatestStimulusImage();
    EXPECT_EQ(seen[half * kFilterSide + half], 0.0f);
    EXPECT_EQ(seen[half * kFilterSide + half + 60], 1.0f);
    EXPECT_EQ(NonZeroElements(seen), drawn);
    const PresentedFrame frame = LatestFrame();
    ASSERT_EQ(frame.width, 1000);
    EXPECT_EQ(frame.pixels[500 + 1000 * 350] & 0xFFFFFF, 0x808080u);
    EXPECT_EQ(frame.pixels[560 + 1000 * 350] & 0xFFFFFF, 0xFEFEFEu);

    // Off: the cleared image is published too.
    stimulus.stimulusOn = false;
    SceneTick();
    EXPECT_EQ(NonZeroElements(LatestStimulusImage()), 0);
}

// Filters rebuilt for a field 3 degrees to the right between the scene tick and the neuron tick: read against
// the new box, the image would show the spot 114 pixels left of where it lies. That tick sees a blank frame,
// the next the spot again (at the box's edge).
TEST(SceneToNeuron, AnImageIsReadOnlyAgainstTheBoxItWasDrawnFor)
{
    SpotOverField(OnCentreX);
    stimulus.stimulusOn = true;
    for (int32_t shift : {0, 3, 0}) {
        SceneTick();
        receptiveField.centreX = receptiveField.centreX + static_cast<float>(shift);
        if (shift != 0) BuildFilters();
        const float* seen = simulation.stimulusHistory[simulation.historySlot - 1];
        NeuronTickCompute();
        EXPECT_EQ(NonZeroElements(seen) > 300, shift == 0) << "shifted by " << shift;
    }
}
