#include "formats/json_reader.h"

#include <charconv>
#include <cmath>

#include "language/catalog.h"
#include "model/typed_number.h"

const JsonValue* JsonValue::Member(std::string_view name) const
{
    if (kind != Kind::Object) return nullptr;
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return &items[i];
    return nullptr;
}

namespace {

struct Reader {
    std::string_view text;
    size_t at = 0;
    std::string error;

    bool Fail(const std::string& what)
    {
        if (!error.empty()) return false;
        int32_t line = 1, column = 1;
        for (size_t i = 0; i < at && i < text.size(); ++i) {
            if (text[i] == '\n') { ++line; column = 1; } else { ++column; }
        }
        // The reason in the reader's language; a lesson's refusal quotes it.
        error = TrArgs("line %1, column %2: %3", {std::to_string(line), std::to_string(column), Tr(what)});
        return false;
    }
    void SkipSpace()
    {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\n' || text[at] == '\r')) ++at;
    }
    bool Take(char c)
    {
        SkipSpace();
        if (at < text.size() && text[at] == c) { ++at; return true; }
        return false;
    }
    bool Word(std::string_view word)
    {
        if (text.substr(at, word.size()) != word) return Fail(N_("expected a value"));
        at += word.size();
        return true;
    }
    bool Value(JsonValue& value, int32_t depth);
    bool String(std::string& out);
    bool Number(JsonValue& value);
    bool Object(JsonValue& value, int32_t depth);
    bool Array(JsonValue& value, int32_t depth);
};

bool Reader::String(std::string& out)
{
    if (!Take('"')) return Fail(N_("expected a string"));
    while (at < text.size()) {
        const char c = text[at++];
        if (c == '"') return true;
        if (static_cast<unsigned char>(c) < 0x20) return Fail(N_("a control character inside a string"));
        if (c != '\\') { out += c; continue; }
        if (at >= text.size()) break;
        const char e = text[at++];
        const char* plain = "\"\\/bfnrt";
        const char* meant = "\"\\/\b\f\n\r\t";
        if (const char* p = std::char_traits<char>::find(plain, 8, e)) { out += meant[p - plain]; continue; }
        if (e != 'u') return Fail(N_("an unknown escape in a string"));
        uint32_t code = 0;
        for (int32_t pair = 0; pair < 2; ++pair) {
            uint32_t unit = 0;
            if (at + 4 > text.size() || std::from_chars(text.data() + at, text.data() + at + 4, unit, 16).ptr !=
                                            text.data() + at + 4)
                return Fail(N_("expected four hexadecimal digits after \\u"));
            at += 4;
            if (pair == 1) {
                if (unit < 0xDC00 || unit > 0xDFFF) return Fail(N_("a lone surrogate in a string"));
                code = 0x10000 + ((code - 0xD800) << 10) + (unit - 0xDC00);
                break;
            }
            code = unit;
            if (unit >= 0xDC00 && unit <= 0xDFFF) return Fail(N_("a lone surrogate in a string"));
            if (unit < 0xD800 || unit > 0xDBFF) break;
            if (text.substr(at, 2) != "\\u") return Fail(N_("a lone surrogate in a string"));
            at += 2;
        }
        AppendUtf8(out, code);
    }
    return Fail(N_("a string that does not end"));
}

bool Reader::Number(JsonValue& value)
{
    // JSON's grammar: -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
    const size_t start = at;
    auto digits = [&] {
        const size_t from = at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
        return at > from;
    };
    if (at < text.size() && text[at] == '-') ++at;
    if (at < text.size() && text[at] == '0') ++at;
    else if (!digits()) return Fail(N_("expected a value"));
    if (at < text.size() && text[at] == '.') { ++at; if (!digits()) return Fail(N_("expected digits after '.'")); }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
        if (!digits()) return Fail(N_("expected digits in the exponent"));
    }
    value.text.assign(text.substr(start, at - start));
    const ParsedReal parsed = ParseReal(value.text.c_str());
    if (!parsed.isNumber) return Fail(N_("a number too large"));
    value.kind = JsonValue::Kind::Number;
    value.number = parsed.value;
    return true;
}

bool Reader::Object(JsonValue& value, int32_t depth)
{
    value.kind = JsonValue::Kind::Object;
    if (Take('}')) return true;
    do {
        std::string name;
        SkipSpace();
        if (!String(name)) return false;
        if (value.Member(name) != nullptr) return Fail(TrArgs("\"%1\" appears twice", {name}));
        if (!Take(':')) return Fail(N_("expected ':'"));
        JsonValue member;
        if (!Value(member, depth + 1)) return false;
        value.names.push_back(std::move(name));
        value.items.push_back(std::move(member));
    } while (Take(','));
    return Take('}') || Fail(N_("expected ',' or '}'"));
}

bool Reader::Array(JsonValue& value, int32_t depth)
{
    value.kind = JsonValue::Kind::Array;
    if (Take(']')) return true;
    do {
        value.items.emplace_back();
        if (!Value(value.items.back(), depth + 1)) return false;
    } while (Take(','));
    return Take(']') || Fail(N_("expected ',' or ']'"));
}

bool Reader::Value(JsonValue& value, int32_t depth)
{
    if (depth > kJsonMaxDepth) return Fail(N_("nested too deeply"));
    SkipSpace();
    if (at >= text.size()) return Fail(N_("the text ends where a value was expected"));
    switch (text[at]) {
    case '{': ++at; return Object(value, depth);
    case '[': ++at; return Array(value, depth);
    case '"': value.kind = JsonValue::Kind::String; return String(value.text);
    case 't': value.kind = JsonValue::Kind::Bool; value.flag = true; return Word("true");
    case 'f': value.kind = JsonValue::Kind::Bool; return Word("false");
    case 'n': return Word("null");
    default: return Number(value);
    }
}

}  // namespace

bool ReadJson(std::string_view text, JsonValue& value, std::string& error)
{
    Reader reader{text, 0, {}};
    JsonValue read;
    bool ok = reader.Value(read, 0);
    reader.SkipSpace();
    if (ok && reader.at != text.size()) ok = reader.Fail(N_("more text after the end"));
    if (!ok) {
        error = reader.error;
        return false;
    }
    value = std::move(read);
    return true;
}
