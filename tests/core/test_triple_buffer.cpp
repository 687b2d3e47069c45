// The hand-over of frames and stimulus images: the reader gets the newest published slot, never one the
// writer is still filling.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "model/triple_buffer.h"

namespace {

// A script of writer publishes ('P', each of the next serial) and reader takes ('T'), with what each take
// returns and then finds in front.
TEST(TripleBuffer, ReaderTakesTheNewestAndNeverTheWritersSlot)
{
    struct Case { std::string script; std::vector<std::pair<bool, int32_t>> takes; };
    const Case cases[] = {
        {"T", {{false, 0}}}, {"PPPT", {{true, 3}}}, {"PTT", {{true, 1}, {false, 1}}}, {"PTPPT", {{true, 1}, {true, 3}}},
        {"PPTPTTPPPPT", {{true, 2}, {true, 3}, {false, 3}, {true, 7}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        TripleBuffer<int32_t> buffer;
        for (int32_t& slot : buffer.Slots()) slot = 0;
        buffer.ResetOwners();
        int32_t serial = 0;
        std::vector<std::pair<bool, int32_t>> takes;
        for (char op : c.script) {
            if (op == 'P') buffer.Back() = ++serial, buffer.Publish();
            else takes.push_back({buffer.TakeNewest(), buffer.Front()});  // a braced list runs left to right
            ASSERT_NE(&buffer.Back(), &buffer.Front());
        }
        EXPECT_EQ(takes, c.takes);
    }
}

// A writer publishes frames of one value each as fast as it can while the reader takes: a frame taken is never
// torn, never changes while held, and the serials only grow, up to the last one published.
struct Frame { uint32_t words[4096]; };
TripleBuffer<Frame> frames;

TEST(ThreadedTripleBuffer, NeitherSideSeesTheOtherWriting)
{
    for (Frame& frame : frames.Slots()) frame = Frame{};
    frames.ResetOwners();
    constexpr uint32_t kFrames = 2000;
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (uint32_t serial = 1; serial <= kFrames; ++serial) {
            for (uint32_t& word : frames.Back().words) word = serial;
            frames.Publish();
        }
        done.store(true, std::memory_order_release);
    });

    uint32_t last = 0;
    int64_t taken = 0;
    for (bool finished = false; !finished;) {
        finished = done.load(std::memory_order_acquire);
        if (!frames.TakeNewest()) continue;
        const Frame& frame = frames.Front();
        const uint32_t serial = frame.words[0];
        ASSERT_GT(serial, last);
        for (int32_t pass = 0; pass < 2; ++pass)
            for (uint32_t word : frame.words) ASSERT_EQ(word, serial);
        last = serial;
        ++taken;
    }
    writer.join();
    EXPECT_EQ(last, kFrames);
    EXPECT_GT(taken, 0);
}

}  // namespace
