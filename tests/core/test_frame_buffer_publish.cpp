#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>

#include "render/frame_buffer.h"

namespace {

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
            ClearFrame(serial);  // a whole frame of one value: a torn frame shows as a mix
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
