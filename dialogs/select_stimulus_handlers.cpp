// Change handling of the "Select stimulus" dialog. Every change goes straight
// into the stimulus record, so the running scene and neuron pick it up at
// their next tick.
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <algorithm>
#include <cmath>

#include "dialogs/dialog_controls.h"
#include "dialogs/dialogs.h"
#include "dialogs/select_stimulus_dialog.h"
#include "render/number_format.h"
#include "stimulus/stimulus_state.h"

namespace {

using namespace SelectStimulusIds;

// The spatial-frequency slider has 100 positions per decade; this offset
// puts 5 c/deg at position 220 (2.2 - log10 5).
constexpr float kSfOffset = 1.50103f;

// Fields are read like the short edit buffer of the original controls.
constexpr int kFieldChars = 11;

bool IsGrating() { return stimulus.stimulusType == Grating; }
bool HasSpotRadius() { return stimulus.stimulusType == Spot || stimulus.stimulusType == Annulus; }

QSlider* Slider(QDialog* d, int id) { return Control<QSlider>(d, id); }
QSpinBox* UpDown(QDialog* d, int id) { return Control<QSpinBox>(d, id); }
QLineEdit* Edit(QDialog* d, int id) { return Control<QLineEdit>(d, id); }

int RadiusPosition(float radius) { return NearestInt(20.0f * radius); }

}  // namespace

int ContrastPositionFromValue(float contrast)
{
    if (!(contrast > 0.0f))
        return -1;
    return NearestInt(20.0f * std::log10(contrast));
}

float ContrastFromPosition(int position)
{
    if (position <= -1)
        return 0.0f;
    return TwoDecimals(std::pow(10.0f, static_cast<float>(position) / 20.0f));
}

// Opening form: truncated, 0 c/deg at -1, limited to the slider.
int SfPositionAtOpening(float sf)
{
    if (!(sf > 0.0f))
        return -1;
    return std::clamp(TruncInt(100.0f * (std::log10(sf) + kSfOffset)), 0, 220);
}

float SfFromPosition(int position)
{
    if (position <= 0)
        return 0.0f;
    return TwoDecimals(std::pow(10.0f, static_cast<float>(position) / 100.0f - kSfOffset));
}

QString SensitivityText(float contrast)
{
    if (contrast == 0.0f)
        return QStringLiteral("*");
    return RealText(TwoDecimals(100.0f / contrast));
}

// The program writes a field's text the way a user would type it: the
// field's own handling then runs once on the shown text, so the stored
// value is always the value as shown.
void SetStimulusField(QDialog* d, int id, const QString& text)
{
    Edit(d, id)->setText(text);
    selectStimulusChanged(d, id);
}

void EnableStimulusControls(QDialog* d, int type)
{
    const bool radius = type != Bar;
    const bool barSize = type == Bar;
    const bool orientation = type == Bar || type == Grating;
    const bool grating = type == Grating;
    for (int id : {kRadiusSlider, kRadiusEdit})
        Control<QWidget>(d, id)->setEnabled(radius);
    for (int id : {kBarLengthSlider, kBarLengthEdit, kBarWidthSlider, kBarWidthEdit})
        Control<QWidget>(d, id)->setEnabled(barSize);
    for (int id : {kOrientationSlider, kOrientationEdit})
        Control<QWidget>(d, id)->setEnabled(orientation);
    for (int id : {kSfSlider, kSfEdit, kVelocityEdit, kModulationEdit, kPhaseEdit})
        Control<QWidget>(d, id)->setEnabled(grating);
}

// Shows the radius of the current type (the spot's radius while the
// disabled controls stand for a bar, which has none).
void ShowStimulusRadius(QDialog* d)
{
    const float radius = IsGrating() ? stimulus.gratingRadius : stimulus.spotRadius;
    SetSliderQuietly(Slider(d, kRadiusSlider), RadiusPosition(radius));
    SetStimulusField(d, kRadiusEdit, RealText(radius));
}

