#pragma once
// The tuning-curve recorder. It presents the current stimulus in stationary
// mode, steps one of its parameters through a schedule with a blank between
// points, and measures each point from the spikes the neuron tick reports in
// its tick ring. Runs on the user-interface thread: it alone writes the
// stimulus fields it sweeps, and it reads the ring without ever making the
// neuron tick wait. Time is counted in neuron ticks (20 ms each).
#include <cstdint>
#include <vector>

#include "sim/audio_lead.h"

constexpr float kTickSeconds = kTickMs / 1000.0f;

// What the student chooses to sweep.
enum SweepParameter : int32_t {
    SweepOrientation = 0,       // 0..360 degrees in equal steps
    SweepSpatialFrequency = 1,  // grating cycles per degree, logarithmic steps
    SweepSize = 2,              // spot or annulus radius, bar length, grating radius
    SweepContrast = 3,          // percent, logarithmic steps
    SweepTemporalFrequency = 4, // a drifting grating's cycles per second, logarithmic steps
};
constexpr int32_t kSweepParameterCount = 5;

// The stimulus field a sweep writes, resolved from the parameter and the
// stimulus type when the sweep starts.
enum SweptField : int32_t {
    FieldOrientation = 0,
    FieldSpatialFrequency = 1,
    FieldSpotRadius = 2,
    FieldBarLength = 3,
    FieldGratingRadius = 4,
    FieldContrast = 5,
    FieldTemporalFrequency = 6,  // written as the drift velocity at the grating's spatial frequency
};
constexpr int32_t kSweptFieldCount = 7;

// What the recorder offers for each parameter, one row a parameter that both
// editions' forms and the command line read: its name in the form, the
// first range shown (octave steps for the logarithmic ones), its points, the
// widest range it will present (wide enough for any experiment, narrow
// enough that every value draws sensibly), whether its values are spaced
// by ratio, and one press of a field's arrow.
struct SweepDefaults {
    const char* name;
    float from, to;
    int32_t points;
    float low, high;
    bool logarithmic;
    float arrowStep;
};
// A number out of range is taken as orientation.
SweepDefaults DefaultsOfSweep(int32_t parameter);

struct SweepPlan {
    int32_t parameter = SweepOrientation;
    // Orientation: the first value and the step (from + i * step, i < points,
    // 360 degrees around). Others: both ends included, points >= 2 values.
    float from = 0.0f;
    float to = 360.0f;
    int32_t points = 12;
    int32_t repeats = 3;
    int32_t presentTicks = 50;  // 1 s
    int32_t blankTicks = 25;    // 0.5 s
    // Present on the receptive field's centre rather than where the stimulus
    // was left (after a click on a toolbar button that is off the field).
    // Ignored while the field is hidden: the sweep must not give away where
    // a hand plot's field lies.
    bool centreOnField = false;
};

// A plan sweeping orientation around the whole circle in steps of stepDegrees
// (rounded so that a whole number of steps makes 360).
SweepPlan OrientationPlan(float stepDegrees, int32_t repeats, int32_t presentTicks);

// Keeps every field of a plan within what the recorder can run: at least one
// point, repeat and tick, positive ends for the logarithmic parameters, no
// value that is not a number. Returns the plan as it will run.
SweepPlan SanitisePlan(const SweepPlan& plan);

// The values of a plan, in the order they are presented within a repeat.
std::vector<float> SweepValues(const SweepPlan& plan);

// One presentation of one value.
struct TuningPoint {
    float value = 0.0f;
    int32_t repeat = 1;        // from 1
    float meanRate = 0.0f;     // spikes/s over the presentation
    float peakRate = 0.0f;     // the largest peak-rate readout during it
    bool hasHarmonics = false; // a drifting or flickering grating was shown
    float f0 = 0.0f;           // spikes/s over whole cycles of the stimulus
    float f1 = 0.0f;           // first-harmonic amplitude, spikes/s
};

enum SweepPhase : int32_t { SweepIdle = 0, SweepBlank = 1, SweepPresenting = 2 };

// The one recorder. Only the user-interface thread touches it.
struct TuningSweep {
    SweepPlan plan;
    int32_t field = FieldOrientation;
    std::vector<float> values;
    SweepPhase phase = SweepIdle;
    int32_t step = 0;             // presentation index, 0 .. points * repeats - 1
    int64_t phaseStartTick = 0;   // the last tick before the phase began
    int64_t lastTickRead = 0;
    float temporalHz = 0.0f;      // of the stimulus being presented, 0 if none
    std::vector<int32_t> tickSpikes;  // per presentation tick, -1 when lost
    float peakRate = 0.0f;
    std::vector<TuningPoint> points;  // every presentation measured so far

    int32_t presentation = 0;     // the spike log's number of the point shown
    bool centred = false;         // each point is placed on the field's centre

    // What the sweep changed, put back when it ends.
    bool savedStationary = false, savedOn = false;
    int32_t savedType = 0;
    float savedValue = 0.0f;
    float savedStimX = 0.0f, savedStimY = 0.0f;
    int32_t savedMouseX = 0, savedMouseY = 0;
};
extern TuningSweep tuningSweep;

// Begins a sweep: forgets the earlier points, remembers the fields it will
// change (the position too when it centres) and starts with a blank. Returns false (and changes nothing) while a
// sweep runs.
bool StartSweep(const SweepPlan& plan);
// Reads the ticks reported since the last call and moves the schedule on.
// Returns the number of points completed by this call.
int32_t PollSweep();
// Ends the sweep at once: the points measured stay, the stimulus is restored.
void StopSweep();
bool SweepRunning();
// Presentations of the whole sweep and those completed.
int32_t SweepTotalSteps();
// Ticks still to run until the sweep ends.
int64_t SweepTicksLeft();

// Applies a value to the stimulus field it belongs to (user-interface thread).
void SetSweptField(int32_t field, float value);
float SweptFieldValue(int32_t field);
// "orientation (deg)", "spatial frequency (c/deg)" ...
const char* SweptFieldName(int32_t field);
// Logarithmic fields are plotted on a logarithmic axis.
bool SweptFieldIsLogarithmic(int32_t field);
