#include "controls/more_options_rules.h"
#include "controls/value_ranges.h"

#include "model/filters.h"
#include "model/model_options.h"
#include "model/numeric.h"
#include "model/receptive_field.h"

MoreOptionsView moreOptionsView;

namespace {

MoreOptionsView& view = moreOptionsView;

constexpr int32_t kSpinRanges[kOptionSpins][2] = {{kSurroundSteps[0], kSurroundSteps[1]}, {kGammaSteps[0], kGammaSteps[1]},
                                                   {kRateSteps[0], kRateSteps[1]}, {kHalfMaxSteps[0], kHalfMaxSteps[1]}};

SpinView& Spin(OptionSpin spin) { return view.spin[static_cast<int32_t>(spin)]; }
int32_t Position(OptionSpin spin) { return Spin(spin).position; }

void SetSpin(OptionSpin spin, int32_t position) { SetPosition(Spin(spin), position); }

bool TypeChosen() { return view.rateCellType >= 0 && view.rateCellType <= Complex - 1; }

// Every change reads all the controls back into the options, so the record
// always matches what the dialog shows.
void Apply(bool surroundMoved, bool listMoved)
{
    if (surroundMoved) {
        modelOptions.surroundWeight = static_cast<float>(Position(OptionSpin::Surround)) / 50.0f;
        CopyControlText(Spin(OptionSpin::Surround).text, RealText(modelOptions.surroundWeight));
        BuildFilters();
    }
    modelOptions.gammaOrder = Position(OptionSpin::Gamma);
    CopyControlText(Spin(OptionSpin::Gamma).text, IntegerText(modelOptions.gammaOrder));

    const int32_t k = view.rateCellType + 1;
    if (listMoved && TypeChosen())
        SetSpin(OptionSpin::Rate, RateCode(modelOptions.spontaneousRate[k]));
    const float rate = RateFromCode(Position(OptionSpin::Rate));
    CopyControlText(Spin(OptionSpin::Rate).text, RealText(rate));
    if (TypeChosen())
        modelOptions.spontaneousRate[k] = rate;

    modelOptions.saturatingIO = view.saturating;
    modelOptions.halfMaxContrast = static_cast<float>(Position(OptionSpin::HalfMax));
    CopyControlText(Spin(OptionSpin::HalfMax).text, RealText(modelOptions.halfMaxContrast));
    modelOptions.backgroundHash = view.hash;
    ApplyCellTypeRates();
}

}  // namespace

float RateFromCode(int32_t position)
{
    if (position < 10)
        return static_cast<float>(position) / 10.0f;
    return static_cast<float>(position - 9);
}

int32_t RateCode(float rate)
{
    if (rate >= 1.0f)
        return TruncInt(rate) + 9;
    return TruncInt(rate * 10.0f);
}

const MoreOptionsView& OpenMoreOptions()
{
    view = MoreOptionsView{};
    for (int32_t i = 0; i < kOptionSpins; ++i)
        view.spin[i] = {{}, kSpinRanges[i][0], kSpinRanges[i][0], kSpinRanges[i][1], true};

    SetSpin(OptionSpin::Surround, TruncInt(modelOptions.surroundWeight * 50.0f));
    CopyControlText(Spin(OptionSpin::Surround).text, RealText(modelOptions.surroundWeight));
    SetSpin(OptionSpin::Gamma, modelOptions.gammaOrder);
    const int32_t type = receptiveField.cellType;
    view.rateCellType = type >= OnCentreX && type <= Complex ? type - 1 : -1;
    if (TypeChosen())
        SetSpin(OptionSpin::Rate, RateCode(modelOptions.spontaneousRate[type]));
    view.saturating = modelOptions.saturatingIO;
    SetSpin(OptionSpin::HalfMax, TruncInt(modelOptions.halfMaxContrast));
    view.hash = modelOptions.backgroundHash;

    // Applying once fills the shown values and settles the record on what
    // the controls hold.
    Apply(false, false);
    return view;
}

const MoreOptionsView& StepOptionSpin(OptionSpin spin, int32_t position)
{
    if (spin >= OptionSpin::Surround && spin < OptionSpin::Count)
        SetSpin(spin, position);
    Apply(spin == OptionSpin::Surround, false);
    return view;
}

const MoreOptionsView& ChooseRateCellType(int32_t entry)
{
    if (entry >= 0 && entry <= Complex - 1)
        view.rateCellType = entry;
    Apply(false, true);
    return view;
}

const MoreOptionsView& CheckSaturating(bool on)
{
    view.saturating = on;
    Apply(false, false);
    return view;
}

const MoreOptionsView& CheckHash(bool on)
{
    view.hash = on;
    Apply(false, false);
    return view;
}
