
#include <atomic>
#include <thread>

#include "tests/core/test_support.h"

namespace {

// The characters the canvas hands on, named as the hand plot names them.
constexpr int32_t kCharPlus = '+', kCharMinus = '-', kCharEnter = '\r';
using ts::kGrey;
using ts::kWhite;

class Marks : public testing::Test {
protected:
    void SetUp() override
    {
        ResetEngineRecords(ts::kWidth, ts::kHeight);
        receptiveField.displayMode = Hidden;
    }
    void TearDown() override { ResetEngineRecords(ts::kWidth, ts::kHeight); }
};

TEST_F(Marks, EnterRevealsAndAsksForFeedback)
{
    const struct {
        const char* name;
        int32_t cellType;
        int32_t mode;
        bool withMark;
        int32_t modeAfter, savedAfter;
        bool feedback;
    } cases[] = {
        {"simple, hidden, marked", Simple, Hidden, true, Revealed, Hidden, true},
        {"complex, hidden, marked", Complex, Hidden, true, Revealed, Hidden, true},
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
        EXPECT_EQ(OnCharacter(kCharEnter), c.feedback);
        EXPECT_EQ(receptiveField.displayMode, c.modeAfter);
        EXPECT_EQ(receptiveField.savedDisplayMode, c.savedAfter);
    }
}

void GreyFrame(int32_t width, int32_t height)
{
    ResetFrameBuffers();
    SizeFrameBuffer(width, height);
    ClearFrame(kGrey);
}

TEST_F(Marks, ClippedAtTheImageEdgeNotMoved)
{
    GreyFrame(50, 40);
    AddMark(49.0f / 38.0f * 1.0001f, 39.0f / 38.0f * 1.0001f, 1);  // the bottom-right pixel
    AddMark(-2.0f, -2.0f, 1);                                          // wholly outside
    AddMark(1e30f, -1e30f, -1);                                        // a poisoned position
    DrawMarks();
    ts::Pixels expected;
    for (int32_t y = 34; y <= 39; ++y) expected.emplace_back(49, y);
    for (int32_t x = 44; x <= 48; ++x) expected.emplace_back(x, 39);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ts::WhitePixels(), expected);
}

// The user-interface thread adds marks while the scene thread draws them:
// the scene never sees a raised count before the mark it covers.
TEST(ThreadedMarks, DrawingWhileMarksAreAdded)
{
    ResetEngineRecords(ts::kWidth, ts::kHeight);
    GreyFrame(200, 200);
    std::atomic<bool> done{false};
    std::thread scene([&] {
        while (!done.load(std::memory_order_acquire)) {
            const int32_t count = marks.markCount.load(std::memory_order_acquire);
            for (int32_t i = 1; i <= count; ++i) {
                const int32_t sign = marks.markSign[i];
                ASSERT_TRUE(sign == 1 || sign == -1) << i;
                ASSERT_EQ(marks.markX[i], float(i));
            }
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
