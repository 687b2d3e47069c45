// Between a lesson and the records: what the program holds now as a lesson,
// and a lesson put into the records.
#include <algorithm>
#include <utility>

#include "controls/lesson.h"
#include "language/catalog.h"
#include "model/app_state.h"
#include "model/filters.h"
#include "model/model_options.h"
#include "model/numeric.h"
#include "model/random.h"
#include "model/receptive_field.h"
#include "sim/new_receptive_field.h"
#include "stimulus/hand_plot_marks.h"
#include "stimulus/stimulus_state.h"

namespace {

// The title, instructions, seed and area of the lesson last opened, written
// back by the next save. User-interface thread only.
Lesson openedNotes;

using V = LessonValue;

constexpr V kRates[5] = {V::RateOnCentreX, V::RateOffCentreX, V::RateSimple, V::RateDirectionalSimple, V::RateComplex};

// Visits every value that is a plain copy of a float field of the records.
template <typename Rf, typename St, typename Op, typename Visit>
void ForEachFloat(Rf& rf, St& s, Op& o, Visit visit)
{
    const std::pair<V, decltype(&rf.width)> floats[] = {
        {V::CellSpatialFrequency, &rf.spatialFrequency}, {V::CellPhase, &rf.phase},
        {V::CellWidth, &rf.width},                       {V::CellLength, &rf.length},
        {V::SpotRadius, &s.spotRadius},                  {V::BarLength, &s.barLength},
        {V::BarWidth, &s.barWidth},                      {V::StimulusOrientation, &s.orientation},
        {V::GratingRadius, &s.gratingRadius},            {V::GratingSpatialFrequency, &s.gratingSf},
        {V::GratingPhase, &s.gratingPhase},              {V::GratingVelocity, &s.gratingVelocity},
        {V::ModulationRate, &s.modulationRate},          {V::Contrast, &s.contrastPercent},
        {V::SurroundWeight, &o.surroundWeight},          {V::HalfMaxContrast, &o.halfMaxContrast}};
    for (const auto& [value, field] : floats) visit(value, *field);
}

// Every value but the field's place, which the caller settles.
void ApplyValues(const Lesson& lesson)
{
    ForEachFloat(receptiveField, stimulus, modelOptions, [&](V v, Relaxed<float>& field) {
        if (Has(lesson, v)) field = Get(lesson, v);
    });
    ReceptiveField& rf = receptiveField;
    if (Has(lesson, V::CentreSigma)) {
        rf.centreSigma = Get(lesson, V::CentreSigma);
        rf.surroundSigma = 5.0f * rf.centreSigma;
    }
    if (Has(lesson, V::CellOrientation)) rf.orientation = Get(lesson, V::CellOrientation);
    if (Has(lesson, V::CellType)) rf.cellType = TruncInt(Get(lesson, V::CellType));
    if (Has(lesson, V::Display)) rf.displayMode = rf.savedDisplayMode = TruncInt(Get(lesson, V::Display));
    if (Has(lesson, V::Randomise)) rf.randomiseMode = TruncInt(Get(lesson, V::Randomise));

    if (Has(lesson, V::StimulusType)) stimulus.stimulusType = TruncInt(Get(lesson, V::StimulusType));
    if (Has(lesson, V::Polarity)) stimulus.polarity = TruncInt(Get(lesson, V::Polarity));
    if (Has(lesson, V::Stationary) && Get(lesson, V::Stationary) != 0.0f) {
        stimulus.stationaryMode = true;
        stimulus.stimulusOn = true;
    }
    if (Has(lesson, V::StimulusX)) {
        stimulus.stimX = Get(lesson, V::StimulusX);
        stimulus.stimY = Get(lesson, V::StimulusY);
        stimulus.mouseX = TruncInt(stimulus.stimX / kDegreesPerPixel);
        stimulus.mouseY = TruncInt(stimulus.stimY / kDegreesPerPixel);
    }
    for (int32_t k = 0; k < 5; ++k)
        if (Has(lesson, kRates[k])) modelOptions.spontaneousRate[k + 1] = Get(lesson, kRates[k]);
    if (Has(lesson, V::GammaOrder)) modelOptions.gammaOrder = TruncInt(Get(lesson, V::GammaOrder));
    if (Has(lesson, V::Saturating)) modelOptions.saturatingIO = Get(lesson, V::Saturating) != 0.0f;
    if (Has(lesson, V::BackgroundHash)) modelOptions.backgroundHash = Get(lesson, V::BackgroundHash) != 0.0f;
}

// The records given as a lesson.
Lesson Capture(const ReceptiveField& rf, const StimulusState& st, const ModelOptions& o, bool withAnswers)
{
    Lesson lesson;
    lesson.title = openedNotes.title;
    lesson.instructions = openedNotes.instructions;
    lesson.seed = openedNotes.seed;
    // Positions in the opened lesson's area, or in the window's.
    const float w = static_cast<float>(appState.clientWidth), h = static_cast<float>(appState.clientHeight);
    const bool kept = Has(openedNotes, V::AreaWidth) && w > 0.0f && h > 0.0f;
    const float areaW = kept ? Get(openedNotes, V::AreaWidth) : w, areaH = kept ? Get(openedNotes, V::AreaHeight) : h;
    const float sx = kept ? areaW / w : 1.0f, sy = kept ? areaH / h : 1.0f;
    Set(lesson, V::AreaWidth, areaW);
    Set(lesson, V::AreaHeight, areaH);
    Set(lesson, V::CellType, static_cast<float>(rf.cellType));
    // A revealed field is saved as the hidden exercise it came from.
    const int32_t display = rf.displayMode == Revealed ? rf.savedDisplayMode.load() : rf.displayMode.load();
    Set(lesson, V::Display, static_cast<float>(display));
    Set(lesson, V::Randomise, static_cast<float>(rf.randomiseMode));
    if (display != Hidden || withAnswers) {
        Set(lesson, V::CellX, rf.centreX * sx);
        Set(lesson, V::CellY, rf.centreY * sy);
        Set(lesson, V::CellOrientation, rf.orientation);
    }
    Set(lesson, V::CentreSigma, rf.centreSigma);
    ForEachFloat(rf, st, o, [&](V v, const Relaxed<float>& field) { Set(lesson, v, field); });
    Set(lesson, V::StimulusType, static_cast<float>(st.stimulusType));
    Set(lesson, V::Polarity, static_cast<float>(st.polarity));
    Set(lesson, V::Stationary, st.stationaryMode ? 1.0f : 0.0f);
    // Where a moving stimulus is matters only while it is held in place.
    if (st.stationaryMode) {
        Set(lesson, V::StimulusX, st.stimX * sx);
        Set(lesson, V::StimulusY, st.stimY * sy);
    }
    for (int32_t k = 0; k < 5; ++k) Set(lesson, kRates[k], o.spontaneousRate[k + 1]);
    Set(lesson, V::GammaOrder, static_cast<float>(o.gammaOrder));
    Set(lesson, V::Saturating, o.saturatingIO ? 1.0f : 0.0f);
    Set(lesson, V::BackgroundHash, o.backgroundHash ? 1.0f : 0.0f);
    HoldInRanges(lesson);
    return lesson;
}

}  // namespace

