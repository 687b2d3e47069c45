// Numbers typed into dialog fields, read with the point as the decimal mark
// whatever the desktop's locale, and the scanner that the file reader
// shares, so both accept the same decimal forms.
#include "model/typed_number.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

// Decimal conversion that ignores the user's locale: a German desktop must
// still read "0.5" as one half, as the dialogs' labels promise.
locale_t ClassicLocale()
{
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return classic;
}

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

ParsedReal ParseTypedReal(const char* text, char decimalMark)
{
    if (text == nullptr || decimalMark == '.') return ParseReal(text);
    std::string pointed(text);
    for (char& c : pointed)
        if (c == decimalMark) c = '.';
    return ParseReal(pointed.c_str());
}
