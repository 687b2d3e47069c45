// The canvas under the real pointer, wheel and keys: each reaches the stimulus record, the cursor follows,
// and a hand plot ends in the feedback.
#include <QCursor>
#include <QWheelEvent>
#include <tuple>

#include "app/cursors.h"
#include "dialogs/feedback_dialog.h"
#include "test_shell_support.h"

namespace {

void Wheel(QWidget* widget, int delta)
{
    QWheelEvent event({100, 100}, {100, 100}, {}, {0, delta}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

bool ShowsCrosshair(const QWidget* widget)
{
    return widget->cursor().shape() == Qt::BitmapCursor && widget->cursor().hotSpot() == QPoint(kCrosshairHotX, kCrosshairHotY);
}

}  // namespace

TEST(ShellInput, PointerButtonAndDoubleClickMoveAndSwitchTheStimulus)
{
    auto window = QuietMainWindow();
    Canvas* canvas = window->canvas();
    // The stimulus centre sits under the pointer, corners included.
    for (const QPoint& p : {QPoint(200, 150), QPoint(canvas->width() - 1, canvas->height() - 1)}) {
        QTest::mouseMove(canvas, p);
        EXPECT_EQ(QPoint(stimulus.mouseX, stimulus.mouseY), p);
        EXPECT_FLOAT_EQ(stimulus.stimX, p.x() * kDegreesPerPixel);
        EXPECT_TRUE(ShowsCrosshair(canvas));
    }
    // Far outside the window: y plus the band height must not wrap around.
    const struct { double x, y; int32_t mouseX, mouseY; } far[] = {
        {-5.0, -50.0, -5, -50}, {1e12, 1e12, INT32_MAX, INT32_MAX - 36}, {-1e12, -1e12, INT32_MIN, INT32_MIN},
    };
    for (const auto& f : far) {
        QMouseEvent move(QEvent::MouseMove, QPointF(f.x, f.y), QPointF(f.x, f.y), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(canvas, &move);
        EXPECT_EQ(QPoint(stimulus.mouseX, stimulus.mouseY), QPoint(f.mouseX, f.mouseY)) << f.x;
        EXPECT_TRUE(std::isfinite(stimulus.stimX.load()) && std::isfinite(stimulus.stimY.load()));
    }
    const QPoint at(300, 200);
    QTest::mousePress(canvas, Qt::LeftButton, {}, at);
    EXPECT_TRUE(stimulus.stimulusOn);
    EXPECT_EQ(canvas->cursor().shape(), Qt::BlankCursor);
    QTest::mouseMove(canvas, QPoint(310, 210));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(310, 210));
    EXPECT_TRUE(!stimulus.stimulusOn && ShowsCrosshair(canvas));
    // Right and middle buttons do nothing.
    QTest::mousePress(canvas, Qt::RightButton, {}, at), QTest::mousePress(canvas, Qt::MiddleButton, {}, at);
    EXPECT_FALSE(stimulus.stimulusOn);

    // Double click: into the stationary mode, the stimulus stays put.
    QTest::mouseDClick(canvas, Qt::LeftButton, {}, QPoint(310, 210));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(310, 210));
    EXPECT_TRUE(StimulusPresent());
    QTest::mouseMove(canvas, QPoint(50, 60));
    EXPECT_EQ(QPoint(stimulus.mouseX, stimulus.mouseY), QPoint(310, 210));
    // And back to the moving mode, stimulus hidden until the next press.
    QTest::mouseDClick(canvas, Qt::LeftButton, {}, QPoint(50, 60));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(50, 60));
    EXPECT_FALSE(stimulus.stationaryMode || StimulusPresent());
}

TEST(ShellInput, WheelTurnsByWholeNotches)
{
    auto window = QuietMainWindow();
    const struct { int32_t type; std::initializer_list<int> deltas; float orientation, radius; } cases[] = {
        {Bar, {-120}, 85.0f, 0.5f}, {Grating, {240}, 100.0f, 0.5f},  // two notches
        {Bar, {60}, 90.0f, 0.5f},                                    // half a notch: nothing yet
        {Bar, {30, 30, 30, 30}, 95.0f, 0.5f},                        // a touchpad's slivers add up
        {Spot, {120}, 90.0f, 0.55f},
    };
    for (const auto& c : cases) {
        ResetStimulus();
        stimulus.stimulusType = c.type;
        int total = 0;
        for (int delta : c.deltas) Wheel(window->canvas(), delta), total += delta;
        EXPECT_NEAR(stimulus.orientation, c.orientation, 1e-4) << c.type << " " << total;
        EXPECT_NEAR(stimulus.spotRadius, c.radius, 1e-5) << c.type << " " << total;
        Wheel(window->canvas(), -total % 120);  // drop any half notch for the next case
    }
    ResetStimulus();
}

// A whole hand plot: '+' and '-' under the pointer, then Enter reveals the field and opens the feedback window.
TEST(ShellInput, HandPlotEndsInTheFeedback)
{
    auto window = QuietMainWindow();
    Canvas* canvas = window->canvas();
    receptiveField.displayMode = Hidden;
    QTest::mouseMove(canvas, QPoint(114, 76));
    QTest::keyClick(canvas, '+');
    QTest::mouseMove(canvas, QPoint(228, 152));
    QTest::keyClick(canvas, Qt::Key_Minus, Qt::KeypadModifier);
    ASSERT_EQ(marks.markCount.load(), 2);
    for (int32_t i : {1, 2})
        EXPECT_EQ(std::tuple(marks.markX[i].load(), marks.markY[i].load(), marks.markSign[i].load()),
                  i == 1 ? std::tuple(3.0f, 2.0f, 1) : std::tuple(6.0f, 4.0f, -1));
    QString title, type;
    EXPECT_TRUE(WithModal([&] { QTest::keyClick(canvas, Qt::Key_Return); }, [&](QWidget* modal) {
        title = modal->windowTitle(), type = FieldText(modal, kTypeText);
    }));
    EXPECT_EQ(std::pair(title, type), std::pair(QStringLiteral("Feedback"), QStringLiteral("simple")));
    EXPECT_EQ(receptiveField.displayMode.load(), Revealed);
    ClearMarks();
}
