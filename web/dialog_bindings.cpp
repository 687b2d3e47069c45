// The dialogs' side of the web binding: the forms' actions through the
// core's dialog rules, each answered with all the form's controls as JSON.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdint>
#include <utility>

#include "controls/feedback_rules.h"
#include "controls/more_options_rules.h"
#include "controls/rf_dialog_rules.h"
#include "controls/select_stimulus_rules.h"
#include "formats/json_writer.h"
#include "language/catalog.h"
#include "sim/commands.h"
#include "web/dialog_actions.h"

namespace {

// The dialogs' controls as JSON, for the page's forms to show: a second
// view over the same rules the desktop dialogs show.
JsonWriter json;

void Field(const char* key, const FieldView& f)
{
    json.OpenObject(key), json.Text("text", f.text), json.Bool("enabled", f.enabled), json.CloseObject();
}
void Slider(const char* key, const SliderView& v)
{
    json.OpenObject(key), json.Int("position", v.position), json.Int("minimum", v.minimum);
    json.Int("maximum", v.maximum), json.Bool("enabled", v.enabled), json.CloseObject();
}
void Spin(const char* key, const SpinView& v)
{
    json.OpenObject(key), json.Text("text", v.text), json.Int("position", v.position);
    json.Int("minimum", v.minimum), json.Int("maximum", v.maximum), json.Bool("enabled", v.enabled), json.CloseObject();
}
// A list of controls of one kind, each written by item (Field, Slider or Spin).
template <typename Views, typename View>
void List(const char* key, const Views& views, void (*item)(const char*, const View&))
{
    json.OpenArray(key);
    for (const View& v : views) item(nullptr, v);
    json.CloseArray();
}

const char* Show(const SelectStimulusView& v)
{
    json.out.clear();
    json.OpenObject(), json.Int("shape", v.shape), List("slider", v.slider, Slider);
    List("field", v.field, Field), Field("sensitivity", v.sensitivity);
    List("spin", v.spin, Spin), json.Bool("black", v.black), json.Bool("white", v.white);
    List("noise", v.noise, Field), json.Text("noiseMessage", Tr(v.noiseMessage));
    json.Bool("flickerNotice", v.flickerNotice), json.CloseObject();
    return json.out.c_str();
}

const char* Show(const RfDialogView& v)
{
    json.out.clear();
    json.OpenObject(), json.Int("cellType", v.cellType), List("spin", v.spin, Spin);
    List("slider", v.slider, Slider), Field("orientation", v.orientation);
    json.Int("display", v.display), json.Int("randomise", v.randomise), json.CloseObject();
    return json.out.c_str();
}

const char* Show(const MoreOptionsView& v)
{
    json.out.clear();
    json.OpenObject(), List("spin", v.spin, Spin), json.Int("rateCellType", v.rateCellType);
    json.Bool("saturating", v.saturating), json.Bool("hash", v.hash), json.CloseObject();
    return json.out.c_str();
}

const char* Show(const FeedbackView& v)
{
    json.out.clear();
    json.OpenObject();
    const std::pair<const char*, const char*> fields[] = {
        {"typeText", Tr(v.typeText)}, {"orientationActual", v.orientationActual},
        {"orientationEstimate", v.orientationEstimate}, {"orientationDifference", v.orientationDifference},
        {"sfActual", v.sfActual}, {"sfEstimate", v.sfEstimate}, {"sfDifference", v.sfDifference},
        {"xActual", v.xActual}, {"yActual", v.yActual}, {"xEstimate", v.xEstimate}, {"yEstimate", v.yEstimate},
        {"xDifference", v.xDifference}, {"yDifference", v.yDifference}, {"distance", v.distance}};
    for (const auto& [key, text] : fields) json.Text(key, text);
    json.CloseObject();
    return json.out.c_str();
}

template <typename E>
E Index(int32_t i, E count)
{
    return static_cast<E>(std::clamp(i, 0, static_cast<int32_t>(count) - 1));
}

const char* SelectStimulusAction(DialogAction action, int32_t i, int32_t value, const char* text)
{
    switch (action) {
    case DialogAction::Open: return Show(OpenSelectStimulus());
    case DialogAction::Close: CloseSelectStimulus(); return Show(selectStimulusView);
    case DialogAction::TypeField: return Show(TypeStimulusField(Index(i, StimulusRow::Count), text));
    case DialogAction::TypeSpin: return Show(TypeStimulusSpin(Index(i, StimulusSpin::Count), text));
    case DialogAction::MoveSlider: return Show(MoveStimulusSlider(Index(i, StimulusRow::Count), value));
    case DialogAction::StepSpin: return Show(StepStimulusSpin(Index(i, StimulusSpin::Count), value));
    case DialogAction::ChooseFromList: return Show(ChooseShape(value));
    case DialogAction::ChoosePolarity: return Show(ChoosePolarity(value));
    case DialogAction::TypeNoise: return Show(TypeNoiseField(Index(i, NoiseRow::Count), text));
    case DialogAction::AcknowledgeNotice: return Show(AcknowledgeFlickerNotice());
    default: return Show(selectStimulusView);
    }
}

const char* RfAction(DialogAction action, int32_t i, int32_t value, const char* text)
{
    switch (action) {
    case DialogAction::Open: return Show(OpenRfDialog());
    case DialogAction::TypeField: return Show(TypeRfOrientation(text));
    case DialogAction::TypeSpin: return Show(TypeRfSpin(Index(i, RfSpin::Count), text));
    case DialogAction::MoveSlider: return Show(MoveRfSlider(Index(i, RfSlider::Count), value));
    case DialogAction::StepSpin: return Show(StepRfSpin(Index(i, RfSpin::Count), value));
    case DialogAction::ChooseFromList: return Show(ChooseCellType(value));
    case DialogAction::ChooseDisplay: return Show(ChooseDisplay(value));
    case DialogAction::ChooseRandomise: return Show(ChooseRandomise(value));
    default: return Show(rfDialogView);
    }
}

const char* MoreOptionsAction(DialogAction action, int32_t i, int32_t value)
{
    switch (action) {
    case DialogAction::Open: return Show(OpenMoreOptions());
    case DialogAction::StepSpin: return Show(StepOptionSpin(Index(i, OptionSpin::Count), value));
    case DialogAction::ChooseFromList: return Show(ChooseRateCellType(value));
    case DialogAction::CheckSaturating: return Show(CheckSaturating(value != 0));
    case DialogAction::CheckHash: return Show(CheckHash(value != 0));
    default: return Show(moreOptionsView);
    }
}

}  // namespace

extern "C" {

// One action on a dialog's form (the dialog by its menu command, or
// kFeedbackWindow); returns all its controls as JSON. index picks a
// row, slider or spin box; value is a position or a choice; text a typed
// field's whole text.
EMSCRIPTEN_KEEPALIVE const char* tess_dialog(int32_t dialog, int32_t action, int32_t index, int32_t value,
                                             const char* text)
{
    if (text == nullptr) text = "";
    const auto act = static_cast<DialogAction>(action);  // any number: one not listed falls to the default
    switch (dialog) {
    case CmdSelectStimulus: return SelectStimulusAction(act, index, value, text);
    case CmdSelectReceptiveField: return RfAction(act, index, value, text);
    case CmdMoreOptions: return MoreOptionsAction(act, index, value);
    case kFeedbackWindow: return Show(ShowFeedbackScores());
    default: return "{}";
    }
}

}  // extern "C"
