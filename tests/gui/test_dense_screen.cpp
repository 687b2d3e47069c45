// A degree is 38 × zoom points on any screen: at 100 % 38 points, which a dense screen (two device pixels a point,
// a HiDPI laptop at a scale of 2) shows as 76 device pixels. ctest runs these once more with TESSALINE_TEST_SCALE=2.
#include <QSettings>

#include "sim/scene_tick.h"
#include "test_shell_support.h"

namespace {
// The zoom a test chose is forgotten after it: the next window opens at actual size.
struct ForgetZoom {
    ~ForgetZoom() { QSettings().remove(QStringLiteral("view/zoom")); }
};
}  // namespace

TEST(DenseScreen, ADegreeIsThirtyEightPointsTimesTheZoomUnderThePointer)
{
    const ForgetZoom forget;
    auto window = QuietMainWindow();
    Canvas* canvas = window->canvas();
    const double ratio = canvas->devicePixelRatioF();
    receptiveField.displayMode = Hidden, stimulus.stimulusType = Spot, stimulus.spotRadius = 1.0f;
    for (const int32_t zoom : {50, 100, 200, 400}) {
        SCOPED_TRACE(zoom);
        const double scale = zoom / 100.0;
        window->setZoom(zoom);
        EXPECT_EQ(QSize(appState.clientWidth, appState.clientHeight),
                  QSize(canvas->width() * 100 / zoom, canvas->height() * 100 / zoom));
        // A spot of radius 1 degree under the pointer at the canvas point (300, 300), the field hidden.
        QMouseEvent move(QEvent::MouseMove, QPointF(300, 300), canvas->mapToGlobal(QPointF(300, 300)), Qt::NoButton,
                         Qt::NoButton, {});
        QApplication::sendEvent(canvas, &move);
        EXPECT_EQ(QPoint(stimulus.mouseX, stimulus.mouseY), QPoint(300, 300) / scale);
        stimulus.stationaryMode = true;
        appState.lastSizeTime = MillisecondClock() - 1000;  // long past the zoom's resize
        SceneTickAt(0);
        canvas->repaint();
        const QImage shot = canvas->grab().toImage();

        // Device pixels on the spot's row that differ from the grey at the canvas's left edge.
        const int row = TruncInt(300 * ratio);
        const QRgb grey = shot.pixel(TruncInt(4 * ratio), row);
        int first = shot.width(), last = -1;
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixel(x, row) != grey) first = std::min(first, x), last = x;
        // The centre row covers 2 × 38 + 1 frame pixels (both edges drawn): one frame pixel is the tolerance.
        EXPECT_NEAR((last - first + 1) / ratio, 2 * 38 * scale, std::max(1.0, scale));
        EXPECT_NEAR((first + last + 1) / 2 / ratio, 300, scale);  // centred under the pointer
        stimulus.stationaryMode = false;
    }
}

TEST(DenseScreen, ZoomKeysStopAtTheEndsAndANewWindowOpensAtTheZoomChosen)
{
    const ForgetZoom forget;
    auto window = QuietMainWindow();
    const struct { const char* keys; int presses; int32_t zoom; } steps[] = {
        {"Ctrl++", 12, 400}, {"Ctrl+-", 2, 250}, {"Ctrl+-", 12, 50}, {"Ctrl+0", 1, 100}, {"Ctrl+=", 2, 150},
    };
    for (const auto& step : steps) {
        for (int i = 0; i < step.presses; ++i) QTest::keySequence(window->canvas(), QKeySequence(step.keys));
        EXPECT_EQ(window->canvas()->zoom(), step.zoom) << step.keys;
    }
    window.reset();
    EXPECT_EQ(MainWindow().canvas()->zoom(), 150);
}
