// Every id, number and text the page shares with the core, as one JSON
// object (tess_names), its texts in the language in force: the page writes
// none of them itself, and asks again after a change of language. The
// tables hold English keys (marked N_), so each text is translated here,
// where it leaves for the page.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "controls/dialog_labels.h"
#include "controls/lesson.h"
#include "controls/shell_texts.h"
#include "controls/zoom_steps.h"
#include "formats/json_writer.h"
#include "language/catalog.h"
#include "model/receptive_field.h"
#include "resources/strings.h"
#include "resources/toolbar_layout.h"
#include "sim/audio_stream.h"
#include "sim/commands.h"
#include "stimulus/stimulus_state.h"
#include "web/dialog_actions.h"

namespace {

using Id = std::pair<const char*, int32_t>;

// A string of the table; empty where it has none.
const char* ProgramString(int32_t id)
{
    const char* text = LoadProgramString(id);
    return text != nullptr ? Tr(text) : "";
}

void Numbers(JsonWriter& j, const char* key, std::span<const Id> ids)
{
    j.OpenObject(key);
    for (const auto& [name, id] : ids) j.Int(name, id);
    j.CloseObject();
}

void Texts(JsonWriter& j, const char* key, std::span<const char* const> texts)
{
    j.OpenArray(key);
    for (const char* t : texts) j.Text(nullptr, Tr(t));
    j.CloseArray();
}

void Rows(JsonWriter& j, const char* key, std::span<const LabelledRow> rows)
{
    j.OpenArray(key);
    for (const LabelledRow& r : rows) j.OpenArray(), j.Text(nullptr, Tr(r.caption)), j.Text(nullptr, Tr(r.unit)), j.CloseArray();
    j.CloseArray();
}

void DialogLabels(JsonWriter& j)
{
    j.OpenObject("selectStimulus"), j.Text("title", Tr(kSelectStimulusTitle)), Texts(j, "shapes", kStimulusShapes);
    Rows(j, "rows", kStimulusRowLabels), Rows(j, "spins", kStimulusSpinLabels);
    j.Text("sensitivity", Tr(kSensitivityCaption)), j.Text("grating", Tr(kGratingGroupTitle));
    Texts(j, "polarity", kPolarityNames), j.Text("noise", Tr(kNoiseGroupTitle)), Rows(j, "noiseRows", kNoiseRowLabels);
    j.CloseObject();
    j.OpenObject("receptiveField"), j.Text("title", Tr(kRfDialogTitle)), Texts(j, "cellTypes", kCellTypeNames);
    Rows(j, "spins", kRfSpinLabels), Rows(j, "orientation", std::span(&kRfOrientationLabel, 1));
    j.Text("gabor", Tr(kGaborGroupTitle)), j.Text("position", Tr(kRfPositionTitle)), Texts(j, "axes", kRfPositionAxes);
    j.Text("displayTitle", Tr(kDisplayGroupTitle)), Texts(j, "display", kDisplayModeNames);
    j.Text("randomiseTitle", Tr(kPositionUpdatesTitle)), Texts(j, "randomise", kPositionUpdateNames), j.CloseObject();
    j.OpenObject("moreOptions"), j.Text("title", Tr(kMoreOptionsTitle)), Texts(j, "rateCellTypes", kRateCellTypeNames);
    Rows(j, "rows", kOptionRowLabels), j.Text("hash", Tr(kHashCheckText)), j.CloseObject();
    j.OpenObject("feedback"), j.Text("title", Tr(kFeedbackTitle)), j.Text("type", Tr(kFeedbackTypeCaption));
    Texts(j, "groups", kFeedbackGroupTitles), Texts(j, "rows", kFeedbackRowNames), Texts(j, "axes", kFeedbackAxes);
    j.CloseObject();
}

// The menus the page shows, items in order; '&' marks a mnemonic.
void Menu(JsonWriter& j, const char* key, std::span<const MenuItem> items)
{
    j.OpenArray(key);
    for (const MenuItem& m : items) {
        j.OpenObject(), j.Text("name", m.name), j.Text("text", Tr(m.text)), j.Int("command", m.command), j.CloseObject();
    }
    j.CloseArray();
}

// The page's own texts by name, the toolbar's tooltips by command, the
// help, and the keys the page shows and takes.
void PageTexts(JsonWriter& j)
{
    j.OpenObject("texts");
    // The names a saved lesson's file takes stay English, as every file's do.
    for (const NamedText& t : kPageTexts) {
        const bool fileName = t.text == kLessonFileName || t.text == kAnswerKeySuffix;
        j.Text(t.name, fileName ? t.text : Tr(t.text));
    }
    // The Options menu's item that opens the list of languages.
    j.Text("language", Tr("&Language"));
    j.Text("help", ProgramString(kHelpTextId));
    j.CloseObject();
    j.OpenObject("tooltips");
    for (const ToolbarItem& item : kToolbarLayout) {
        if (item.command != 0) j.Text(std::to_string(item.command).c_str(), ProgramString(item.command));
    }
    j.CloseObject();
    j.OpenObject("menus"), Menu(j, "options", kOptionsMenu), Menu(j, "measure", kMeasureMenu), j.CloseObject();
    j.OpenArray("keys");
    for (const ScreenKey& k : kScreenKeys) {
        j.OpenObject(), j.Text("key", k.key), j.Int("code", k.code), j.Text("label", Tr(k.label));
        j.Text("name", Tr(k.name)), j.Bool("arrow", k.code >= KeyLeft && k.code <= KeyDown), j.CloseObject();
    }
    j.CloseArray();
}

std::string BuildNames()
{
    constexpr Id kCommands[] = {{"exit", CmdExit}, {"selectStimulus", CmdSelectStimulus},
                                {"selectReceptiveField", CmdSelectReceptiveField}, {"moreOptions", CmdMoreOptions},
                                {"help", CmdHelp}};
    constexpr Id kIds[] = {{"cursorHidden", kCursorHidden}, {"feedbackWindow", kFeedbackWindow}};
    // The numbers the page and its worklet run by.
    constexpr Id kConstants[] = {{"tickMs", kTickMs}, {"sampleRate", kAudioRate}, {"clickLevel", kClickLevel},
                                 {"wheelStep", kWheelStep}, {"lessonBytes", static_cast<int32_t>(kMaxLessonBytes)}};
    constexpr Id kStimulusTypes[] = {{"spot", Spot}, {"annulus", Annulus}, {"bar", Bar}, {"grating", Grating}};
    constexpr Id kDisplayModes[] = {{"greyScale", GreyScale}, {"outlines", Outlines}, {"hidden", Hidden},
                                    {"revealed", Revealed}};
    using A = DialogAction;
    constexpr std::pair<const char*, A> kActions[] = {
        {"open", A::Open}, {"close", A::Close}, {"typeField", A::TypeField}, {"typeSpin", A::TypeSpin},
        {"moveSlider", A::MoveSlider}, {"stepSpin", A::StepSpin}, {"chooseFromList", A::ChooseFromList},
        {"choosePolarity", A::ChoosePolarity}, {"chooseDisplay", A::ChooseDisplay},
        {"chooseRandomise", A::ChooseRandomise}, {"checkSaturating", A::CheckSaturating}, {"checkHash", A::CheckHash},
        {"typeNoise", A::TypeNoise}, {"acknowledgeNotice", A::AcknowledgeNotice}};
    JsonWriter j;
    j.OpenObject(), Numbers(j, "commands", kCommands), Numbers(j, "ids", kIds);
    Numbers(j, "constants", kConstants), Numbers(j, "displayModes", kDisplayModes);
    Numbers(j, "stimulusTypes", kStimulusTypes), j.OpenObject("dialogActions");
    for (const auto& [name, action] : kActions) j.Int(name, static_cast<int32_t>(action));
    j.CloseObject(), j.OpenObject("labels"), DialogLabels(j), j.CloseObject();
    PageTexts(j);
    j.OpenArray("zoomSteps");
    for (const int32_t percent : kZoomSteps) j.Int(nullptr, percent);
    j.CloseArray(), j.CloseObject();
    return j.out;
}

}  // namespace

// The names above as JSON: {commands, ids, constants, displayModes, stimulusTypes,
// dialogActions, labels, texts, tooltips, menus, keys, zoomSteps}, in the
// language in force (built again only when it has changed).
extern "C" EMSCRIPTEN_KEEPALIVE const char* tess_names()
{
    static std::string names, code;
    if (names.empty() || code != CurrentCatalog().code) code = CurrentCatalog().code, names = BuildNames();
    return names.c_str();
}
