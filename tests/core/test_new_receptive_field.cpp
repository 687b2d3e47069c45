// The five cell buttons in their three randomisation modes.

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
