// The five cell buttons in their three randomisation modes.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "tests/core/test_support.h"

namespace {

constexpr float kDpp = 1.0f / 38.0f;

class NewReceptiveField : public testing::Test {
protected:
    void SetUp() override
    {
        ts::ResetEngine(Simple);
        Seed(-1);
    }
    void TearDown() override { ResetFilters(); }

    static void SizeClient(int32_t w, int32_t h)
    {
        appState.clientWidth = w;
        appState.clientHeight = h;
    }
    static void Seed(int32_t word)
    {
        randomWord.word.store(word);
        ResetShuffledUniform();
    }
    static float PixelX() { return receptiveField.centreX / kDpp; }
    static float PixelY() { return receptiveField.centreY / kDpp; }
};

}  // namespace

TEST_F(NewReceptiveField, EverythingModeDrawsInOrder)
{
    // From word -1 the draws are 0.41599935, 0.09196489, ... (see the
    // generator's tests): u1 = 0.416 picks a simple cell although the
    // ON-centre button was pressed.
    Seed(-1);
    float u[8];
    for (float& v : u) v = ShuffledUniform();
    Seed(-1);
    receptiveField.randomiseMode = RandomiseEverything;
    receptiveField.savedDisplayMode = Hidden;
    newReceptiveField(OnCentreX);

    const ReceptiveField& rf = receptiveField;
    EXPECT_EQ(rf.cellType, Simple);
    EXPECT_EQ(rf.displayMode, Hidden);
    const float sf = 1.0f / (u[1] * 1.25f + 0.75f);
    EXPECT_FLOAT_EQ(rf.spatialFrequency, sf);
    EXPECT_FLOAT_EQ(rf.phase, u[2] * 360.0f);
    const float width = (0.25f + u[3] * 0.25f) / sf;
    EXPECT_FLOAT_EQ(rf.width, width);
    const float length = (u[4] * 0.8f + 1.2f) * width;
    EXPECT_FLOAT_EQ(rf.length, length);
    EXPECT_FLOAT_EQ(rf.orientation, u[5] * 360.0f);
    const int32_t m = std::max(static_cast<int32_t>(width * 2.5f / kDpp), static_cast<int32_t>(2.5f * length / kDpp));
    EXPECT_FLOAT_EQ(rf.centreX, (m + u[6] * (1000 - 2 * m)) * kDpp);
    EXPECT_FLOAT_EQ(rf.centreY, std::trunc((m + 100) + u[7] * (700 - 2 * m - 100)) * kDpp);
    EXPECT_EQ(CurrentFilters().cellType, Simple);
}

TEST_F(NewReceptiveField, SmallClientAreaKeepsTheCentreInside)
{
    const struct { int32_t w, h; } sizes[] = {
        {0, 0}, {1, 1}, {50, 80}, {100, 500}, {1000, 150}, {131, 231}, {133, 233}};
    receptiveField.randomiseMode = RandomiseEverything;
    for (const auto& s : sizes) {
        SizeClient(s.w, s.h);
        for (int32_t n = 0; n < 300; ++n) {
            newReceptiveField(1 + n % 5);
            const float x = PixelX(), y = PixelY();
            ASSERT_TRUE(std::isfinite(x) && std::isfinite(y));
            ASSERT_GE(x, -1e-3f) << s.w << "x" << s.h;
            ASSERT_LE(x, s.w + 1e-3f) << s.w << "x" << s.h;
            ASSERT_GE(y, -1e-3f) << s.w << "x" << s.h;
            ASSERT_LE(y, s.h + 1e-3f) << s.w << "x" << s.h;
            ASSERT_TRUE(std::isfinite(CurrentFilters().absoluteSum));
        }
    }
}
