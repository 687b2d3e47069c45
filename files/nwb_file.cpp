#include "files/nwb_file.h"

#include <hdf5.h>

#include <cstdio>
#include <vector>

#include "formats/recording_nwb.h"

namespace {

// One HDF5 handle, closed with its own function when it goes.
class Handle {
public:
    Handle(hid_t id, herr_t (*close)(hid_t)) : id_(id), close_(close) {}
    ~Handle() { if (id_ >= 0) close_(id_); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    operator hid_t() const { return id_; }
    bool ok() const { return id_ >= 0; }
private:
    hid_t id_;
    herr_t (*close_)(hid_t);
};

struct Writer {
    hid_t file = -1;
    bool ok = true;
};

hid_t TextType()
{
    const hid_t t = H5Tcopy(H5T_C_S1);
    H5Tset_size(t, H5T_VARIABLE);
    H5Tset_cset(t, H5T_CSET_UTF8);
    return t;
}

void Check(Writer& w, bool good) { w.ok = w.ok && good; }

void TextAttribute(Writer& w, hid_t object, const char* name, const std::string& value)
{
    Handle type(TextType(), H5Tclose), space(H5Screate(H5S_SCALAR), H5Sclose);
    Handle attr(H5Acreate2(object, name, type, space, H5P_DEFAULT, H5P_DEFAULT), H5Aclose);
    const char* text = value.c_str();
    Check(w, attr.ok() && H5Awrite(attr, type, &text) >= 0);
}

void TextListAttribute(Writer& w, hid_t object, const char* name, const std::vector<std::string>& values)
{
    std::vector<const char*> texts;
    for (const std::string& v : values) texts.push_back(v.c_str());
    const hsize_t n = texts.size();
    Handle type(TextType(), H5Tclose), space(H5Screate_simple(1, &n, nullptr), H5Sclose);
    Handle attr(H5Acreate2(object, name, type, space, H5P_DEFAULT, H5P_DEFAULT), H5Aclose);
    Check(w, attr.ok() && H5Awrite(attr, type, texts.data()) >= 0);
}

// Every typed object names its namespace and type and has its own id.
void Typed(Writer& w, hid_t object, const char* space, const char* type)
{
    TextAttribute(w, object, "namespace", space);
    TextAttribute(w, object, "neurodata_type", type);
    TextAttribute(w, object, "object_id", NewUuid());
}

hid_t Group(Writer& w, hid_t parent, const char* name)
{
    const hid_t g = H5Gcreate2(parent, name, H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT);
    Check(w, g >= 0);
    return g;
}

void TextDataset(Writer& w, hid_t parent, const char* name, const std::string& value, bool list = false)
{
    const hsize_t one = 1;
    Handle type(TextType(), H5Tclose);
    Handle space(list ? H5Screate_simple(1, &one, nullptr) : H5Screate(H5S_SCALAR), H5Sclose);
    Handle set(H5Dcreate2(parent, name, type, space, H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT), H5Dclose);
    const char* text = value.c_str();
    Check(w, set.ok() && H5Dwrite(set, type, H5S_ALL, H5S_ALL, H5P_DEFAULT, &text) >= 0);
}

// A one-dimensional dataset of n values of the given memory and file types.
hid_t Column(Writer& w, hid_t parent, const char* name, hid_t fileType, hid_t memoryType, const void* data, size_t n)
{
    const hsize_t count = n;
    Handle space(H5Screate_simple(1, &count, nullptr), H5Sclose);
    const hid_t set = H5Dcreate2(parent, name, fileType, space, H5P_DEFAULT, H5P_DEFAULT, H5P_DEFAULT);
    Check(w, set >= 0 && (n == 0 || H5Dwrite(set, memoryType, H5S_ALL, H5S_ALL, H5P_DEFAULT, data) >= 0));
    return set;
}

void VectorData(Writer& w, hid_t parent, const char* name, const std::vector<double>& values, const char* description)
{
    Handle set(Column(w, parent, name, H5T_IEEE_F64LE, H5T_NATIVE_DOUBLE, values.data(), values.size()), H5Dclose);
    if (!set.ok()) return;
    Typed(w, set, "hdmf-common", "VectorData");
    TextAttribute(w, set, "description", description);
}

void TextVectorData(Writer& w, hid_t parent, const char* name, const std::vector<std::string>& values,
                    const char* description)
{
    std::vector<const char*> texts;
    for (const std::string& v : values) texts.push_back(v.c_str());
    Handle type(TextType(), H5Tclose);
    Handle set(Column(w, parent, name, type, type, texts.data(), texts.size()), H5Dclose);
    if (!set.ok()) return;
    Typed(w, set, "hdmf-common", "VectorData");
    TextAttribute(w, set, "description", description);
}

void Ids(Writer& w, hid_t table, size_t n)
{
    std::vector<int64_t> ids(n);
    for (size_t i = 0; i < n; ++i) ids[i] = static_cast<int64_t>(i);
    Handle set(Column(w, table, "id", H5T_STD_I64LE, H5T_NATIVE_INT64, ids.data(), n), H5Dclose);
    if (set.ok()) Typed(w, set, "hdmf-common", "ElementIdentifiers");
}

void Units(Writer& w, hid_t file, const NwbContent& c)
{
    Handle units(Group(w, file, "units"), H5Gclose);
    if (!units.ok()) return;
    Typed(w, units, "core", "Units");
    TextListAttribute(w, units, "colnames", {"spike_times"});
    TextAttribute(w, units, "description", c.unitsDescription);
    Ids(w, units, 1);
    VectorData(w, units, "spike_times", c.spikeTimes, kSpikeTimesDescription);
    const uint64_t end = c.spikeTimes.size();  // one unit: its spikes end at the last
    Handle index(Column(w, units, "spike_times_index", H5T_STD_U64LE, H5T_NATIVE_UINT64, &end, 1), H5Dclose);
    if (!index.ok()) return;
    Typed(w, index, "hdmf-common", "VectorIndex");
    TextAttribute(w, index, "description", "index into spike_times");
    hobj_ref_t ref;
    Check(w, H5Rcreate(&ref, file, "/units/spike_times", H5R_OBJECT, -1) >= 0);
    Handle space(H5Screate(H5S_SCALAR), H5Sclose);
    Handle target(H5Acreate2(index, "target", H5T_STD_REF_OBJ, space, H5P_DEFAULT, H5P_DEFAULT), H5Aclose);
    Check(w, target.ok() && H5Awrite(target, H5T_STD_REF_OBJ, &ref) >= 0);
}

void Trials(Writer& w, hid_t file, const NwbContent& c)
{
    Handle intervals(Group(w, file, "intervals"), H5Gclose);
    Handle trials(Group(w, intervals, "trials"), H5Gclose);
    if (!trials.ok()) return;
    Typed(w, trials, "core", "TimeIntervals");
    TextAttribute(w, trials, "description", kTrialsDescription);
    std::vector<std::string> names;
    for (const NwbColumn& column : c.trials) names.push_back(column.name);
    TextListAttribute(w, trials, "colnames", names);
    Ids(w, trials, c.trials.front().numbers.size());
    for (const NwbColumn& column : c.trials) {
        if (column.isText) TextVectorData(w, trials, column.name, column.texts, column.description);
        else VectorData(w, trials, column.name, column.numbers, column.description);
    }
}

void Root(Writer& w, hid_t file, const NwbSession& session, const NwbContent& c)
{
    Typed(w, file, "core", "NWBFile");
    TextAttribute(w, file, "nwb_version", kNwbVersion);
    const std::string start = session.startTime.empty() ? NowIso8601() : session.startTime;
    TextDataset(w, file, "file_create_date", NowIso8601(), true);
    TextDataset(w, file, "identifier", session.identifier.empty() ? NewUuid() : session.identifier);
    TextDataset(w, file, "session_description", c.sessionDescription);
    TextDataset(w, file, "session_start_time", start);
    TextDataset(w, file, "timestamps_reference_time", start);
    for (const char* name : {"acquisition", "analysis", "processing", "general"}) Handle(Group(w, file, name), H5Gclose);
    Handle stimulusGroup(Group(w, file, "stimulus"), H5Gclose);
    Handle(Group(w, stimulusGroup, "presentation"), H5Gclose);
    Handle(Group(w, stimulusGroup, "templates"), H5Gclose);
}

}  // namespace

std::string WriteNwbFile(const std::string& path, const Recording& r, const NwbSession& session)
{
    H5Eset_auto2(H5E_DEFAULT, nullptr, nullptr);  // failures are reported by the message below
    const std::string part = path + ".part";
    const NwbContent content = BuildNwbContent(r, session.fieldHidden, session.description);
    Writer w;
    {
        Handle file(H5Fcreate(part.c_str(), H5F_ACC_TRUNC, H5P_DEFAULT, H5P_DEFAULT), H5Fclose);
        if (!file.ok()) return "cannot write " + path;
        w.file = file;
        Root(w, file, session, content);
        Units(w, file, content);
        Trials(w, file, content);
        Check(w, H5Fflush(file, H5F_SCOPE_GLOBAL) >= 0);
    }
    if (!w.ok || std::rename(part.c_str(), path.c_str()) != 0) {
        std::remove(part.c_str());
        return "cannot write " + path;
    }
    return {};
}
