// Two and a half thousand seeded random events against the running program: the main
// window with its scene and audio threads, the toolbar, window sizes down to
// a single pixel, and the three dialogs with random typing. Afterwards every
// record must hold finite values inside what its controls allow, and both
// loops must still tick. The events come from the test's own generator, so
// a failing run is replayed from its seed; the program's random word, which
// the audio thread draws from too, plays no part in choosing them.
#include <QDialog>
#include <QLineEdit>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

#include "dialogs/dialogs.h"
#include "model/model_options.h"
#include "model/receptive_field.h"
#include "render/app_state.h"
#include "sim/audio_stream.h"
#include "sim/scene_loop.h"
#include "sim/simulation_state.h"
#include "stimulus/hand_plot_marks.h"
#include "stimulus/stimulus_state.h"
#include "test_robustness_driver.h"
#include "test_shell_support.h"

namespace {

constexpr int64_t kEvents = 2500;
constexpr uint32_t kSeed = 20240611;
constexpr float kHuge = 3.4e38f;  // any finite float
constexpr float kTiny = 1.4e-45f;  // the smallest positive float

// What each control lets a value become, whatever the order of the input.
struct Row {
    const char* name;
    double value, lo, hi;
};

std::vector<Row> RecordRows()
{
    const StimulusState& s = stimulus;
    const ReceptiveField& rf = receptiveField;
    const ModelOptions& m = modelOptions;
    std::vector<Row> rows = {
        {"stimulusType", double(s.stimulusType), 1, 4}, {"stimX", s.stimX, -kHuge, kHuge},
        {"stimY", s.stimY, -kHuge, kHuge}, {"spotRadius", s.spotRadius, 0, kHuge},
        {"polarity", double(s.polarity), -1, 1}, {"barLength", s.barLength, 0, 14}, {"barWidth", s.barWidth, 0, 14},
        {"orientation", s.orientation, 0, 360}, {"gratingRadius", s.gratingRadius, kTiny, 8},
        {"gratingSf", s.gratingSf, 0, 100}, {"gratingPhase", s.gratingPhase, 0, 360},
        {"gratingVelocity", s.gratingVelocity, 0, 20}, {"modulationRate", s.modulationRate, 0, 20},
        {"contrastPercent", s.contrastPercent, 0, 100}, {"cursor", double(s.cursor), kCursorCrosshair, kCursorHidden},
        {"rf.cellType", double(rf.cellType), 1, 5}, {"rf.centreX", rf.centreX, -kHuge, kHuge},
        {"rf.centreY", rf.centreY, -kHuge, kHuge}, {"rf.orientation", rf.orientation, 0, 360},
        {"rf.spatialFrequency", rf.spatialFrequency, kTiny, kHuge}, {"rf.phase", rf.phase, -kHuge, kHuge},
        {"rf.width", rf.width, kTiny, kHuge}, {"rf.length", rf.length, kTiny, kHuge},
        {"rf.driftSpeed", rf.driftSpeed, -kHuge, kHuge}, {"rf.centreSigma", rf.centreSigma, kTiny, 10},
        {"rf.surroundSigma", rf.surroundSigma, kTiny, 50}, {"rf.displayMode", double(rf.displayMode), 1, 4},
        {"rf.savedDisplayMode", double(rf.savedDisplayMode), 1, 4},
        {"rf.randomiseMode", double(rf.randomiseMode), 1, 3}, {"surroundWeight", m.surroundWeight, 0.02, 4},
        {"gammaOrder", double(m.gammaOrder), 1, 10}, {"halfMaxContrast", m.halfMaxContrast, 1, 100},
        {"currentMaxRate", m.currentMaxRate, 200, 250}, {"currentSpontaneousRate", m.currentSpontaneousRate, 0, 101},
        {"currentGammaOrder", double(m.currentGammaOrder), 1, 10},
        {"markCount", double(marks.markCount.load()), 0, kMaxMarks}, {"peakRate", simulation.peakRate, 0, kHuge},
        {"expectedRate", simulation.expectedRate, 0, kHuge},
        {"traceWidth", double(simulation.traceWidth), 0, kMaxTraceWidth},
        {"clientWidth", double(appState.clientWidth), 0, 1e5},
        {"clientHeight", double(appState.clientHeight), 0, 1e5},
    };
    for (int type = 1; type <= 5; ++type) rows.push_back({"spontaneousRate[type]", m.spontaneousRate[type], 0, 101});
    for (int i = 1; i <= marks.markCount.load() && i <= kMaxMarks; ++i) {
        rows.push_back({"markX", marks.markX[i], -kHuge, kHuge});
        rows.push_back({"markY", marks.markY[i], -kHuge, kHuge});
        rows.push_back({"markSign", double(marks.markSign[i]), -1, 1});
    }
    for (int i = 1; i <= kRateWindowSlots; ++i) rows.push_back({"rateWindow", simulation.rateWindow[i], 0, kHuge});
    for (int i = 1; i <= kMaxTraceWidth; ++i)
        rows.push_back({"responseTrace", simulation.responseTrace[i], -kHuge, kHuge});
    return rows;
}

// Fields that every dialog offers for typing, by dialog title.
QSet<QString> TypableFields(QWidget* parent)
{
    QSet<QString> fields;
    for (auto create : {createSelectStimulusDialog, createRfDialog, createMoreOptionsDialog}) {
        std::unique_ptr<QDialog> dialog(create(parent));
        for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
            bool numbered = false;
            edit->objectName().toInt(&numbered);
            if (numbered) fields.insert(dialog->windowTitle() + QLatin1Char('/') + edit->objectName());
        }
    }
    return fields;
}

