#pragma once
// What every dialog control shows, in plain types a desktop dialog or a web
// page can both read: fixed NUL-terminated texts, positions and ranges,
// enabled flags. Also the reading and writing of the number fields.
#include <algorithm>
#include <cstdint>
#include <string>

// Room for any text a control shows (the longest is the feedback's cell
// type, 30 characters in English, more in some languages and in UTF-8);
// typed texts longer than this are cut on copying, between characters.
constexpr int32_t kControlTextSize = 128;

// A number field (an edit).
struct FieldView {
    char text[kControlTextSize];
    bool enabled;
};

// A slider: position inside minimum..maximum.
struct SliderView {
    int32_t position, minimum, maximum;
    bool enabled;
};

// An edit and its up-down shown as one spin box: the text is the field's,
// the position the up-down's. Only the text can be disabled; the arrows
// always step.
struct SpinView {
    char text[kControlTextSize];
    int32_t position, minimum, maximum;
    bool enabled;
};

// Puts text into a control's fixed text, cut to fit.
void CopyControlText(char (&to)[kControlTextSize], const char* text);
inline void CopyControlText(char (&to)[kControlTextSize], const std::string& text) { CopyControlText(to, text.c_str()); }

// A position set by the program: held inside the slider's or up-down's
// range, as such a control holds it, and no change handling runs.
template <typename Control>
void SetPosition(Control& control, int32_t position)
{
    control.position = std::max(control.minimum, std::min(position, control.maximum));
}

// Texts of the number fields: 6 characters, blanks around them dropped because
// the fields are right-aligned anyway, with the decimal mark of the language
// in force.
std::string RealText(float v);
std::string IntegerText(int32_t n);

// Reads the number at the start of a field's text (at most maxChars
// characters). False for text that holds no number or one that a float
// cannot hold (nan, inf, 1e39); v is then left alone. A typed -0 reads as 0.
// The language's decimal mark reads as the point ("0,5" in German); in
// English a comma ends the number, as any other character does.
bool ReadNumber(const char* text, int32_t maxChars, float& v);

// x to two decimals, halves away from zero.
float TwoDecimals(float x);
