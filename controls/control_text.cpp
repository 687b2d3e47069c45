#include "controls/control_text.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>

#include "model/numeric.h"
#include "model/typed_number.h"
#include "model/number_format.h"

void CopyControlText(char (&to)[kControlTextSize], const char* text)
{
    const size_t length = std::min(std::strlen(text), static_cast<size_t>(kControlTextSize - 1));
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

std::string RealText(float v) { return Trimmed(FormatRealText(v, 6)); }

std::string IntegerText(int32_t n) { return Trimmed(FormatIntegerText(n, 6)); }

bool ReadNumber(const char* text, int32_t maxChars, float& v)
{
    const std::string head(text, strnlen(text, static_cast<size_t>(std::max(0, maxChars))));
    const ParsedReal parsed = ParseReal(head.c_str());
    if (!parsed.isNumber || !std::isfinite(parsed.value) || std::fabs(parsed.value) > FLT_MAX)
        return false;
    v = static_cast<float>(parsed.value) + 0.0f;
    return true;
}

float TwoDecimals(float x) { return static_cast<float>(NearestInt(100.0f * x)) / 100.0f; }
