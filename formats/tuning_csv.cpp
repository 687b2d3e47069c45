#include "formats/tuning_csv.h"

#include <charconv>
#include <string_view>

#include "model/file_numbers.h"

const char* const kTuningCsvHeader =
    "parameter,value,repeat,mean rate (spikes/s),peak rate (spikes/s),F0 (spikes/s),F1 (spikes/s)";

namespace {

constexpr size_t kColumns = 7;

void AppendFloat(std::string& out, float value) { out += ShortestRealText(value); }

bool ReadFloat(std::string_view text, float* value) { return ReadWholeReal(text, value); }

bool ReadRepeat(std::string_view text, int32_t* repeat)
{
    if (text.empty()) return false;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), *repeat);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() && *repeat >= 1;
}

// Splits a row at its commas; false when it has not exactly kColumns cells.
bool SplitRow(std::string_view row, std::string_view* cells)
{
    size_t count = 0;
    for (;;) {
        const size_t comma = row.find(',');
        if (count == kColumns) return false;
        cells[count++] = row.substr(0, comma);
        if (comma == std::string_view::npos) break;
        row.remove_prefix(comma + 1);
    }
    return count == kColumns;
}

bool ReadPoint(const std::string_view* cells, TuningPoint* point)
{
    if (!ReadFloat(cells[1], &point->value) || !ReadRepeat(cells[2], &point->repeat) ||
        !ReadFloat(cells[3], &point->meanRate) || !ReadFloat(cells[4], &point->peakRate))
        return false;
    point->hasHarmonics = !cells[5].empty() || !cells[6].empty();
    if (!point->hasHarmonics) return true;
    return ReadFloat(cells[5], &point->f0) && ReadFloat(cells[6], &point->f1);
}

}  // namespace

std::string TuningCsvText(int32_t field, const std::vector<TuningPoint>& points)
{
    std::string out = kTuningCsvHeader;
    out += '\n';
    const char* name = SweptFieldName(field);
    for (const TuningPoint& p : points) {
        out += name;
        out += ',';
        AppendFloat(out, p.value);
        out += ',';
        out += std::to_string(p.repeat);
        out += ',';
        AppendFloat(out, p.meanRate);
        out += ',';
        AppendFloat(out, p.peakRate);
        out += ',';
        // A stimulus with no temporal frequency has no harmonics: empty cells.
        if (p.hasHarmonics) AppendFloat(out, p.f0);
        out += ',';
        if (p.hasHarmonics) AppendFloat(out, p.f1);
        out += '\n';
    }
    return out;
}

ParsedTuningCsv ParseTuningCsv(const std::string& text)
{
    ParsedTuningCsv parsed;
    std::string_view rest(text);
    bool headerSeen = false;
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!headerSeen) {
            if (line != kTuningCsvHeader) return ParsedTuningCsv{};
            headerSeen = true;
            continue;
        }
        if (line.empty()) continue;
        std::string_view cells[kColumns];
        if (!SplitRow(line, cells)) return ParsedTuningCsv{};
        const int32_t field = SweptFieldFromName(std::string(cells[0]).c_str());
        if (field < 0 || (parsed.field >= 0 && field != parsed.field)) return ParsedTuningCsv{};
        parsed.field = field;
        TuningPoint point;
        if (!ReadPoint(cells, &point)) return ParsedTuningCsv{};
        parsed.points.push_back(point);
    }
    parsed.ok = headerSeen;
    return parsed;
}
