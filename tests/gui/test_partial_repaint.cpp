// Partial repaint: a screen that only takes the rectangles a frame says changed matches that frame pixel for
// pixel, at rest those rectangles are a small part of it, and a frame drawn over the store's earlier content
// is the frame drawn whole.
#include "tests/core/test_support.h"

using namespace ts;

namespace {

struct Case {  // maxAreaPercent: of the frame, summed over a frame's rectangles
    int32_t cellType, stimulusType, displayMode; bool moving, withMarks; int64_t maxAreaPercent;
};

uint64_t Hash(const PresentedFrame& f)
{
    uint64_t h = 1469598103934665603u;
    for (int64_t i = 0; i < int64_t{f.width} * f.height; ++i) h = (h ^ f.pixels[i]) * 1099511628211u;
    return h;
}

// Forty ticks of a drag across the field (the stimulus let go and taken up again) with the traces fed as the
// neuron tick would. drawWhole adds and removes an off-screen mark every tick: nothing visible changes, but no
// frame can then start from the one before. Returns the frames' hashes.
std::vector<uint64_t> DragFrames(const Case& c, bool drawWhole)
{
    ResetEngine(c.cellType);
    ClearMarks();
    receptiveField.displayMode = c.displayMode;
    SetStimulusType(c.stimulusType);
    OnPointerMove(400, 350);
    OnLeftButtonDown();
    if (c.withMarks) AddMark(10.0f, 9.0f, 1), AddMark(12.0f, 9.5f, -1);
    const int32_t marksShown = marks.markCount.load();
    std::vector<uint32_t> screen;
    std::vector<uint64_t> hashes;
    uint32_t serial = LatestFrame().serial;
    int32_t partial = 0;
    for (int32_t tick = 0; tick < 40; ++tick) {
        if (c.moving) OnPointerMove(300 + 9 * tick, 330 + 2 * tick);
        if (tick == 25) OnLeftButtonUp();
        if (tick == 30) OnLeftButtonDown();
        const int32_t slot = traces.traceIndex;
        traces.responseTrace[slot] = 0.1f * static_cast<float>(tick % 7), traces.spikeTrace[slot] = tick % 5 == 0;
        traces.stimulusTrace[slot] = tick % 3 == 0;
        traces.traceIndex = slot >= traces.traceWidth ? 1 : slot + 1;
        if (drawWhole && tick % 2 == 0) AddMark(-90.0f, -90.0f, 1);
        if (drawWhole && tick % 2 == 1) marks.markCount.store(marksShown);
        SceneTickAt(20 * tick);
        const PresentedFrame f = LatestFrame();
        EXPECT_EQ(f.serial, ++serial);
        hashes.push_back(Hash(f));
        const size_t count = static_cast<size_t>(f.width) * f.height;
        if (f.change.whole || screen.size() != count) {
            screen.assign(f.pixels, f.pixels + count);
            continue;
        }
        partial++;
        int64_t area = 0;
        for (int32_t i = 0; i < f.change.count; ++i) {
            const FrameRect& r = f.change.rects[i];
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= f.width && r.bottom <= f.height);
            area += int64_t{std::max(0, r.right - r.left)} * std::max(0, r.bottom - r.top);
            for (int32_t y = r.top; y < r.bottom; ++y)
                std::copy(f.pixels + y * f.width + r.left, f.pixels + y * f.width + r.right,
                          screen.begin() + y * f.width + r.left);
        }
        EXPECT_LE(area * 100, c.maxAreaPercent * int64_t(count)) << "tick " << tick;
        EXPECT_TRUE(std::equal(screen.begin(), screen.end(), f.pixels)) << "tick " << tick;
    }
    // All but the first frames (the outline colour settles in the first).
    EXPECT_EQ(partial >= 38, !drawWhole);
    ClearMarks();
    return hashes;
}

}  // namespace

TEST(PartialRepaint, ChangedRectanglesRebuildEveryFrameExactly)
{
    for (const Case c : {Case{Simple, Bar, GreyScale, true, false, 60}, Case{Simple, Spot, GreyScale, false, false, 10},
                         Case{DirectionalSimple, Grating, GreyScale, false, true, 40},
                         Case{Complex, Grating, Outlines, false, true, 40},
                         Case{OnCentreX, Annulus, Outlines, true, true, 60}}) {
        SCOPED_TRACE(testing::Message() << "cell " << c.cellType << " stimulus " << c.stimulusType);
        const std::vector<uint64_t> partial = DragFrames(c, false);
        EXPECT_EQ(partial, DragFrames(c, true));
    }
}

TEST(PartialRepaint, UnseenSceneKeepsTheStimulusImageButPublishesNoFrame)
{
    SpotOverField(Simple);
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
