
#include <chrono>
#include <thread>

#include "tests/core/test_support.h"

using namespace ts;

// A complex cell answers a grating on its field; the grating goes off and the student picks the spot. The
// grating's frames drain out of the history with their own weight: the rate falls away, never above the
// response the grating gave while it was on.
TEST(StimulusSwitch, ComplexCellDecaysSmoothlyWhenAGratingMakesWayForASpot)
{
    ResetEngine(Complex);
    // At the field's centre on a 1000 x 700 canvas.
    stimulus.stimulusType = Grating, stimulus.mouseX = 500, stimulus.mouseY = 350, stimulus.stimulusOn = true;
    std::vector<float> on, after;
    for (int32_t tick = 0; tick < 82; ++tick) {
        if (tick == 60) stimulus.stimulusOn = false, SetStimulusType(Spot);
        RunTick(tick);
        if (tick >= 20) (tick < 60 ? on : after).push_back(simulation.expectedRate);
    }
    const auto [lowest, highest] = std::minmax_element(on.begin(), on.end());
    const float onPeak = *highest, onLow = *lowest;
    EXPECT_GT(onLow, 30.0f) << "a steady answer to the drifting grating";
    EXPECT_LT(onPeak - onLow, 0.01f * onPeak);
    EXPECT_NEAR(after[0], on.back(), 0.01f * onPeak) << "the first tick still sees the grating";
    EXPECT_LT(after[1], after[0]);
    for (size_t i = 1; i < after.size(); ++i) EXPECT_LE(after[i], onPeak) << "tick " << i << " after";
    EXPECT_NEAR(after.back(), modelOptions.currentSpontaneousRate, 1e-3f);
}

// Held Left or a wheel spun down shrink a spot or an annulus to one pixel and no further; from there it grows
// again, up to the largest finite radius.
TEST(HeldInput, RoundStimulusShrinksToOnePixelAndGrowsBack)
{
    const struct { int32_t type; bool wheel; } cases[] = {{Spot, false}, {Spot, true}, {Annulus, false}, {Annulus, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << (c.wheel ? " wheel" : " key"));
        ResetStimulus(), SetStimulusType(c.type);
        for (int32_t i = 0; i < 2000; ++i) c.wheel ? OnWheel(-120) : OnKeyDown(KeyLeft);
        EXPECT_EQ(stimulus.spotRadius, kDegreesPerPixel);
        c.wheel ? OnWheel(120) : OnKeyDown(KeyRight);
        EXPECT_EQ(stimulus.spotRadius, kDegreesPerPixel * 1.1f);
    }
    // Just above a pixel, one step lands on the pixel, not below it.
    stimulus.spotRadius = 1.05f * kDegreesPerPixel;
    OnKeyDown(KeyLeft);
    EXPECT_EQ(stimulus.spotRadius, kDegreesPerPixel);
    // About 930 presses of Right (30 s of key repeat) would carry it past the float range: it stops before.
    for (int32_t i = 0; i < 2000; ++i) OnKeyDown(KeyRight);
    EXPECT_TRUE(stimulus.spotRadius > 1e37f && std::isfinite(stimulus.spotRadius.load()));
}

static uint32_t FramePixel(const PresentedFrame& frame, int32_t x, int32_t y)
{
    return frame.pixels[x + int64_t{frame.width} * y] & 0xFFFFFFu;
}

// An 8K canvas is drawn whole: the frame has the canvas size, the trace ends at the right margin and the field
// sits in the middle; the stores hold three frames of that size and nothing more.
TEST(LargeCanvas, EightKCanvasIsDrawnAtItsFullSize)
{
    constexpr int32_t kW = 7680, kH = 4320;
    ResetEngine(OnCentreX, 12345, kW, kH);
    SceneTick();
    const PresentedFrame frame = LatestFrame();
    ASSERT_EQ(std::pair(frame.width, frame.height), std::pair(kW, kH));
    const int32_t right = kW - 12;
    EXPECT_EQ(FramePixel(frame, right - 1, 62), 0xFFFFFFu) << "newest end of the trace, by the right margin";
    EXPECT_EQ(FramePixel(frame, 12 + 1, 62), 0xFFFFFFu) << "oldest end, by the left margin";
    EXPECT_NE(FramePixel(frame, kW / 2, kH / 2), 0x808080u) << "the field's centre";
    EXPECT_EQ(FramePixel(frame, kW - 1, kH - 1), 0x808080u);
    EXPECT_EQ(FrameStoreBytes(), 3 * int64_t{kW} * kH * 4);
    ResetFrameBuffers();  // give the memory back
}

// The window is resized again and again while the scene thread draws: every frame presented is whole and
// clean, each size is reached, and the stores settle at three frames of the last size.
TEST(ThreadedFrameStores, FollowResizesWhileTheSceneRuns)
{
    ResetEngine(OnCentreX);
    receptiveField.displayMode = Hidden;  // below the traces only the grey clear
    StartSceneThread(nullptr);
    const std::pair<int32_t, int32_t> sizes[] = {{640, 480}, {1920, 1080}, {300, 200}, {2560, 1440}, {1000, 700}};
    int64_t checked = 0;
    for (int32_t round = 0; round < 3; ++round) {
        for (auto [w, h] : sizes) {
            appState.clientWidth = w, appState.clientHeight = h;
            RequestFrameSize(w, h);
            // Waits for the size (bounded against a hang). Wherever a frame lies in its store, its last rows are
            // the clear grey, to the last pixel.
            PresentedFrame frame = LatestFrame();
            for (int32_t i = 0; i < 20000 && (frame.width != w || frame.height != h); ++i, frame = LatestFrame()) {
                for (int32_t x = 0; frame.serial != 0 && x < frame.width; x += 7, ++checked)
                    for (int32_t y : {frame.height - 1, frame.height / 2 + 40})
                        ASSERT_EQ(FramePixel(frame, x, y), 0x808080u) << x << ", " << y;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            ASSERT_EQ(std::pair(frame.width, frame.height), std::pair(w, h));
            ASSERT_EQ(FramePixel(frame, w - 1, h - 1), 0x808080u);
        }
    }
    // Old stores go as the slots come round.
    const int64_t settled = int64_t{1000} * 700 * 4 * 3;
    for (int32_t i = 0; i < 20000 && FrameStoreBytes() != settled; ++i) {
        LatestFrame();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    StopSceneThread();
    EXPECT_EQ(FrameStoreBytes(), settled);
    EXPECT_GT(checked, 15);
}