// Whether both loops still tick: each makes a few more ticks while the user
// interface idles. The limit only keeps a dead loop from hanging the run.
bool BothLoopsTick()
{
    const int64_t scene = SceneLoopStats().ticks, audio = AudioLoopStatistics().ticks;
    const int64_t end = MillisecondClock() + 20000;
    while (MillisecondClock() < end) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        if (SceneLoopStats().ticks >= scene + 5 && AudioLoopStatistics().ticks >= audio + 5) return true;
    }
    return false;
}

}  // namespace

TEST(ThreadedRobustness, RandomInputKeepsEveryRecordSoundAndTheLoopsTicking)
{
    std::unique_ptr<MainWindow> window(StartApplication());
    ASSERT_NE(window, nullptr);
    SCOPED_TRACE(testing::Message() << "event seed " << kSeed);
    // A window manager may squeeze a window below its layout's wish; allow
    // the test the same, down to a single pixel.
    window->setMinimumSize(1, 1);
    window->show();
    QApplication::processEvents();
    const QSet<QString> typable = TypableFields(window.get());

    RandomInput input(window.get(), kSeed);
    input.watchModals();
    int narrowest = INT32_MAX, lowest = INT32_MAX;
    while (input.events() < kEvents) {
        input.step();
        narrowest = std::min(narrowest, window->canvas()->width());
        lowest = std::min(lowest, window->canvas()->height());
    }

    // The run reached what it was meant to reach.
    EXPECT_GE(input.dialogsDriven(), 10);
    EXPECT_LE(narrowest, 2);
    EXPECT_LE(lowest, 1);
    for (const QString& field : typable) EXPECT_TRUE(input.fieldsTyped().contains(field)) << field.toStdString();

    // Both loops are still alive.
    window->showNormal();
    window->resize(900, 640);
    QApplication::processEvents();
    EXPECT_TRUE(BothLoopsTick());
    EXPECT_GT(window->canvas()->lastPaint().paints, 0);

    // The workers stop before the records are read, so nothing moves under us.
    StopWorkers();
    for (const Row& row : RecordRows()) {
        EXPECT_TRUE(std::isfinite(row.value)) << row.name;
        EXPECT_GE(row.value, row.lo) << row.name;
        EXPECT_LE(row.value, row.hi) << row.name;
    }
    const int32_t traceIndex = simulation.traceIndex;
    EXPECT_GE(traceIndex, 1);
    EXPECT_LE(traceIndex, kMaxTraceWidth + 1);
    int64_t notFinite = 0;
    for (const auto& frame : simulation.stimulusHistory)
        for (float v : frame) notFinite += !std::isfinite(v);
    EXPECT_EQ(notFinite, 0);
    window.reset();
}
