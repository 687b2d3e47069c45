// The numbers shown and read: fixed-width fields, parsing typed text, and rounding to int without overflow.
// (A fuzz target checks that every field is filled exactly, whatever the bits.)
#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <limits>

#include "model/file_numbers.h"
#include "model/numeric.h"
#include "model/typed_number.h"
#include "model/number_format.h"

namespace {

TEST(NumberFormat, IntegerFields)
{
    const struct { int32_t n; int32_t w; const char* text; } cases[] = {
        {0, 4, "   0"}, {90, 4, "  90"}, {9999, 4, "9999"}, {10000, 4, "****"}, {-999, 4, "-999"}, {-1000, 4, "****"},
        {7, 1, "7"}, {-7, 1, "*"}, {INT32_MIN, 11, "-2147483648"}, {INT32_MIN, 10, "**********"}, {INT32_MAX, 12, "  2147483647"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatIntegerText(c.n, c.w), c.text) << c.n << " in " << c.w;
}

TEST(NumberFormat, RealFields)
{
    const struct { float v; int32_t w; const char* text; } cases[] = {
        // The overlay's four characters.
        {0.0f, 4, "   0"}, {0.5f, 4, " 0.5"}, {0.25f, 4, "0.25"}, {0.001f, 4, ".001"}, {0.0004f, 4, "   0"},
        {0.026315789f, 4, ".026"}, {0.9999f, 4, "   1"}, {9.999f, 4, "  10"}, {12.345f, 4, "12.3"}, {99.99f, 4, " 100"},
        {999.9f, 4, "1000"}, {9999.4f, 4, "9999"}, {9999.5f, 4, "****"}, {-0.123f, 4, "-.12"}, {-0.001f, 4, "  -0"},
        {-999.0f, 4, "-999"}, {-999.5f, 4, "****"}, {1e9f, 4, "****"}, {1.5e9f, 4, "   *"},
        // The dialogs' six characters.
        {0.0049f, 6, "0.0049"}, {0.026315789f, 6, ".02632"}, {123.456f, 6, "123.46"}, {100000.0f, 6, "100000"},
        {-0.05f, 6, " -0.05"},
        // Tiny negatives show as plain zero; the marker and non-numbers as a star.
        {-1e-12f, 4, "   0"}, {std::bit_cast<float>(0xFF7FFFFDu), 6, "     *"}, {NAN, 4, "   *"}, {-INFINITY, 6, "     *"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatRealText(c.v, c.w), c.text) << c.v << " in " << c.w;
}

TEST(NumberFormat, ParseRealTable)
{
    const struct { const char* text; double value; bool isNumber; } cases[] = {
        {"12abc", 12.0, true}, {" -3.5e1", -35.0, true}, {"abc", 0.0, false}, {"", 0.0, false}, {"1e", 1.0, true},
        {".", 0.0, false}, {"-", 0.0, false}, {".5", 0.5, true}, {"5.", 5.0, true}, {"+2.5E+1x", 25.0, true},
        {"\t\n 7", 7.0, true}, {"1e+", 1.0, true}, {"-.25e-2", -0.0025, true}, {"-0", 0.0, true}, {"nan", 0.0, false},
        {"-infinity", 0.0, false}, {"0X1p3", 0.0, false}, {"1e999", 0.0, false}, {"-1e400", 0.0, false},
        {"1e-999", 0.0, true}, {"3,5", 3.0, true}, {"1.5.5", 1.5, true}, {"e5", 0.0, false},
    };
    for (const auto& c : cases) {
        const ParsedReal parsed = ParseReal(c.text);
        EXPECT_EQ(parsed.isNumber, c.isNumber) << c.text;
        EXPECT_DOUBLE_EQ(parsed.value, c.value) << c.text;
    }
    EXPECT_FALSE(ParseReal(nullptr).isNumber);
}

TEST(NumberFormat, FileNumbersKeepThePointInAnyLocale)
{
    // The desktop puts the user's locale in force; a German one writes and reads a comma (test.sh provides it).
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "locale de_DE.UTF-8 missing";
    const struct { float v; const char* shortest; int32_t decimals; const char* fixed; } cases[] = {
        {0.5f, "0.5", 2, "0.50"}, {100.0f, "100", 1, "100.0"}, {-12.25f, "-12.25", 0, "-12"}, {0.1f, "0.1", 3, "0.100"},
        {1e30f, "1e+30", 0, "1000000015047466219876688855040"}, {0.0f, "0", 1, "0.0"}, {123456.7f, "123456.7", 2, "123456.70"},
        {3.4028235e38f, "3.4028235e+38", 1, "340282346638528859811704183484516925440.0"},
        {1.0e-6f, "1e-06", 7, "0.0000010"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShortestRealText(c.v), c.shortest);
        EXPECT_EQ(FixedRealText(c.v, c.decimals), c.fixed);
        float back = -1.0f;
        EXPECT_TRUE(ReadWholeReal(c.shortest, &back) && back == c.v) << c.shortest;
    }
    for (const char* bad : {"0,5", "", " 1", "1 ", "nan", "inf", "1e", "0x10", "-", "1e99"}) {
        float value = 0.0f;
        EXPECT_FALSE(ReadWholeReal(bad, &value)) << bad;
    }
    // Every float reads back from its shortest text, exactly.
    uint32_t bits = 1;
    for (int32_t i = 0; i < 20000; ++i) {
        bits = bits * 1664525u + 1013904223u;
        const float v = BitCast<float>(bits);
        float back = 0.0f;
        if (!std::isfinite(v)) continue;
        EXPECT_TRUE(ReadWholeReal(ShortestRealText(v), &back) && back == v) << bits;
    }
    std::setlocale(LC_ALL, "C");
}

TEST(NumberFormat, RoundingHelpersClamp)
{
    const struct { double x; int32_t nearest, trunc; } cases[] = {
        {0.5, 1, 0}, {-0.5, -1, 0}, {2.5, 3, 2}, {-2.5, -3, -2}, {2.4999, 2, 2}, {-0.49, 0, 0}, {1e30, INT32_MAX, INT32_MAX},
        {-1e30, INT32_MIN, INT32_MIN}, {INFINITY, INT32_MAX, INT32_MAX}, {-INFINITY, INT32_MIN, INT32_MIN}, {NAN, 0, 0},
        {2147483646.6, INT32_MAX, 2147483646}, {-2147483648.4, INT32_MIN, INT32_MIN}, {2147483647.9, INT32_MAX, INT32_MAX},
    };
    for (const auto& c : cases) EXPECT_EQ(std::pair(NearestInt(c.x), TruncInt(c.x)), std::pair(c.nearest, c.trunc)) << c.x;
}

}  // namespace
