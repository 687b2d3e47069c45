// A key held down, a wheel spun for a minute, a pointer dragged far off the
// window: input that runs a value into its limits (or past the float range)
// must leave every value finite and the frame and the neuron working.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

#include "sim/neuron_tick.h"
#include "sim/scene_loop.h"
#include "sim/simulation_state.h"
#include "stimulus/stimulus_state.h"
#include "test_shell_support.h"

namespace {

void Press(QWidget* canvas, int key, int times)
{
    for (int i = 0; i < times; ++i) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString(), /*autorep=*/i > 0);
        QApplication::sendEvent(canvas, &event);
    }
}

void Spin(QWidget* canvas, int delta, int times)
{
    for (int i = 0; i < times; ++i) {
        const QPointF at(10, 10);
        QWheelEvent event(at, canvas->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas, &event);
    }
}

// The scene draws the stimulus and the neuron hears it, a few ticks long.
void DrawAndHear()
{
    for (int i = 0; i < 3; ++i) {
        SceneTick();
        NeuronTickCompute();
        NeuronTickFinish(0, [](int32_t) {});
        ASSERT_TRUE(std::isfinite(simulation.expectedRate));
        ASSERT_TRUE(std::isfinite(simulation.peakRate.load()));
    }
}

}  // namespace

TEST(RobustnessLimits, HeldKeysAndSpunWheelStayFiniteAndInRange)
{
    constexpr float kMax = std::numeric_limits<float>::max();
    const float kPixel = stimulus.degreesPerPixel;
    const struct {
        const char* what;
        int32_t type;
        int key;     // 0: the wheel instead
        int wheel;   // delta per wheel event
        int times;
        const Relaxed<float>* field;
        float lo, hi;
    } cases[] = {
        // About 930 presses of Right would carry a spot past the float range
        // (30 s of key repeat); it stops at the largest finite radius.
        {"spot grows on Right", Spot, Qt::Key_Right, 0, 2000, &stimulus.spotRadius, 1e37f, kMax},
        {"annulus grows on Right", Annulus, Qt::Key_Right, 0, 2000, &stimulus.spotRadius, 1e37f, kMax},
        {"spot shrinks to one pixel on Left", Spot, Qt::Key_Left, 0, 2000, &stimulus.spotRadius, kPixel, kPixel},
        {"wheel grows a spot only to just above 8", Spot, 0, 120, 500, &stimulus.spotRadius, 8.0f, 8.8f},
        {"wheel shrinks a spot to one pixel", Spot, 0, -120, 2000, &stimulus.spotRadius, kPixel, kPixel},
        {"bar width stops near 5.1", Bar, Qt::Key_Up, 0, 200, &stimulus.barWidth, 5.0f, 5.1f},
        {"bar width stops near 0", Bar, Qt::Key_Down, 0, 200, &stimulus.barWidth, 0.0f, 0.1f},
        {"grating SF stops near 20.1", Grating, Qt::Key_Up, 0, 500, &stimulus.gratingSf, 20.0f, 20.1f},
        {"grating SF stops at 0", Grating, Qt::Key_Down, 0, 500, &stimulus.gratingSf, 0.0f, 0.0f},
        {"orientation wraps on Right", Bar, Qt::Key_Right, 0, 1000, &stimulus.orientation, 0.0f, 360.0f},
        {"orientation wraps on the wheel", Grating, 0, -2147483647, 1000, &stimulus.orientation, 0.0f, 360.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto window = QuietMainWindow();
        Canvas* canvas = window->canvas();
        SetStimulusType(c.type);
        OnLeftButtonDown();
        if (c.key != 0) Press(canvas, c.key, c.times);
        else Spin(canvas, c.wheel, c.times);
        const float value = c.field->load();
        EXPECT_TRUE(std::isfinite(value));
        EXPECT_GE(value, c.lo);
        EXPECT_LE(value, c.hi);
        DrawAndHear();
    }
}

TEST(RobustnessLimits, PointerFarOutsideTheWindowKeepsTheCentreInRange)
{
    const struct {
        double x, y;
        int32_t mouseX, mouseY;
    } cases[] = {
        {-5.0, -50.0, -5, -50},
        // Far below: y plus the band height must not wrap around.
        {1e12, 1e12, std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::max() - 36},
        {-1e12, -1e12, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::min()},
        {2147483647.0, 2147483600.0, std::numeric_limits<int32_t>::max(), 2147483600},
    };
    auto window = QuietMainWindow();
    Canvas* canvas = window->canvas();
    OnLeftButtonDown();
    for (const auto& c : cases) {
        const QPointF at(c.x, c.y);
        QMouseEvent move(QEvent::MouseMove, at, at, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &move);
        EXPECT_EQ(stimulus.mouseX.load(), c.mouseX) << c.x;
        EXPECT_EQ(stimulus.mouseY.load(), c.mouseY) << c.y;
        EXPECT_TRUE(std::isfinite(stimulus.stimX.load()));
        EXPECT_TRUE(std::isfinite(stimulus.stimY.load()));
        DrawAndHear();
    }
}
