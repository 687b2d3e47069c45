#pragma once
// Every spelling of the five cell types, each written once, in the order of
// CellType: the name in a lesson file, the token of the command line
// (tessaline --sweep --cell), the receptive-field dialog's and the rate
// list's texts, and the description the feedback window and the exported
// files give. A lesson file and the command line accept exactly these; the
// three a student reads are marked for the catalog and translated where
// shown (the exported files keep the English description).
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "language/catalog.h"
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
    {OnCentreX, "onCentreX", "on-centre", N_("retinal/LGN ON center X cell"), N_("RGG ON"), N_("ON-centre X")},
    {OffCentreX, "offCentreX", "off-centre", N_("retinal/LGN OFF center X cell"), N_("RGC OFF"), N_("OFF-centre X")},
    {Simple, "simple", "simple", N_("simple cell"), N_("simple"), N_("simple")},
    {DirectionalSimple, "directionalSimple", "ds-simple", N_("DS simple cell"), N_("DS simple"),
     N_("directionally selective simple")},
    {Complex, "complex", "complex", N_("Complex cell"), N_("complex"), N_("complex")},
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
