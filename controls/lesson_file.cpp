// The lesson file: which values it holds, where, in what range; reading it
// whole before anything is taken, and writing it back.
#include <array>
#include <cmath>
#include <cstring>

#include "formats/json_reader.h"
#include "language/catalog.h"
#include "formats/json_writer.h"
#include "controls/lesson.h"
#include "controls/value_ranges.h"
#include "model/app_state.h"
#include "model/cell_type_names.h"
#include "model/file_numbers.h"
#include "model/numeric.h"
#include "model/receptive_field.h"
#include "stimulus/stimulus_state.h"

namespace {

struct Choice {
    const char* name;
    int32_t code;
};
// The cell types by their lesson names, from the one table of their spellings.
constexpr auto kCellTypes = [] {
    std::array<Choice, kCellTypeCount + 1> choices{};
    for (size_t i = 0; i < kCellTypeCount; ++i) choices[i] = {kCellTypeSpellings[i].lessonName, kCellTypeSpellings[i].type};
    choices[kCellTypeCount] = {nullptr, 0};
    return choices;
}();
constexpr Choice kDisplays[] = {{"greyScale", GreyScale}, {"outlines", Outlines}, {"hidden", Hidden}, {nullptr, 0}};
constexpr Choice kRandomise[] = {{"leaveWhereSelected", LeaveWhereSelected},
                                 {"randomisePositionOrientation", RandomisePositionOrientation},
                                 {"randomiseEverything", RandomiseEverything}, {nullptr, 0}};
// The noise types are kept too, so a lesson saved while one is shown reads back (its grid at the defaults).
constexpr Choice kStimulusTypes[] = {{"spot", Spot},         {"annulus", Annulus},       {"bar", Bar},
                                     {"grating", Grating},   {"sparseNoise", SparseNoise}, {"whiteNoise", WhiteNoise},
                                     {nullptr, 0}};
constexpr Choice kPolarities[] = {{"white", 1}, {"black", -1}, {nullptr, 0}};

enum class Kind { Number, Choice, Flag };
struct Field {
    const char* path;
    Kind kind;
    ValueRange range;
    const Choice* choices;
};

// Positions are checked against the lesson's area once it is read.
constexpr ValueRange kPosition = ClosedRange(0.0f, FLT_MAX);
constexpr ValueRange kAreaSide = WholeRange(1.0f, static_cast<float>(kMaxTraceWidth));
constexpr ValueRange kNone{};

// In LessonValue order.
constexpr Field kFields[kLessonValues] = {
    {"cell.type", Kind::Choice, kNone, kCellTypes.data()},
    {"cell.x", Kind::Number, kPosition, nullptr},
    {"cell.y", Kind::Number, kPosition, nullptr},
    {"cell.orientation", Kind::Number, kOrientationRange, nullptr},
    {"cell.spatialFrequency", Kind::Number, kPositiveRange, nullptr},
    {"cell.phase", Kind::Number, kAnyRange, nullptr},
    {"cell.width", Kind::Number, kPositiveRange, nullptr},
    {"cell.length", Kind::Number, kPositiveRange, nullptr},
    {"cell.centreRadius", Kind::Number, kCentreSigmaRange, nullptr},
    {"cell.display", Kind::Choice, kNone, kDisplays},
    {"cell.randomise", Kind::Choice, kNone, kRandomise},
    {"stimulus.type", Kind::Choice, kNone, kStimulusTypes},
    {"stimulus.x", Kind::Number, kPosition, nullptr},
    {"stimulus.y", Kind::Number, kPosition, nullptr},
    {"stimulus.stationary", Kind::Flag, kNone, nullptr},
    {"stimulus.radius", Kind::Number, kStimulusRadiusRange, nullptr},
    {"stimulus.polarity", Kind::Choice, kNone, kPolarities},
    {"stimulus.barLength", Kind::Number, kBarSizeRange, nullptr},
    {"stimulus.barWidth", Kind::Number, kBarSizeRange, nullptr},
    {"stimulus.orientation", Kind::Number, kOrientationRange, nullptr},
    {"stimulus.gratingRadius", Kind::Number, kStimulusRadiusRange, nullptr},
    {"stimulus.spatialFrequency", Kind::Number, kGratingSfRange, nullptr},
    {"stimulus.phase", Kind::Number, kGratingPhaseRange, nullptr},
    {"stimulus.velocity", Kind::Number, kGratingSpeedRange, nullptr},
    {"stimulus.modulationRate", Kind::Number, kGratingSpeedRange, nullptr},
    {"stimulus.contrast", Kind::Number, kContrastRange, nullptr},
    {"options.surroundWeight", Kind::Number, kSurroundWeightRange, nullptr},
    {"options.gammaOrder", Kind::Number, kGammaOrderRange, nullptr},
    {"options.spontaneousRate.onCentreX", Kind::Number, kSpontaneousRateRange, nullptr},
    {"options.spontaneousRate.offCentreX", Kind::Number, kSpontaneousRateRange, nullptr},
    {"options.spontaneousRate.simple", Kind::Number, kSpontaneousRateRange, nullptr},
    {"options.spontaneousRate.directionalSimple", Kind::Number, kSpontaneousRateRange, nullptr},
    {"options.spontaneousRate.complex", Kind::Number, kSpontaneousRateRange, nullptr},
    {"options.saturating", Kind::Flag, kNone, nullptr},
    {"options.halfMaxContrast", Kind::Number, kHalfMaxRange, nullptr},
    {"options.backgroundHash", Kind::Flag, kNone, nullptr},
    {"area.width", Kind::Number, kAreaSide, nullptr},
    {"area.height", Kind::Number, kAreaSide, nullptr},
};
constexpr const char* kSections[] = {"area", "cell", "stimulus", "options"};

// "\"a\", \"b\" or \"c\"": the names are the file's words, the "or" the reader's.
std::string ChoiceNames(const Choice* choices)
{
    std::string names;
    for (const Choice* c = choices; c->name != nullptr; ++c) {
        std::string name = "\"";
        name.append(c->name).push_back('"');
        names = names.empty() ? name : c[1].name == nullptr ? TrArgs("%1 or %2", {names, name}) : names + ", " + name;
    }
    return names;
}

// The one sentence a refusal gives: where, what was expected, what was found.
std::string Expected(std::string_view path, const std::string& expected, const std::string& found)
{
    return TrArgs("%1: expected %2, %3", {path, expected, found});
}

const JsonValue* Find(const JsonValue& root, std::string_view path)
{
    const JsonValue* at = &root;
    while (at != nullptr) {
        const size_t dot = path.find('.');
        at = at->Member(path.substr(0, dot));
        if (dot == std::string_view::npos) return at;
        path.remove_prefix(dot + 1);
    }
    return nullptr;
}

bool KnownPrefix(const std::string& path)
{
    for (const Field& f : kFields)
        if (std::strncmp(f.path, path.c_str(), path.size()) == 0 && f.path[path.size()] == '.') return true;
    return false;
}

bool KnownPath(const std::string& path)
{
    for (const Field& f : kFields)
        if (path == f.path) return true;
    return false;
}

// Every member of a section must be a lesson value: a misspelt name would
// otherwise be dropped without a word.
bool CheckNames(const JsonValue& object, const std::string& prefix, std::string& error)
{
    for (size_t i = 0; i < object.names.size(); ++i) {
        const JsonValue& member = object.items[i];
        const std::string path = prefix + object.names[i];
        if (member.kind == JsonValue::Kind::Object && KnownPrefix(path)) {
            if (!CheckNames(member, path + ".", error)) return false;
        } else if (!KnownPath(path)) {
            error = TrArgs(KnownPrefix(path) ? N_("%1: not a lesson field (expected an object)")
                                             : N_("%1: not a lesson field"),
                           {path});
            return false;
        }
    }
    return true;
}

std::string Found(const JsonValue& v)
{
    // The value as the file wrote it (JSON's words included), in the reader's sentence.
    switch (v.kind) {
    case JsonValue::Kind::Number: return TrArgs("found %1", {v.text});
    case JsonValue::Kind::String: return TrArgs("found %1", {JsonQuoted(v.text.substr(0, 40))});
    case JsonValue::Kind::Bool: return TrArgs("found %1", {v.flag ? "true" : "false"});
    case JsonValue::Kind::Null: return TrArgs("found %1", {"null"});
    default: return Tr(v.kind == JsonValue::Kind::Object ? N_("found an object") : N_("found a list"));
    }
}

bool ReadField(const Field& field, const JsonValue& v, float& out, std::string& error)
{
    std::string expected;
    if (field.kind == Kind::Flag) {
        if (v.kind == JsonValue::Kind::Bool) { out = v.flag ? 1.0f : 0.0f; return true; }
        expected = Tr("true or false");
    } else if (field.kind == Kind::Choice) {
        for (const Choice* c = field.choices; c->name != nullptr && v.kind == JsonValue::Kind::String; ++c)
            if (v.text == c->name) { out = static_cast<float>(c->code); return true; }
        expected = ChoiceNames(field.choices);
    } else {
        float x = 0.0f;
        if (v.kind == JsonValue::Kind::Number) {
            if (ReadWholeReal(v.text, &x) && InRange(field.range, x + 0.0f)) { out = x + 0.0f; return true; }
        }
        expected = RangeText(field.range);
    }
    error = Expected(field.path, expected, Found(v));
    return false;
}

// A language tag as BCP 47 writes one: letters, digits and '-', "de", "pt-BR".
bool IsLanguageTag(const std::string& tag)
{
    if (tag.empty() || tag.size() > 35 || tag.front() == '-' || tag.back() == '-') return false;
    for (const char c : tag)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-')) return false;
    return true;
}

bool ReadOneText(const std::string& path, const JsonValue& v, size_t limit, std::string& out, std::string& error)
{
    if (v.kind != JsonValue::Kind::String || v.text.size() > limit) {
        error = TrArgs("%1: expected a text of at most %2 bytes, %3",
                       {path, std::to_string(limit),
                        v.kind == JsonValue::Kind::String ? TrArgs("found %1 bytes", {std::to_string(v.text.size())})
                                                          : Found(v)});
        return false;
    }
    out = v.text;
    return true;
}

// A text, or an object of texts by language tag (each within the limit).
bool ReadText(const JsonValue& root, const char* name, size_t limit, LessonTexts& out, std::string& error)
{
    const JsonValue* v = root.Member(name);
    if (v == nullptr) return true;
    out.clear();
    if (v->kind != JsonValue::Kind::Object) {
        out.emplace_back();
        return ReadOneText(name, *v, limit, out.back().second, error);
    }
    if (v->names.empty()) {
        error = TrArgs("%1: expected a text, or texts by language (\"en\", \"de\", ...), %2", {name, Tr("found none")});
        return false;
    }
    for (size_t i = 0; i < v->names.size(); ++i) {
        const std::string& tag = v->names[i];
        if (!IsLanguageTag(tag)) {
            error = TrArgs("%1: expected a language tag such as \"en\" or \"pt-BR\", found %2", {name, JsonQuoted(tag)});
            return false;
        }
        out.emplace_back(tag, std::string());
        if (!ReadOneText(std::string(name) + "." + tag, v->items[i], limit, out.back().second, error)) return false;
    }
    return true;
}

bool HasText(const LessonTexts& texts)
{
    for (const auto& [tag, text] : texts)
        if (!text.empty()) return true;
    return false;
}

// One text as a string, as a lesson in one language has always been written;
// several as an object in their order.
std::string WrittenText(const LessonTexts& texts)
{
    if (texts.size() == 1 && texts.front().first.empty()) return JsonQuoted(texts.front().second);
    std::string out = "{";
    for (const auto& [tag, text] : texts)
        out += (out.size() > 1 ? ", " : " ") + JsonQuoted(tag) + ": " + JsonQuoted(text);
    return out + " }";
}

bool ReadHead(const JsonValue& root, Lesson& read, std::string& error)
{
    const JsonValue* format = root.Member("format");
    if (format == nullptr || format->kind != JsonValue::Kind::String || format->text != kLessonFormat) {
        error = Expected("format", JsonQuoted(kLessonFormat), format ? Found(*format) : Tr("found none"));
        return false;
    }
    const JsonValue* version = root.Member("version");
    if (version == nullptr || version->kind != JsonValue::Kind::Number || version->number != kLessonVersion) {
        const bool newer = version && version->kind == JsonValue::Kind::Number && version->number > kLessonVersion;
        error = TrArgs(newer ? N_("%1: expected %2, %3 (a lesson from a newer Tessaline)") : N_("%1: expected %2, %3"),
                       {"version", std::to_string(kLessonVersion), version ? Found(*version) : Tr("found none")});
        return false;
    }
    for (size_t i = 0; i < root.names.size(); ++i) {
        const std::string& name = root.names[i];
        const JsonValue& member = root.items[i];
        bool known = name == "format" || name == "version" || name == "title" || name == "instructions" || name == "seed";
        for (const char* section : kSections) {
            if (name != section) continue;
            if (member.kind != JsonValue::Kind::Object) {
                error = TrArgs("%1: expected an object, %2", {name, Found(member)});
                return false;
            }
            if (!CheckNames(member, name + ".", error)) return false;
            known = true;
        }
        if (!known) { error = TrArgs("%1: not a lesson field", {name}); return false; }
    }
    if (const JsonValue* seed = root.Member("seed")) {
        if (seed->kind != JsonValue::Kind::Number || seed->number < 1 || seed->number > kMaxLessonSeed ||
            std::trunc(seed->number) != seed->number) {
            // Not RangeText: a float does not hold the highest seed.
            error = Expected("seed", TrArgs("a whole number from %1 to %2", {"1", std::to_string(kMaxLessonSeed)}),
                             Found(*seed));
            return false;
        }
        read.seed = static_cast<int64_t>(seed->number);
    }
    return ReadText(root, "title", kMaxTitleBytes, read.title, error) &&
           ReadText(root, "instructions", kMaxInstructionsBytes, read.instructions, error);
}

// x and y come together, inside the area they were measured in.
bool CheckPlace(const Lesson& read, LessonValue x, LessonValue y, std::string& error)
{
    if (!Has(read, x) && !Has(read, y)) return true;
    if (Has(read, x) != Has(read, y)) {
        error = TrArgs("%1: expected beside %2", {LessonPath(Has(read, x) ? y : x), LessonPath(Has(read, x) ? x : y)});
        return false;
    }
    if (!Has(read, LessonValue::AreaWidth) || !Has(read, LessonValue::AreaHeight)) {
        error = TrArgs("area: expected the width and height in pixels that %1 is measured in", {LessonPath(x)});
        return false;
    }
    for (const auto& [v, side] : {std::pair{x, LessonValue::AreaWidth}, std::pair{y, LessonValue::AreaHeight}}) {
        const float most = Get(read, side) * kDegreesPerPixel;
        if (Get(read, v) > most) {
            error = TrArgs("%1: expected %2 (inside the area), %3",
                           {LessonPath(v), RangeText(ClosedRange(0.0f, most)),
                            TrArgs("found %1", {ShortestRealText(Get(read, v))})});
            return false;
        }
    }
    return true;
}

void WriteValue(std::string& out, const Field& field, float v)
{
    if (field.kind == Kind::Flag) { out += v != 0.0f ? "true" : "false"; return; }
    if (field.kind == Kind::Number) { out += ShortestRealText(v); return; }
    for (const Choice* c = field.choices; c->name != nullptr; ++c)
        if (static_cast<float>(c->code) == v) out += JsonQuoted(c->name);
}

}  // namespace

