#pragma once
// A recording of the session: from the moment the student starts it, every
// spike's time, every stimulus presentation as a trial (a press to its
// release, or one point of a tuning sweep with its condition), every change
// of the stimulus, and the model in force. Only the user-interface thread
// (or the page) touches it: it drains the neuron tick's spike log at its own
// pace, so the tick itself only ever appends to a fixed ring.
#include <cstdint>
#include <string>
#include <vector>

#include "sim/audio_lead.h"
#include "sim/spike_log.h"
#include "stimulus/noise_frames.h"

// What the stimulus record held, in the units the student sets it in.
struct StimulusSnapshot {
    int32_t type = 0;          // StimulusType
    bool on = false;
    float xDeg = 0.0f, yDeg = 0.0f;
    float orientation = 0.0f;  // degrees
    float size = 0.0f;         // spot or annulus radius, bar length, grating radius, noise square (degrees)
    float contrast = 0.0f;     // percent
    float spatialFrequency = 0.0f, velocity = 0.0f, phase = 0.0f;  // of the grating
};
bool operator==(const StimulusSnapshot& a, const StimulusSnapshot& b);
StimulusSnapshot TakeStimulusSnapshot();
// "spot", "annulus", "bar", "grating", "sparse noise", "white noise".
const char* StimulusTypeName(int32_t type);

struct RecordedTrial {
    double start = 0.0;   // seconds from the start of the recording
    double stop = -1.0;   // below start while the stimulus is still shown
    StimulusSnapshot stimulus;  // as it was at the onset
    int32_t field = -1;   // the swept field of a sweep's point, -1 for a press
    float condition = 0.0f;
};

struct StimulusChange {
    double time = 0.0;
    StimulusSnapshot stimulus;
};

// The noise shown while recording, frame by frame: each frame's index and
// onset, from which a file makes the frames again (noise_frames.h).
struct NoiseRecord {
    NoiseSettings settings;
    float centreXDeg = 0.0f, centreYDeg = 0.0f;  // the grid's centre
    std::vector<int64_t> frames;
    std::vector<double> onsets;  // seconds from the start of the recording
};

// A fast-forward's simulated stretch, collected by its job apart from the
// live recording (on its worker) and inserted on the user-interface thread:
// times are stream samples from the stretch's start.
struct RecordedStretch {
    int64_t samples = 0;                // its length
    std::vector<int64_t> spikes;        // in order
    NoiseSettings settings;
    float centreXDeg = 0.0f, centreYDeg = 0.0f;
    std::vector<int64_t> frames, onsets;  // each new frame and its first sample
};
// Spikes a stretch keeps at most (8 MB): a job that reaches it ends there.
constexpr size_t kStretchSpikesMost = size_t{1} << 20;

constexpr double kRecordSampleRate = kAudioRate;
// An hour of 200 spikes/s needs 720,000; room is made in steps this large,
// on the user-interface thread, never in the tick.
constexpr size_t kSpikeReserveStep = 262144;

struct Recording {
    bool on = false;
    bool any = false;                 // something was recorded since the last start
    int64_t originSample = 0;         // the log's sample at time 0
    int64_t lastSample = 0;           // the newest slice start seen
    SpikeLogReader reader;
    std::vector<double> spikes;       // seconds, in order
    std::vector<int32_t> spikeTrials; // the trial (from 1) each fell in, 0 between trials
    std::vector<RecordedTrial> trials;
    std::vector<StimulusChange> changes;
    int32_t cellType = 0;             // in force at the last drain
    std::string model;                // the receptive field's parameters, as text
    int64_t lost = 0;                 // log events overwritten before a drain
    NoiseRecord noise;                // empty unless noise was shown
    int64_t starts = 0;               // StartRecording's count: which recording a fast-forward began in
    bool stretchPending = false;      // a stretch waits for the log to pass stretchAt
    int64_t stretchAt = 0;            // the log's sample it goes before
    RecordedStretch stretch;
};
extern Recording recording;

// Forgets the last recording and starts anew from the newest slice.
void StartRecording();
// Closes a trial still open and stops taking events; what was taken stays.
void StopRecording();
// Takes what the neuron tick logged since the last call (user-interface
// thread, every few ticks). Returns the spikes taken.
int32_t DrainRecording();
// A noise frame shown from the slice that starts at stream sample
// sliceStart: kept when it differs from the last one kept. frame < 0 (no
// noise) keeps nothing. Settings that differ from those kept start the list afresh.
void NoteNoiseFrame(const NoiseSettings& settings, float centreXDeg, float centreYDeg, int64_t frame,
                    int64_t sliceStart);
// Inserts a fast-forward's stretch at the end of the slice the neuron tick
// is in now: spikes and frames logged before that sample keep their times,
// the stretch follows as a trial of its own (a trial open there is closed
// at its start and opened again after it), and the clock moves on by its
// length, so what is logged later comes after it. Nothing while not recording.
void InsertStretch(RecordedStretch stretch);
// Seconds of recording so far.
double RecordingSeconds();
// Whether a trial's stimulus was still on at the last drain.
inline bool TrialOpen(const RecordedTrial& t) { return t.stop < t.start; }
// The stop time a file or a raster gives a trial: its own, or the
// recording's end while the stimulus is still shown.
double TrialStop(const Recording& r, const RecordedTrial& t);
// The model as an export may show it: while the field is hidden the cell
// type and the field's parameters are not given away.
std::string RecordedModelText(bool fieldHidden);
std::string CellTypeName(int32_t cellType);
