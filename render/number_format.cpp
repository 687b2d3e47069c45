// Fixed-width number fields for the overlay (4 characters) and the dialogs
// (6 characters), and the reader for numbers typed into dialog fields.
#include "render/number_format.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>

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

// The value the program uses to mark "no value": shown as a lone star.
const float kMarkerValue = BitCast<float>(0xFF7FFFFDu);

// The scaled value |v| x 10^k is rounded into a 64-bit integer, so at most
// 18 digits in all; only fields wider than any the program uses reach this.
constexpr int32_t kMaxDigits = 18;

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal conversion that ignores the user's locale: a German desktop must
// still read "0.5" as one half, as the dialogs' labels promise.
locale_t ClassicLocale()
{
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return classic;
}

// The C locale in force on this thread for as long as it lives, so that
// printf and strtof use the point whatever the process locale is.
class ClassicNumbers {
public:
    ClassicNumbers() : previous_(ClassicLocale() != static_cast<locale_t>(0) ? uselocale(ClassicLocale())
                                                                            : static_cast<locale_t>(0)) {}
    ~ClassicNumbers()
    {
        if (previous_ != static_cast<locale_t>(0)) uselocale(previous_);
    }
    ClassicNumbers(const ClassicNumbers&) = delete;
    ClassicNumbers& operator=(const ClassicNumbers&) = delete;

private:
    locale_t previous_;
};

// The decimal exponent of v's leading digit, as printed with p digits.
int32_t DecimalExponent(double v, int32_t digits)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.*e", digits - 1, v);
    const char* e = std::strchr(text, 'e');
    return e != nullptr ? static_cast<int32_t>(std::strtol(e + 1, nullptr, 10)) : 0;
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
    // Out of range, the marker value and NaN all show as a lone star at the right.
    if (v == kMarkerValue || !(std::fabs(v) <= 1e9f)) {
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
    const float s = neg ? -1.0f : 0.0f;

    // Digits and point are built after a one-character slot kept for a "0"
    // and one for the sign, so both can be put in front without moving.
    char buffer[48];
    char* text = buffer + 2;
    int32_t len = 0;
    if (k < 1) {
        const uint64_t m = static_cast<uint64_t>(std::fabs((0.5f + v) + s));
        len = WriteDigits(m, text);
    } else {
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
        if (e == 0) {
            std::memcpy(text, digits, static_cast<size_t>(count));
            len = count;
        } else if (count <= e) {
            text[len++] = '.';
            for (int32_t i = 0; i < e - count; ++i) text[len++] = '0';
            std::memcpy(text + len, digits, static_cast<size_t>(count));
            len += count;
        } else {
            std::memcpy(text, digits, static_cast<size_t>(count - e));
            len = count - e;
            text[len++] = '.';
            std::memcpy(text + len, digits + (count - e), static_cast<size_t>(e));
            len += e;
        }
    }

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

namespace {

// The end of the decimal number at p: sign, digits, point, digits, and an
// exponent when one follows in full. nullptr when p holds no digit or
// starts a hexadecimal number (not something a student types for a size or
// a rate), so strtod never gets to read hexadecimal, infinity or NaN.
const char* ScanDecimal(const char* p)
{
    if (*p == '+' || *p == '-') ++p;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) return nullptr;
    int32_t mantissaDigits = 0;
    while (IsDigit(*p)) {
        ++p;
        ++mantissaDigits;
    }
    if (*p == '.') {
        ++p;
        while (IsDigit(*p)) {
            ++p;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return nullptr;  // "", "abc", ".", "-", "nan", "inf"
    if (*p == 'e' || *p == 'E') {
        const char* q = p + 1;
        if (*q == '+' || *q == '-') ++q;
        if (IsDigit(*q)) {
            while (IsDigit(*q)) ++q;
            p = q;
        }
    }
    return p;
}

}  // namespace

ParsedReal ParseReal(const char* text)
{
    if (text == nullptr) return {};
    const char* start = text;
    while (IsSpace(*start)) ++start;
    const char* p = ScanDecimal(start);
    if (p == nullptr) return {};

    // Convert exactly the scanned span.
    char local[128];
    std::string longText;
    const size_t length = static_cast<size_t>(p - start);
    const char* span = local;
    if (length < sizeof local) {
        std::memcpy(local, start, length);
        local[length] = '\0';
    } else {
        longText.assign(start, length);
        span = longText.c_str();
    }
    const locale_t classic = ClassicLocale();
    const double value = classic != static_cast<locale_t>(0) ? strtod_l(span, nullptr, classic)
                                                             : std::strtod(span, nullptr);
    if (!std::isfinite(value)) return {};  // overflowed
    return {value, true};
}

namespace {

// The fewest significant digits (up to most) that read back to v, as a
// float or as a double; plain decimals where they stay short, the exponent
// form beyond.
std::string ShortestText(double v, int32_t most, bool asFloat)
{
    if (!std::isfinite(v)) return std::isnan(v) ? "nan" : (v < 0 ? "-inf" : "inf");
    const ClassicNumbers classic;
    char text[64];
    int32_t digits = 1;
    for (; digits < most; ++digits) {
        std::snprintf(text, sizeof text, "%.*e", digits - 1, v);
        if (asFloat ? std::strtof(text, nullptr) == static_cast<float>(v) : std::strtod(text, nullptr) == v) break;
    }
    const int32_t exponent = v == 0.0 ? 0 : DecimalExponent(v, digits);
    if (exponent >= -5 && exponent < 16) {
        const int32_t decimals = std::max(digits - 1 - exponent, 0);
        std::snprintf(text, sizeof text, "%.*f", decimals, v);
    } else {
        std::snprintf(text, sizeof text, "%.*e", digits - 1, v);
    }
    return text;
}

}  // namespace

// Nine significant digits always read back to the same float, seventeen to
// the same double.
std::string ShortestRealText(float v) { return ShortestText(static_cast<double>(v), 9, true); }
std::string ShortestDoubleText(double v) { return ShortestText(v, 17, false); }

std::string FixedRealText(float v, int32_t decimals)
{
    if (!std::isfinite(v)) return ShortestRealText(v);
    const ClassicNumbers classic;
    // A float has at most 39 digits before the point.
    char text[96];
    std::snprintf(text, sizeof text, "%.*f", std::clamp(decimals, 0, 40), static_cast<double>(v));
    return text;
}

bool ReadWholeReal(std::string_view text, float* value)
{
    // Exactly the forms ShortestRealText writes: one decimal number, nothing around it.
    char local[64];
    if (text.empty() || text.size() >= sizeof local) return false;
    std::memcpy(local, text.data(), text.size());
    local[text.size()] = '\0';
    if (ScanDecimal(local) != local + text.size()) return false;
    const ClassicNumbers classic;
    const float parsed = std::strtof(local, nullptr);
    if (!std::isfinite(parsed)) return false;
    *value = parsed;
    return true;
}
