#pragma once
#include <cstdint>

constexpr int32_t kTickMs = 20;          // both ticks run every 20 ms, in either edition
constexpr int32_t kAudioRate = 44100;    // stream samples per second
constexpr int32_t kClickSamples = 12;    // one click: six samples up, six down
constexpr int32_t kAudioSlice = kAudioRate * kTickMs / 1000;  // one tick of stream: 882 samples
static_assert(kAudioSlice * 1000 == kAudioRate * kTickMs, "a tick holds whole samples");
constexpr int32_t kMostLead = kAudioRate;  // a second: past that the machine is not keeping up at all
constexpr int32_t kShrinkAfterTicks = 250;  // 5 s of ticks on time before the lead comes down a step
constexpr int32_t kMostHoldTicks = 16000;   // a lead that keeps proving too small waits up to 5 min to come down
constexpr int64_t kNoTickYet = INT64_MAX;   // the spare of a run with no tick in it yet

// How far ahead of the play position each neuron tick writes its slice of
// the stream. A small lead is heard sooner; a lead the machine cannot keep
// loses clicks. So the lead's floor is two device periods (the device may be
// taking one period while the tick reads its position, and the position moves
// in whole periods); it starts a tick above that, grows at once by what a late
// tick missed, and comes down after a long run of ticks on time, never by more than that run's
// closest tick left to spare beyond a period: a machine whose ticks wander
// keeps the lead they need instead of coming down into them and losing clicks.
// A tick late after the lead came down shows the run was not long enough to
// see the worst: the next run must be twice as long.
// A device starts its lead with NewAudioLead; these defaults serve a run
// with no device (the seeded sweep), whose play position follows its slices.
struct AudioLead {
    int32_t period = 512;        // samples the device takes at a time
    int32_t samples = 1024;      // from the play position to the slice's nominal start
    int32_t onTimeTicks = 0;     // ticks in a row that found none of their slice played
    int32_t holdTicks = kShrinkAfterTicks;  // the run on time after which the lead may come down
    int64_t leastSpare = kNoTickYet;  // the run's closest tick: samples between the device and its slice
    bool cameDown = false;       // the lead came down since the last late tick
    int64_t lateTicks = 0;
    int64_t lostClicks = 0;      // clicks that fell behind the play position
};

// A fresh lead for a device that takes `period` samples at a time (held to
// 32..8192, so a device that reports nonsense still gets a sound lead).
AudioLead NewAudioLead(int32_t period);

// The same for a new device (or a new reckoning of its period), keeping the
// lost clicks and late ticks counted so far.
void RestartAudioLead(AudioLead& lead, int32_t period);

// A tick found `missed` samples of its slice already taken (or a player
// downstream found them so): the lead grows at once by that and a period.
void AudioLeadLate(AudioLead& lead, int64_t missed);

// One tick's slice of the stream: [first, heardFrom) the device has already
// taken or is taking (its clicks are lost), [heardFrom, limit) is still ahead.
struct StreamSlice {
    int64_t first = 0, heardFrom = 0, limit = 0;
};

// The slice of a tick that reads play position P after the last slice ended
// at lastEnd (< 0: none yet). It goes on from lastEnd, so every stretch of
// stream is written once whatever steps P takes, and ends at P + lead + one
// tick. A late tick (lastEnd behind P + period) grows the lead at once by
// what it missed plus a period; a tick far behind (a stall of over a second)
// starts afresh at the lead rather than writing a second of lost clicks.
StreamSlice PlanSlice(AudioLead& lead, int64_t lastEnd, int64_t playPosition);
