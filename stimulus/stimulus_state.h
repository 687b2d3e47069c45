#pragma once
#include <cstdint>

#include "model/numeric.h"
#include "model/relaxed.h"

enum StimulusType : int32_t { Spot = 1, Annulus = 2, Bar = 3, Grating = 4 };
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

// True while the stimulus is drawn and seen by the neuron.
inline bool StimulusPresent() { return stimulus.stimulusOn || stimulus.stationaryMode; }
