// A dense screen (two device pixels per point, a HiDPI laptop at a scale of 2) shows a degree at the same size
// as any other: 38 points, 76 device pixels. ctest runs this with TESSALINE_TEST_SCALE=2; else it is skipped.
#include "sim/scene_tick.h"
#include "test_shell_support.h"

TEST(DenseScreen, ADegreeIsThirtyEightPoints)
{
    auto window = QuietMainWindow();
    Canvas* canvas = window->canvas();
    const qreal ratio = canvas->devicePixelRatioF();
    if (ratio < 2.0) GTEST_SKIP() << "wants TESSALINE_TEST_SCALE=2";
    EXPECT_EQ(QSize(appState.clientWidth, appState.clientHeight), canvas->size());  // the frame has a pixel per point

    // A spot of radius 1 degree, held at the canvas point (300, 300), the field hidden.
    receptiveField.displayMode = Hidden, stimulus.stimulusType = Spot, stimulus.spotRadius = 1.0f;
    OnPointerMove(300, 300 + appState.toolbarHeight);
    stimulus.stationaryMode = true;
    appState.lastSizeTime = MillisecondClock() - 1000;  // long past any resize
    SceneTickAt(0);
    canvas->repaint();
    const QImage shot = canvas->grab().toImage();
    ASSERT_EQ(shot.width(), TruncInt(canvas->width() * ratio));

    // Device pixels on the spot's row that differ from the grey beside it.
    const int row = TruncInt(300 * ratio);
    const QRgb grey = shot.pixel(TruncInt(100 * ratio), row);
    int covered = 0;
    for (int x = 0; x < shot.width(); ++x) covered += shot.pixel(x, row) != grey;
    EXPECT_NEAR(covered, 2 * 38 * ratio, 2 * ratio);
    stimulus.stationaryMode = false;
}
