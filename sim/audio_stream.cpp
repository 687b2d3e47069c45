#include "sim/audio_stream.h"

#include <algorithm>
#include <atomic>

#include "model/model_options.h"
#include "model/numeric.h"
#include "model/random.h"
#include "sim/clock.h"
#include "sim/neuron_tick.h"
#include "sim/simulation_state.h"

std::atomic<int16_t> audioSamples[kAudioRingSamples];

namespace {


// Every stream sample below this was cleared before its slice was written
// (audio thread only). The ring still holds what was written there one
// ring length ago, so each tick clears up to the end of its slice first.
int64_t clearedUpTo = 0;

// Clears [clearedUpTo, end), at most one ring length of it. A click of the
// last slice may reach past that slice's end, so the clear starts where
// the last one stopped, never at the new slice's start.
void ClearAhead(int64_t end)
{
    for (int64_t i = std::max(clearedUpTo, end - kAudioRingSamples); i < end; ++i)
        StreamSample(i).store(0, std::memory_order_relaxed);
    clearedUpTo = std::max(clearedUpTo, end);
}

}  // namespace

void WriteClick(int64_t position)
{
    if (position < 0) return;
    for (int32_t i = 0; i < kClickSamples; ++i)
        StreamSample(position + i).store(i < kClickSamples / 2 ? kClickLevel : -kClickLevel, std::memory_order_relaxed);
}

void LayBackgroundHash(int64_t first, int64_t limit)
{
    // One ring length at most: more would only overwrite itself.
    for (int64_t i = std::max<int64_t>({first, limit - kAudioRingSamples, 0}); i < limit; ++i) {
        const float u = Lcg();
        int32_t value = TruncInt((u - 0.5f) * 1000.0f);
        // Now and then a burst: the low hiss of the amplifier with crackle on top.
        if (u > 0.95f) value = TruncInt(static_cast<float>(value) + Lcg() * 5000.0f);
        StreamSample(i).store(static_cast<int16_t>(value), std::memory_order_relaxed);  // -500..5498 always fits
    }
}

int32_t FinishAudioTick(int64_t playPosition)
{
    const int64_t lastEnd = simulation.sliceEnd;
    const StreamSlice slice = PlanNextSlice(playPosition);
    // A slice that starts afresh behind what was cleared (a play position
    // that went back) clears again from its start.
    if (slice.first != lastEnd) clearedUpTo = std::min(clearedUpTo, slice.first);
    ClearAhead(slice.limit + kClickSamples);
    // The hash goes first so the clicks cover it.
    if (modelOptions.backgroundHash) LayBackgroundHash(slice.heardFrom, slice.limit);
    return NeuronTickFinish(slice, WriteClick);
}

void ClearAudioSamples()
{
    for (auto& sample : audioSamples) sample.store(0, std::memory_order_relaxed);
    clearedUpTo = 0;
}
