// The tuning window: a sweep recorded, stopped and saved, and the choice of placing it on the receptive field.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include "app/tuning_window.h"
#include "model/numeric.h"
#include "test_shell_support.h"
#include "formats/tuning_csv.h"
#include "tuning/tuning_form.h"
#include "tuning/tuning_sweep.h"

namespace {

// The default simple cell with a grating at its centre and the field hidden (the sweep must work without it).
// offField: the stimulus left at the top of the canvas, far from the field, as after a click on the toolbar.
void ResetForSweep(bool offField = false)
{
    ts::ResetEngine(Simple, 2024);
    receptiveField.displayMode = Hidden, stimulus.stimulusType = Grating;
    OnPointerMove(TruncInt(receptiveField.centreX * 38.0f) + (offField ? 8 * 38 : 0),
                  offField ? 36 : TruncInt(receptiveField.centreY * 38.0f) + 36);
    if (SweepRunning()) StopSweep();
    tuningSweep.points.clear();
}

// Ticks run directly, the window (or without one the recorder) polled after each as its timer would.
int64_t RunTicks(TuningWindow* window, int64_t from, int64_t count)
{
    for (int64_t n = from; n < from + count; ++n) {
        ts::RunTick(n);
        if (window) window->poll();
        else PollSweep();
    }
    return from + count;
}

template <typename T>
T* Child(QWidget& window, const char* name) { return window.findChild<T*>(QString::fromLatin1(name)); }

}  // namespace

TEST(TuningWindow, RecordStopAndSaveWithTheStimulusRestored)
{
    ResetForSweep();
    stimulus.orientation = 45.0f, stimulus.stationaryMode = false;
    TuningWindow window(nullptr);
    window.show();
    Child<QComboBox>(window, "parameter")->setCurrentIndex(SweepOrientation);
    Child<QDoubleSpinBox>(window, "step")->setValue(90.0);
    Child<QSpinBox>(window, "repeats")->setValue(1);
    Child<QDoubleSpinBox>(window, "presentation")->setValue(0.4);
    QTest::mouseClick(Child<QPushButton>(window, "start"), Qt::LeftButton);
    ASSERT_TRUE(SweepRunning());
    EXPECT_EQ(tuningSweep.values.size(), 4u);

    // Two points (blank 25 + 20 ticks each), then Stop in the third.
    int64_t n = RunTicks(&window, 0, 2 * 45 + 30);
    EXPECT_EQ(tuningSweep.points.size(), 2u);
    EXPECT_TRUE(stimulus.stationaryMode) << "the third point is on";
    EXPECT_TRUE(Child<QProgressBar>(window, "progress")->text().contains(QStringLiteral("s left")));
    QTest::mouseClick(Child<QPushButton>(window, "stop"), Qt::LeftButton);
    EXPECT_FALSE(SweepRunning());
    EXPECT_EQ(tuningSweep.points.size(), 2u) << "Stop keeps the points measured";
    EXPECT_EQ(stimulus.orientation, 45.0f);
    EXPECT_FALSE(stimulus.stationaryMode);
    EXPECT_TRUE(window.summary().startsWith(QStringLiteral("Preferred orientation"))) << window.summary().toStdString();
    RunTicks(&window, n, 10);
    EXPECT_EQ(tuningSweep.points.size(), 2u);

    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("curve.csv"));
    ASSERT_TRUE(window.saveData(csv));
    QFile file(csv);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.readAll().toStdString() == TuningCsvText(FieldOrientation, tuningSweep.points));

    const QString png = dir.filePath(QStringLiteral("curve.png"));
    ASSERT_TRUE(window.savePicture(png));
    EXPECT_GT(QImage(png).width(), 100);
}

// A sweep is placed on the field only when asked and while the field is shown; each point is placed again
// after the pointer moved the stimulus, and the stimulus goes back where the student left it.
TEST(TuningCentre, OrientationCurveOnTheFieldOnlyWhenAskedAndShown)
{
    const struct { int32_t display; bool centreAsked, centred; } cases[] = {
        {Revealed, true, true}, {GreyScale, false, false}, {Hidden, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "display " << c.display << " asked " << c.centreAsked);
        ResetForSweep(true);
        receptiveField.displayMode = c.display;
        const QPoint off(stimulus.mouseX, stimulus.mouseY);
        const QPoint centre(TruncInt(receptiveField.centreX / kDegreesPerPixel), TruncInt(receptiveField.centreY / kDegreesPerPixel));
        SweepPlan plan = OrientationPlan(90.0f, 1, 30);
        plan.centreOnField = c.centreAsked;
        ASSERT_TRUE(StartSweep(plan));
        EXPECT_EQ(tuningSweep.centred, c.centred);
        for (int64_t n = 0; SweepRunning(); n = RunTicks(nullptr, n, 1)) {
            if (stimulus.stationaryMode) {
                ASSERT_EQ(QPoint(stimulus.mouseX, stimulus.mouseY), c.centred ? centre : off) << n;
            } else if (c.centred) {
                OnPointerMove(5, 5 + 36);
            }
        }
        EXPECT_EQ(QPoint(stimulus.mouseX, stimulus.mouseY), off);
        ASSERT_EQ(tuningSweep.points.size(), 4u);
        const auto [low, high] = std::minmax_element(tuningSweep.points.begin(), tuningSweep.points.end(),
            [](const TuningPoint& a, const TuningPoint& b) { return a.meanRate < b.meanRate; });
        // On the field the cell is tuned; off it there is only its resting rate.
        EXPECT_TRUE(c.centred ? high->meanRate > 20.0f && low->meanRate < high->meanRate / 4.0f : high->meanRate < 5.0f)
            << low->meanRate << " to " << high->meanRate;
    }
}

// The window's fields hold what is typed to the form's ranges, as the page and the command line do: the same plan.
TEST(TuningWindow, TypedValuesGiveTheCoresPlan)
{
    const TuningFormValues cases[] = {
        {SweepOrientation, 2.0, 0, 360, 12, 150, 0.05, true},
        {SweepContrast, 30, 3.125, 100, 99, 7, 0.44, true},
        {SweepTemporalFrequency, 30, 0.01, 40, 5, 1, 1, true},
    };
    for (const TuningFormValues& c : cases) {
        ResetForSweep();
        TuningWindow window(nullptr);
        Child<QComboBox>(window, "parameter")->setCurrentIndex(c.parameter);
        Child<QDoubleSpinBox>(window, "step")->setValue(c.step);
        Child<QDoubleSpinBox>(window, "from")->setValue(c.from);
        Child<QDoubleSpinBox>(window, "to")->setValue(c.to);
        Child<QSpinBox>(window, "points")->setValue(static_cast<int>(c.points));
        Child<QSpinBox>(window, "repeats")->setValue(static_cast<int>(c.repeats));
        Child<QDoubleSpinBox>(window, "presentation")->setValue(c.seconds);
        window.start();
        const SweepPlan want = PlanOfForm(c), got = tuningSweep.plan;
        EXPECT_EQ(std::tuple(got.parameter, got.from, got.to, got.points, got.repeats, got.presentTicks),
                  std::tuple(want.parameter, want.from, want.to, want.points, want.repeats, want.presentTicks));
        window.stop();
    }
}
