// Lines, marks and rings on the frame, from the ordinary to the absurd.
#include <limits>

#include "tests/core/test_support.h"

namespace {

using namespace ts;

// A fresh frame of the given size cleared to grey, drawing in white.
void FreshFrame(int32_t width, int32_t height)
{
    ResetFrameBuffers(), SizeFrameBuffer(width, height), ClearFrame(kGrey), SetColour(kWhite);
}

// Lines crossing each edge of the frame from far beyond it: exactly the pixels inside are drawn, and the pen
// ends where the line did.
TEST(FrameBuffer, LinesClipAtEveryEdge)
{
    const std::pair<int32_t, int32_t> sizes[] = {{1, 1}, {7, 5}, {1920, 1080}, {3000, 1}, {1, 3000}};
    for (auto [w, h] : sizes) {
        SCOPED_TRACE(testing::Message() << w << " x " << h);
        FreshFrame(w, h);
        const int32_t midX = w / 2, midY = h / 2;
        // Horizontal and vertical lines through the middle, far beyond every edge.
        MoveTo(-1000000000, midY), LineTo(2000000000, midY);
        MoveTo(midX, 2147483647), LineTo(midX, -2147483647 - 1);
        // Lines that start and end outside without entering.
        MoveTo(-5, -5), LineTo(-5, h + 5);
        MoveTo(w, -3), LineTo(w + 10, h + 3);
        MoveTo(-3, h), LineTo(w + 3, h);

        EXPECT_EQ(CountPixels(kWhite), int64_t{w} + h - 1);
        for (int32_t x : {0, midX, w - 1}) EXPECT_EQ(ReadPixel(x, midY), kWhite);
        for (int32_t y : {0, midY, h - 1}) EXPECT_EQ(ReadPixel(midX, y), kWhite);
        EXPECT_EQ(std::pair(frameBuffer.penX, frameBuffer.penY), std::pair(w + 3, h));
    }
    // A steep line steps its column at the right rows.
    FreshFrame(50, 50);
    MoveTo(0, 0), LineTo(3, 10);
    const Pixels steep = {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 4}, {1, 5}, {1, 6}, {2, 7}, {2, 8}, {2, 9}, {3, 10}};
    EXPECT_EQ(WhitePixels(), steep);
}

// A cross or dash at the edges of the int range, or of a huge size, is clipped, not wrapped around.
TEST(FrameBuffer, CrossAndDashClipAtTheIntRange)
{
    FreshFrame(200, 200);
    DrawCross(2147483647, 2147483647, 5);
    DrawDash(-2147483647 - 1, 0, 5);
    DrawCross(2, 2, 2147483647);
    EXPECT_EQ(CountPixels(kWhite), 200 + 199);  // row 2 and column 2, whole
    EXPECT_TRUE(ReadPixel(199, 2) == kWhite && ReadPixel(2, 199) == kWhite);
}

TEST(FrameBuffer, RingEdgeCases)
{
    for (float radius : {0.0f, -3.0f, std::numeric_limits<float>::quiet_NaN()}) {
        FreshFrame(50, 50);
        MoveTo(20, 20), DrawRing(radius);
        EXPECT_EQ(frameBuffer.penX + frameBuffer.penY, 40) << radius;
        EXPECT_EQ(CountPixels(kGrey), 2500) << radius;
    }

    // A huge ring (a typed sigma of 1e30) neither hangs nor writes anything; one much larger than the frame
    // draws only its arc through it.
    FreshFrame(640, 480);
    MoveTo(320, 240), DrawRing(1e30f);
    EXPECT_TRUE(WhitePixels().empty());
    MoveTo(320, 100000), DrawRing(99800.0f);
    EXPECT_GT(CountPixels(kWhite), 0);
    for (int32_t x : {0, 320, 639}) EXPECT_EQ(ReadPixel(x, 189), kGrey) << x;
}

}  // namespace