const char* LessonPath(LessonValue v) { return kFields[static_cast<int32_t>(v)].path; }

void HoldInRanges(Lesson& lesson)
{
    for (int32_t i = 0; i < kLessonValues; ++i) {
        ValueRange range = kFields[i].range;
        const bool across = i == static_cast<int32_t>(LessonValue::CellX) || i == static_cast<int32_t>(LessonValue::StimulusX);
        const bool down = i == static_cast<int32_t>(LessonValue::CellY) || i == static_cast<int32_t>(LessonValue::StimulusY);
        if (across || down) range.high = Get(lesson, across ? LessonValue::AreaWidth : LessonValue::AreaHeight) * kDegreesPerPixel;
        if (!lesson.present[i] || kFields[i].kind != Kind::Number || InRange(range, lesson.value[i])) continue;
        const float low = range.lowOpen ? std::nextafter(range.low, FLT_MAX) : range.low;
        const float high = range.highOpen ? std::nextafter(range.high, -FLT_MAX) : range.high;
        float& v = lesson.value[i];
        v = v > high ? high : v >= low ? v : low;  // NaN goes to the low end
    }
}

bool ParseLesson(std::string_view text, Lesson& lesson, std::string& error)
{
    if (text.size() > kMaxLessonBytes) {
        // Callers may hand over only the first bytes of a larger file.
        error = TrArgs("the file: expected at most %1 bytes, found more", {std::to_string(kMaxLessonBytes)});
        return false;
    }
    JsonValue root;
    std::string why;
    if (!ReadJson(text, root, why)) { error = TrArgs("the file: expected JSON, %1", {why}); return false; }
    if (root.kind != JsonValue::Kind::Object) {
        error = TrArgs("the file: expected a JSON object, %1", {Found(root)});
        return false;
    }
    Lesson read;
    if (!ReadHead(root, read, error)) return false;
    for (int32_t i = 0; i < kLessonValues; ++i) {
        const JsonValue* v = Find(root, kFields[i].path);
        if (v == nullptr) continue;
        if (!ReadField(kFields[i], *v, read.value[i], error)) return false;
        read.present[i] = true;
    }
    if (!CheckPlace(read, LessonValue::CellX, LessonValue::CellY, error) ||
        !CheckPlace(read, LessonValue::StimulusX, LessonValue::StimulusY, error))
        return false;
    lesson = std::move(read);
    return true;
}

