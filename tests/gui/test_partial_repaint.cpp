// Partial repaint: a screen that only ever takes the rectangles a frame says
// changed must match that frame pixel for pixel, and at rest those
// rectangles must be a small part of the frame.

#include <vector>

#include "tests/core/test_support.h"

using namespace ts;

namespace {

// Feeds the traces as the neuron tick would: a new sample per tick, a spike
// stroke now and then, the stimulus marker on.
void AdvanceTraces(int32_t tick)
{
    const int32_t slot = simulation.traceIndex;
    simulation.responseTrace[slot] = tick % 5 == 0 ? 1.0f : 0.1f * static_cast<float>(tick % 7);
    simulation.stimulusTrace[slot] = tick % 3 == 0;
    simulation.traceIndex = slot >= simulation.traceWidth ? 1 : slot + 1;
}

}  // namespace

TEST(PartialRepaint, ChangedRectanglesRebuildEveryFrameExactly)
{
    struct Case {
        int32_t cellType, stimulusType, displayMode;
        bool moving, withMarks;
        int64_t maxAreaPercent;  // of the frame, summed over a frame's rectangles
    };
    for (const Case c : {Case{Simple, Bar, GreyScale, true, false, 60}, Case{Simple, Spot, GreyScale, false, false, 10},
                         Case{Complex, Grating, Outlines, false, true, 40},
                         Case{OnCentreX, Annulus, Outlines, true, true, 60}}) {
        SCOPED_TRACE(testing::Message() << "cell " << c.cellType << " stimulus " << c.stimulusType);
        ResetEngine(c.cellType);
        receptiveField.displayMode = c.displayMode;
        SetStimulusType(c.stimulusType);
        OnPointerMove(400, 350);
        OnLeftButtonDown();
        if (c.withMarks) {
            AddMark(10.0f, 9.0f, 1);
            AddMark(12.0f, 9.5f, -1);
        }
        std::vector<uint32_t> screen;
        uint32_t serial = LatestFrame().serial;
        int32_t partial = 0;
        for (int32_t tick = 0; tick < 40; ++tick) {
            // A drag across the field, then the stimulus let go and taken up again.
            if (c.moving) OnPointerMove(300 + 9 * tick, 330 + 2 * tick);
            if (tick == 25) OnLeftButtonUp();
            if (tick == 30) OnLeftButtonDown();
            AdvanceTraces(tick);
            SceneTickAt(20 * tick);
            const PresentedFrame f = LatestFrame();
            ASSERT_EQ(f.serial, serial + 1);
            serial = f.serial;
            const size_t count = static_cast<size_t>(f.width) * f.height;
            if (f.change.whole || screen.size() != count) {
                screen.assign(f.pixels, f.pixels + count);
                continue;
            }
            partial++;
            int64_t area = 0;
            for (int32_t i = 0; i < f.change.count; ++i) {
                const FrameRect& r = f.change.rects[i];
                ASSERT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= f.width && r.bottom <= f.height);
                area += int64_t{std::max(0, r.right - r.left)} * std::max(0, r.bottom - r.top);
                for (int32_t y = r.top; y < r.bottom; ++y)
                    std::copy(f.pixels + y * f.width + r.left, f.pixels + y * f.width + r.right,
                              screen.begin() + y * f.width + r.left);
            }
            EXPECT_LE(area * 100, c.maxAreaPercent * count) << "tick " << tick;
            ASSERT_TRUE(std::equal(screen.begin(), screen.end(), f.pixels)) << "tick " << tick;
        }
        EXPECT_GE(partial, 38);  // all but the first frames (the outline colour settles in the first)
        ClearMarks();
    }
}

TEST(PartialRepaint, UnseenSceneKeepsTheStimulusImageButPublishesNoFrame)
{
    ResetEngine(Simple);
    SetStimulusType(Spot);
    OnPointerMove(kWidth / 2, kHeight / 2 + 36);
    OnLeftButtonDown();
    const uint32_t serial = LatestFrame().serial;
    SetSceneDrawing(false);
    EXPECT_FALSE(SceneTickAt(0));
    SetSceneDrawing(true);
    EXPECT_EQ(LatestFrame().serial, serial);
    const float* image = LatestStimulusImage();
    EXPECT_GT(*std::max_element(image, image + kFilterPixels), 0.5f);  // the spot, seen by the neuron
    EXPECT_TRUE(SceneTickAt(20));
    EXPECT_EQ(LatestFrame().serial, serial + 1);
}
