// The grey-scale map of the filter at the 20 ms delay, and every field drawn
// from absurd values.

#include <limits>

#include "tests/core/test_support.h"
#include "sim/scene_drawing.h"

using namespace ts;

namespace {

constexpr uint32_t kBackdrop = 0x123456;  // not a grey: shows what the map left alone

void SetSpatial(RfFilterSet& set, int32_t term, int32_t x, int32_t y, float v)
{
    set.spatial[term][(y - set.boxTop) * kFilterSide + (x - set.boxLeft)] = v;
}

}  // namespace

TEST(RfMap, GreyFollowsTheValueAndSaturates)
{
    ResetScene();
    ClearFrame(kBackdrop);
    receptiveField.cellType = Simple;
    RfFilterSet& set = TestFilters();
    SetBox(set, 400, 300, 5);
    set.termCount = 2;
    set.displayPeak = 2.0f;
    set.linearTemporal[0][1] = 4.0f;   // step 2 of each term
    set.linearTemporal[1][1] = -1.0f;
    set.linearTemporal[0][0] = 1000.0f;  // step 1 is not the map's
    struct Case {
        float term0, term1;  // value = 4 term0 - term1, scaled by 127 / 2
        int32_t grey;
    };
    const Case cases[] = {{0.5f, 0.0f, 255},  {-0.5f, 0.0f, 1},  {0.25f, 0.0f, 191},
                          {0.0f, 1.0f, 64},   {0.125f, 0.5f, 128}, {1.0f, 0.0f, 255},
                          {-2.0f, 0.0f, 0},   {0.0f, -0.5f, 159}, {0.0f, 0.0f, 128}};
    int32_t x = 400;
    for (const Case& c : cases) {
        SetSpatial(set, 0, x, 300, c.term0);
        SetSpatial(set, 1, x++, 300, c.term1);
    }
    DrawReceptiveField(set);
    x = 400;
    for (const Case& c : cases) EXPECT_EQ(ReadPixel(x++, 300), Grey(c.grey)) << c.term0 << " " << c.term1;
    // The 11 x 11 box is drawn, nothing around it.
    EXPECT_EQ(ReadPixel(410, 310), Grey(128));
    EXPECT_EQ(CountPixels(kBackdrop), int64_t{kWidth} * kHeight - 121);
}

TEST(RfMap, NoScaleGivesMidGreyAndTheBoxIsClipped)
{
    struct Case {
        const char* name;
        int32_t left, top, half;
        float peak;
        int64_t drawn;  // map pixels on the frame
    };
    const Case cases[] = {
        {"zero peak", 400, 300, 82, 0.0f, 165 * 165},
        {"nan peak", 400, 300, 82, std::numeric_limits<float>::quiet_NaN(), 165 * 165},
        {"501 columns, 500 drawn", -100, 100, 250, 0.0f, 400 * 500},
        {"off the frame", 5000, 5000, 82, 0.0f, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetScene();
        ClearFrame(kBackdrop);
        receptiveField.cellType = OnCentreX;
        RfFilterSet& set = TestFilters();
        SetBox(set, c.left, c.top, c.half);
        set.termCount = 1;
        set.linearTemporal[0][1] = 1.0f;
        set.spatial[0][0] = 0.7f;
        set.displayPeak = c.peak;
        DrawReceptiveField(set);
        EXPECT_EQ(CountPixels(Grey(128)), c.drawn);
        EXPECT_EQ(CountPixels(kBackdrop), int64_t{kWidth} * kHeight - c.drawn);
    }
}
