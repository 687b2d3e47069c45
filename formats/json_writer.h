#pragma once
// JSON text (RFC 8259) written in one pass: every text either edition hands
// the other side of the binding, and the lesson files. Strings are escaped
// as the RFC asks (quote, backslash and every control character), plus <, >
// and &, so no text can close a script it is placed in; a number that is
// not finite is written as null, JSON having no NaN.
#include <cstdint>
#include <string>
#include <string_view>

// The text as a JSON string with its quotes.
std::string JsonQuoted(std::string_view text);

// Values go in the order they are written. Every call takes the member's
// name inside an object and nullptr inside an array (or for the outermost
// value); commas are put in as needed.
struct JsonWriter {
    std::string out;

    void Key(const char* key);
    void OpenObject(const char* key = nullptr) { Key(key), out += '{'; }
    void OpenArray(const char* key = nullptr) { Key(key), out += '['; }
    void CloseObject() { out += '}'; }
    void CloseArray() { out += ']'; }
    void Int(const char* key, int64_t v);
    void Bool(const char* key, bool v);
    void Real(const char* key, float v);     // the shortest text that reads back to v
    void Double(const char* key, double v);  // the same for a double
    void Text(const char* key, std::string_view v);
    void Null(const char* key);
};
