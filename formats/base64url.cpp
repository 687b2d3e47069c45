#include "formats/base64url.h"

#include <cstdint>
#include <string>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
int32_t SextetOf(char c)
{
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    return c == '-' ? 62 : c == '_' ? 63 : -1;
}

}  // namespace

std::string Base64Url(std::string_view bytes)
{
    std::string out;
    uint32_t bits = 0;
    int32_t count = 0;
    for (const char c : bytes) {
        bits = (bits << 8) | static_cast<unsigned char>(c);
        count += 8;
        while (count >= 6) {
            count -= 6;
            out += kAlphabet[(bits >> count) & 63];
        }
    }
    if (count > 0) out += kAlphabet[(bits << (6 - count)) & 63];
    return out;
}

bool FromBase64Url(std::string_view text, std::string& bytes)
{
    std::string out;
    uint32_t bits = 0;
    int32_t count = 0;
    for (const char c : text) {
        const int32_t sextet = SextetOf(c);
        if (sextet < 0) return false;
        bits = (bits << 6) | static_cast<uint32_t>(sextet);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    // One sextet left over is not a byte: the text was cut.
    if (count >= 6) return false;
    bytes = std::move(out);
    return true;
}

