#include "sim/spike_log.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

namespace {

struct SpikeLog {
    // Slot i % kSpikeLogSlots holds event i: its fields first, then the
    // count that makes it visible, stored with release.
    Relaxed<int64_t> samples[kSpikeLogSlots];
    Relaxed<int32_t> kinds[kSpikeLogSlots];
    Relaxed<int64_t> values[kSpikeLogSlots];  // a presentation, or a noise frame
    Relaxed<int32_t> presentation{0};  // written by the user-interface thread
    Relaxed<int32_t> frameRequests{0};  // written by the user-interface thread
    std::atomic<int64_t> written{0};
    // Events the writer has begun: one more than written while it writes.
    std::atomic<int64_t> begun{0};
    Relaxed<int64_t> sliceStart{0};
    Relaxed<int64_t> sliceLimit{0};
    // Neuron tick only.
    int64_t origin = 0;        // time-line sample of stream sample 0
    int64_t lastLimit = -1;    // stream sample after the last slice
    bool present = false;
    int32_t lastPresentation = 0;
    int64_t lastFrame = -1;
    int32_t framesAnswered = 0;
};
SpikeLog spikeLog;

void Append(int64_t sample, int32_t kind, int64_t value = 0)
{
    SpikeLog& log = spikeLog;
    const int64_t n = log.written.load(std::memory_order_relaxed);
    const int32_t slot = static_cast<int32_t>(n % kSpikeLogSlots);
    // A reader that sees any field of this event has seen it begun (its
    // fence pairs with this one), so it knows event n - kSpikeLogSlots is going.
    log.begun.store(n + 1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    log.samples[slot] = sample;
    log.kinds[slot] = kind;
    log.values[slot] = value;
    log.written.store(n + 1, std::memory_order_release);
}

}  // namespace

void LogSlice(int64_t first, int64_t limit, bool stimulusPresent)
{
    SpikeLog& log = spikeLog;
    // A stream started again from its beginning: the time line goes on.
    if (log.lastLimit >= 0 && first < log.lastLimit) log.origin += log.lastLimit - first;
    log.lastLimit = limit;
    const int64_t start = log.origin + first;
    log.sliceLimit = log.origin + limit;
    // Every event of the slices before is published before the new start:
    // a reader that sees the start and then fences acquire has them all.
    std::atomic_thread_fence(std::memory_order_release);
    log.sliceStart = start;
    const int32_t presentation = log.presentation;
    const bool next = stimulusPresent && log.present && presentation != log.lastPresentation;
    if (log.present && (!stimulusPresent || next)) Append(start, LogStimulusOff, log.lastPresentation);
    if (stimulusPresent && (!log.present || next)) Append(start, LogStimulusOn, presentation);
    log.present = stimulusPresent;
    log.lastPresentation = presentation;
}

int32_t NewStimulusPresentation()
{
    const int32_t next = spikeLog.presentation.load() == INT32_MAX ? 1 : spikeLog.presentation.load() + 1;
    spikeLog.presentation = next;
    return next;
}

void LogNoiseFrameShown(int64_t frame)
{
    SpikeLog& log = spikeLog;
    const int32_t requests = log.frameRequests;
    if (frame >= 0 && (frame != log.lastFrame || requests != log.framesAnswered))
        Append(log.sliceStart, LogNoiseFrame, frame);
    log.lastFrame = frame;
    log.framesAnswered = requests;
}

void LogNoiseFrameAgain()
{
    // Wraps past INT32_MAX without signed overflow; only a change is read.
    spikeLog.frameRequests = static_cast<int32_t>(static_cast<uint32_t>(spikeLog.frameRequests.load()) + 1u);
}

void LogSpike(int64_t index)
{
    Append(spikeLog.origin + index, LogSpikeEvent);
}

int64_t LoggedSliceStart() { return spikeLog.sliceStart; }

int64_t LoggedSliceLimit() { return spikeLog.sliceLimit; }

SpikeLogReader SpikeLogReaderFromNow()
{
    return SpikeLogReader{spikeLog.written.load(std::memory_order_acquire), 0};
}

int32_t DrainSpikeLog(SpikeLogReader& reader, SpikeLogEvent* out, int32_t most)
{
    SpikeLog& log = spikeLog;
    const int64_t newest = log.written.load(std::memory_order_acquire);
    if (reader.next > newest) reader.next = newest;  // the log was reset
    const int64_t oldest = newest - kSpikeLogSlots;
    if (reader.next < oldest) {
        reader.lost += oldest - reader.next;
        reader.next = oldest;
    }
    const int64_t end = std::min<int64_t>(newest, reader.next + std::max(most, 0));
    int32_t count = 0;
    for (int64_t i = reader.next; i < end; ++i) {
        const int32_t slot = static_cast<int32_t>(i % kSpikeLogSlots);
        const int32_t kind = log.kinds[slot];
        const int64_t value = log.values[slot];
        // A presentation number is an int32_t as it was logged.
        out[count++] = kind == LogNoiseFrame ? SpikeLogEvent{log.samples[slot], kind, 0, value}
                                             : SpikeLogEvent{log.samples[slot], kind, static_cast<int32_t>(value), -1};
    }
    // Entries the writer may have overwritten while they were copied are lost:
    // those under every event it has begun, published or not.
    std::atomic_thread_fence(std::memory_order_acquire);
    const int64_t lapped = log.begun.load(std::memory_order_relaxed) - kSpikeLogSlots;
    int32_t skip = 0;
    if (lapped > reader.next) skip = static_cast<int32_t>(std::min<int64_t>(lapped - reader.next, count));
    reader.lost += skip;
    reader.next = end;
    if (skip > 0) std::copy(out + skip, out + count, out);
    return count - skip;
}

void ResetSpikeLog()
{
    SpikeLog& log = spikeLog;
    log.written.store(0, std::memory_order_relaxed);
    log.begun.store(0, std::memory_order_relaxed);
    log.sliceStart = 0;
    log.sliceLimit = 0;
    log.origin = 0;
    log.lastLimit = -1;
    log.present = false;
    log.presentation = 0;
    log.lastPresentation = 0;
    log.lastFrame = -1;
    log.frameRequests = 0;
    log.framesAnswered = 0;
}
