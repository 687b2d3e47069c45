#pragma once
// What every dialog control shows, in plain types a desktop dialog or a web
// page can both read: fixed NUL-terminated texts, positions and ranges,
// enabled flags. Also the reading and writing of the number fields.
#include <cstdint>
#include <string>

// Room for any text a control shows (the longest is the feedback's cell
// type, 30 characters); typed texts longer than this are cut on copying.
constexpr int32_t kControlTextSize = 40;

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

// The position clamped to the slider's or up-down's range, as a control
// set by the program holds it.
int32_t ClampToRange(int32_t position, int32_t minimum, int32_t maximum);

// Texts of the number fields: 6 characters, blanks around them dropped because
// the fields are right-aligned anyway.
std::string RealText(float v);
std::string IntegerText(int32_t n);

// Reads the number at the start of a field's text (at most maxChars
// characters). False for text that holds no number or one that a float
// cannot hold (nan, inf, 1e39); v is then left alone. A typed -0 reads as 0.
bool ReadNumber(const char* text, int32_t maxChars, float& v);

// x to two decimals, halves away from zero.
float TwoDecimals(float x);
