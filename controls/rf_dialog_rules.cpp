#include "controls/rf_dialog_rules.h"
#include "controls/value_ranges.h"

#include <algorithm>

#include "model/app_state.h"
#include "model/filters.h"
#include "model/numeric.h"
#include "model/receptive_field.h"

RfDialogView rfDialogView;

namespace {

RfDialogView& view = rfDialogView;

constexpr int32_t kRfFieldChars = 32;
constexpr int32_t kSpinRanges[kRfSpins][2] = {{3, 100}, {1, 100}, {0, 72}, {1, 100}, {1, 100}};

SpinView& Spin(RfSpin spin) { return view.spin[static_cast<int32_t>(spin)]; }
SliderView& Slider(RfSlider slider) { return view.slider[static_cast<int32_t>(slider)]; }

void SetSpin(RfSpin spin, int32_t position) { SetPosition(Spin(spin), position); }
void SetSlider(RfSlider slider, int32_t position) { SetPosition(Slider(slider), position); }
void ShowSpin(RfSpin spin, float v) { CopyControlText(Spin(spin).text, RealText(v)); }

// The buttons decide the display and randomisation modes. A field revealed
// after a hand plot stays revealed, and keeps the mode the next new field
// returns to, until the student picks a display choice: the display buttons
// then show that mode to return to, not a mode in force.
void ReadButtons(bool displayChosen)
{
    if (receptiveField.displayMode != Revealed || displayChosen) {
        if (view.display >= GreyScale && view.display <= Hidden)
            receptiveField.displayMode = view.display;
        if (receptiveField.displayMode != Revealed)
            receptiveField.savedDisplayMode = receptiveField.displayMode.load();
    }
    if (view.randomise >= LeaveWhereSelected && view.randomise <= RandomiseEverything)
        receptiveField.randomiseMode = view.randomise;
}

// A typed spin box: the number is taken when it is one and in range; the
// arrows' position moves only when the rounded value lies on their scale.
void SpinTyped(RfSpin spin, const char* text)
{
    CopyControlText(Spin(spin).text, text);
    float v = 0.0f;
    if (!ReadNumber(text, kRfFieldChars, v))
        return;
    switch (spin) {
    case RfSpin::Centre:
        if (InRange(kCentreSigmaRange, v)) {
            receptiveField.surroundSigma = 5.0f * v;
            receptiveField.centreSigma = v;
            if (const int32_t n = NearestInt(50.0f * v); n >= 3 && n <= 100)
                SetSpin(spin, n);
        }
        break;
    case RfSpin::SpatialFrequency:
        if (InRange(kPositiveRange, v)) {
            receptiveField.spatialFrequency = v;
            if (const int32_t n = NearestInt(10.0f * v); n >= 1 && n <= 100)
                SetSpin(spin, n);
        }
        break;
    case RfSpin::Phase:
        // Any phase is a phase; the arrows only cover 0..360 degrees.
        receptiveField.phase = v;
        if (const int32_t n = NearestInt(v / 5.0f); n >= 0 && n <= 360)
            SetSpin(spin, n);
        break;
    case RfSpin::Width:
    case RfSpin::Length:
        if (InRange(kPositiveRange, v)) {
            (spin == RfSpin::Width ? receptiveField.width : receptiveField.length) = v;
            if (const int32_t n = NearestInt(10.0f * v); n <= 100)
                SetSpin(spin, n);
        }
        break;
    default:
        break;
    }
}

}  // namespace

