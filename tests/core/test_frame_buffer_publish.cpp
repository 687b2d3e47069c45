#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <set>
#include <thread>

#include "render/frame_buffer.h"

namespace {

// Draws a whole frame of one value, so a torn frame shows as a mix.
void DrawUniform(uint32_t colour)
{
    SetColour(colour);
    ClearFrame(colour);
}

TEST(FramePublishing, PresentsTheNewestFrame)
{
    ResetFrameBuffers();
    const PresentedFrame nothing = LatestFrame();
    EXPECT_EQ(nothing.width, 0);
    EXPECT_EQ(nothing.height, 0);
    EXPECT_EQ(nothing.serial, 0u);

    int32_t w = 64, h = 48;
    SizeFrameBuffer(w, h);
    DrawUniform(0x0000FF);
    MoveTo(3, 4);
    SetColour(0x00FF00);
    PlotPixel(10, 20);
    const uint32_t* drawn = frameBuffer.pixels;
    PublishFrame();
    EXPECT_NE(frameBuffer.pixels, drawn);  // the next frame goes elsewhere
    EXPECT_EQ(frameBuffer.width, 64);      // at the size already in force
    EXPECT_EQ(frameBuffer.height, 48);

    const PresentedFrame shown = LatestFrame();
    EXPECT_EQ(shown.pixels, drawn);
    EXPECT_EQ(shown.width, 64);
    EXPECT_EQ(shown.height, 48);
    EXPECT_EQ(shown.serial, 1u);
    EXPECT_EQ(shown.pixels[10 + 64 * 20], 0x00FF00u);  // stored as blue, green, red
    EXPECT_EQ(shown.pixels[0], 0xFF0000u);

    // Nothing new: the same frame again.
    const PresentedFrame again = LatestFrame();
    EXPECT_EQ(again.pixels, drawn);
    EXPECT_EQ(again.serial, 1u);

    // Two frames published between presentations: only the newer is shown,
    // and the drawing side never gets the presented store.
    w = 32, h = 16;
    SizeFrameBuffer(w, h);
    DrawUniform(0x000002);
    PublishFrame();
    EXPECT_NE(frameBuffer.pixels, shown.pixels);
    DrawUniform(0x000003);
    PublishFrame();
    EXPECT_NE(frameBuffer.pixels, shown.pixels);
    const PresentedFrame newest = LatestFrame();
    EXPECT_EQ(newest.serial, 3u);
    EXPECT_EQ(newest.width, 32);
    EXPECT_EQ(newest.height, 16);
    EXPECT_EQ(newest.pixels[0], 0x030000u);
    EXPECT_NE(newest.pixels, frameBuffer.pixels);

    // The three stores rotate: over many frames exactly three addresses appear.
    std::set<const uint32_t*> stores;
    for (int i = 0; i < 12; ++i) {
        stores.insert(frameBuffer.pixels);
        PublishFrame();
        if (i % 3 == 0) stores.insert(LatestFrame().pixels);
    }
    EXPECT_EQ(stores.size(), 3u);
}

// The scene side publishes uniform frames as fast as it can while the user
// side presents; a presented frame is never torn, never changes while held,
// and the serials only grow.
TEST(ThreadedFramePublishing, NeitherSideSeesTheOtherWriting)
{
    ResetFrameBuffers();
    int32_t w = 200, h = 150;
    SizeFrameBuffer(w, h);
    constexpr uint32_t kFrames = 1000;
    std::atomic<bool> done{false};

    std::thread scene([&] {
        for (uint32_t serial = 1; serial <= kFrames; ++serial) {
            DrawUniform(serial);
            PublishFrame();
        }
        done.store(true, std::memory_order_release);
    });

    uint32_t lastSerial = 0;
    int64_t presented = 0;
    bool finished = false;
    while (!finished) {
        finished = done.load(std::memory_order_acquire);
        const PresentedFrame frame = LatestFrame();
        if (frame.serial == 0) continue;
        ASSERT_GE(frame.serial, lastSerial);
        lastSerial = frame.serial;
        ASSERT_EQ(frame.width, 200);
        ASSERT_EQ(frame.height, 150);
        // Serial n was drawn in colour n: red in the low byte, so the stored
        // word carries it in the third byte.
        const uint32_t expected = ((frame.serial & 0xFF) << 16) | (frame.serial & 0xFF00) |
                                  ((frame.serial >> 16) & 0xFF);
        for (int32_t i = 0; i < w * h; i += 97) ASSERT_EQ(frame.pixels[i], expected);
        ASSERT_EQ(frame.pixels[w * h - 1], expected);
        ++presented;
    }
    scene.join();
    EXPECT_EQ(LatestFrame().serial, kFrames);
    EXPECT_GT(presented, 0);
}

}  // namespace
