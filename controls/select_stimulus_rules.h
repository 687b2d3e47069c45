#pragma once
// What the "Select stimulus" controls do to the stimulus record and what each
// control shows: the stimulus-type list; the radius, bar length, bar width,
// orientation, contrast and spatial-frequency sliders with the fields beside
// them; the contrast sensitivity field; the velocity, modulation-rate and
// phase spin boxes; the Black and White buttons; the noise's fields. There is no cancel: every
// change is in the record at once, and closing the dialog keeps it.
#include <cstdint>

#include "controls/control_text.h"
#include "stimulus/noise_frames.h"

// A slider and the field beside it.
enum class StimulusRow : int32_t { Radius, BarLength, BarWidth, Orientation, Contrast, SpatialFrequency, Count };
// The grating's spin boxes.
enum class StimulusSpin : int32_t { Velocity, Modulation, Phase, Count };

// The noise's fields (its contrast is the Contrast row's): squares a side,
// a square's size in degrees, a frame in ms, squares lit (sparse only), seed.
enum class NoiseRow : int32_t { Grid, Square, FrameMs, Lit, Seed, Count };

constexpr int32_t kStimulusRows = static_cast<int32_t>(StimulusRow::Count);
constexpr int32_t kStimulusSpins = static_cast<int32_t>(StimulusSpin::Count);
constexpr int32_t kNoiseRows = static_cast<int32_t>(NoiseRow::Count);
constexpr int32_t kNoiseMessageSize = 512;  // a translated sentence may run long

struct SelectStimulusView {
    int32_t shape;  // list entry 0..5 (stimulus type - 1), -1 for none
    SliderView slider[kStimulusRows];
    FieldView field[kStimulusRows];
    FieldView sensitivity;  // shown only, never read
    SpinView spin[kStimulusSpins];
    bool black, white;
    FieldView noise[kNoiseRows];
    char noiseMessage[kNoiseMessageSize];  // why the last typed noise value was refused, or ""
    bool flickerNotice;                    // a change waits for the flicker notice (below)
};
// The controls of the open dialog (one dialog is open at a time), read and
// written on the user-interface thread only.
extern SelectStimulusView selectStimulusView;

// Opening: the controls from the record; a moving stimulus is switched on
// and centred so every change can be seen. Closing, whichever way, switches
// it back to how it was.
const SelectStimulusView& OpenSelectStimulus();
void CloseSelectStimulus();

// One function per kind of change. Texts are handled at every keystroke.
const SelectStimulusView& TypeStimulusField(StimulusRow row, const char* text);
const SelectStimulusView& TypeStimulusSpin(StimulusSpin spin, const char* text);
const SelectStimulusView& MoveStimulusSlider(StimulusRow row, int32_t position);
const SelectStimulusView& StepStimulusSpin(StimulusSpin spin, int32_t position);
const SelectStimulusView& ChooseShape(int32_t entry);
const SelectStimulusView& ChoosePolarity(int32_t polarity);  // -1 black, +1 white
// A noise field: a value out of its range (controls/noise_texts.h) is not
// taken, and noiseMessage says why.
const SelectStimulusView& TypeNoiseField(NoiseRow row, const char* text);

// Flicker over an area can bring on seizures in photosensitive people. The
// first change that would show noise with frames under 100 ms is held, with
// flickerNotice set; the shell shows kFlickerNotice (controls/shell_texts.h)
// and then acknowledges it, which makes the change. Once a session.
const SelectStimulusView& AcknowledgeFlickerNotice();
extern bool flickerNoticeGiven;  // user-interface thread
// For the rules: holds a change to this type and noise for the notice when it is due.
bool HoldForFlickerNotice(int32_t type, const NoiseSettings& noise);
void ShowNoiseFields();

// Contrast slider: 1 dB steps, 0 is 1 %, 40 is 100 %, -1 is no contrast.
int32_t ContrastPositionFromValue(float contrast);
float ContrastFromPosition(int32_t position);
// Spatial-frequency slider: logarithmic, -1 and 0 mean 0 c/deg.
int32_t SfPositionAtOpening(float sf);  // truncated
int32_t SfPositionTyped(float sf);      // rounded, for sf > 0
float SfFromPosition(int32_t position);
// The contrast sensitivity 100 / contrast to two decimals, "*" for none.
std::string SensitivityText(float contrast);
