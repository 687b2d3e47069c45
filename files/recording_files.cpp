#include "files/recording_files.h"

#include <cstdio>

#include "files/hdf5_file.h"
#include "formats/recording_csv.h"
#include "formats/recording_nwb.h"

namespace {

bool EndsWith(const std::string& text, const char* end)
{
    const std::string e = end;
    if (text.size() <= e.size()) return false;
    for (size_t i = 0; i < e.size(); ++i) {
        const char c = text[text.size() - e.size() + i];
        if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != e[i]) return false;
    }
    return true;
}

bool WriteWhole(const std::string& path, const std::string& text)
{
    const std::string part = path + ".part";
    std::FILE* file = std::fopen(part.c_str(), "wb");
    if (file == nullptr) return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    ok = std::fclose(file) == 0 && ok;
    if (ok && std::rename(part.c_str(), path.c_str()) == 0) return true;
    std::remove(part.c_str());
    return false;
}

}  // namespace

bool IsNwbPath(const std::string& path) { return EndsWith(path, ".nwb"); }
bool IsCsvPath(const std::string& path) { return EndsWith(path, ".csv"); }

std::string WriteRecordingFile(const std::string& path, const Recording& r, bool fieldHidden)
{
    if (IsNwbPath(path)) {
        NwbSession session;
        session.fieldHidden = fieldHidden;
        return WriteHdf5File(path, BuildNwbTree(r, session));
    }
    if (!IsCsvPath(path)) return "cannot write " + path + ": the name must end in .nwb or .csv";
    // All or none: a file that fails takes those written before it away.
    const std::vector<NamedText> files = RecordingCsvFiles(r, path);
    for (size_t i = 0; i < files.size(); ++i) {
        if (WriteWhole(files[i].name, files[i].text)) continue;
        for (size_t j = 0; j < i; ++j) std::remove(files[j].name.c_str());
        return "cannot write " + files[i].name;
    }
    return {};
}
