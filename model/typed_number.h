#pragma once
#include <locale.h>

// The longest leading decimal number of text (white space skipped; optional
// sign, digits, point, exponent). isNumber is false when the text holds no
// such number or when it would not be finite: "nan", "inf", hexadecimal and
// overflowing texts are not numbers, and value is then 0.
struct ParsedReal {
    double value = 0.0;
    bool isNumber = false;
};
ParsedReal ParseReal(const char* text);
// A number a student typed into a form: as ParseReal, with the decimal mark
// of the student's language ("0,5" in German) read as the point, which
// still works too. Files never come through here: they keep the point.
ParsedReal ParseTypedReal(const char* text, char decimalMark);

// The end of the decimal number at p, or nullptr when there is none: the
// one grammar of decimal numbers, shared by the readers of typed and saved
// numbers.
const char* ScanDecimal(const char* p);

// The C locale, for conversions that must read and write the point whatever
// locale the desktop put in force (0 if the system has none).
locale_t ClassicLocale();
