
#include <limits>

#include "tests/core/test_support.h"

using namespace ts;

namespace {

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

}  // namespace

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
