// What the student hears: the long-run click rate against the expected rate, the regularity the gamma order
// gives, the dead time of one click, how fast the clicks follow a change of rate, and any position.
#include <limits>
#include <numeric>

#include "tests/core/test_support.h"

using namespace ts;

namespace {

constexpr int32_t kSlice = 882;
constexpr double kTick = 0.020;

std::vector<int64_t> clicks;  // sample indices of the current slice
void KeepClick(int64_t index) { clicks.push_back(index); }

void StartGenerator(int32_t order)
{
    ResetSimulation(), randomWord.word.store(kSeed, std::memory_order_relaxed), modelOptions.currentGammaOrder = order;
}

// One tick at the given rate, slices laid end to end as the stream plays them; spike times appended in samples.
int32_t Tick(float rate, int64_t tick, std::vector<int64_t>& times)
{
    const int32_t first = 5000 + static_cast<int32_t>(tick % 1000) * kSlice;
    clicks.clear();
    const int32_t spikes = GenerateSpikes(rate, first, first + kSlice, KeepClick);
    EXPECT_EQ(spikes, static_cast<int32_t>(clicks.size()));
    for (int64_t k : clicks) times.push_back(tick * kSlice + (k - first));
    return spikes;
}

int64_t ShortestInterval(std::vector<int64_t> times)
{
    std::adjacent_difference(times.begin(), times.end(), times.begin());
    return times.size() < 2 ? INT64_MAX : *std::min_element(times.begin() + 1, times.end());
}

// Coefficient of variation of the intervals between spikes.
double IntervalCv(const std::vector<int64_t>& times)
{
    double sum = 0.0, sum2 = 0.0;
    for (size_t i = 1; i < times.size(); ++i) {
        const double d = static_cast<double>(times[i] - times[i - 1]);
        sum += d, sum2 += d * d;
    }
    const double n = static_cast<double>(times.size() - 1), mean = sum / n;
    return std::sqrt(sum2 / n - mean * mean) / mean;
}

}  // namespace

TEST(SpikeRate, HeardRateRegularityDeadTimeAndSteps)
{
    // Steady rates: enough ticks for 20,000 spikes and at least 50,000, so the 3 % bound is several errors wide.
    for (int32_t order : {1, 3, 6, 10}) {
        for (float rate : {2.0f, 15.0f, 50.0f, 100.0f, 200.0f}) {
            SCOPED_TRACE(testing::Message() << "order " << order << ", " << rate << " Hz");
            StartGenerator(order);
            const int64_t ticks = std::max<int64_t>(50000, static_cast<int64_t>(20000 / (rate * kTick)));
            std::vector<int64_t> times;
            for (int64_t t = 0; t < ticks; ++t) Tick(rate, t, times);
            const double heard = static_cast<double>(times.size()) / (static_cast<double>(ticks) * kTick);
            EXPECT_NEAR(heard / rate, 1.0, 0.03);
            EXPECT_GE(ShortestInterval(times), kClickLength);
            if (rate == 15.0f) { EXPECT_NEAR(IntervalCv(times) * std::sqrt(order), 1.0, 0.10) << "regularity"; }
        }
    }

    // An order below 1 (the options' spin box can hand on 0) acts as 1.
    for (int32_t order : {0, -3}) {
        std::vector<int64_t> clamped, poisson;
        StartGenerator(order);
        for (int64_t t = 0; t < 5000; ++t) Tick(15.0f, t, clamped);
        StartGenerator(1);
        for (int64_t t = 0; t < 5000; ++t) Tick(15.0f, t, poisson);
        EXPECT_EQ(clamped, poisson) << order;
    }

    // A rate that steps 0 -> 100 Hz (1 s) -> 0: no click outside the step, and the right rate from its first tick on.
    for (int32_t order : {1, 6}) {
        SCOPED_TRACE(testing::Message() << "step, order " << order);
        StartGenerator(order);
        constexpr int32_t kCycles = 200, kOn = 50;  // each cycle: 25 ticks off, 50 on, 25 off
        std::vector<int64_t> times;
        int64_t outside = 0, during = 0, firstTicks = 0;
        for (int64_t tick = 0; tick < kCycles * 100; ++tick) {
            const int32_t t = tick % 100 - 25;
            const int32_t spikes = Tick(t >= 0 && t < kOn ? 100.0f : 0.0f, tick, times);
            (t >= 0 && t < kOn ? during : outside) += spikes;
            firstTicks += t == 0 ? spikes : 0;
        }
        EXPECT_EQ(outside, 0);
        EXPECT_NEAR(during / (kCycles * kOn * kTick * 100.0), 1.0, 0.03);
        EXPECT_NEAR(firstTicks / (kCycles * kTick * 100.0), 1.0, 0.25);  // 2 spikes a tick
        EXPECT_GE(ShortestInterval(times), kClickLength);
    }

    // Rates no neuron reaches, and ones that are not rates: bounded work, clicks 12 samples apart or none.
    const float inf = std::numeric_limits<float>::infinity();
    const int32_t most = kSlice / kClickLength + 1;
    const struct { float rate; int32_t lowest, highest; } extremes[] = {
        {1e6f, 60, most}, {inf, 60, most}, {std::numeric_limits<float>::max(), 60, most},
        {1e-40f, 0, 0}, {std::numeric_limits<float>::quiet_NaN(), 0, 0}, {-inf, 0, 0},
    };
    for (const auto& e : extremes) {
        SCOPED_TRACE(e.rate);
        StartGenerator(10);
        std::vector<int64_t> times;
        for (int64_t t = 0; t < 200; ++t) {
            const int32_t spikes = Tick(e.rate, t, times);
            ASSERT_TRUE(spikes >= e.lowest && spikes <= e.highest) << spikes;
        }
        EXPECT_GE(ShortestInterval(times), kClickLength);
    }
}

// Whatever position a device reports, even at the end of the range, the tick's clicks land in the stream.
TEST(SpikeRate, AnyPlayPositionKeepsTheClicksInTheStream)
{
    ResetEngine(Simple, 5);
    modelOptions.currentGammaOrder = 1, simulation.expectedRate = 1e6f;
    for (int64_t position : {std::numeric_limits<int64_t>::max(), int64_t{-1000000}, int64_t{1} << 62}) {
        clicks.clear();
        NeuronTickFinish(PlanNextSlice(position), KeepClick);
        for (int64_t k : clicks) EXPECT_GE(k, 0);
    }
}