Lesson CaptureLesson(bool withAnswers) { return Capture(receptiveField, stimulus, modelOptions, withAnswers); }

Lesson WithoutDefaults(const Lesson& lesson)
{
    static const ReceptiveField rf;
    static const StimulusState st;
    static const ModelOptions o;
    const Lesson defaults = Capture(rf, st, o, true);
    Lesson shorter = lesson;
    for (int32_t i = 0; i < kLessonValues; ++i) {
        const V v = static_cast<V>(i);
        const bool place = v == V::CellX || v == V::CellY || v == V::StimulusX || v == V::StimulusY ||
                           v == V::AreaWidth || v == V::AreaHeight;
        if (!place && Has(lesson, v) && Has(defaults, v) && Get(lesson, v) == Get(defaults, v)) shorter.present[i] = false;
    }
    return shorter;
}

void ApplyLesson(const Lesson& lesson)
{
    const int32_t w = appState.clientWidth, h = appState.clientHeight;
    const bool hasArea = Has(lesson, V::AreaWidth) && Has(lesson, V::AreaHeight);
    const int32_t areaW = hasArea ? TruncInt(Get(lesson, V::AreaWidth)) : w;
    const int32_t areaH = hasArea ? TruncInt(Get(lesson, V::AreaHeight)) : h;

    ResetReceptiveField(areaW, areaH);
    ResetStimulus();
    ResetModelOptions();
    ClearMarks();
    ApplyValues(lesson);
    if (Has(lesson, V::CellX)) {
        receptiveField.centreX = Get(lesson, V::CellX);
        receptiveField.centreY = Get(lesson, V::CellY);
    } else if (receptiveField.displayMode == Hidden) {
        // A hidden field without its place is placed as a new field would be,
        // in the area the teacher saw: from the seed, the same for everyone.
        SeededUniform seeded = MakeSeededUniform(static_cast<int32_t>(lesson.seed));
        const int32_t mode = std::max<int32_t>(receptiveField.randomiseMode, RandomisePositionOrientation);
        PlaceReceptiveField(mode, areaW, areaH, lesson.seed > 0 ? &seeded : nullptr);
        if (Has(lesson, V::CellOrientation)) receptiveField.orientation = Get(lesson, V::CellOrientation);
    }
    // Only a real change of size: x * w / w need not give x back exactly.
    if (areaW != w || areaH != h) RescalePositions(areaW, areaH, w, h);
    BuildFilters();
    openedNotes = Lesson{};
    openedNotes.title = lesson.title;
    openedNotes.instructions = lesson.instructions;
    openedNotes.seed = lesson.seed;
    if (hasArea) {
        Set(openedNotes, V::AreaWidth, static_cast<float>(areaW));
        Set(openedNotes, V::AreaHeight, static_cast<float>(areaH));
    }
}

bool OpenLesson(std::string_view text, std::string& message)
{
    Lesson lesson;
    std::string error;
    if (!ParseLesson(text, lesson, error)) {
        message = LessonRefusal(error);
        return false;
    }
    ApplyLesson(lesson);
    message.clear();
    return true;
}

const std::string& LessonTextFor(const LessonTexts& texts)
{
    static const std::string none;
    if (texts.empty()) return none;
    std::vector<std::string> tags;
    for (const auto& [tag, text] : texts) tags.push_back(tag);
    // The student's language (the same language in another region will
    // do), else the lesson's first, the one its teacher wrote first.
    const std::string& student = CurrentCatalog().code;
    const std::string found = MatchLanguage({student}, tags);
    const auto language = [](const std::string& tag) { return tag.substr(0, tag.find('-')); };
    for (const auto& [tag, text] : texts)
        if (tag == found && language(tag) == language(student)) return text;
    return texts.front().second;
}

const std::string& OpenedInstructions() { return LessonTextFor(openedNotes.instructions); }
const std::string& OpenedTitle() { return LessonTextFor(openedNotes.title); }
