#include "controls/control_text.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>

#include "language/catalog.h"
#include "model/numeric.h"
#include "model/typed_number.h"
#include "model/number_format.h"

void CopyControlText(char (&to)[kControlTextSize], const char* text)
{
    size_t length = std::min(std::strlen(text), static_cast<size_t>(kControlTextSize - 1));
    // Never half a character: back off continuation bytes of a cut UTF-8 sequence.
    if (length < std::strlen(text))
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
    std::memcpy(to, text, length);
    to[length] = '\0';
}

namespace {

std::string Trimmed(std::string text)
{
    text.erase(0, text.find_first_not_of(' '));
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

}  // namespace

std::string RealText(float v) { return LocalNumber(Trimmed(FormatRealText(v, 6))); }

std::string IntegerText(int32_t n) { return Trimmed(FormatIntegerText(n, 6)); }

bool ReadNumber(const char* text, int32_t maxChars, float& v)
{
    const std::string head(text, strnlen(text, static_cast<size_t>(std::max(0, maxChars))));
    const ParsedReal parsed = ParseTypedReal(head.c_str(), CurrentCatalog().decimalMark);
    if (!parsed.isNumber || !std::isfinite(parsed.value) || std::fabs(parsed.value) > FLT_MAX)
        return false;
    v = static_cast<float>(parsed.value) + 0.0f;
    return true;
}

float TwoDecimals(float x) { return static_cast<float>(NearestInt(100.0f * x)) / 100.0f; }
