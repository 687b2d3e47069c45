#pragma once
#include <cstdint>

#include "model/numeric.h"
#include "model/relaxed.h"
#include "stimulus/noise_frames.h"

// The noise types flash a grid of squares for mapping the field (noise_frames.h).
enum StimulusType : int32_t { Spot = 1, Annulus = 2, Bar = 3, Grating = 4, SparseNoise = 5, WhiteNoise = 6 };
inline bool IsNoise(int32_t type) { return type == SparseNoise || type == WhiteNoise; }
// The key codes the stimulus answers: the four arrows.
enum ArrowKey : int32_t { KeyLeft = 37, KeyUp = 38, KeyRight = 39, KeyDown = 40 };

constexpr int32_t kCursorCrosshair = 116;  // the stimulus does not follow a held button
constexpr int32_t kCursorHidden = 117;     // the stimulus is on in moving mode

// The one stimulus. Written only by the user-interface thread; the scene and
// audio threads read every field afresh each tick.
struct StimulusState {
    Relaxed<int32_t> stimulusType{Bar};
    Relaxed<float> stimX, stimY;                 // degrees, y down from the toolbar band
    Relaxed<int32_t> mouseX, mouseY;             // the same centre in frame pixels
    Relaxed<bool> stimulusOn{false};
    Relaxed<bool> stationaryMode{false};
    Relaxed<float> spotRadius{0.5f};
    Relaxed<float> annulusRatio{2.0f};
    Relaxed<int32_t> polarity{1};
    Relaxed<float> barLength{4.0f};
    Relaxed<float> barWidth{0.4f};
    Relaxed<float> orientation{90.0f};
    Relaxed<float> gratingRadius{2.5f};
    Relaxed<float> gratingSf{0.8f};
    Relaxed<float> gratingPhase{0.0f};
    Relaxed<float> gratingVelocity{2.0f};
    Relaxed<float> modulationRate{0.0f};
    Relaxed<float> contrastPercent{100.0f};
    // The noise's grid, centred at the stimulus position; its contrast is
    // contrastPercent's. Frame k is shown from noiseOriginMs + k x frame on
    // the scene tick's clock.
    Relaxed<int32_t> noiseColumns{8}, noiseRows{8};
    Relaxed<float> noiseSquareDeg{0.5f};
    Relaxed<int32_t> noiseFrameTicks{5}, noiseLit{2};
    Relaxed<uint32_t> noiseSeed{1};
    Relaxed<int64_t> noiseOriginMs{0};
    // Which pointer the shell should show: kCursorCrosshair or kCursorHidden.
    Relaxed<int32_t> cursor{kCursorCrosshair};
};
extern StimulusState stimulus;

// Every field back to its declared start-up value (positions to 0).
void ResetStimulus();

void OnPointerMove(int32_t x, int32_t y);
void OnLeftButtonDown();
void OnLeftButtonUp();
void OnDoubleClick();
// One notch of a standard wheel; the shells send whole notches of it.
constexpr int32_t kWheelStep = 120;
void OnWheel(int32_t delta);
void OnKeyDown(int32_t key);  // an ArrowKey; other codes do nothing
void SetStimulusType(int32_t type);
void InvertPolarity();
// Moves the stimulus, the receptive-field centre and the marks in proportion
// from the old client size to the new one. A zero size on either side (a
// minimised window) leaves every position as it is.
void RescalePositions(int32_t oldWidth, int32_t oldHeight, int32_t newWidth, int32_t newHeight);
// A screen turned between upright and wide (a phone, a tablet): the same
// positions keep their offsets in degrees from the field's centre, each held
// inside the new field, so what the student placed stays where it was on the
// retina and turning back restores it. Sizes, in degrees, never change.
void TurnPositions(int32_t oldWidth, int32_t oldHeight, int32_t newWidth, int32_t newHeight);

// The noise the record describes, of the kind its type names (sparse for
// any other type).
NoiseSettings NoiseSettingsOfStimulus();
void SetNoiseSettings(const NoiseSettings& s);  // all but the kind, which the type says
// The frame shown at timeMs on the scene tick's clock.
int64_t NoiseFrameIndexAt(const NoiseSettings& s, int64_t timeMs);

// True while the stimulus is drawn and seen by the neuron.
inline bool StimulusPresent() { return stimulus.stimulusOn || stimulus.stationaryMode; }
