#include "sim/audio_stream.h"

#include <algorithm>
#include <atomic>

#include "model/model_options.h"
#include "model/numeric.h"
#include "model/random.h"
#include "sim/clock.h"
#include "sim/neuron_tick.h"

std::atomic<int16_t> audioSamples[kAudioSamples];

namespace {

constexpr int16_t kClickHigh = 20000;
constexpr int32_t kClickHalf = 6;  // samples at each level

// Which blocks of the stream were written since the last clear. A clear
// zeroes only those: a full pass over the 88 MB would touch every page of a
// stream that is mostly never written (seconds under load at start-up, and
// memory for nothing).
constexpr int64_t kBlockSamples = 65536;
constexpr int64_t kBlocks = (kAudioSamples + kBlockSamples - 1) / kBlockSamples;
std::atomic<bool> blockWritten[kBlocks];

// [first, end) must lie in the stream and span at most two blocks.
inline void MarkWritten(int64_t first, int64_t end)
{
    blockWritten[first / kBlockSamples].store(true, std::memory_order_relaxed);
    blockWritten[(end - 1) / kBlockSamples].store(true, std::memory_order_relaxed);
}

inline void Put(int64_t index, int16_t value)
{
    if (index >= 0 && index < kAudioSamples) audioSamples[index].store(value, std::memory_order_relaxed);
}

}  // namespace

void WriteClick(int32_t index)
{
    if (index < 0) return;
    // 64-bit so a click near INT32_MAX cannot wrap back into the stream.
    const int64_t first = index;
    if (first < kAudioSamples) MarkWritten(first, std::min<int64_t>(first + 2 * kClickHalf, kAudioSamples));
    for (int32_t i = 0; i < kClickHalf; ++i) Put(first + i, kClickHigh);
    for (int32_t i = kClickHalf; i < 2 * kClickHalf; ++i) Put(first + i, -kClickHigh);
}

void LayBackgroundHash(int64_t playPosition)
{
    // A position outside the stream would put the whole slice outside it too;
    // checking here also keeps the index arithmetic far from overflow.
    if (playPosition < 0 || playPosition >= kAudioSamples) return;
    const int64_t base = playPosition + kAudioLead - 2;  // sample of i = 1 is P + 4999
    if (base + 1 < kAudioSamples) MarkWritten(base + 1, std::min<int64_t>(base + 1 + kAudioSlice, kAudioSamples));
    for (int32_t i = 1; i <= kAudioSlice; ++i) {
        const float u = Lcg();
        int32_t value = TruncInt((u - 0.5f) * 1000.0f);
        // Now and then a burst: the low hiss of the amplifier with crackle on top.
        if (u > 0.95f) value = TruncInt(static_cast<float>(value) + Lcg() * 5000.0f);
        Put(base + i, static_cast<int16_t>(value));  // -500..5498 always fits
    }
}

int32_t FinishAudioTick(int64_t playPosition)
{
    // The hash goes first so the clicks cover it.
    if (modelOptions.backgroundHash) LayBackgroundHash(playPosition);
    return NeuronTickFinish(playPosition, WriteClick);
}

void ClearAudioSamples()
{
    for (int64_t block = 0; block < kBlocks; ++block) {
        if (!blockWritten[block].load(std::memory_order_relaxed)) continue;
        const int64_t end = std::min<int64_t>((block + 1) * kBlockSamples, kAudioSamples);
        for (int64_t i = block * kBlockSamples; i < end; ++i) audioSamples[i].store(0, std::memory_order_relaxed);
        blockWritten[block].store(false, std::memory_order_relaxed);
    }
}

// A stand-in device that plays nothing: its position runs with the clock from
// the moment it was opened, so the loop paces and places clicks as with sound.
namespace {
std::atomic<int64_t> clockOpenedMs{0}, clockOpenedAt{0};

bool ClockOpen(int64_t fromSample)
{
    clockOpenedAt.store(fromSample, std::memory_order_relaxed);
    clockOpenedMs.store(MillisecondClock(), std::memory_order_relaxed);
    return true;
}
void ClockClose() {}
int64_t ClockPosition()
{
    const int64_t elapsed = MillisecondClock() - clockOpenedMs.load(std::memory_order_relaxed);
    return clockOpenedAt.load(std::memory_order_relaxed) + elapsed * kAudioRate / 1000;
}
bool ClockLost() { return false; }
void ClockReport(const char*) {}
}  // namespace

WaveOutput ClockWaveOutput()
{
    return WaveOutput{ClockOpen, ClockClose, ClockPosition, ClockLost, ClockReport};
}