std::string WriteLesson(const Lesson& lesson)
{
    std::string out = std::string("{\n  \"format\": \"") + kLessonFormat + "\",\n  \"version\": " +
                      std::to_string(kLessonVersion);
    if (HasText(lesson.title)) out += ",\n  \"title\": " + WrittenText(lesson.title);
    if (HasText(lesson.instructions)) out += ",\n  \"instructions\": " + WrittenText(lesson.instructions);
    if (lesson.seed > 0) out += ",\n  \"seed\": " + std::to_string(lesson.seed);
    for (const char* section : kSections) {
        const size_t n = std::strlen(section);
        std::string group;  // the open inner object ("spontaneousRate"), if any
        bool first = true;
        for (int32_t i = 0; i < kLessonValues; ++i) {
            const char* path = kFields[i].path;
            if (!lesson.present[i] || std::strncmp(path, section, n) != 0 || path[n] != '.') continue;
            const std::string rest = path + n + 1;
            const size_t dot = rest.find('.');
            const std::string inner = dot == std::string::npos ? "" : rest.substr(0, dot);
            if (!group.empty() && inner != group) out += " }";
            out += first ? std::string(",\n  ") + JsonQuoted(section) + ": {\n    " : (inner == group && !group.empty() ? ", " : ",\n    ");
            if (!inner.empty() && inner != group) out += JsonQuoted(inner) + ": { ";
            group = inner;
            out += JsonQuoted(dot == std::string::npos ? rest : rest.substr(dot + 1)) + ": ";
            WriteValue(out, kFields[i], lesson.value[i]);
            first = false;
        }
        if (!group.empty()) out += " }";
        if (!first) out += "\n  }";
    }
    return out + "\n}\n";
}

std::string UnreadableLessonRefusal(const std::string& reason)
{
    return LessonRefusal(TrArgs("the file: expected a file that can be read, %1", {reason}));
}

std::string LessonRefusal(const std::string& error)
{
    return TrArgs("This lesson cannot be opened, and nothing was changed.\n%1.", {error});
}
