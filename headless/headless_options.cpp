#include "headless/headless_options.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "files/recording_files.h"
#include "model/cell_type_names.h"
#include "recording/recording.h"

bool AskedFor(int argc, char** argv, const char* option)
{
    const size_t length = std::strlen(option);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], option, length) == 0) return true;
    return false;
}

bool NextOption(int argc, char** argv, int& i, std::string& option, std::string& value)
{
    option = argv[i];
    value.clear();
    const size_t equals = option.find('=');
    if (equals != std::string::npos) value = option.substr(equals + 1), option.resize(equals);
    else if (i + 1 < argc) value = argv[++i];
    else return false;
    return true;
}

bool NumberIn(const std::string& text, double low, double high, bool whole, double* value)
{
    // Decimal only: strtod would also take hexadecimal, "inf" and leading spaces.
    if (text.empty() || text.size() > 24 || text.find_first_not_of("0123456789+-.eE") != std::string::npos) return false;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !(v >= low && v <= high) || (whole && v != std::floor(v))) return false;
    *value = v;
    return true;
}

std::string CellNamesOnCommandLine()
{
    std::string cells;
    for (const CellTypeSpelling& s : kCellTypeSpellings) cells.append(cells.empty() ? "" : "|").append(s.commandLine);
    return cells;
}

int WriteRecordingAndSay(const std::string& out, const std::string& line)
{
    const std::string failure = WriteRecordingFile(out, recording, false);
    if (!failure.empty()) {
        std::fprintf(stderr, "tessaline: %s\n", failure.c_str());
        return 1;
    }
    std::printf("%s\n", line.c_str());
    return 0;
}
