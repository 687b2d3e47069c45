// Every change goes straight into the stimulus record, so the running scene
// and neuron pick it up at their next tick.
#include "controls/select_stimulus_rules.h"
#include "controls/value_ranges.h"

#include <algorithm>

#include "model/app_state.h"
#include "model/numeric.h"
#include "stimulus/stimulus_state.h"

SelectStimulusView selectStimulusView;

namespace {

SelectStimulusView& view = selectStimulusView;
bool wasOnAtOpening = false;

// A stimulus field is read up to its first 11 characters, all its narrow edit shows.
constexpr int32_t kStimulusFieldChars = 11;

struct Range {
    int32_t minimum, maximum;
};
constexpr Range kSliderRanges[kStimulusRows] = {{1, 160}, {0, 280}, {0, 280}, {0, 360}, {-1, 40}, {-1, 220}};
constexpr Range kSpinRanges[kStimulusSpins] = {{0, 200}, {0, 200}, {0, 180}};

bool IsGrating() { return stimulus.stimulusType == Grating; }
bool HasSpotRadius() { return stimulus.stimulusType == Spot || stimulus.stimulusType == Annulus; }

SliderView& Slider(StimulusRow row) { return view.slider[static_cast<int32_t>(row)]; }
FieldView& Field(StimulusRow row) { return view.field[static_cast<int32_t>(row)]; }
SpinView& Spin(StimulusSpin spin) { return view.spin[static_cast<int32_t>(spin)]; }

void SetSlider(StimulusRow row, int32_t position) { SetPosition(Slider(row), position); }
void SetSpin(StimulusSpin spin, int32_t position) { SetPosition(Spin(spin), position); }

int32_t RadiusPosition(float radius) { return NearestInt(20.0f * radius); }

void ShowSensitivity(float contrast) { CopyControlText(view.sensitivity.text, SensitivityText(contrast)); }

void FieldTyped(StimulusRow row, const char* text)
{
    CopyControlText(Field(row).text, text);
    float v = 0.0f;
    const bool number = ReadNumber(text, kStimulusFieldChars, v);
    switch (row) {
    case StimulusRow::Radius:
        // A rejected radius puts the slider back on the stored one.
        if (HasSpotRadius()) {
            if (number && InRange(kStimulusRadiusRange, v))
                stimulus.spotRadius = v;
            SetSlider(row, RadiusPosition(stimulus.spotRadius));
        } else if (IsGrating()) {
            if (number && InRange(kStimulusRadiusRange, v))
                stimulus.gratingRadius = v;
            SetSlider(row, RadiusPosition(stimulus.gratingRadius));
        }
        break;
    case StimulusRow::BarLength:
    case StimulusRow::BarWidth:
        if (number && InRange(kBarSizeRange, v)) {
            (row == StimulusRow::BarLength ? stimulus.barLength : stimulus.barWidth) = v;
            SetSlider(row, NearestInt(20.0f * v));
        }
        break;
    case StimulusRow::Orientation:
        if (number && InRange(kOrientationRange, v)) {
            stimulus.orientation = v;
            SetSlider(row, TruncInt(v));
        }
        break;
    case StimulusRow::Contrast:
        if (number && InRange(kContrastRange, v)) {
            stimulus.contrastPercent = v;
            // Typed contrasts below 1 % keep the slider at its 1 % end.
            SetSlider(row, v == 0.0f ? -1 : std::max(0, ContrastPositionFromValue(v)));
            ShowSensitivity(v);
        }
        break;
    case StimulusRow::SpatialFrequency:
        if (number && InRange(kGratingSfRange, v)) {
            stimulus.gratingSf = v;
            // Below 0.35 c/deg the slider's coarse steps would misstate the
            // typed value, so it stays where it is.
            if (v == 0.0f)
                SetSlider(row, -1);
            else if (v > 0.35f)
                SetSlider(row, SfPositionTyped(v));
        }
        break;
    default:
        break;
    }
}

void SpinTyped(StimulusSpin spin, const char* text)
{
    CopyControlText(Spin(spin).text, text);
    float v = 0.0f;
    if (!ReadNumber(text, kStimulusFieldChars, v))
        return;
    switch (spin) {
    case StimulusSpin::Velocity:
    case StimulusSpin::Modulation:
        if (InRange(kGratingSpeedRange, v)) {
            (spin == StimulusSpin::Velocity ? stimulus.gratingVelocity : stimulus.modulationRate) = v;
            SetSpin(spin, NearestInt(10.0f * v));
        }
        break;
    case StimulusSpin::Phase:
        if (InRange(kGratingPhaseRange, v)) {
            stimulus.gratingPhase = v;
            SetSpin(spin, TruncInt(v / 2.0f));
        }
        break;
    default:
        break;
    }
}

// The program writes a field's text the way a user would type it: the
// field's own handling then runs once on the shown text, so the stored
// value is always the value as shown.
void ShowField(StimulusRow row, float v) { FieldTyped(row, RealText(v).c_str()); }
void ShowSpin(StimulusSpin spin, float v) { SpinTyped(spin, RealText(v).c_str()); }

void EnableFor(int32_t type)
{
    const bool enabled[kStimulusRows] = {type >= Spot && type <= Grating && type != Bar,
                                         type == Bar,
                                         type == Bar,
                                         type == Bar || type == Grating,
                                         true,
                                         type == Grating};
    for (int32_t i = 0; i < kStimulusRows; ++i)
        view.slider[i].enabled = view.field[i].enabled = enabled[i];
    for (SpinView& s : view.spin)
        s.enabled = type == Grating;
    ShowNoiseFields();
}

// Shows the radius of the current type (the spot's radius while the
// disabled controls stand for a bar, which has none).
void ShowRadius()
{
    const float radius = IsGrating() ? stimulus.gratingRadius : stimulus.spotRadius;
    SetSlider(StimulusRow::Radius, RadiusPosition(radius));
    ShowField(StimulusRow::Radius, radius);
}

int32_t ListEntry(int32_t type) { return type >= Spot && type <= WhiteNoise ? type - 1 : -1; }

}  // namespace

