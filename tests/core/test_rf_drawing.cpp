// The receptive field drawn: the simple cell's borders and marks, the X cell's rings and marks, and the
// grey-scale map of the filter at 20 ms.
#include <limits>

#include "render/scene_drawing.h"
#include "tests/core/test_support.h"

using namespace ts;

namespace {

constexpr uint32_t kOutline = 0xD0D0D0, kSurround = 0xA0A0A0;
constexpr uint32_t kBackdrop = 0x123456;  // not a grey: shows what the map left alone
constexpr int32_t cx = 500, cy = 350;  // the default centre on a 1000 x 700 client

void ShowField(int32_t cellType, int32_t mode)
{
    ResetScene();
    receptiveField.cellType = cellType, receptiveField.displayMode = mode;
    if (cellType == Complex) receptiveField.phase = 90.0f;
}

void SetSpatial(RfFilterSet& set, int32_t term, int32_t x, int32_t y, float v)
{
    set.spatial[term][(y - set.boxTop) * kFilterSide + (x - set.boxLeft)] = v;
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
    // End lines from -47 to 23 at both ends of the axis, nothing beyond.
    for (int32_t y : {cy - 53, cy + 53})
        for (int32_t x = cx - 48; x <= cx + 24; ++x)
            EXPECT_EQ(ReadPixel(x, y), x == cx - 48 || x == cx + 24 ? kGrey : kOutline) << x;
    // Three columns of four marks 40, 14, -12 and -38 pixels along the (upward) axis: '-' at -36, '+' at -13, '-' at 11.
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
    struct Probe { int32_t dx, dy; uint32_t onColour, offColour; };  // for the ON-centre and the OFF-centre cell
    const Probe probes[] = {
        // The centre ring (radius 18.5 to 20.5) and the surround ring (76 to 78).
        {19, 0, kWhite, kWhite},       {0, -20, kWhite, kWhite},       {-77, 0, kSurround, kSurround},
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
        for (const Probe& p : probes)
            EXPECT_EQ(ReadPixel(cx + p.dx, cy + p.dy), type == OnCentreX ? p.onColour : p.offColour) << p.dx << "," << p.dy;
        // White marks only at the centre: one plus (21 pixels) or one minus (11).
        int64_t white = 0;
        for (int32_t n = 0; n < 25 * 25; ++n) white += ReadPixel(cx - 12 + n % 25, cy - 12 + n / 25) == kWhite;
        EXPECT_EQ(white, type == OnCentreX ? 21 : 11);
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

TEST(RfMap, GreyFollowsTheValueAndSaturates)
{
    ResetScene();
    ClearFrame(kBackdrop);
    receptiveField.cellType = Simple;
    RfFilterSet& set = TestFilters();
    SetBox(set, 400, 300, 5);
    set.termCount = 2, set.displayPeak = 2.0f;
    set.linearTemporal[0][1] = 4.0f, set.linearTemporal[1][1] = -1.0f;  // step 2 of each term
    set.linearTemporal[0][0] = 1000.0f;  // step 1 is not the map's
    const struct { float term0, term1; int32_t grey; } cases[] = {  // value = 4 term0 - term1, times 127 / 2
        {0.5f, 0.0f, 255}, {-0.5f, 0.0f, 1}, {0.25f, 0.0f, 191}, {0.0f, 1.0f, 64}, {0.125f, 0.5f, 128},
        {-2.0f, 0.0f, 0},  {0.0f, -0.5f, 159}};
    int32_t x = 400;
    for (const auto& c : cases) SetSpatial(set, 0, x, 300, c.term0), SetSpatial(set, 1, x++, 300, c.term1);
    DrawReceptiveField(set);
    x = 400;
    for (const auto& c : cases) EXPECT_EQ(ReadPixel(x++, 300), Grey(c.grey)) << c.term0 << " " << c.term1;
    // The 11 x 11 box is drawn, nothing around it.
    EXPECT_EQ(ReadPixel(410, 310), Grey(128));
    EXPECT_EQ(CountPixels(kBackdrop), int64_t{kWidth} * kHeight - 121);
}

TEST(RfMap, NoScaleGivesMidGreyAndTheBoxIsClipped)
{
    const struct { int32_t left, top, half; float peak; int64_t drawn; } cases[] = {  // drawn: map pixels on the frame
        {400, 300, 82, 0.0f, 165 * 165}, {400, 300, 82, std::numeric_limits<float>::quiet_NaN(), 165 * 165},
        {-100, 100, 250, 0.0f, 400 * 500},  // 501 columns, 500 on the frame
        {5000, 5000, 82, 0.0f, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << ", " << c.top << ", " << c.half << ", " << c.peak);
        ResetScene();
        ClearFrame(kBackdrop);
        receptiveField.cellType = OnCentreX;
        RfFilterSet& set = TestFilters();
        SetBox(set, c.left, c.top, c.half);
        set.termCount = 1, set.linearTemporal[0][1] = 1.0f, set.spatial[0][0] = 0.7f, set.displayPeak = c.peak;
        DrawReceptiveField(set);
        EXPECT_EQ(CountPixels(Grey(128)), c.drawn);
        EXPECT_EQ(CountPixels(kBackdrop), int64_t{kWidth} * kHeight - c.drawn);
    }
}
