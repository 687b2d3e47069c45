#pragma once
// A small reader for the JSON of lesson files: objects, arrays, strings,
// numbers, true, false and null, nested at most kJsonMaxDepth deep. It
// exists so the core, the desktop and the web page read lessons with one
// piece of code and no toolkit.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr int32_t kJsonMaxDepth = 8;

struct JsonValue {
    enum class Kind : int32_t { Null, Bool, Number, String, Object, Array };
    Kind kind = Kind::Null;
    bool flag = false;
    double number = 0.0;
    std::string text;                                       // a string's value, a number's digits
    std::vector<JsonValue> items;                           // an array's, or an object's values
    std::vector<std::string> names;                         // an object's names, in file order

    // The member of that name, or null when there is none (or this is no object).
    const JsonValue* Member(std::string_view name) const;
};

// Reads the whole text as one JSON value. On failure returns false and
// says where and what was wrong ("line 3, column 7: expected ':'").
bool ReadJson(std::string_view text, JsonValue& value, std::string& error);
