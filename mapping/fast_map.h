#pragma once
// Fast-forward: the noise the record describes over the model in force, run
// as fast as the machine goes with no picture and no sound, to add minutes
// of map in seconds. The job is a copy of everything it reads (the filters,
// the noise and its grid, a spike train and a random source of its own), so
// it can run on a worker thread while the live ticks go on untouched; the
// only shared scalars are the atomics below. Each tick does what the neuron
// tick does with the image the scene tick draws of that noise: every square
// adds its sign x contrast x the spatial terms summed over its pixels in the
// box, the 20 steps of the temporal terms make the drive, DriveToRate the
// rate, and the tick's 882 samples of the same gamma train its spikes.
#include <atomic>
#include <cstdint>
#include <climits>
#include <memory>
#include <vector>

#include "mapping/spike_triggered_average.h"
#include "model/filters.h"
#include "model/random.h"
#include "recording/recording.h"
#include "sim/simulation_state.h"

constexpr double kFastForwardMinutes = 30.0;

struct FastMapJob {
    std::unique_ptr<RfFilterSet> set;         // the filters in force when prepared
    std::vector<double> squareTerms;          // [square][term]: spatial term summed over the square in the box
    std::unique_ptr<SpikeTriggeredAverage> map;
    SpikeTrain train;
    SeededUniform uniform;
    double projection[kFilterSteps][kMaxTerms] = {};  // the last 20 ticks' projections, newest at `newest`
    int32_t newest = 0;
    int64_t firstFrame = 0;                   // frame k of tick t is firstFrame + t / frame ticks
    int64_t ticksRun = 0, ticksTotal = 0;     // the worker's own counts
    std::atomic<int64_t> progress{0};         // ticks run, for the user-interface thread
    std::atomic<bool> stop{false};            // set by the user-interface thread, or by a full stretch
    // Begun while a recording ran: the worker collects its spikes and frames
    // here, never in the live recording, for FinishFastMap to insert.
    bool keepStretch = false;
    int64_t recordingStarts = 0;              // which recording it began in
    RecordedStretch stretch;
};

// How a job's end went: both its map and its stretch added; the map only,
// as a recording started or stopped while it ran; nothing, as the noise changed.
enum FastMapEnd : int32_t { FastMapAdded, FastMapNotRecorded, FastMapNotAdded };

// The job for `ticks` ticks of the noise the record describes, at the place
// it is shown, over the published filters (user-interface thread). Frames
// come from far past any shown live, so no frame is counted twice. Its map
// starts from the last frames of `live` (when given, of the same noise), as
// a recording places its stretch after them.
std::unique_ptr<FastMapJob> PrepareFastMap(int64_t ticks, int32_t seed, const SpikeTriggeredAverage* live = nullptr);
// Runs the job's ticks (at most `most` of them, for a page that runs it in
// slices between its ticks) until its total or until stop is set; any one
// thread at a time. True while ticks are left.
bool RunFastMap(FastMapJob& job, int64_t most = INT64_MAX);
// One tick's rate (what the neuron tick would give) and spikes.
float FastMapTick(FastMapJob& job, int32_t& spikes);
// Ends a job whose worker has ended (user-interface thread, or the page):
// its map into `into` when the noise is the same, and then its simulated
// time, up to where it stopped, into the recording only when the recording
// that ran at its start still runs; a recording started or stopped
// meanwhile would get half a stretch's story, so it gets none. `into` then
// goes on from the stretch's last frames, as the recording does.
FastMapEnd FinishFastMap(FastMapJob& job, SpikeTriggeredAverage& into);
// Adds a finished job's map to a live one of the same noise; false (nothing
// added) when the noise has changed meanwhile.
bool MergeMap(SpikeTriggeredAverage& into, const SpikeTriggeredAverage& from);