namespace {

void OnEdit(QDialog* d, int id)
{
    float v = 0.0f;
    const bool number = ReadNumber(Edit(d, id), kFieldChars, v);
    switch (id) {
    case kRadiusEdit:
        // A rejected radius puts the slider back on the stored one.
        if (HasSpotRadius()) {
            if (number && v > 0.0f && v < 8.0f)
                stimulus.spotRadius = v;
            SetSliderQuietly(Slider(d, kRadiusSlider), RadiusPosition(stimulus.spotRadius));
        } else if (IsGrating()) {
            if (number && v > 0.0f && v < 8.0f)
                stimulus.gratingRadius = v;
            SetSliderQuietly(Slider(d, kRadiusSlider), RadiusPosition(stimulus.gratingRadius));
        }
        break;
    case kBarLengthEdit:
        if (number && v > 0.0f && v <= 14.0f) {
            stimulus.barLength = v;
            SetSliderQuietly(Slider(d, kBarLengthSlider), NearestInt(20.0f * v));
        }
        break;
    case kBarWidthEdit:
        if (number && v > 0.0f && v <= 14.0f) {
            stimulus.barWidth = v;
            SetSliderQuietly(Slider(d, kBarWidthSlider), NearestInt(20.0f * v));
        }
        break;
    case kOrientationEdit:
        if (number && v >= 0.0f && v <= 360.0f) {
            stimulus.orientation = v;
            SetSliderQuietly(Slider(d, kOrientationSlider), TruncInt(v));
        }
        break;
    case kContrastEdit:
        if (number && v >= 0.0f && v <= 100.0f) {
            stimulus.contrastPercent = v;
            // Typed contrasts below 1 % keep the slider at its 1 % end.
            const int position = v == 0.0f ? -1 : std::max(0, ContrastPositionFromValue(v));
            SetSliderQuietly(Slider(d, kContrastSlider), position);
            Edit(d, kSensitivityEdit)->setText(SensitivityText(v));
        }
        break;
    case kSfEdit:
        if (number && v >= 0.0f && v <= 100.0f) {
            stimulus.gratingSf = v;
            // Below 0.35 c/deg the slider's coarse steps would misstate the
            // typed value, so it stays where it is.
            if (v == 0.0f)
                SetSliderQuietly(Slider(d, kSfSlider), -1);
            else if (v > 0.35f)
                SetSliderQuietly(Slider(d, kSfSlider),
                                 std::clamp(NearestInt(100.0f * (std::log10(v) + kSfOffset)), 0, 220));
        }
        break;
    case kVelocityEdit:
        if (number && v >= 0.0f && v <= 20.0f) {
            stimulus.gratingVelocity = v;
            SetUpDownQuietly(UpDown(d, kVelocityUpDown), NearestInt(10.0f * v));
        }
        break;
    case kModulationEdit:
        if (number && v >= 0.0f && v <= 20.0f) {
            stimulus.modulationRate = v;
            SetUpDownQuietly(UpDown(d, kModulationUpDown), NearestInt(10.0f * v));
        }
        break;
    case kPhaseEdit:
        if (number && v >= 0.0f && v <= 360.0f) {
            stimulus.gratingPhase = v;
            SetUpDownQuietly(UpDown(d, kPhaseUpDown), TruncInt(v / 2.0f));
        }
        break;
    default:
        break;
    }
}

}  // namespace

void selectStimulusChanged(QDialog* d, int id)
{
    switch (id) {
    case kSfSlider:
        stimulus.gratingSf = SfFromPosition(Slider(d, id)->value());
        SetStimulusField(d, kSfEdit, RealText(stimulus.gratingSf));
        break;
    case kContrastSlider:
        stimulus.contrastPercent = ContrastFromPosition(Slider(d, id)->value());
        SetStimulusField(d, kContrastEdit, RealText(stimulus.contrastPercent));
        Edit(d, kSensitivityEdit)->setText(SensitivityText(stimulus.contrastPercent));
        break;
    case kOrientationSlider:
        stimulus.orientation = static_cast<float>(Slider(d, id)->value());
        SetStimulusField(d, kOrientationEdit, RealText(stimulus.orientation));
        break;
    case kBarWidthSlider:
        stimulus.barWidth = static_cast<float>(Slider(d, id)->value()) / 20.0f;
        SetStimulusField(d, kBarWidthEdit, RealText(stimulus.barWidth));
        break;
    case kBarLengthSlider:
        stimulus.barLength = static_cast<float>(Slider(d, id)->value()) / 20.0f;
        SetStimulusField(d, kBarLengthEdit, RealText(stimulus.barLength));
        break;
    case kRadiusSlider: {
        const float radius = static_cast<float>(Slider(d, id)->value()) / 20.0f;
        if (IsGrating())
            stimulus.gratingRadius = radius;
        else
            stimulus.spotRadius = radius;
        SetStimulusField(d, kRadiusEdit, RealText(radius));
        break;
    }
    case kVelocityUpDown:
        stimulus.gratingVelocity = static_cast<float>(UpDown(d, id)->value()) / 10.0f;
        SetStimulusField(d, kVelocityEdit, RealText(stimulus.gratingVelocity));
        break;
    case kModulationUpDown:
        stimulus.modulationRate = static_cast<float>(UpDown(d, id)->value()) / 10.0f;
        SetStimulusField(d, kModulationEdit, RealText(stimulus.modulationRate));
        break;
    case kPhaseUpDown:
        stimulus.gratingPhase = 2.0f * static_cast<float>(UpDown(d, id)->value());
        SetStimulusField(d, kPhaseEdit, RealText(stimulus.gratingPhase));
        break;
    case kTypeList: {
        const int index = Control<QComboBox>(d, id)->currentIndex();
        if (index >= 0)
            stimulus.stimulusType = index + 1;
        EnableStimulusControls(d, stimulus.stimulusType);
        if (IsGrating() || HasSpotRadius())
            ShowStimulusRadius(d);
        break;
    }
    case kBlack:
        stimulus.polarity = -1;
        break;
    case kWhite:
        stimulus.polarity = 1;
        break;
    default:
        OnEdit(d, id);
        break;
    }
}
