// Fixed-width number fields for the overlay (4 characters) and the dialogs
// (6 characters).
#include "model/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

// Writes the decimal digits of m (m >= 0) into buf, most significant first;
// returns how many. buf holds at least 20 characters.
int32_t WriteDigits(uint64_t m, char* buf)
{
    char reversed[20];
    int32_t count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + m % 10);
        m /= 10;
    } while (m != 0);
    for (int32_t i = 0; i < count; ++i) buf[i] = reversed[count - 1 - i];
    return count;
}

void Fill(char* field, int32_t w, char c)
{
    for (int32_t i = 0; i < w; ++i) field[i] = c;
}

// Right-justifies text (len <= w) in the field, blanks before it.
void WriteRight(char* field, int32_t w, const char* text, int32_t len)
{
    Fill(field, w - len, ' ');
    std::memcpy(field + (w - len), text, static_cast<size_t>(len));
}

// The scaled value |v| x 10^k is rounded into a 64-bit integer, so at most
// 18 digits in all; only fields wider than any the program uses reach this.
constexpr int32_t kMaxDigits = 18;

// |v| rounded to k decimals (k < 1: to a whole number) as digits with the
// point where it belongs and no trailing zeros after it; returns the length.
// The sign of v takes part in the rounding, as the field's arithmetic does.
int32_t RoundedDigits(float v, int32_t k, char* text)
{
    const float s = v < 0.0f ? -1.0f : 0.0f;
    if (k < 1) return WriteDigits(static_cast<uint64_t>(std::fabs((0.5f + v) + s)), text);
    int64_t power = 1;
    for (int32_t i = 0; i < k; ++i) power *= 10;
    const float scaled = std::fabs((s + 0.5f) + static_cast<float>(power) * v);
    // |v| < 10^d, so scaled < 10^(d + k) + 1 <= 10^18 + 1: it fits.
    uint64_t m = static_cast<uint64_t>(scaled);
    int32_t zeros = 0;
    while (zeros < k && m % 10 == 0) {
        m /= 10;
        ++zeros;
    }
    const int32_t e = k - zeros;
    char digits[24];
    const int32_t count = WriteDigits(m, digits);
    int32_t len = 0;
    if (e == 0) {
        std::memcpy(text, digits, static_cast<size_t>(count));
        return count;
    }
    if (count <= e) {
        text[len++] = '.';
        for (int32_t i = 0; i < e - count; ++i) text[len++] = '0';
        std::memcpy(text + len, digits, static_cast<size_t>(count));
        return len + count;
    }
    std::memcpy(text, digits, static_cast<size_t>(count - e));
    len = count - e;
    text[len++] = '.';
    std::memcpy(text + len, digits + (count - e), static_cast<size_t>(e));
    return len + e;
}

}  // namespace

void FormatInteger(int32_t n, char* field, int32_t w)
{
    if (w <= 0) return;
    Fill(field, w, ' ');
    const bool negative = n < 0;
    // Widened first: the magnitude of the most negative int32 does not fit int32.
    const uint64_t magnitude = negative ? static_cast<uint64_t>(-static_cast<int64_t>(n))
                                        : static_cast<uint64_t>(n);
    char text[24];
    int32_t len = 0;
    if (negative) text[len++] = '-';
    len += WriteDigits(magnitude, text + len);
    if (len > w) {
        Fill(field, w, '*');
        return;
    }
    WriteRight(field, w, text, len);
}

void FormatReal(float v, char* field, int32_t w)
{
    if (w <= 0) return;
    // Out of range (the program's "no value" marker among them) and NaN show
    // as a lone star at the right.
    if (!(std::fabs(v) <= 1e9f)) {
        Fill(field, w - 1, ' ');
        field[w - 1] = '*';
        return;
    }

    const bool neg = v < 0.0f;
    const int32_t negWidth = neg ? 1 : 0;
    const uint64_t whole = static_cast<uint64_t>(std::fabs(v));  // |v| <= 1e9
    const int32_t d = whole == 0 ? 0 : [&] {
        char scratch[20];
        return WriteDigits(whole, scratch);
    }();
    if (d + negWidth > w) {
        Fill(field, w, '*');
        return;
    }

    int32_t k = w - d - 1 - negWidth;
    if (k < -1) k = -1;
    if (d + k > kMaxDigits) k = kMaxDigits - d;

    // Digits and point are built after a one-character slot kept for a "0"
    // and one for the sign, so both can be put in front without moving.
    char buffer[48];
    char* text = buffer + 2;
    int32_t len = RoundedDigits(v, k, text);

    if (len + negWidth > w) {
        Fill(field, w, '*');
        return;
    }
    const float magnitude = std::fabs(v);
    if (magnitude > 0.0f && magnitude < 1.0f && text[0] == '.') {
        const int32_t free = w - len;
        if (free >= (neg ? 2 : 1)) {
            --text;
            text[0] = '0';
            ++len;
        }
    }
    if (v < -1e-10f) {
        --text;
        text[0] = '-';
        ++len;
    }
    WriteRight(field, w, text, len);
}

std::string FormatIntegerText(int32_t n, int32_t w)
{
    if (w <= 0) return std::string();
    std::string s(static_cast<size_t>(w), ' ');
    FormatInteger(n, s.data(), w);
    return s;
}

std::string FormatRealText(float v, int32_t w)
{
    if (w <= 0) return std::string();
    std::string s(static_cast<size_t>(w), ' ');
    FormatReal(v, s.data(), w);
    return s;
}
