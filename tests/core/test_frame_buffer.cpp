#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "tests/core/test_support.h"

namespace {

constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kWhite = 0xFFFFFF;

// A fresh frame of the given size cleared to grey, drawing in white.
void FreshFrame(int32_t width, int32_t height)
{
    ResetFrameBuffers();
    SizeFrameBuffer(width, height);
    ClearFrame(kGrey);
    SetColour(kWhite);
}

using ts::Pixels;
using ts::WhitePixels;

TEST(FrameBuffer, SizingFitsTheStore)
{
    ResetFrameBuffers();  // stores of kFrameStorePixels, no canvas size provided
    const struct { int32_t width, height; int32_t usedWidth, usedHeight; } cases[] = {
        {1920, 1080, 1920, 1080},      // 8,294,400 bytes: used as it is
        {1000, 3000, 1000, 3000},      // exactly the store
        {0, 0, 0, 0},                  // minimised
        {-5, 100, 0, 100},             // negative sides count as empty
        {-2147483647 - 1, -1, 0, 0},
        {2147483647, 0, 2147483647, 0},  // no area: nothing to reduce
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        int32_t w = c.width, h = c.height;
        uint32_t* store = SizeFrameBuffer(w, h);
        EXPECT_EQ(store, frameBuffer.pixels);
        EXPECT_EQ(w, c.usedWidth);
        EXPECT_EQ(h, c.usedHeight);
        EXPECT_EQ(frameBuffer.width, w);
        EXPECT_EQ(frameBuffer.height, h);
    }
    // Larger windows shrink by one common factor to at most the store's pixels.
    const std::pair<int32_t, int32_t> large[] = {
        {2560, 1440}, {3840, 2160}, {1001, 3000}, {65535, 65535}, {2147483647, 2147483647}, {2147483647, 7},
    };
    for (auto [width, height] : large) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        int32_t w = width, h = height;
        SizeFrameBuffer(w, h);
        EXPECT_LE(int64_t{w} * h, kFrameStorePixels);
        EXPECT_LE(w, width);
        EXPECT_LE(h, height);
        EXPECT_NEAR(double(w) / width, double(h) / height, 2.0 / std::max(1, std::min(w, h)) + 1e-9);
    }
    int32_t w = 2560, h = 1440;
    SizeFrameBuffer(w, h);
    EXPECT_GT(int64_t{w} * h, kFrameStorePixels * 0.99);  // reduced, not thrown away
}

TEST(FrameBuffer, PixelsAreStoredBlueGreenRed)
{
    FreshFrame(10, 10);
    SetColour(0x00336699);  // red 0x99, green 0x66, blue 0x33
    PlotPixel(2, 3);
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(frameBuffer.pixels + 2 + 10 * 3);
    EXPECT_EQ(bytes[0], 0x33);
    EXPECT_EQ(bytes[1], 0x66);
    EXPECT_EQ(bytes[2], 0x99);
    EXPECT_EQ(bytes[3], 0);
    EXPECT_EQ(ReadPixel(2, 3), 0x00336699u);
    EXPECT_EQ(ReadPixel(0, 0), kGrey);
    EXPECT_EQ(ReadPixel(-1, 0), 0u);
    EXPECT_EQ(ReadPixel(10, 0), 0u);
    EXPECT_EQ(ReadPixel(0, 10), 0u);
}

TEST(FrameBuffer, PenAndPlotting)
{
    FreshFrame(200, 200);
    PlotPixel(-1, 5);
    EXPECT_TRUE(WhitePixels().empty());
    EXPECT_EQ(frameBuffer.penX, -1);
    EXPECT_EQ(frameBuffer.penY, 5);

    // A line to the current point draws nothing, not even that pixel.
    MoveTo(50, 50);
    LineTo(50, 50);
    EXPECT_TRUE(WhitePixels().empty());

    // Clearing keeps the pen and the colour.
    MoveTo(7, 9);
    SetColour(0x123456);
    ClearFrame(kGrey);
    EXPECT_EQ(frameBuffer.penX, 7);
    EXPECT_EQ(frameBuffer.penY, 9);
    EXPECT_EQ(frameBuffer.colour, 0x123456u);
}

