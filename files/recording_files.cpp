#include "files/recording_files.h"

#include <cstdio>

#include "files/nwb_file.h"
#include "formats/recording_csv.h"

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
        return WriteNwbFile(path, r, session);
    }
    if (!IsCsvPath(path)) return "cannot write " + path + ": the name must end in .nwb or .csv";
    const std::string trialsPath = TrialsCsvPath(path);
    if (!WriteWhole(trialsPath, TrialsCsvText(r))) return "cannot write " + trialsPath;
    if (WriteWhole(path, SpikesCsvText(r))) return {};
    std::remove(trialsPath.c_str());
    return "cannot write " + path;
}
