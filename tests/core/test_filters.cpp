// The built filters: the box of each shape, OFF as the exact negative of ON, typed extremes, and readers on
// other threads while the filters are rebuilt.
#include <array>
#include <atomic>
#include <limits>
#include <thread>

#include "tests/core/test_support.h"

// Default records on a 1000 x 700 client area and empty filter sets.
class FilterTest : public testing::Test {
protected:
    void SetUp() override { ResetEngineRecords(ts::kWidth, ts::kHeight); }
    void TearDown() override { ResetFilters(); }
    static const RfFilterSet& Build(int32_t cellType) { return receptiveField.cellType = cellType, BuildFilters(), CurrentFilters(); }
};

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity(), kNaN = std::numeric_limits<float>::quiet_NaN();

TEST_F(FilterTest, BoxOfEachShape)
{
    const struct { int32_t cellType; float centreSigma, surroundSigma, width, length; int32_t halfSize, builtSide; } cases[] = {
        {Simple, 0.2f, 1.0f, 0.5f, 0.7f, 82, 165},     {OnCentreX, 0.2f, 1.0f, 0.5f, 0.7f, 118, 237},
        {OnCentreX, 0.2f, 10.0f, 0.5f, 0.7f, 249, 499},
        {OffCentreX, 0.2f, 80.5f / 38.0f, 0.5f, 0.7f, 249, 499},  // a surround of 80 pixels
        {Simple, 0.2f, 1.0f, 0.5f, 2.115f, 250, 500},  {Complex, 0.2f, 1.0f, 2.115f, 1.0f, 250, 500},  // the width wins
        {DirectionalSimple, 0.2f, 1.0f, 0.5f, 2.13f, 249, 499},
    };
    for (const auto& c : cases) {
        receptiveField.centreSigma = c.centreSigma, receptiveField.surroundSigma = c.surroundSigma;
        receptiveField.width = c.width, receptiveField.length = c.length;
        const RfFilterSet& set = Build(c.cellType);
        const std::array<int32_t, 6> got = {set.boxLeft, set.boxRight, set.boxTop, set.boxBottom, set.builtColumns, set.builtRows};
        const std::array<int32_t, 6> want = {500 - c.halfSize, 500 + c.halfSize, 350 - c.halfSize, 350 + c.halfSize,
                                             c.builtSide, c.builtSide};
        EXPECT_EQ(got, want) << "cell type " << c.cellType << ", half size " << c.halfSize;
    }
}

TEST_F(FilterTest, OffCentreIsExactNegativeOfOnCentre)
{
    for (float weight : {1.0f, 0.02f, 4.0f}) {
        modelOptions.surroundWeight = weight;
        const RfFilterSet& on = Build(OnCentreX);
        const RfFilterSet& off = Build(OffCentreX);  // writes the other set
        ASSERT_NE(&on, &off);
        ASSERT_EQ(on.builtColumns, off.builtColumns);
        for (int32_t t = 1; t <= kFilterSteps; ++t)
            for (int32_t j = 1; j <= on.builtRows; ++j)
                for (int32_t i = 1; i <= on.builtColumns; ++i)
                    ASSERT_EQ(LinearValue(off, i, j, t), -LinearValue(on, i, j, t)) << i << "," << j << "," << t;
        EXPECT_EQ(on.absoluteSum, off.absoluteSum);
        ResetFilters();
    }
}

