
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "app/tuning_window.h"
#include "sim/tuning_csv.h"
#include "test_shell_support.h"
#include "render/number_format.h"
#include "sim/tuning_sweep.h"
#include "tests/core/test_support.h"

namespace {

void CountClick(int32_t) {}

// The default cell of the given type with the stimulus at its centre and the
// field hidden (the sweep must work without it, and the scene tick is cheaper).
void ResetForSweep(int32_t cellType, int32_t stimulusType)
{
    ts::ResetEngine(cellType, 2024);
    receptiveField.displayMode = Hidden;
    stimulus.stimulusType = stimulusType;
    const float dpp = stimulus.degreesPerPixel;
    stimulus.mouseX = TruncInt(receptiveField.centreX / dpp);
    stimulus.mouseY = TruncInt(receptiveField.centreY / dpp);
    stimulus.stimX = stimulus.mouseX * dpp;
    stimulus.stimY = stimulus.mouseY * dpp;
    if (SweepRunning()) StopSweep();
    tuningSweep.points.clear();
}

// The window's timer is not waited for: each tick is run directly and the
// window polled after it, as its timer would.
int64_t RunTicks(TuningWindow& window, int64_t from, int64_t count)
{
    for (int64_t n = from; n < from + count; ++n) {
        SceneTickAt(n * 20);
        NeuronTickCompute();
        NeuronTickFinish(0, CountClick);
        window.poll();
    }
    return from + count;
}

template <typename T>
T* Child(QWidget& window, const char* name)
{
    T* child = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

}  // namespace

TEST(TuningWindow, RecordStopAndSaveWithTheStimulusRestored)
{
    ResetForSweep(Simple, Grating);
    stimulus.orientation = 45.0f;
    stimulus.stationaryMode = false;
    TuningWindow window(nullptr);
    window.show();
    Child<QComboBox>(window, "parameter")->setCurrentIndex(SweepOrientation);
    Child<QDoubleSpinBox>(window, "step")->setValue(90.0);
    Child<QSpinBox>(window, "repeats")->setValue(1);
    Child<QDoubleSpinBox>(window, "presentation")->setValue(0.4);
    auto* stop = Child<QPushButton>(window, "stop");
    QTest::mouseClick(Child<QPushButton>(window, "start"), Qt::LeftButton);
    ASSERT_TRUE(SweepRunning());
    EXPECT_TRUE(stop->isEnabled());
    EXPECT_EQ(tuningSweep.values.size(), 4u);

    // Two points (blank 25 + 20 ticks each), then Stop in the third.
    int64_t n = RunTicks(window, 0, 2 * 45 + 30);
    EXPECT_EQ(tuningSweep.points.size(), 2u);
    EXPECT_TRUE(stimulus.stationaryMode) << "the third point is on";
    EXPECT_TRUE(Child<QProgressBar>(window, "progress")->text().contains(QStringLiteral("s left")));
    QTest::mouseClick(stop, Qt::LeftButton);
    EXPECT_FALSE(SweepRunning());
    EXPECT_EQ(tuningSweep.points.size(), 2u) << "Stop keeps the points measured";
    EXPECT_EQ(stimulus.orientation, 45.0f);
    EXPECT_FALSE(stimulus.stationaryMode);
    EXPECT_TRUE(window.summary().startsWith(QStringLiteral("Preferred orientation"))) << window.summary().toStdString();
    RunTicks(window, n, 10);
    EXPECT_EQ(tuningSweep.points.size(), 2u);

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString csv = dir.filePath(QStringLiteral("curve.csv"));
    ASSERT_TRUE(window.saveData(csv));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const ParsedTuningCsv parsed = ParseTuningCsv(file.readAll().toStdString());
    ASSERT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.field, FieldOrientation);
    ASSERT_EQ(parsed.points.size(), 2u);
    EXPECT_EQ(parsed.points[1].value, 90.0f);
    EXPECT_EQ(parsed.points[1].meanRate, tuningSweep.points[1].meanRate);

    const QString png = dir.filePath(QStringLiteral("curve.png"));
    ASSERT_TRUE(window.savePicture(png));
    QImage image(png);
    EXPECT_FALSE(image.isNull());
    EXPECT_GT(image.width(), 100);
}