const SelectStimulusView& OpenSelectStimulus()
{
    view = SelectStimulusView{};
    view.sensitivity.enabled = true;
    for (int32_t i = 0; i < kStimulusRows; ++i)
        view.slider[i].minimum = kSliderRanges[i].minimum, view.slider[i].maximum = kSliderRanges[i].maximum;
    for (int32_t i = 0; i < kStimulusSpins; ++i)
        view.spin[i].minimum = kSpinRanges[i].minimum, view.spin[i].maximum = kSpinRanges[i].maximum;

    // The opening steps, in their order; showing a field runs its handling.
    view.shape = ListEntry(stimulus.stimulusType);
    SetSpin(StimulusSpin::Velocity, TruncInt(10.0f * stimulus.gratingVelocity));
    SetSpin(StimulusSpin::Modulation, TruncInt(10.0f * stimulus.modulationRate));
    SetSpin(StimulusSpin::Phase, TruncInt(stimulus.gratingPhase / 2.0f));

    EnableFor(stimulus.stimulusType);
    ShowRadius();

    SetSlider(StimulusRow::BarLength, TruncInt(20.0f * stimulus.barLength));
    SetSlider(StimulusRow::BarWidth, TruncInt(20.0f * stimulus.barWidth));
    SetSlider(StimulusRow::Orientation, TruncInt(stimulus.orientation));
    SetSlider(StimulusRow::Contrast, ContrastPositionFromValue(stimulus.contrastPercent));

    SetSlider(StimulusRow::SpatialFrequency, SfPositionAtOpening(stimulus.gratingSf));
    ShowField(StimulusRow::SpatialFrequency, TwoDecimals(stimulus.gratingSf));

    ShowField(StimulusRow::BarLength, stimulus.barLength);
    ShowField(StimulusRow::BarWidth, stimulus.barWidth);
    ShowField(StimulusRow::Orientation, stimulus.orientation);
    ShowSpin(StimulusSpin::Velocity, stimulus.gratingVelocity);
    ShowSpin(StimulusSpin::Modulation, stimulus.modulationRate);
    ShowSpin(StimulusSpin::Phase, stimulus.gratingPhase);
    ShowField(StimulusRow::Contrast, TwoDecimals(stimulus.contrastPercent));
    ShowSensitivity(stimulus.contrastPercent);

    view.black = stimulus.polarity == -1;
    view.white = stimulus.polarity == 1;

    // While the dialog is open in moving mode the stimulus stays on, in the
    // middle of the window. The position in degrees moves with it, so the
    // marks, the feedback and a resize use the place the neuron sees.
    wasOnAtOpening = stimulus.stimulusOn;
    if (!stimulus.stationaryMode) {
        stimulus.mouseX = appState.clientWidth / 2;
        stimulus.mouseY = appState.clientHeight / 2;
        stimulus.stimX = static_cast<float>(stimulus.mouseX) * kDegreesPerPixel;
        stimulus.stimY = static_cast<float>(stimulus.mouseY) * kDegreesPerPixel;
        stimulus.stimulusOn = true;
    }
    return view;
}

