#include "formats/recording_nwb.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>

#include "formats/noise_files.h"
#include "formats/recording_csv.h"
#include "tuning/tuning_sweep.h"

namespace {

const char* const kNwbVersion = "2.6.0";
const char* const kSpikeTimesDescription = "time of each spike, in seconds from the start of the recording";
const char* const kTrialsDescription =
    "each presentation of the stimulus: a press to its release, or one point of a tuning sweep";

// Every typed object names its namespace and type and has its own id.
std::vector<TreeAttribute> Typed(const char* space, const char* type)
{
    return {TextAttribute("namespace", space), TextAttribute("neurodata_type", type), TextAttribute("object_id", NewUuid())};
}

TreeDataset Column(const std::string& name, TreeValues values, const char* type, const char* description)
{
    TreeDataset d = VectorDataset(name, std::move(values));
    d.attributes = Typed("hdmf-common", type);
    if (description != nullptr) d.attributes.push_back(TextAttribute("description", description));
    return d;
}

TreeDataset Ids(size_t n)
{
    std::vector<int64_t> ids(n);
    for (size_t i = 0; i < n; ++i) ids[i] = static_cast<int64_t>(i);
    return Column("id", ids, "ElementIdentifiers", nullptr);
}

TreeGroup Group(const char* name, std::vector<TreeAttribute> attributes = {})
{
    return {name, std::move(attributes), {}, {}};
}

TreeGroup Units(const Recording& r, const std::string& model)
{
    TreeGroup units = Group("units", Typed("core", "Units"));
    units.attributes.push_back(TextListAttribute("colnames", {"spike_times"}));
    units.attributes.push_back(TextAttribute("description", "The model neuron: " + model));
    units.datasets.push_back(Ids(1));
    units.datasets.push_back(Column("spike_times", r.spikes, "VectorData", kSpikeTimesDescription));
    // One unit: its spikes end at the last.
    TreeDataset index = Column("spike_times_index", std::vector<uint64_t>{r.spikes.size()}, "VectorIndex",
                               "index into spike_times");
    index.attributes.push_back(ReferenceAttribute("target", "/units/spike_times"));
    units.datasets.push_back(index);
    return units;
}

// start_time, stop_time and stimulus, the stimulus's numbers, then swept and condition.
TreeGroup Trials(const Recording& r)
{
    std::vector<double> start, stop, condition;
    std::vector<std::string> type, swept;
    for (const RecordedTrial& t : r.trials) {
        start.push_back(t.start);
        stop.push_back(TrialStop(r, t));
        type.push_back(StimulusTypeName(t.stimulus.type));
        swept.push_back(t.field >= 0 ? SweptFieldName(t.field) : "");
        condition.push_back(t.field >= 0 ? t.condition : std::nan(""));
    }
    TreeGroup trials = Group("trials", Typed("core", "TimeIntervals"));
    trials.attributes.push_back(TextAttribute("description", kTrialsDescription));
    trials.datasets.push_back(Ids(r.trials.size()));
    auto add = [&](const char* name, TreeValues values, const char* description) {
        trials.datasets.push_back(Column(name, std::move(values), "VectorData", description));
    };
    add("start_time", start, "onset of the stimulus, seconds");
    add("stop_time", stop, "end of the stimulus, seconds");
    add("stimulus", type, "spot, annulus, bar, grating, sparse noise or white noise");
    for (const StimulusColumn& s : kStimulusColumns) {
        std::vector<double> values;
        for (const RecordedTrial& t : r.trials) values.push_back(t.stimulus.*s.field);
        add(s.name, values, s.description);
    }
    add("swept", swept, "the parameter a tuning sweep varied; empty for a press");
    add("condition", condition, "the swept parameter's value; NaN for a press");
    std::vector<std::string> names;
    for (size_t i = 1; i < trials.datasets.size(); ++i) names.push_back(trials.datasets[i].name);
    trials.attributes.push_back(TextListAttribute("colnames", names));
    return trials;
}

}  // namespace

TreeGroup BuildNwbTree(const Recording& r, const NwbSession& session)
{
    const std::string model = RecordedModelText(session.fieldHidden);
    const std::string start = session.startTime.empty() ? NowIso8601() : session.startTime;
    TreeGroup root = Group("", Typed("core", "NWBFile"));
    root.attributes.push_back(TextAttribute("nwb_version", kNwbVersion));
    root.datasets = {VectorDataset("file_create_date", std::vector<std::string>{NowIso8601()}),
                     ScalarText("identifier", session.identifier.empty() ? NewUuid() : session.identifier),
                     ScalarText("session_description", session.description + ". Model: " + model),
                     ScalarText("session_start_time", start), ScalarText("timestamps_reference_time", start)};
    for (const char* name : {"acquisition", "analysis", "processing", "general"}) root.groups.push_back(Group(name));
    TreeGroup stimulus = Group("stimulus");
    stimulus.groups = {Group("presentation"), Group("templates")};
    if (!r.noise.frames.empty()) stimulus.groups[0].groups.push_back(NoiseImageSeries(r.noise));
    root.groups.push_back(stimulus);
    root.groups.push_back(Units(r, model));
    TreeGroup intervals = Group("intervals");
    intervals.groups.push_back(Trials(r));
    root.groups.push_back(intervals);
    return root;
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
