#include "formats/json_writer.h"

#include <cmath>

#include "model/file_numbers.h"

std::string JsonQuoted(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (u < 0x20 || c == '<' || c == '>' || c == '&') {
            const char* hex = "0123456789abcdef";
            const char escaped[] = {'\\', 'u', '0', '0', hex[u >> 4], hex[u & 15]};
            out.append(escaped, sizeof escaped);
        } else {
            out += c;
        }
    }
    return out + "\"";
}

void JsonWriter::Key(const char* key)
{
    if (!out.empty() && out.back() != '{' && out.back() != '[' && out.back() != ':') out += ',';
    if (key != nullptr) out += JsonQuoted(key), out += ':';
}

void JsonWriter::Int(const char* key, int64_t v) { Key(key), out += std::to_string(v); }

void JsonWriter::Bool(const char* key, bool v) { Key(key), out += v ? "true" : "false"; }

void JsonWriter::Real(const char* key, float v)
{
    Key(key);
    out += std::isfinite(v) ? ShortestRealText(v) : "null";
}

void JsonWriter::Double(const char* key, double v)
{
    Key(key);
    out += std::isfinite(v) ? ShortestDoubleText(v) : "null";
}

void JsonWriter::Text(const char* key, std::string_view v) { Key(key), out += JsonQuoted(v); }

void JsonWriter::Null(const char* key) { Key(key), out += "null"; }
