#pragma once
// The texts both shells show around the dialogs: the menus, the windows'
// captions and buttons, the messages, the lesson actions and the page's
// own controls. The desktop lays them out as widgets, the web binding
// hands them to the page (tess_names), so each is written here once.
// A menu item's '&' marks its mnemonic letter (the page underlines it).
#include <cstdint>

#include "language/catalog.h"
#include "mapping/map_picture.h"
#include "recording/raster_picture.h"
#include "sim/commands.h"
#include "sim/audio_stream.h"
#include "stimulus/hand_plot_marks.h"
#include "stimulus/stimulus_state.h"
#include "tuning/tuning_form.h"

// Which shell shows a menu item: the desktop asks in a message box what the
// page offers as two items, and only the page has a link to share.
enum MenuShell : int32_t { BothShells = 0, PageOnly = 1 };
struct MenuItem {
    const char* name;  // the desktop's object name, the page's data-name
    const char* text;
    int32_t command;   // a Command, or 0 for an item its shell carries out
    int32_t shell;
};

// Zoom in and out step through kZoomSteps (controls/zoom_steps.h): in the
// desktop's View menu, in the page's Options menu (whose 'o' is taken).
constexpr const char* kZoomInText = N_("Zoom &in");
constexpr const char* kZoomOutText = N_("Zoom o&ut");
constexpr const char* kActualSizeText = N_("&Actual size");

constexpr const char* kOptionsMenuTitle = N_("&Options");
constexpr MenuItem kOptionsMenu[] = {
    {"selectStimulus", N_("&Select stimulus"), CmdSelectStimulus, BothShells},
    {"selectReceptiveField", N_("Select &receptive field"), CmdSelectReceptiveField, BothShells},
    {"moreOptions", N_("More &options"), CmdMoreOptions, BothShells},
    {"openLesson", N_("Open lesson…"), 0, BothShells},
    {"saveLesson", N_("Save lesson…"), 0, BothShells},
    {"saveAnswers", N_("Save teacher's copy…"), 0, PageOnly},
    {"shareLesson", N_("Share link"), 0, PageOnly},
    // The page's zoom: a degree is 38 CSS pixels at 100 %, 50 to 400 %.
    {"zoomIn", kZoomInText, 0, PageOnly},
    {"zoomOut", kZoomOutText, 0, PageOnly},
    {"zoomReset", kActualSizeText, 0, PageOnly},
    {"exit", N_("E&xit"), CmdExit, BothShells},
};
constexpr const char* kViewMenuTitle = N_("&View");
constexpr const char* kFullScreenText = N_("Full screen");
// The desktop's language submenu (View): follow the system's language, or
// one of the catalogs', each listed by its own name.
constexpr const char* kLanguageMenuTitle = N_("&Language");
constexpr const char* kSystemLanguageText = N_("System language");
// The Measure menu opens the tuning panel and the recorder.
constexpr const char* kMeasureMenuTitle = N_("&Measure");
enum MeasureItem : int32_t { MeasureTuning = 0, MeasureRecord = 1, MeasureRaster = 2, MeasureMap = 3 };
constexpr MenuItem kMeasureMenu[] = {
    {"tuningCurve", kTuningMenuText, 0, BothShells},
    {"recordToggle", kRecordText, 0, BothShells},
    {"rasterWindow", kRasterMenuText, 0, BothShells},
    {"mapWindow", kMapMenuText, 0, BothShells},
};

// Captions, buttons and messages.
constexpr const char* kProgramCaption = "Tessaline";  // the window's title, the message boxes' caption
constexpr const char* kErrorCaption = N_("Error");
constexpr const char* kStartupErrorText = N_("Error initializing application Tessaline");
constexpr const char* kHelpCaption = N_("Tessaline help");
constexpr const char* kCloseButton = N_("Close");
constexpr const char* kOkButton = N_("OK");
constexpr const char* kCancelButton = N_("Cancel");
// Shown once, before noise with frames shorter than 100 ms is first shown.
constexpr const char* kFlickerNotice =
    N_("Noise with frames shorter than 100 ms flickers. Flicker over an area can bring on seizures in people who are "
    "photosensitive. The noise stays inside its grid; look away from it or choose longer frames if flicker "
    "troubles you.");
constexpr const char* kToolbarName = N_("Tools");

// The desktop's file choosers and what they say when a file cannot be
// written (%1 the file's path, %2 the system's reason).
constexpr const char* kPictureFilter = N_("PNG images (*.png);;All files (*)");
constexpr const char* kCsvFilter = N_("CSV files (*.csv);;All files (*)");
constexpr const char* kRecordingFilter = N_("NWB file (*.nwb);;CSV files (*.csv)");
constexpr const char* kPictureNotSaved = N_("The picture could not be saved to %1.");
constexpr const char* kDataNotSaved = N_("The data could not be saved to %1:\n%2");