// Typed extremes and sub-pixel sizes: the build stays finite and in range.
TEST_F(FilterTest, ExtremeValuesGiveFiniteFiltersAndBoundedBoxes)
{
    using RF = ReceptiveField;
    const std::pair<Relaxed<float> RF::*, float> cases[] = {
        {&RF::centreX, 1e30f}, {&RF::centreX, -1e30f}, {&RF::centreY, kInf}, {&RF::centreY, kNaN},
        {&RF::width, 1e30f}, {&RF::width, 0.0f}, {&RF::width, -3.0f}, {&RF::length, kInf}, {&RF::length, 0.0f},
        {&RF::spatialFrequency, 1e-30f}, {&RF::spatialFrequency, 1e30f}, {&RF::spatialFrequency, kNaN},
        {&RF::orientation, 1e30f}, {&RF::phase, -1e30f}, {&RF::driftSpeed, 1e30f}, {&RF::centreSigma, 1e30f},
        {&RF::centreSigma, 1e-30f}, {&RF::surroundSigma, 1e30f}, {&RF::surroundSigma, 0.0f}, {&RF::surroundSigma, -1e30f},
    };
    auto finite = [](const float* v, int32_t n) { return std::all_of(v, v + n, [](float x) { return std::isfinite(x); }); };
    for (size_t n = 0; n < std::size(cases) + 3; ++n) {
        for (int32_t type : {OnCentreX, OffCentreX, Simple, DirectionalSimple, Complex}) {
            ResetReceptiveField(1000, 700);
            if (n < std::size(cases)) receptiveField.*cases[n].first = cases[n].second;
            else modelOptions.surroundWeight = std::array{1e30f, kInf, kNaN}[n - std::size(cases)];  // from More options
            const RfFilterSet& set = Build(type);
            SCOPED_TRACE(testing::Message() << "case " << n << ", cell type " << type);
            const int32_t half = (set.boxRight - set.boxLeft) / 2;
            ASSERT_TRUE(std::isfinite(set.absoluteSum) && set.absoluteSum >= 0.0f && std::isfinite(set.displayPeak));
            ASSERT_TRUE(set.builtColumns >= 0 && set.builtColumns <= kFilterSide && set.builtRows <= kFilterSide);
            ASSERT_TRUE(half >= 0 && half <= 250 && set.boxBottom - set.boxTop == set.boxRight - set.boxLeft);
            for (int32_t k = 0; k < kMaxTerms; ++k)
                ASSERT_TRUE(finite(set.spatial[k], kFilterPixels) && finite(set.linearTemporal[k], kFilterSteps) &&
                            finite(set.energyATemporal[k], kFilterSteps) && finite(set.energyBTemporal[k], kFilterSteps));
        }
    }
}

// Values that tell an ON-centre set from an OFF-centre one with another box, and would show any mixture.
std::array<float, 6> Fingerprint(const RfFilterSet& set)
{
    const int32_t c = (set.builtColumns + 1) / 2;
    return {float(set.builtColumns), set.absoluteSum, LinearValue(set, c, c, 3), LinearValue(set, c + 20, c, 8),
            LinearValue(set, 1, 1, 12), LinearValue(set, c - 40, c + 30, 20)};
}

void BuildCell(bool on)
{
    receptiveField.cellType = on ? OnCentreX : OffCentreX, receptiveField.surroundSigma = on ? 1.0f : 1.6f;
    BuildFilters();
}

// Scene and neuron threads read while the user-interface thread rebuilds: only complete sets, in order.
TEST_F(FilterTest, ThreadedReadersSeeOnlyCompleteSets)
{
    BuildCell(true);
    const auto on = Fingerprint(CurrentFilters());
    BuildCell(false);
    const auto off = Fingerprint(CurrentFilters());
    ASSERT_NE(on, off);
    std::atomic<bool> stop{false};
    std::atomic<int32_t> reads{0}, bad{0};
    auto reader = [&](FilterReader slot) {
        uint32_t lastGeneration = 0;
        while (!stop.load()) {
            const RfFilterSet& set = AcquireFilters(slot);
            const bool ok = Fingerprint(set) == (set.cellType == OnCentreX ? on : off) && set.generation >= lastGeneration;
            lastGeneration = set.generation;
            ReleaseFilters(slot);
            bad.fetch_add(!ok);
            reads.fetch_add(1);
        }
    };
    std::thread scene(reader, SceneReader), neuron(reader, NeuronReader);
    for (int32_t n = 0; n < 150; ++n) BuildCell(n % 2 == 0);
    while (reads.load() < 200) std::this_thread::yield();
    stop.store(true), scene.join(), neuron.join();
    EXPECT_EQ(bad.load(), 0);
}

}  // namespace
