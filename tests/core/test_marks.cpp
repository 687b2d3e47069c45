// The hand plot's marks: Enter at its end, and marks added while drawn.
#include <atomic>
#include <thread>

#include "tests/core/test_support.h"

namespace {

TEST(Marks, EnterRevealsAndAsksForFeedback)
{
    ResetEngineRecords(ts::kWidth, ts::kHeight);
    const struct {
        const char* name;
        int32_t cellType, mode;
        bool withMark;
        int32_t modeAfter, savedAfter;
        bool feedback;
    } cases[] = {
        {"simple, hidden, marked", Simple, Hidden, true, Revealed, Hidden, true},
        {"directional, hidden, marked", DirectionalSimple, Hidden, true, Revealed, Hidden, true},
        {"no marks: mode unchanged, still feedback", Simple, Hidden, false, Hidden, GreyScale, true},
        {"already revealed: only the feedback", Complex, Revealed, true, Revealed, GreyScale, true},
        {"ON-centre X cell: revealed, no dialog", OnCentreX, Hidden, true, Revealed, Hidden, false},
        {"OFF-centre X cell, grey scale", OffCentreX, GreyScale, false, GreyScale, GreyScale, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClearMarks();
        receptiveField.cellType = c.cellType;
        receptiveField.displayMode = c.mode;
        receptiveField.savedDisplayMode = GreyScale;
        if (c.withMark) AddMark(1.0f, 1.0f, 1);
        EXPECT_EQ(OnCharacter('\r'), c.feedback);
        EXPECT_EQ(receptiveField.displayMode, c.modeAfter);
        EXPECT_EQ(receptiveField.savedDisplayMode, c.savedAfter);
    }
}

// The user-interface thread adds marks while the scene thread draws them:
// the scene never sees a raised count before the mark it covers.
TEST(ThreadedMarks, DrawingWhileMarksAreAdded)
{
    ResetEngineRecords(ts::kWidth, ts::kHeight);
    int32_t side = 200;
    ResetFrameBuffers();
    SizeFrameBuffer(side, side);
    std::atomic<bool> done{false};
    std::thread scene([&] {
        while (!done.load(std::memory_order_acquire)) {
            const int32_t count = marks.markCount.load(std::memory_order_acquire);
            for (int32_t i = 1; i <= count; ++i)
                ASSERT_TRUE(marks.markX[i] == float(i) && (marks.markSign[i] == 1 || marks.markSign[i] == -1)) << i;
            DrawMarks();
        }
    });
    for (int round = 0; round < 50; ++round) {
        ClearMarks();
        for (int32_t i = 1; i <= kMaxMarks; ++i) AddMark(float(i), float(i), i % 2 ? 1 : -1);
    }
    done.store(true, std::memory_order_release);
    scene.join();
    ClearMarks();
}

}  // namespace
