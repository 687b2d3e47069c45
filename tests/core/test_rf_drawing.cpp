// Outlines of the receptive field: the simple cell's borders and marks, the
// X cell's rings and marks, the complex cell's rectangle, and the hidden mode.
#include <gtest/gtest.h>

#include <cstdint>

#include "tests/core/test_support.h"
#include "sim/scene_drawing.h"

using namespace ts;

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kOutline = 0xD0D0D0;
constexpr uint32_t kSurround = 0xA0A0A0;
constexpr int32_t cx = 500, cy = 350;  // the default centre on a 1000 x 700 client

void ShowField(int32_t cellType, int32_t mode)
{
    ResetScene();
    receptiveField.cellType = cellType;
    receptiveField.displayMode = mode;
    if (cellType == Complex) receptiveField.phase = 90.0f;
}

}  // namespace

TEST(RfOutline, DefaultSimpleCellBordersEndLinesAndMarks)
{
    ShowField(Simple, Outlines);
    DrawReceptiveField(TestFilters());
    // Vertical borders at -47, -23, 0 and 23 pixels, 53 pixels above and below.
    for (int32_t off : {-47, -23, 0, 23}) {
        SCOPED_TRACE(off);
        for (int32_t y : {cy - 53, cy - 20, cy, cy + 53}) EXPECT_EQ(ReadPixel(cx + off, y), kOutline) << y;
        EXPECT_EQ(ReadPixel(cx + off, cy - 54), kGrey);
        EXPECT_EQ(ReadPixel(cx + off, cy + 54), kGrey);
    }
    EXPECT_EQ(ReadPixel(cx - 71, cy), kGrey);  // beyond 2.5 sigmas
    EXPECT_EQ(ReadPixel(cx + 47, cy), kGrey);
    // End lines from -47 to 23 at both ends of the axis.
    for (int32_t y : {cy - 53, cy + 53}) {
        for (int32_t x = cx - 47; x <= cx + 23; ++x) EXPECT_EQ(ReadPixel(x, y), kOutline) << x;
        EXPECT_EQ(ReadPixel(cx - 48, y), kGrey);
        EXPECT_EQ(ReadPixel(cx + 24, y), kGrey);
    }
    // Three columns of four marks: '-' at -36, '+' at -13, '-' at 11,
    // 40, 14, -12 and -38 pixels along the axis (which points up).
    for (int32_t along : {-40, -14, 12, 38}) {
        SCOPED_TRACE(along);
        const int32_t y = cy - along;
        for (int32_t column : {-36, 11}) {
            EXPECT_EQ(ReadPixel(cx + column - 5, y), kOutline);
            EXPECT_EQ(ReadPixel(cx + column + 5, y), kOutline);
            EXPECT_EQ(ReadPixel(cx + column, y - 3), kGrey);
            EXPECT_EQ(ReadPixel(cx + column, y + 3), kGrey);
        }
        EXPECT_EQ(ReadPixel(cx - 13 - 5, y), kOutline);
        EXPECT_EQ(ReadPixel(cx - 13 + 5, y), kOutline);
        EXPECT_EQ(ReadPixel(cx - 13, y - 5), kOutline);
        EXPECT_EQ(ReadPixel(cx - 13, y + 5), kOutline);
    }
    // Only the outline grey is used.
    EXPECT_EQ(CountPixels(kOutline) + CountPixels(kGrey), int64_t{kWidth} * kHeight);
}

TEST(RfOutline, RevealedSimpleCellHasNoMarksAndOrientationTurnsIt)
{
    ShowField(Simple, Revealed);
    DrawReceptiveField(TestFilters());
    EXPECT_EQ(ReadPixel(cx, cy), kOutline);
    EXPECT_EQ(ReadPixel(cx - 13, cy + 14 - 5), kGrey);
    EXPECT_EQ(ReadPixel(cx - 36 - 5, cy + 40), kGrey);
    // Four borders of 107 pixels and two end lines of 71, less the 8 shared.
    EXPECT_EQ(CountPixels(kOutline), 4 * 107 + 2 * 71 - 8);

    // At orientation 0 the bars are horizontal: the same borders, turned.
    ShowField(Simple, Revealed);
    receptiveField.orientation = 0.0f;
    DrawReceptiveField(TestFilters());
    for (int32_t off : {-47, -23, 0, 23}) {
        EXPECT_EQ(ReadPixel(cx - 53, cy + off), kOutline) << off;
        EXPECT_EQ(ReadPixel(cx + 53, cy + off), kOutline) << off;
    }
    EXPECT_EQ(CountPixels(kOutline), 4 * 107 + 2 * 71 - 8);
}

