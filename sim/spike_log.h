#pragma once
// What the neuron tick tells a recording: every spike at the stream sample of
// its click, and every tick at which the stimulus appeared or went away, at
// the first sample of that tick's slice, and each new noise frame the tick's
// image showed, at the first sample of the slice of the tick that first read
// it. The neuron tick appends to a fixed
// ring and never allocates or waits; the user-interface thread (or the page)
// drains it. Positions are counted on one 64-bit time line that only grows:
// when the stream starts again from sample 0, the new slice is taken to
// follow straight on from the last one.
#include <atomic>
#include <cstdint>

#include "model/relaxed.h"

enum SpikeLogKind : int32_t { LogSpikeEvent = 0, LogStimulusOn = 1, LogStimulusOff = 2, LogNoiseFrame = 3 };

constexpr int32_t kSpikeLogSlots = 65536;  // 5 minutes at 200 spikes/s between two drains

struct SpikeLogEvent {
    int64_t sample = 0;  // on the log's time line
    int32_t kind = LogSpikeEvent;
    int32_t presentation = 0;  // of the stimulus, as NewStimulusPresentation numbered it
    int64_t frame = -1;        // the noise frame of a LogNoiseFrame
};

// User-interface thread: what is shown from now on is a new presentation
// (a tuning sweep's next point), so the log closes the one before and opens
// another even though the stimulus never went away. Returns its number.
int32_t NewStimulusPresentation();

// Neuron tick: the slice [first, limit) of the stream is about to get its
// spikes, with the stimulus present or not during it.
void LogSlice(int64_t first, int64_t limit, bool stimulusPresent);
// Neuron tick: the noise frame this tick's image showed (-1 for none);
// logged at the current slice's start when it differs from the last tick's.
void LogNoiseFrameShown(int64_t frame);
// User-interface thread: the next tick logs its noise frame even when it is
// the last one, so a recording started now knows the frame it starts in.
void LogNoiseFrameAgain();
// Neuron tick: a click at stream sample index of the current slice.
void LogSpike(int64_t index);

// The time-line sample of the newest slice's start (any thread).
int64_t LoggedSliceStart();
// The time-line sample after the newest slice whose limit was logged: every
// event of a later slice is at or after it (any thread).
int64_t LoggedSliceLimit();

// The reader's place in the log. Events the writer overwrote before they
// were read are counted in lost.
struct SpikeLogReader {
    int64_t next = 0;  // index of the next event to read
    int64_t lost = 0;
};
// A reader that starts at the newest event.
SpikeLogReader SpikeLogReaderFromNow();
// Copies up to most events, oldest first; returns how many.
int32_t DrainSpikeLog(SpikeLogReader& reader, SpikeLogEvent* out, int32_t most);

// Empties the log and its time line (before any thread starts, and tests).
void ResetSpikeLog();