const RfDialogView& OpenRfDialog()
{
    view = RfDialogView{};
    for (int32_t i = 0; i < kRfSpins; ++i) {
        view.spin[i].minimum = kSpinRanges[i][0];
        view.spin[i].maximum = kSpinRanges[i][1];
        view.spin[i].enabled = true;
    }
    const float dpp = kDegreesPerPixel;
    const int32_t maxX = std::max(0, TruncInt(static_cast<float>(appState.clientWidth) * 10.0f * dpp));
    const int32_t maxY = std::max(0, TruncInt(static_cast<float>(appState.clientHeight) * 10.0f * dpp));
    Slider(RfSlider::Orientation) = {0, 0, 360, true};
    Slider(RfSlider::Horizontal) = {0, 0, maxX, true};
    Slider(RfSlider::Vertical) = {0, 0, maxY, true};
    view.orientation.enabled = true;

    SetSpin(RfSpin::Centre, TruncInt(receptiveField.centreSigma * 50.0f));
    SetSpin(RfSpin::SpatialFrequency, TruncInt(receptiveField.spatialFrequency * 10.0f));
    SetSpin(RfSpin::Phase, TruncInt(receptiveField.phase / 5.0f));
    SetSpin(RfSpin::Width, TruncInt(receptiveField.width * 10.0f));
    SetSpin(RfSpin::Length, TruncInt(receptiveField.length * 10.0f));
    SetSlider(RfSlider::Orientation, TruncInt(receptiveField.orientation));
    SetSlider(RfSlider::Horizontal, TruncInt(receptiveField.centreX * 10.0f));
    SetSlider(RfSlider::Vertical, TruncInt(receptiveField.centreY * 10.0f));

    const int32_t type = receptiveField.cellType;
    view.cellType = type >= OnCentreX && type <= Complex ? type - 1 : -1;

    // A revealed field shows the choice its next new field returns to.
    const int32_t shown = receptiveField.displayMode;
    const int32_t display = shown == Revealed ? receptiveField.savedDisplayMode.load() : shown;
    view.display = display >= GreyScale && display <= Hidden ? display : 0;
    const int32_t randomise = receptiveField.randomiseMode;
    view.randomise = randomise >= LeaveWhereSelected && randomise <= RandomiseEverything ? randomise : 0;

    ShowSpin(RfSpin::Centre, receptiveField.centreSigma);
    CopyControlText(view.orientation.text, RealText(receptiveField.orientation));
    ShowSpin(RfSpin::SpatialFrequency, receptiveField.spatialFrequency);
    ShowSpin(RfSpin::Phase, receptiveField.phase);
    ShowSpin(RfSpin::Width, receptiveField.width);
    ShowSpin(RfSpin::Length, receptiveField.length);

    ReadButtons(false);
    BuildFilters();
    return view;
}

const RfDialogView& TypeRfSpin(RfSpin spin, const char* text)
{
    if (spin >= RfSpin::Centre && spin < RfSpin::Count)
        SpinTyped(spin, text);
    BuildFilters();
    return view;
}

const RfDialogView& TypeRfOrientation(const char* text)
{
    CopyControlText(view.orientation.text, text);
    float v = 0.0f;
    if (ReadNumber(text, kRfFieldChars, v) && InRange(kOrientationRange, v)) {
        receptiveField.orientation = v;
        SetSlider(RfSlider::Orientation, TruncInt(v));
    }
    BuildFilters();
    return view;
}

const RfDialogView& StepRfSpin(RfSpin spin, int32_t position)
{
    if (spin >= RfSpin::Centre && spin < RfSpin::Count) {
        SetSpin(spin, position);
        const float p = static_cast<float>(Spin(spin).position);
        switch (spin) {
        case RfSpin::Centre:
            receptiveField.centreSigma = p / 50.0f;
            receptiveField.surroundSigma = receptiveField.centreSigma * 5.0f;
            ShowSpin(spin, receptiveField.centreSigma);
            break;
        case RfSpin::SpatialFrequency:
            receptiveField.spatialFrequency = p / 10.0f;
            ShowSpin(spin, receptiveField.spatialFrequency);
            break;
        case RfSpin::Phase:
            receptiveField.phase = 5.0f * p;
            ShowSpin(spin, receptiveField.phase);
            break;
        case RfSpin::Width:
            receptiveField.width = p / 10.0f;
            ShowSpin(spin, receptiveField.width);
            break;
        case RfSpin::Length:
            receptiveField.length = p / 10.0f;
            ShowSpin(spin, receptiveField.length);
            break;
        default:
            break;
        }
    }
    ReadButtons(false);
    BuildFilters();
    return view;
}

const RfDialogView& MoveRfSlider(RfSlider slider, int32_t position)
{
    if (slider >= RfSlider::Orientation && slider < RfSlider::Count) {
        SetSlider(slider, position);
        const float p = static_cast<float>(Slider(slider).position);
        if (slider == RfSlider::Orientation) {
            receptiveField.orientation = p;
            CopyControlText(view.orientation.text, RealText(p));
        } else {
            (slider == RfSlider::Horizontal ? receptiveField.centreX : receptiveField.centreY) = p / 10.0f;
        }
    }
    ReadButtons(false);
    BuildFilters();
    return view;
}

const RfDialogView& ChooseCellType(int32_t entry)
{
    if (entry >= 0 && entry <= Complex - 1) {
        receptiveField.cellType = entry + 1;
        view.cellType = entry;
    }
    ReadButtons(false);
    BuildFilters();
    return view;
}

const RfDialogView& ChooseDisplay(int32_t mode)
{
    if (mode >= GreyScale && mode <= Hidden)
        view.display = mode;
    ReadButtons(true);
    BuildFilters();
    return view;
}

const RfDialogView& ChooseRandomise(int32_t mode)
{
    if (mode >= LeaveWhereSelected && mode <= RandomiseEverything)
        view.randomise = mode;
    ReadButtons(false);
    BuildFilters();
    return view;
}