Pixels Row(int32_t y, int32_t from, int32_t to)
{
    Pixels p;
    for (int32_t x = from; x <= to; ++x) p.emplace_back(x, y);
    return p;
}

Pixels Sorted(Pixels p)
{
    std::sort(p.begin(), p.end());
    return p;
}

TEST(FrameBuffer, LineCases)
{
    const struct { const char* name; int32_t x0, y0, x1, y1; Pixels expected; } cases[] = {
        {"right", 0, 0, 10, 0, Row(0, 0, 10)},
        {"left, back over the same pixels", 10, 0, 0, 0, Row(0, 0, 10)},
        {"down, steep", 0, 0, 3, 10,
         {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 4}, {1, 5}, {1, 6}, {2, 7}, {2, 8}, {2, 9}, {3, 10}}},
        {"up, steep", 3, 10, 0, 0,
         {{3, 10}, {2, 9}, {2, 8}, {2, 7}, {1, 6}, {1, 5}, {1, 4}, {0, 3}, {0, 2}, {0, 1}, {0, 0}}},
        {"up-left diagonal", 4, 4, 0, 0, {{4, 4}, {3, 3}, {2, 2}, {1, 1}, {0, 0}}},
        {"down-left diagonal", 4, 0, 0, 4, {{4, 0}, {3, 1}, {2, 2}, {1, 3}, {0, 4}}},
        {"down-right diagonal", 0, 0, 2, 2, {{0, 0}, {1, 1}, {2, 2}}},
        // Column -0.5 truncates toward zero, so the clipped line still shows there.
        {"left of the image, truncated to column 0", 0, 0, -1, 2, {{0, 0}, {0, 1}}},
        {"one step", 5, 5, 6, 5, {{5, 5}, {6, 5}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FreshFrame(50, 50);
        MoveTo(c.x0, c.y0);
        LineTo(c.x1, c.y1);
        EXPECT_EQ(WhitePixels(), Sorted(c.expected));
        EXPECT_EQ(frameBuffer.penX, c.x1);
        EXPECT_EQ(frameBuffer.penY, c.y1);
    }
}

// Lines crossing each edge of frames up to the whole store: exactly the
// pixels inside are drawn and nothing past the image is touched.
TEST(FrameBuffer, LinesClipAtEveryEdge)
{
    const std::pair<int32_t, int32_t> sizes[] = {
        {1, 1}, {7, 5}, {1920, 1080}, {2560, 1440}, {3000000, 1}, {1, 3000000}, {1732, 1732},
    };
    for (auto [requestedWidth, requestedHeight] : sizes) {
        int32_t w = requestedWidth, h = requestedHeight;
        ResetFrameBuffers();
        SizeFrameBuffer(w, h);
        SCOPED_TRACE(testing::Message() << w << " x " << h);
        ClearFrame(kGrey);
        SetColour(kWhite);
        const int32_t midX = w / 2, midY = h / 2;
        // Horizontal and vertical lines through the middle, far beyond every edge.
        MoveTo(-1000000000, midY);
        LineTo(2000000000, midY);
        MoveTo(midX, 2147483647);
        LineTo(midX, -2147483647 - 1);
        // Lines that start and end outside without entering.
        MoveTo(-5, -5);
        LineTo(-5, h + 5);
        MoveTo(w, -3);
        LineTo(w + 10, h + 3);
        MoveTo(-3, h);
        LineTo(w + 3, h);

        int64_t white = 0;
        const int64_t area = int64_t{w} * h;
        const uint32_t* p = frameBuffer.pixels;
        for (int64_t i = 0; i < area; ++i) white += p[i] == 0x00FFFFFFu;
        EXPECT_EQ(white, int64_t{w} + h - 1);
        for (int32_t x : {0, midX, w - 1}) EXPECT_EQ(ReadPixel(x, midY), kWhite);
        for (int32_t y : {0, midY, h - 1}) EXPECT_EQ(ReadPixel(midX, y), kWhite);
        for (int64_t i = area; i < kFrameStorePixels; ++i) ASSERT_EQ(p[i], 0u) << "written past the image at " << i;
    }
}

TEST(FrameBuffer, CrossAndDash)
{
    FreshFrame(200, 200);
    DrawCross(100, 100, 5);
    Pixels cross = Row(100, 95, 105);
    for (int32_t y = 95; y <= 105; ++y)
        if (y != 100) cross.emplace_back(100, y);
    EXPECT_EQ(WhitePixels(), Sorted(cross));
    EXPECT_EQ(frameBuffer.penX, 100);
    EXPECT_EQ(frameBuffer.penY, 105);

    FreshFrame(200, 200);
    DrawDash(100, 100, 5);
    EXPECT_EQ(WhitePixels(), Row(100, 95, 105));
    EXPECT_EQ(frameBuffer.penX, 105);
    EXPECT_EQ(frameBuffer.penY, 100);

    // At the edges of the int range the mark is clipped, not wrapped around.
    FreshFrame(200, 200);
    DrawCross(2147483647, 2147483647, 5);
    DrawDash(-2147483647 - 1, 0, 5);
    DrawCross(2, 2, 2147483647);
    Pixels clipped = Row(2, 0, 199);
    for (int32_t y = 0; y < 200; ++y)
        if (y != 2) clipped.emplace_back(2, y);
    EXPECT_EQ(WhitePixels(), Sorted(clipped));
}

TEST(FrameBuffer, RingBlendsBySubSamples)
{
    FreshFrame(300, 300);
    MoveTo(100, 100);
    DrawRing(10.0f);
    const struct { int32_t column; uint32_t level; } row100[] = {
        {110, 255}, {111, 255}, {89, 255}, {112, 133}, {90, 153}, {88, 234},
        {91, 128},  {100, 128}, {109, 128}, {113, 128}, {150, 128}, {87, 128},
    };
    for (const auto& c : row100) {
        SCOPED_TRACE(c.column);
        EXPECT_EQ(ReadPixel(c.column, 100), c.level * 0x010101u);
    }
    EXPECT_EQ(frameBuffer.colour, kWhite);

    // The ring is symmetric about its offset centre (100.4, 100.4) on both axes.
    for (int32_t d = -14; d <= 14; ++d) {
        EXPECT_EQ(ReadPixel(100 + d, 100), ReadPixel(100, 100 + d)) << d;
    }
}

TEST(FrameBuffer, RingEdgeCases)
{
    for (float radius : {0.0f, -3.0f, std::numeric_limits<float>::quiet_NaN()}) {
        FreshFrame(50, 50);
        MoveTo(20, 20);
        SetColour(0x010203);
        DrawRing(radius);
        EXPECT_EQ(frameBuffer.penX, 20);
        EXPECT_EQ(frameBuffer.penY, 20);
        EXPECT_EQ(frameBuffer.colour, 0x010203u);
        EXPECT_EQ(ReadPixel(20, 20), kGrey);
    }

    // Around a centre on the image's corner only the inside quarter is drawn,
    // and the pen still ends on the ring's last covered pixel, off the image.
    FreshFrame(300, 300);
    MoveTo(299, 299);
    DrawRing(20.0f);
    EXPECT_EQ(ReadPixel(278, 299), kWhite);
    EXPECT_EQ(ReadPixel(299, 278), kWhite);
    EXPECT_GT(frameBuffer.penX, 299);
    EXPECT_GT(frameBuffer.penY, 290);

    // A huge ring (a typed sigma of 1e30) neither hangs nor writes anything.
    FreshFrame(640, 480);
    MoveTo(320, 240);
    DrawRing(1e30f);
    EXPECT_TRUE(WhitePixels().empty());
    // A ring much larger than the frame draws only its arc through it.
    MoveTo(320, 100000);
    DrawRing(99800.0f);
    const Pixels arc = WhitePixels();
    EXPECT_FALSE(arc.empty());
    for (auto [x, y] : arc) EXPECT_GE(y, 190) << x;
}

}  // namespace
