#include "mapping/spike_triggered_average.h"

#include <cstring>

namespace {

int32_t SlotBack(const SpikeTriggeredAverage& m, int32_t lag)
{
    const int32_t slot = m.newest - lag;
    return slot < 0 ? slot + kMapLags : slot;
}

template <typename Value>
std::vector<double> MapOf(const SpikeTriggeredAverage& m, int32_t lag, Value value)
{
    if (CheckNoiseSettings(m.settings) != NoiseFine) return {};
    std::vector<double> out(static_cast<size_t>(NoiseSquares(m.settings)), 0.0);
    if (lag < 0 || lag >= kMapLags) return out;
    for (size_t q = 0; q < out.size(); ++q) out[q] = value(q);
    return out;
}

double Ratio(int64_t a, int64_t b) { return b > 0 ? static_cast<double>(a) / static_cast<double>(b) : 0.0; }

}  // namespace

void ResetMap(SpikeTriggeredAverage& m, const NoiseSettings& settings)
{
    m.settings = settings;
    m.spikes = m.ticks = 0;
    m.newest = 0;
    for (int64_t& f : m.ringFrame) f = -1;
    std::memset(m.ringValues, 0, sizeof m.ringValues);
    std::memset(m.lagSpikes, 0, sizeof m.lagSpikes);
    std::memset(m.sum, 0, sizeof m.sum);
    std::memset(m.onSpikes, 0, sizeof m.onSpikes);
    std::memset(m.offSpikes, 0, sizeof m.offSpikes);
    std::memset(m.onTicks, 0, sizeof m.onTicks);
    std::memset(m.offTicks, 0, sizeof m.offTicks);
}

void FeedMap(SpikeTriggeredAverage& m, int32_t spikes, int64_t frame)
{
    const int32_t squares = NoiseSquares(m.settings);
    if (CheckNoiseSettings(m.settings) != NoiseFine) return;
    const int32_t previous = m.newest;
    m.newest = m.newest + 1 == kMapLags ? 0 : m.newest + 1;
    int8_t* values = m.ringValues[m.newest];
    // A frame lasts several ticks: made once, then copied along the ring.
    if (frame >= 0 && frame == m.ringFrame[previous]) std::memcpy(values, m.ringValues[previous], kMaxNoiseSquares);
    else if (frame >= 0 && !NoiseFrame(m.settings, frame, values)) frame = -1;
    m.ringFrame[m.newest] = frame;
    m.ticks += 1;
    if (spikes > 0) m.spikes += spikes;
    const int64_t n = spikes > 0 ? spikes : 0;
    // This tick is `lag` ticks after the frame in slot newest - lag.
    for (int32_t lag = 0; lag < kMapLags; ++lag) {
        const int32_t slot = SlotBack(m, lag);
        if (m.ringFrame[slot] < 0) continue;
        const int8_t* v = m.ringValues[slot];
        int64_t* onTicks = m.onTicks[lag];
        int64_t* offTicks = m.offTicks[lag];
        for (int32_t q = 0; q < squares; ++q) onTicks[q] += v[q] > 0, offTicks[q] += v[q] < 0;
        if (n == 0) continue;
        m.lagSpikes[lag] += n;
        int64_t* sum = m.sum[lag];
        int64_t* on = m.onSpikes[lag];
        int64_t* off = m.offSpikes[lag];
        for (int32_t q = 0; q < squares; ++q) {
            sum[q] += n * v[q];
            on[q] += v[q] > 0 ? n : 0;
            off[q] += v[q] < 0 ? n : 0;
        }
    }
}

std::vector<double> StaMap(const SpikeTriggeredAverage& m, int32_t lag)
{
    return MapOf(m, lag, [&](size_t q) { return Ratio(m.sum[lag][q], m.lagSpikes[lag]); });
}

std::vector<double> OnMap(const SpikeTriggeredAverage& m, int32_t lag)
{
    return MapOf(m, lag, [&](size_t q) { return Ratio(m.onSpikes[lag][q], m.onTicks[lag][q]); });
}

std::vector<double> OffMap(const SpikeTriggeredAverage& m, int32_t lag)
{
    return MapOf(m, lag, [&](size_t q) { return Ratio(m.offSpikes[lag][q], m.offTicks[lag][q]); });
}
