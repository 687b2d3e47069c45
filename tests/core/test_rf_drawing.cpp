// Outlines of the receptive field: the simple cell's borders and marks, the
// X cell's rings and marks, the complex cell's rectangle, and the hidden mode.

#include "tests/core/test_support.h"
#include "sim/scene_drawing.h"

using namespace ts;

namespace {

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
        for (int32_t y : {cy - 53, cy, cy + 53}) EXPECT_EQ(ReadPixel(cx + off, y), kOutline) << off << ", " << y;
        for (int32_t y : {cy - 54, cy + 54}) EXPECT_EQ(ReadPixel(cx + off, y), kGrey) << off << ", " << y;
    }
    EXPECT_EQ(ReadPixel(cx - 71, cy), kGrey);  // beyond 2.5 sigmas
    EXPECT_EQ(ReadPixel(cx + 47, cy), kGrey);
    // End lines from -47 to 23 at both ends of the axis.
    for (int32_t y : {cy - 53, cy + 53}) {
        for (int32_t x = cx - 47; x <= cx + 23; ++x) EXPECT_EQ(ReadPixel(x, y), kOutline) << x;
        EXPECT_EQ(ReadPixel(cx - 48, y), kGrey);
        EXPECT_EQ(ReadPixel(cx + 24, y), kGrey);
    }
    // Three columns of four marks 40, 14, -12 and -38 pixels along the axis
    // (which points up): '-' at -36, '+' at -13, '-' at 11.
    for (int32_t along : {-40, -14, 12, 38}) {
        for (int32_t column : {-36, -13, 11}) {
            const int32_t x = cx + column, y = cy - along;
            EXPECT_EQ(ReadPixel(x - 5, y), kOutline) << column << ", " << along;
            EXPECT_EQ(ReadPixel(x + 5, y), kOutline) << column << ", " << along;
            EXPECT_EQ(ReadPixel(x, y - 5), column == -13 ? kOutline : kGrey) << column << ", " << along;
        }
    }
    // Only the outline grey is used.
    EXPECT_EQ(CountPixels(kOutline) + CountPixels(kGrey), int64_t{kWidth} * kHeight);
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
        {0, 0, kWhite, kWhite},        {0, -4, kWhite, kGrey},
        // Surround marks at 28 to 63 pixels: minus for ON, plus for OFF.
        {35, 0, kSurround, kSurround}, {40, -3, kGrey, kSurround},     {-60, -20, kSurround, kSurround},
        // No marks 20 pixels from the centre, nor past 70 pixels.
        {25, 0, kGrey, kGrey},         {60, 40, kGrey, kGrey},         {83, 0, kGrey, kGrey},
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
