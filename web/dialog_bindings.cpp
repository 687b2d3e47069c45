// The dialogs' side of the web binding: the forms' actions through the
// core's dialog rules, and the names the page shares with the core (command
// ids, window ids, the dialogs' texts), so the page writes none of them.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <span>
#include <string>
#include <utility>

#include "controls/dialog_labels.h"
#include "controls/feedback_rules.h"
#include "controls/more_options_rules.h"
#include "controls/rf_dialog_rules.h"
#include "controls/select_stimulus_rules.h"
#include "model/file_numbers.h"
#include "resources/strings.h"
#include "sim/commands.h"
#include "stimulus/stimulus_state.h"
#include "tuning/tuning_sweep.h"

namespace {

// The dialogs' controls as JSON, for the page's forms to show: a second
// view over the same rules the desktop dialogs show.
struct Json {
    std::string out;
    void Key(const char* key)
    {
        if (!out.empty() && out.back() != '{' && out.back() != '[') out += ',';
        if (key != nullptr) out += '"', out += key, out += "\":";
    }
    void Open(const char* key, char bracket) { Key(key), out += bracket; }
    void Close(char bracket) { out += bracket; }
    void Int(const char* key, int32_t v) { Key(key), out += std::to_string(v); }
    void Bool(const char* key, bool v) { Key(key), out += v ? "true" : "false"; }
    void Real(const char* key, float v) { Key(key), out += ShortestRealText(v); }
    void Text(const char* key, const char* v)
    {
        Key(key);
        out += '"';
        for (const char* c = v; *c != '\0'; ++c) {
            if (*c == '"' || *c == '\\') out += '\\';
            if (static_cast<unsigned char>(*c) >= 0x20) out += *c;
        }
        out += '"';
    }
    void Field(const char* key, const FieldView& f)
    {
        Open(key, '{'), Text("text", f.text), Bool("enabled", f.enabled), Close('}');
    }
    void Slider(const char* key, const SliderView& v)
    {
        Open(key, '{'), Int("position", v.position), Int("minimum", v.minimum), Int("maximum", v.maximum);
        Bool("enabled", v.enabled), Close('}');
    }
    void Spin(const char* key, const SpinView& v)
    {
        Open(key, '{'), Text("text", v.text), Int("position", v.position), Int("minimum", v.minimum);
        Int("maximum", v.maximum), Bool("enabled", v.enabled), Close('}');
    }
    // A list of controls of one kind, each written by item (Field, Slider or Spin).
    template <typename Views, typename View>
    void List(const char* key, const Views& views, void (Json::*item)(const char*, const View&))
    {
        Open(key, '[');
        for (const View& v : views) (this->*item)(nullptr, v);
        Close(']');
    }
};
Json json;

const char* Show(const SelectStimulusView& v)
{
    json.out.clear();
    json.Open(nullptr, '{'), json.Int("shape", v.shape), json.List("slider", v.slider, &Json::Slider);
    json.List("field", v.field, &Json::Field), json.Field("sensitivity", v.sensitivity);
    json.List("spin", v.spin, &Json::Spin), json.Bool("black", v.black), json.Bool("white", v.white), json.Close('}');
    return json.out.c_str();
}

const char* Show(const RfDialogView& v)
{
    json.out.clear();
    json.Open(nullptr, '{'), json.Int("cellType", v.cellType), json.List("spin", v.spin, &Json::Spin);
    json.List("slider", v.slider, &Json::Slider), json.Field("orientation", v.orientation);
    json.Int("display", v.display), json.Int("randomise", v.randomise), json.Close('}');
    return json.out.c_str();
}

const char* Show(const MoreOptionsView& v)
{
    json.out.clear();
    json.Open(nullptr, '{'), json.List("spin", v.spin, &Json::Spin), json.Int("rateCellType", v.rateCellType);
    json.Bool("saturating", v.saturating), json.Bool("hash", v.hash), json.Close('}');
    return json.out.c_str();
}

const char* Show(const FeedbackView& v)
{
    json.out.clear();
    json.Open(nullptr, '{');
    const std::pair<const char*, const char*> fields[] = {
        {"typeText", v.typeText}, {"orientationActual", v.orientationActual},
        {"orientationEstimate", v.orientationEstimate}, {"orientationDifference", v.orientationDifference},
        {"sfActual", v.sfActual}, {"sfEstimate", v.sfEstimate}, {"sfDifference", v.sfDifference},
        {"xActual", v.xActual}, {"yActual", v.yActual}, {"xEstimate", v.xEstimate}, {"yEstimate", v.yEstimate},
        {"xDifference", v.xDifference}, {"yDifference", v.yDifference}, {"distance", v.distance}};
    for (const auto& [key, text] : fields) json.Text(key, text);
    json.Close('}');
    return json.out.c_str();
}

// What a form did to one of its controls; the page reads the numbers by name (tess_names).
enum class DialogAction : int32_t {
    Open = 0, Close = 1, TypeField = 2, TypeSpin = 3, MoveSlider = 4, StepSpin = 5,
    ChooseFromList = 6,  // the shape, the cell type, or the rate's cell type
    ChoosePolarity = 7, ChooseDisplay = 8, ChooseRandomise = 9, CheckSaturating = 10, CheckHash = 11,
};
constexpr int32_t kFeedbackWindow = 121;

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

// Every name the page uses for an id or a text of the core, as one JSON
// object built once.
void NameIds(Json& j, const char* key, std::span<const std::pair<const char*, int32_t>> ids)
{
    j.Open(key, '{');
    for (const auto& [name, id] : ids) j.Int(name, id);
    j.Close('}');
}

void Texts(Json& j, const char* key, std::span<const char* const> texts)
{
    j.Open(key, '[');
    for (const char* t : texts) j.Text(nullptr, t);
    j.Close(']');
}

void Rows(Json& j, const char* key, std::span<const LabelledRow> rows)
{
    j.Open(key, '[');
    for (const LabelledRow& r : rows) {
        j.Open(nullptr, '['), j.Text(nullptr, r.caption), j.Text(nullptr, r.unit), j.Close(']');
    }
    j.Close(']');
}

void DialogLabels(Json& j)
{
    j.Open("selectStimulus", '{'), j.Text("title", kSelectStimulusTitle), Texts(j, "shapes", kStimulusShapes);
    Rows(j, "rows", kStimulusRowLabels), Rows(j, "spins", kStimulusSpinLabels);
    j.Text("sensitivity", kSensitivityCaption), j.Text("grating", kGratingGroupTitle);
    Texts(j, "polarity", kPolarityNames), j.Close('}');
    j.Open("receptiveField", '{'), j.Text("title", kRfDialogTitle), Texts(j, "cellTypes", kCellTypeNames);
    Rows(j, "spins", kRfSpinLabels), Rows(j, "orientation", std::span(&kRfOrientationLabel, 1));
    j.Text("gabor", kGaborGroupTitle), j.Text("position", kRfPositionTitle), Texts(j, "axes", kRfPositionAxes);
    j.Text("displayTitle", kDisplayGroupTitle), Texts(j, "display", kDisplayModeNames);
    j.Text("randomiseTitle", kPositionUpdatesTitle), Texts(j, "randomise", kPositionUpdateNames), j.Close('}');
    j.Open("moreOptions", '{'), j.Text("title", kMoreOptionsTitle), Texts(j, "rateCellTypes", kRateCellTypeNames);
    Rows(j, "rows", kOptionRowLabels), j.Text("hash", kHashCheckText), j.Close('}');
    j.Open("feedback", '{'), j.Text("title", kFeedbackTitle), j.Text("type", kFeedbackTypeCaption);
    Texts(j, "groups", kFeedbackGroupTitles), Texts(j, "rows", kFeedbackRowNames), Texts(j, "axes", kFeedbackAxes);
    j.Close('}');
}

std::string BuildNames()
{
    using Id = std::pair<const char*, int32_t>;
    constexpr Id kCommands[] = {{"exit", CmdExit}, {"selectStimulus", CmdSelectStimulus},
                                {"selectReceptiveField", CmdSelectReceptiveField}, {"moreOptions", CmdMoreOptions},
                                {"help", CmdHelp}};
    constexpr Id kIds[] = {
        {"cursorHidden", kCursorHidden}, {"helpText", kHelpTextId}, {"feedbackWindow", kFeedbackWindow}};
    using A = DialogAction;
    constexpr std::pair<const char*, A> kActions[] = {
        {"open", A::Open}, {"close", A::Close}, {"typeField", A::TypeField}, {"typeSpin", A::TypeSpin},
        {"moveSlider", A::MoveSlider}, {"stepSpin", A::StepSpin}, {"chooseFromList", A::ChooseFromList},
        {"choosePolarity", A::ChoosePolarity}, {"chooseDisplay", A::ChooseDisplay},
        {"chooseRandomise", A::ChooseRandomise}, {"checkSaturating", A::CheckSaturating}, {"checkHash", A::CheckHash}};
    Json j;
    j.Open(nullptr, '{'), NameIds(j, "commands", kCommands), NameIds(j, "ids", kIds), j.Open("dialogActions", '{');
    for (const auto& [name, action] : kActions) j.Int(name, static_cast<int32_t>(action));
    j.Close('}'), j.Open("labels", '{'), DialogLabels(j), j.Close('}');
    // Each sweep's first value, last value and points, as the tuning window offers them.
    j.Open("sweepDefaults", '[');
    for (const int32_t p : {SweepOrientation, SweepSpatialFrequency, SweepSize, SweepContrast}) {
        const SweepDefaults d = DefaultsOfSweep(p);
        j.Open(nullptr, '['), j.Real(nullptr, d.from), j.Real(nullptr, d.to), j.Int(nullptr, d.points), j.Close(']');
    }
    j.Close(']'), j.Close('}');
    return j.out;
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

// The names above as JSON: {commands, ids, dialogActions, labels}.
EMSCRIPTEN_KEEPALIVE const char* tess_names()
{
    static const std::string names = BuildNames();
    return names.c_str();
}

}  // extern "C"
