
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

TEST(NeuronTickFinish, UnevenDeviceStepsCoverTheStreamOnce)
{
    // A device plays in blocks: its position moves 512 samples one tick and
    // 1024 the next, now and then not at all, or a long way after a stall.
    ResetEngine(Simple, 5);
    modelOptions.currentGammaOrder = 1;
    simulation.expectedRate = 200.0f;
    const int64_t steps[] = {512, 1024, 512, 1024, 0, 1764, 882, 882};
    std::vector<int64_t> heard;
    int64_t position = 0;
    for (int32_t tick = 0; tick < 20000; ++tick) {
        position += steps[tick % 8];
        clicks.clear();
        const int32_t spikes = NeuronTickFinish(position, KeepClick);
        EXPECT_EQ(spikes, static_cast<int32_t>(clicks.size()));
        for (int32_t k : clicks) {
            EXPECT_GE(k, position + kAudioMinimumLead);
            EXPECT_LT(k, position + kAudioLead + kAudioSlice);
            if (!heard.empty()) {
                EXPECT_GE(k - heard.back(), kClickLength);
            }
            heard.push_back(k);
        }
    }
    // Clicks per second of stream, as the student hears them.
    const double seconds = static_cast<double>(heard.back() - heard.front()) / kAudioRate;
    EXPECT_NEAR(static_cast<double>(heard.size()) / seconds, 200.0, 6.0);
}