void CloseSelectStimulus() { stimulus.stimulusOn = wasOnAtOpening; }

const SelectStimulusView& TypeStimulusField(StimulusRow row, const char* text)
{
    if (row >= StimulusRow::Radius && row < StimulusRow::Count)
        FieldTyped(row, text);
    return view;
}

const SelectStimulusView& TypeStimulusSpin(StimulusSpin spin, const char* text)
{
    if (spin >= StimulusSpin::Velocity && spin < StimulusSpin::Count)
        SpinTyped(spin, text);
    return view;
}

const SelectStimulusView& MoveStimulusSlider(StimulusRow row, int32_t position)
{
    if (!(row >= StimulusRow::Radius && row < StimulusRow::Count))
        return view;
    SetSlider(row, position);
    const int32_t p = Slider(row).position;
    switch (row) {
    case StimulusRow::SpatialFrequency:
        stimulus.gratingSf = SfFromPosition(p);
        ShowField(row, stimulus.gratingSf);
        break;
    case StimulusRow::Contrast:
        stimulus.contrastPercent = ContrastFromPosition(p);
        ShowField(row, stimulus.contrastPercent);
        ShowSensitivity(stimulus.contrastPercent);
        break;
    case StimulusRow::Orientation:
        stimulus.orientation = static_cast<float>(p);
        ShowField(row, stimulus.orientation);
        break;
    case StimulusRow::BarWidth:
    case StimulusRow::BarLength: {
        const float v = static_cast<float>(p) / 20.0f;
        (row == StimulusRow::BarLength ? stimulus.barLength : stimulus.barWidth) = v;
        ShowField(row, v);
        break;
    }
    case StimulusRow::Radius: {
        const float radius = static_cast<float>(p) / 20.0f;
        (IsGrating() ? stimulus.gratingRadius : stimulus.spotRadius) = radius;
        ShowField(row, radius);
        break;
    }
    default:
        break;
    }
    return view;
}

const SelectStimulusView& StepStimulusSpin(StimulusSpin spin, int32_t position)
{
    if (!(spin >= StimulusSpin::Velocity && spin < StimulusSpin::Count))
        return view;
    SetSpin(spin, position);
    const float p = static_cast<float>(Spin(spin).position);
    switch (spin) {
    case StimulusSpin::Velocity: stimulus.gratingVelocity = p / 10.0f; ShowSpin(spin, stimulus.gratingVelocity); break;
    case StimulusSpin::Modulation: stimulus.modulationRate = p / 10.0f; ShowSpin(spin, stimulus.modulationRate); break;
    case StimulusSpin::Phase: stimulus.gratingPhase = 2.0f * p; ShowSpin(spin, stimulus.gratingPhase); break;
    default: break;
    }
    return view;
}

const SelectStimulusView& ChooseShape(int32_t entry)
{
    if (entry >= 0 && entry <= WhiteNoise - 1) {
        NoiseSettings noise = NoiseSettingsOfStimulus();
        noise.kind = entry + 1 == WhiteNoise ? WhiteNoiseKind : SparseNoiseKind;
        if (HoldForFlickerNotice(entry + 1, noise))
            return view;
        stimulus.stimulusType = entry + 1;
        view.shape = entry;
    }
    EnableFor(stimulus.stimulusType);
    if (IsGrating() || HasSpotRadius())
        ShowRadius();
    return view;
}

const SelectStimulusView& ChoosePolarity(int32_t polarity)
{
    if (polarity == -1 || polarity == 1) {
        stimulus.polarity = polarity;
        view.black = polarity == -1;
        view.white = polarity == 1;
    }
    return view;
}