TEST(RfOutline, XCellRingsAndMarks)
{
    struct Probe {
        int32_t dx, dy;
        uint32_t onColour, offColour;  // for the ON-centre and the OFF-centre cell
    };
    const Probe probes[] = {
        // The centre ring (radius 18.5 to 20.5) and the surround ring (76 to 78).
        {19, 0, kWhite, kWhite},       {-20, 0, kWhite, kWhite},       {0, 19, kWhite, kWhite},
        {77, 0, kSurround, kSurround}, {-77, 0, kSurround, kSurround}, {0, 77, kSurround, kSurround},
        // The centre mark: a plus for ON, a minus for OFF.
        {0, 0, kWhite, kWhite},        {5, 0, kWhite, kWhite},         {0, -4, kWhite, kGrey},
        // Surround marks at 28 to 63 pixels: minus for ON, plus for OFF.
        {35, 0, kSurround, kSurround}, {40, -3, kGrey, kSurround},     {20, 20, kSurround, kSurround},
        {60, 20, kSurround, kSurround}, {-60, -20, kSurround, kSurround}, {20, 17, kGrey, kSurround},
        // No marks 20 pixels from the centre, nor past 70 pixels.
        {25, 0, kGrey, kGrey},         {60, 40, kGrey, kGrey},         {83, 0, kGrey, kGrey},
        {0, 60 + 23, kGrey, kGrey},
    };
    for (int32_t type : {OnCentreX, OffCentreX}) {
        SCOPED_TRACE(type);
        ShowField(type, Outlines);
        DrawReceptiveField(TestFilters());
        for (const Probe& p : probes) {
            EXPECT_EQ(ReadPixel(cx + p.dx, cy + p.dy), type == OnCentreX ? p.onColour : p.offColour)
                << p.dx << "," << p.dy;
        }
        // White marks only at the centre: one plus (21 pixels) or one minus (11).
        int64_t whiteOutsideRing = 0;
        for (int32_t y = cy - 12; y <= cy + 12; ++y)
            for (int32_t x = cx - 12; x <= cx + 12; ++x) whiteOutsideRing += ReadPixel(x, y) == kWhite;
        EXPECT_EQ(whiteOutsideRing, type == OnCentreX ? 21 : 11);
    }
}

TEST(RfOutline, XCellWithoutACrossingDrawsNothing)
{
    // A centre sigma under one pixel: no zero crossing, no rings, no marks.
    for (int32_t mode : {Outlines, Revealed}) {
        ShowField(OnCentreX, mode);
        receptiveField.centreSigma = 0.02f;
        DrawReceptiveField(TestFilters());
        EXPECT_EQ(CountPixels(kGrey), int64_t{kWidth} * kHeight);
    }
}

TEST(RfOutline, ComplexCellRectangleInTheColourInForce)
{
    // Half length 53 and half width 38 pixels; the axis reaches 10 further.
    struct Case {
        int32_t mode;
        bool marks;
    };
    for (const Case c : {Case{GreyScale, true}, Case{Outlines, true}, Case{Revealed, false}}) {
        SCOPED_TRACE(c.mode);
        ShowField(Complex, c.mode);
        SetColour(0x123456);  // whatever the last drawing left
        DrawReceptiveField(TestFilters());
        const uint32_t ink = 0x123456;
        for (int32_t y = cy - 53; y <= cy + 53; ++y) {
            EXPECT_EQ(ReadPixel(cx - 38, y), ink) << y;
            EXPECT_EQ(ReadPixel(cx + 38, y), ink) << y;
        }
        for (int32_t x = cx - 38; x <= cx + 38; ++x) {
            EXPECT_EQ(ReadPixel(x, cy - 53), ink) << x;
            EXPECT_EQ(ReadPixel(x, cy + 53), ink) << x;
        }
        EXPECT_EQ(ReadPixel(cx, cy - 63), ink);
        EXPECT_EQ(ReadPixel(cx, cy + 63), ink);
        EXPECT_EQ(ReadPixel(cx, cy - 64), kGrey);
        EXPECT_EQ(ReadPixel(cx, cy + 64), kGrey);
        // Marks: 3 along by 2 across, each a plus above a minus, at
        // (481 or 519, 386, 351 or 316).
        int64_t inside = 0;
        for (int32_t y = cy - 52; y <= cy + 52; ++y)
            for (int32_t x = cx - 37; x <= cx + 37; ++x) inside += x != cx && ReadPixel(x, y) == ink;
        EXPECT_EQ(inside, c.marks ? 6 * (21 + 11) : 0);
        if (c.marks) {
            for (int32_t px : {481, 519}) {
                for (int32_t py : {386, 351, 316}) {
                    EXPECT_EQ(ReadPixel(px, py - 2 - 5), ink);
                    EXPECT_EQ(ReadPixel(px + 5, py - 2), ink);
                    EXPECT_EQ(ReadPixel(px - 5, py + 6), ink);
                    EXPECT_EQ(ReadPixel(px, py + 6 - 1), kGrey);
                }
            }
        }
    }
}

TEST(RfOutline, HiddenModeDrawsNothing)
{
    for (int32_t type : {OnCentreX, OffCentreX, Simple, DirectionalSimple, Complex}) {
        ShowField(type, Hidden);
        DrawReceptiveField(TestFilters());
        EXPECT_EQ(CountPixels(kGrey), int64_t{kWidth} * kHeight) << type;
    }
}
