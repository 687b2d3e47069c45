#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "tests/core/test_support.h"

using namespace ts;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr int32_t kSlice = 882;

std::vector<int32_t> clicks;
void KeepClick(int32_t index) { clicks.push_back(index); }

// Spike times in samples over consecutive slices, each slice walked as the
// neuron tick walks it. The slice start cycles so that float positions stay
// small, as they are for most of a 1000 s stream.
std::vector<int64_t> SpikeTimes(float rate, int32_t order, int32_t slices)
{
    modelOptions.currentGammaOrder = order;
    std::vector<int64_t> times;
    for (int32_t i = 0; i < slices; ++i) {
        const int32_t first = 5000 + (i % 1000) * kSlice;
        clicks.clear();
        GenerateSpikes(rate, first, first + kSlice, KeepClick);
        for (int32_t k : clicks) times.push_back(static_cast<int64_t>(i) * kSlice + (k - first));
    }
    return times;
}

struct IntervalStats { double rate, cv; };
IntervalStats Measure(const std::vector<int64_t>& times, int32_t slices)
{
    double sum = 0.0, sum2 = 0.0;
    const size_t n = times.size() - 1;
    for (size_t i = 1; i < times.size(); ++i) {
        const double d = static_cast<double>(times[i] - times[i - 1]);
        sum += d;
        sum2 += d * d;
    }
    const double mean = sum / n;
    const double sd = std::sqrt(sum2 / n - mean * mean);
    return {times.size() / (slices * 0.02), sd / mean};
}

// A slice holds 11 trials (positions 0, 88.1, ..., 881). A spike skips the
// next trial, and the skip does not carry into the next slice. For order 1
// slices are independent: the chance that trial j is made follows
// q(j) = 1 - p q(j - 1).
double PoissonRatePredicted(float rate)
{
    const double p = rate / 487.8;
    double q = 1.0, spikes = 0.0;
    for (int32_t j = 0; j < 11; ++j) {
        spikes += p * q;
        q = 1.0 - p * q;
    }
    return spikes / 0.02;
}

}  // namespace

TEST(SpikeTrain, LongRunStatistics)
{
    constexpr int32_t kSlices = 100000;
    struct Case { float rate; int32_t order; double cvLow, cvHigh; };
    const Case cases[] = {
        {15.0f, 1, 0.9, 1.02},                        // nearly Poisson
        {15.0f, 6, 0.28, 1.0 / std::sqrt(6.0) + 0.03},  // much more regular
    };
    const double poisson = PoissonRatePredicted(15.0f);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.order);
        ResetEngine(OnCentreX, 4242);
        const std::vector<int64_t> times = SpikeTimes(c.rate, c.order, kSlices);
        ASSERT_GT(times.size(), 1000u);
        const IntervalStats stats = Measure(times, kSlices);
        EXPECT_NEAR(stats.rate, poisson, 0.05 * poisson);
        EXPECT_GT(stats.cv, c.cvLow);
        EXPECT_LT(stats.cv, c.cvHigh);
        for (size_t i = 1; i < times.size(); ++i) {
            if (times[i] / kSlice == times[i - 1] / kSlice) {
                ASSERT_GE(times[i] - times[i - 1], 176) << "dead time within a slice";
            }
        }
    }
}

TEST(SpikeTrain, SaturatedOrderSixFiresEverySevenTrials)
{
    ResetEngine(OnCentreX);
    modelOptions.currentGammaOrder = 6;
    clicks.clear();
    const int32_t spikes = GenerateSpikes(100.0f, 0, 88 * 70, KeepClick);
    ASSERT_EQ(spikes, static_cast<int32_t>(clicks.size()));
    ASSERT_EQ(spikes, 10);
    EXPECT_EQ(clicks[0], 440);  // the sixth trial, 5 x 88.1
    for (size_t i = 1; i < clicks.size(); ++i) {
        const int32_t gap = clicks[i] - clicks[i - 1];
        EXPECT_TRUE(gap == 616 || gap == 617) << gap;  // 7 x 88.1
    }
}

TEST(SpikeTrain, LoweringTheOrderBelowTheCountStartsAfresh)
{
    struct Case { int32_t counted, from, to, after; };
    const Case cases[] = {{4, 6, 2, 0}, {4, 6, 3, 0}, {4, 6, 4, 4}, {4, 6, 8, 4}, {0, 6, 1, 0}};
    for (const Case& c : cases) {
        ResetEngine(OnCentreX);
        modelOptions.currentGammaOrder = c.from;
        simulation.gammaEventCount = c.counted;
        modelOptions.currentGammaOrder = c.to;
        EXPECT_EQ(GenerateSpikes(0.0f, 5000, 5000 + kSlice, nullptr), 0);
        EXPECT_EQ(simulation.gammaEventCount, c.after) << c.from << " -> " << c.to;
    }
}

TEST(SpikeTrain, NoEventsWithoutAPositiveRate)
{
    ResetEngine(OnCentreX);
    modelOptions.currentGammaOrder = 6;
    for (float rate : {0.0f, -5.0f, -std::numeric_limits<float>::infinity(), kNaN}) {
        simulation.gammaEventCount = 3;
        int32_t spikes = 0;
        for (int32_t i = 0; i < 1000; ++i) spikes += GenerateSpikes(rate, 5000, 5000 + kSlice, KeepClick);
        EXPECT_EQ(spikes, 0) << rate;
        EXPECT_EQ(simulation.gammaEventCount, 3) << rate;
    }
}

TEST(SpikeTrain, OrderBelowOneActsAsOne)
{
    for (int32_t order : {0, -3}) {
        ResetEngine(OnCentreX, 31);
        const std::vector<int64_t> clamped = SpikeTimes(15.0f, order, 5000);
        ResetEngine(OnCentreX, 31);
        const std::vector<int64_t> poisson = SpikeTimes(15.0f, 1, 5000);
        EXPECT_EQ(clamped, poisson) << order;
    }
}

TEST(SpikeTrain, SliceAtTheTopOfTheIndexRangeEnds)
{
    ResetEngine(OnCentreX);
    modelOptions.currentGammaOrder = 1;
    const int32_t top = std::numeric_limits<int32_t>::max();
    clicks.clear();
    GenerateSpikes(1e6f, top - kSlice, top, KeepClick);
    for (int32_t k : clicks) EXPECT_GE(k, top - kSlice - 256);
    // The neuron tick keeps its slice in range for any play position.
    for (int64_t position : {std::numeric_limits<int64_t>::max(), int64_t{-1000000}, int64_t{44095000}}) {
        simulation.expectedRate = 1e6f;
        clicks.clear();
        NeuronTickFinish(position, KeepClick);
        for (int32_t k : clicks) EXPECT_GE(k, 0);
    }
}

TEST(NeuronTickFinish, WritesClicksIntoTheSliceAheadOfThePlayPosition)
{
    ResetEngine(Simple, 5);
    modelOptions.currentGammaOrder = 1;
    simulation.expectedRate = 200.0f;
    int32_t total = 0;
    for (int64_t position = 0; position < 882 * 200; position += 882) {
        clicks.clear();
        const int32_t spikes = NeuronTickFinish(position, KeepClick);
        EXPECT_EQ(spikes, static_cast<int32_t>(clicks.size()));
        for (int32_t k : clicks) {
            EXPECT_GE(k, position + 5000);
            EXPECT_LT(k, position + 5882);
        }
        total += spikes;
    }
    EXPECT_GT(total, 200 * 2);
}
