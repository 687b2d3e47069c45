#pragma once
#include <cstdint>

#include "sim/commands.h"

// The program's string table: the toolbar tooltips, keyed by the command id
// of their button, and the help text (paragraphs separated by an empty line).
constexpr int32_t kHelpTextId = 119;

// The text of a string id in the language in force, or nullptr when the
// table has none.
const char* LoadProgramString(int32_t id);
