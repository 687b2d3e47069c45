#pragma once
// A lesson: what a teacher sets up and hands to a class as one small JSON
// file. It holds the neuron (type, shape, place, how it is shown), the
// stimulus, the More options values, a title and instructions, and an
// optional seed so that a field placed at random lands in the same place
// for everyone. Read and written here for both editions.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Every number, choice and flag a lesson holds, by the control that sets it.
enum class LessonValue : int32_t {
    CellType, CellX, CellY, CellOrientation, CellSpatialFrequency, CellPhase, CellWidth, CellLength,
    CentreSigma, Display, Randomise,
    StimulusType, StimulusX, StimulusY, Stationary, SpotRadius, Polarity, BarLength, BarWidth,
    StimulusOrientation, GratingRadius, GratingSpatialFrequency, GratingPhase, GratingVelocity, ModulationRate,
    Contrast,
    SurroundWeight, GammaOrder, RateOnCentreX, RateOffCentreX, RateSimple, RateDirectionalSimple, RateComplex,
    Saturating, HalfMaxContrast, BackgroundHash,
    AreaWidth, AreaHeight,
    Count
};
constexpr int32_t kLessonValues = static_cast<int32_t>(LessonValue::Count);

constexpr const char* kLessonFormat = "tessaline-lesson";
constexpr int32_t kLessonVersion = 1;
constexpr size_t kMaxLessonBytes = 65536;
constexpr size_t kMaxTitleBytes = 200;
constexpr size_t kMaxInstructionsBytes = 4000;
constexpr int64_t kMaxLessonSeed = 2147483646;
constexpr const char* kLessonExtension = ".tessaline";

// A title or instructions: one text (as every lesson had before, its tag
// empty), or one per language, {"en": ..., "de": ...} in the file, kept in
// the file's order so that saving writes them back as they were.
using LessonTexts = std::vector<std::pair<std::string, std::string>>;  // (language tag, text)

struct Lesson {
    float value[kLessonValues] = {};   // choices hold the record's code (cell type 1..5, ...)
    bool present[kLessonValues] = {};  // a value left out takes its start-up default
    LessonTexts title, instructions;
    int64_t seed = 0;  // 0: none
};

inline float Get(const Lesson& lesson, LessonValue v) { return lesson.value[static_cast<int32_t>(v)]; }
inline bool Has(const Lesson& lesson, LessonValue v) { return lesson.present[static_cast<int32_t>(v)]; }
inline void Set(Lesson& lesson, LessonValue v, float x)
{
    lesson.value[static_cast<int32_t>(v)] = x;
    lesson.present[static_cast<int32_t>(v)] = true;
}

// Where a value sits in the file ("cell.orientation").
const char* LessonPath(LessonValue v);

// Reads a lesson. On any fault returns false, leaves lesson alone and puts
// into error one sentence naming the field and what was expected.
bool ParseLesson(std::string_view text, Lesson& lesson, std::string& error);
// The lesson as indented JSON that ParseLesson reads back value for value.
std::string WriteLesson(const Lesson& lesson);

// Puts each number a direct manipulation took past its control's range (a
// spot grown by the wheel, a stimulus held above the canvas) at the range's
// end, so that a saved lesson always opens again.
void HoldInRanges(Lesson& lesson);

// The records as a lesson. Without answers, a hidden field's place and
// orientation are left out, so the file does not give them away; opening
// it places the field at random (from the seed, when there is one). After a
// lesson is opened, positions are measured in its area, so a seed saved
// again places the field where it placed it before, whatever the window.
Lesson CaptureLesson(bool withAnswers);
// The lesson without the values at their start-up defaults (positions and
// the area stay), which opening puts back anyway: the shortest for a link.
Lesson WithoutDefaults(const Lesson& lesson);
// Sets the records from a lesson that ParseLesson accepted: every value it
// leaves out goes to its default, the hand plot is cleared, positions are
// scaled from the lesson's area to the window's, and the filters are built.
void ApplyLesson(const Lesson& lesson);

// What both editions do with a lesson's text: read it and, if it is good,
// put it into the records. A bad one changes nothing and sets message to
// the refusal.
bool OpenLesson(std::string_view text, std::string& message);

// The lesson as the fragment of a share link: "lesson=" and its compact
// JSON in base64url. OpenLessonLink takes such a fragment (with or without
// its '#') and opens the lesson, or refuses it as OpenLesson does.
std::string LessonLink(const Lesson& lesson);
bool OpenLessonLink(std::string_view fragment, std::string& message);

// The text for the language in force: the version in the catalog's
// language (MatchLanguage's pick of its tags), else the lesson's first (an
// empty text for none).
const std::string& LessonTextFor(const LessonTexts& texts);

// The title and instructions of the lesson last opened (empty when none), in
// the student's language where the lesson has it: asked again after the
// student changes language, they follow.
const std::string& OpenedTitle();
const std::string& OpenedInstructions();

// The message for a lesson that could not be opened.
std::string LessonRefusal(const std::string& error);
// The message for a lesson file the system could not read, with its reason.
std::string UnreadableLessonRefusal(const std::string& reason);
