// A new random field on a client area smaller than the field's margins keeps
// its centre inside the canvas, and its filters sound.
#include "tests/core/test_support.h"

TEST(NewReceptiveField, SmallClientAreaKeepsTheCentreInside)
{
    ts::ResetEngine(Simple, -1);
    receptiveField.randomiseMode = RandomiseEverything;
    const struct { int32_t w, h; } sizes[] = {{0, 0}, {1, 1}, {50, 80}, {1000, 150}, {131, 231}, {133, 233}};
    for (const auto& s : sizes) {
        appState.clientWidth = s.w;
        appState.clientHeight = s.h;
        for (int32_t n = 0; n < 100; ++n) {
            newReceptiveField(1 + n % 5);
            const float x = receptiveField.centreX * 38.0f, y = receptiveField.centreY * 38.0f;
            ASSERT_TRUE(x >= -1e-3f && x <= s.w + 1e-3f) << x << " in " << s.w << "x" << s.h;
            ASSERT_TRUE(y >= -1e-3f && y <= s.h + 1e-3f) << y << " in " << s.w << "x" << s.h;
            ASSERT_TRUE(std::isfinite(CurrentFilters().absoluteSum));
        }
    }
    ResetFilters();
}