// Lessons.
constexpr const char* kInstructionsTitle = N_("Instructions");
constexpr const char* kHideInstructions = N_("Hide instructions");
constexpr const char* kOpenLessonTitle = N_("Open lesson");
constexpr const char* kSaveLessonTitle = N_("Save lesson");
constexpr const char* kLessonFilter = N_("Tessaline lessons (*.tessaline);;All files (*)");
constexpr const char* kHiddenSaveQuestion =
    N_("The receptive field is hidden. Save a copy for students, which leaves out where the field is, or a "
    "teacher's copy that keeps it as an answer key?");
constexpr const char* kStudentsCopy = N_("Students' copy");
constexpr const char* kTeachersCopy = N_("Teacher's copy");
// What a save or an open that the system refused says, %1 the system's
// reason: TrArgs(kLessonNotSavedText, {reason}), UnreadableLessonRefusal.
constexpr const char* kLessonNotSavedText = N_("The lesson was not saved: %1");
// Default file names stay English, as the program's other file names do.
constexpr const char* kLessonFileName = "lesson";            // a lesson saved with no title
constexpr const char* kAnswerKeySuffix = " (answer key)";  // after a teacher's copy's name
constexpr const char* kShareLinkText = N_("The share link is in the address bar (and copied, where the browser allows):");

// The page's own controls: the sound prompt, the end, the field's names,
// the spin boxes' arrows, and the help's paragraph about the page's keys.
constexpr const char* kSoundPrompt = N_("Click or press a key to start the sound.");
constexpr const char* kEndedText = N_("Tessaline has ended. Reload the page to start it again.");
constexpr const char* kFieldName = N_("Visual field");
constexpr const char* kScreenKeysName = N_("Keys");
constexpr const char* kStepUpName = N_("up");
constexpr const char* kStepDownName = N_("down");
constexpr const char* kStepUpMark = "▲";
constexpr const char* kStepDownMark = "▼";
constexpr const char* kStimulusListName = N_("Stimulus");
constexpr const char* kCellTypeListName = N_("Cell type");
constexpr const char* kFeedbackTypeName = N_("RF type");
constexpr const char* kPageHelpText =
    N_("\n\nIn the web edition\n"
    "Keys, with the visual field focused (Tab to it): Shift with an arrow key moves the pointer; Space shows or "
    "hides the stimulus at the pointer; the arrow keys, '+', '-' and Enter do as above.\n"
    "On a touch screen: drag with one finger to move the stimulus, pinch to resize it, twist two fingers to turn "
    "it. The keys at the bottom right give '+', '-', Enter and the arrow keys.\n"
    "The full-screen button fills the screen with the field; Escape leaves it.");

// The page's on-screen keys and the keys of the focused field: the browser's
// name of the key, the code the core takes (an ArrowKey or a PlotCharacter),
// the key's label and its name for a screen reader.
struct ScreenKey {
    const char* key;
    int32_t code;
    const char* label;
    const char* name;
};
constexpr ScreenKey kScreenKeys[] = {
    {"ArrowUp", KeyUp, "↑", N_("Up arrow")},          {"ArrowLeft", KeyLeft, "←", N_("Left arrow")},
    {"ArrowRight", KeyRight, "→", N_("Right arrow")}, {"ArrowDown", KeyDown, "↓", N_("Down arrow")},
    {"+", CharPlus, "+", N_("Plus mark")},            {"-", CharMinus, "−", N_("Minus mark")},
    {"Enter", CharEnter, N_("Enter"), N_("Enter")},
};

// Every text above that the page shows, by the name it reads it by.
struct NamedText {
    const char* name;
    const char* text;
};
constexpr NamedText kPageTexts[] = {
    {"options", kOptionsMenuTitle}, {"view", kViewMenuTitle}, {"measure", kMeasureMenuTitle},
    {"fullScreen", kFullScreenText}, {"programCaption", kProgramCaption}, {"errorCaption", kErrorCaption},
    {"startupError", kStartupErrorText}, {"noSound", kNoSoundText}, {"helpCaption", kHelpCaption},
    {"close", kCloseButton}, {"ok", kOkButton}, {"flickerNotice", kFlickerNotice}, {"toolbar", kToolbarName},
    {"instructions", kInstructionsTitle}, {"hideInstructions", kHideInstructions},
    {"lessonFileName", kLessonFileName}, {"answerKeySuffix", kAnswerKeySuffix}, {"shareLink", kShareLinkText},
    {"soundPrompt", kSoundPrompt}, {"ended", kEndedText}, {"field", kFieldName}, {"keys", kScreenKeysName},
    {"stepUp", kStepUpName}, {"stepDown", kStepDownName}, {"stepUpMark", kStepUpMark},
    {"stepDownMark", kStepDownMark}, {"stimulusList", kStimulusListName}, {"cellTypeList", kCellTypeListName},
    {"feedbackType", kFeedbackTypeName}, {"pageHelp", kPageHelpText},
};
