#include "tuning/tuning_form.h"

#include <algorithm>
#include <cmath>

#include "model/file_numbers.h"
#include "model/numeric.h"
#include "model/receptive_field.h"
#include "stimulus/stimulus_state.h"

namespace {

// Ranges kept where every piece that runs a sweep can honour them: points
// and repeats within what a sitting allows (a hundred repeats of twelve
// points at a second each is half an hour), a presentation of 0.2 s (ten
// ticks, past the onset transient) to a minute, the orientation step from
// 5 degrees (72 points) to 180 (two). From and To are each parameter's
// widest range (DefaultsOfSweep), with decimals enough for its octave steps.
constexpr FormNumber kStep{N_("Orientation &step"), N_("deg"), 5.0, 180.0, 30.0, 5.0, 1};
constexpr FormNumber kPoints{N_("P&oints"), "", 2.0, 60.0, 12.0, 1.0, 0};
constexpr FormNumber kRepeats{N_("&Repeats"), "", 1.0, 100.0, 2.0, 1.0, 0};
constexpr FormNumber kSeconds{N_("Presentation &time"), "s", 0.2, 60.0, 1.0, 0.1, 1};
constexpr int32_t kRangeDecimals = 3;  // a typed 3.125 % or 0.025 c/deg is kept as typed

}  // namespace

TuningForm TuningFormOf(int32_t parameter)
{
    if (parameter < 0 || parameter >= kSweepParameterCount) parameter = SweepOrientation;
    TuningForm form;
    for (int32_t p = 0; p < kSweepParameterCount; ++p) form.parameters.push_back(DefaultsOfSweep(p).name);
    form.parameter = parameter;
    const SweepDefaults d = DefaultsOfSweep(parameter);
    form.step = kStep;
    form.from = {N_("&From"), "", d.low, d.high, d.from, d.arrowStep, kRangeDecimals};
    form.to = {N_("&To"), "", d.low, d.high, d.to, d.arrowStep, kRangeDecimals};
    form.points = kPoints;
    form.points.value = d.points;
    form.repeats = kRepeats;
    form.seconds = kSeconds;
    form.stepUsed = parameter == SweepOrientation;
    form.centreShown = receptiveField.displayMode != Hidden;
    // Both shells show the texts as given: in the language in force (the
    // file names stay English).
    for (const char** text : {&form.title, &form.parameterLabel, &form.centreText, &form.start, &form.stop,
                              &form.saveData, &form.savePicture, &form.close, &form.plotTitle})
        *text = Tr(*text);
    for (const char*& name : form.parameters) name = Tr(name);
    for (FormNumber* field : {&form.step, &form.from, &form.to, &form.points, &form.repeats, &form.seconds}) {
        field->label = Tr(field->label);
        field->unit = Tr(field->unit);
    }
    return form;
}

TuningFormValues DefaultFormValues(int32_t parameter)
{
    const TuningForm f = TuningFormOf(parameter);
    return {f.parameter, f.step.value, f.from.value, f.to.value, f.points.value, f.repeats.value, f.seconds.value,
            f.centreChecked};
}

double BoundToField(double value, const FormNumber& field)
{
    if (std::isnan(value)) return field.value;
    const double scale = std::pow(10.0, field.decimals);
    // Clamped first, so the rounding never meets a number past a float's range.
    const double rounded = std::round(std::clamp(value, field.low, field.high) * scale) / scale;
    return std::clamp(rounded, field.low, field.high);
}

SweepPlan PlanOfForm(const TuningFormValues& values)
{
    const TuningForm form = TuningFormOf(values.parameter);
    const int32_t ticks = NearestInt(BoundToField(values.seconds, form.seconds) / kTickSeconds);
    const int32_t repeats = NearestInt(BoundToField(values.repeats, form.repeats));
    SweepPlan plan;
    if (form.parameter == SweepOrientation) {
        plan = OrientationPlan(static_cast<float>(BoundToField(values.step, form.step)), repeats, ticks);
    } else {
        plan.parameter = form.parameter;
        plan.from = static_cast<float>(BoundToField(values.from, form.from));
        plan.to = static_cast<float>(BoundToField(values.to, form.to));
        plan.points = NearestInt(BoundToField(values.points, form.points));
        plan.repeats = repeats;
        plan.presentTicks = ticks;
    }
    plan.centreOnField = values.centre;
    return SanitisePlan(plan);
}

std::string WithoutAccessKey(const char* label)
{
    std::string text;
    for (const char* c = label; *c != '\0'; ++c)
        if (*c != '&') text += *c;
    return text;
}

std::string TuningProgressText(bool running, int32_t done, int32_t total, int64_t ticksLeft)
{
    if (!running) return TrArgs("%1 points measured", {std::to_string(done)});
    const int64_t seconds = (std::max<int64_t>(ticksLeft, 0) * 20 + 999) / 1000;
    return TrArgs("%1 of %2 points, %3 s left", {std::to_string(done), std::to_string(total), std::to_string(seconds)});
}

std::string TuningPlacementText(bool centreChecked)
{
    const bool centred = SweepRunning() ? tuningSweep.centred
                                        : centreChecked && receptiveField.displayMode != Hidden;
    if (centred) return "";
    return TrArgs("The sweep is shown at the stimulus position (%1°, %2°)",
                  {LocalNumber(FixedRealText(stimulus.stimX, 1)), LocalNumber(FixedRealText(stimulus.stimY, 1))});
}
