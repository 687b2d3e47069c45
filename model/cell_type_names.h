#pragma once
// Every spelling of the five cell types, each written once, in the order of
// CellType: the name in a lesson file, the token of the command line
// (tessaline --sweep --cell), the receptive-field dialog's and the rate
// list's texts, and the description the feedback window and the exported
// files give. A lesson file and the command line accept exactly these.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/receptive_field.h"

struct CellTypeSpelling {
    int32_t type;             // a CellType
    const char* lessonName;
    const char* commandLine;
    const char* dialogName;
    const char* rateName;
    const char* description;
};
constexpr CellTypeSpelling kCellTypeSpellings[] = {
    {OnCentreX, "onCentreX", "on-centre", "retinal/LGN ON center X cell", "RGG ON", "ON-centre X"},
    {OffCentreX, "offCentreX", "off-centre", "retinal/LGN OFF center X cell", "RGC OFF", "OFF-centre X"},
    {Simple, "simple", "simple", "simple cell", "simple", "simple"},
    {DirectionalSimple, "directionalSimple", "ds-simple", "DS simple cell", "DS simple", "directionally selective simple"},
    {Complex, "complex", "complex", "Complex cell", "complex", "complex"},
};
constexpr size_t kCellTypeCount = std::size(kCellTypeSpellings);

// One column of the table, in the order of CellType (for lists).
template <const char* CellTypeSpelling::*Column>
constexpr std::array<const char*, kCellTypeCount> CellTypeColumn()
{
    std::array<const char*, kCellTypeCount> column{};
    for (size_t i = 0; i < kCellTypeCount; ++i) column[i] = kCellTypeSpellings[i].*Column;
    return column;
}

// The cell type a text spells in one column, or 0 for none.
template <const char* CellTypeSpelling::*Column>
constexpr int32_t CellTypeSpelledAs(std::string_view text)
{
    for (const CellTypeSpelling& s : kCellTypeSpellings) {
        if (text == s.*Column) return s.type;
    }
    return 0;
}

// A cell type's description; a type outside the table is described as simple.
constexpr const char* CellTypeDescription(int32_t type)
{
    for (const CellTypeSpelling& s : kCellTypeSpellings) {
        if (s.type == type) return s.description;
    }
    return kCellTypeSpellings[Simple - 1].description;
}
