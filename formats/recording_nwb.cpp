#include "formats/recording_nwb.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>

#include "formats/recording_csv.h"
#include "tuning/tuning_sweep.h"

const char* const kNwbVersion = "2.6.0";
const char* const kSpikeTimesDescription = "time of each spike, in seconds from the start of the recording";
const char* const kTrialsDescription =
    "each presentation of the stimulus: a press to its release, or one point of a tuning sweep";

namespace {

NwbColumn Numbers(const char* name, const char* description) { return {name, description, false, {}, {}}; }
NwbColumn Texts(const char* name, const char* description) { return {name, description, true, {}, {}}; }

}  // namespace

NwbContent BuildNwbContent(const Recording& r, bool fieldHidden, const std::string& description)
{
    const std::string model = RecordedModelText(fieldHidden);
    NwbContent c;
    c.sessionDescription = description + ". Model: " + model;
    c.unitsDescription = "The model neuron: " + model;
    c.spikeTimes = r.spikes;
    NwbColumn start = Numbers("start_time", "onset of the stimulus, seconds");
    NwbColumn stop = Numbers("stop_time", "end of the stimulus, seconds");
    NwbColumn type = Texts("stimulus", "spot, annulus, bar or grating");
    NwbColumn swept = Texts("swept", "the parameter a tuning sweep varied; empty for a press");
    NwbColumn condition = Numbers("condition", "the swept parameter's value; NaN for a press");
    for (const RecordedTrial& t : r.trials) {
        start.numbers.push_back(t.start);
        stop.numbers.push_back(TrialStop(r, t));
        type.texts.push_back(StimulusTypeName(t.stimulus.type));
        swept.texts.push_back(t.field >= 0 ? SweptFieldName(t.field) : "");
        condition.numbers.push_back(t.field >= 0 ? t.condition : std::nan(""));
    }
    c.trials = {start, stop, type};
    for (const StimulusColumn& s : kStimulusColumns) {
        NwbColumn column = Numbers(s.name, s.description);
        for (const RecordedTrial& t : r.trials) column.numbers.push_back(t.stimulus.*s.field);
        c.trials.push_back(column);
    }
    c.trials.push_back(swept);
    c.trials.push_back(condition);
    return c;
}

std::string NewUuid()
{
    static std::mt19937_64 generator{std::random_device{}()};
    const uint64_t a = generator(), b = generator();
    char text[40];
    std::snprintf(text, sizeof text, "%08x-%04x-4%03x-%04x-%012llx", static_cast<unsigned>(a >> 32),
                  static_cast<unsigned>((a >> 16) & 0xFFFF), static_cast<unsigned>(a & 0xFFF),
                  static_cast<unsigned>(0x8000 | ((b >> 48) & 0x3FFF)),
                  static_cast<unsigned long long>(b & 0xFFFFFFFFFFFFULL));
    return text;
}

std::string NowIso8601()
{
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S+00:00", &utc);
    return text;
}
