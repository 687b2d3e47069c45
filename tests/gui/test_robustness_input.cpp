// Seeded random user input against the running program with its threads: pointer, buttons, wheel, keys,
// toolbar, window sizes down to a pixel, and the three dialogs with random typing. Afterwards every record
// holds finite values inside what its controls allow and both loops still tick. The dialogs, their fields
// and the squeezes come in turn, so what a run reaches does not hang on how the threads were timed.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QMessageBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolBar>
#include <random>
#include <tuple>

#include "sim/commands.h"
#include "test_shell_support.h"

namespace {

constexpr int64_t kEvents = 500;
constexpr uint32_t kSeed = 20240611;
constexpr float kHuge = 3.4e38f, kTiny = 1.4e-45f;

class RandomInput {
public:
    RandomInput(MainWindow* window, uint32_t seed) : window_(window), canvas_(window->canvas()), rng_(seed)
    {
        // Closes what comes up uninvited (feedback, help, a message) and drives the dialog asked for.
        QObject::connect(&watcher_, &QTimer::timeout, [this] { onModal(); });
        watcher_.start(1);
    }
    int64_t events = 0, dialogsDriven = 0;
    QSet<QString> fieldsTyped;

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    template <typename List>
    auto any(const List& list) { return list[pick(0, static_cast<int>(std::size(list)) - 1)]; }

    void step()
    {
        static const int kDeltas[] = {120, -120, 15, -15, 960, -960, 2147483647, -2147483647};
        static const std::pair<int, const char*> kKeys[] = {
            {Qt::Key_Left, ""}, {Qt::Key_Right, ""}, {Qt::Key_Up, ""},     {Qt::Key_Down, ""},
            {Qt::Key_Plus, "+"}, {Qt::Key_Minus, "-"}, {Qt::Key_Return, "\r"}, {Qt::Key_Escape, ""}};
        static const int kSizes[] = {1, 2, 37, 200, 900, 2400};
        static const int kDialogs[] = {CmdSelectStimulus, CmdSelectReceptiveField, CmdMoreOptions};
        const int kind = pick(0, 99);
        if (kind < 34) {
            mouse(QEvent::MouseMove, Qt::NoButton);
        } else if (kind < 44) {
            static const Qt::MouseButton kButtons[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
            const Qt::MouseButton which = any(kButtons);
            const bool press = !(held_ & which);
            held_ = press ? (held_ | which) : (held_ & ~which);
            mouse(press ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, which);
        } else if (kind < 48) {
            // A double click in the order the platform delivers it.
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                      QEvent::MouseButtonRelease}) {
                held_ = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
                mouse(type, Qt::LeftButton);
            }
        } else if (kind < 58) {
            const QPointF at = anywhere();
            QWheelEvent event(at, canvas_->mapToGlobal(at), QPoint(), QPoint(0, any(kDeltas)), held_, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(canvas_, &event);
        } else if (kind < 80) {
            const auto [code, text] = any(kKeys);
            for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent event(type, code, Qt::NoModifier, QString::fromLatin1(text));
                QApplication::sendEvent(canvas_, &event);
            }
        } else if (kind < 87) {
            QList<QAction*> actions;
            for (QAction* action : window_->toolbar()->actions())
                if (action->data().toInt() != 0) actions << action;
            any(actions)->trigger();
        } else if (kind < 92) {
            // Below the layout's minimum Qt leaves the canvas as it was: squeeze it, in turn, to a column or a row.
            const QSize least = window_->minimumSizeHint();
            const int turn = resizes_++ % 4;
            const int w = turn == 0 ? least.width() + pick(0, 2) : pick(0, 2) == 0 ? any(kSizes) : pick(1, 1400);
            const int h = turn == 1 ? least.height() + pick(0, 1) : pick(0, 2) == 0 ? any(kSizes) : pick(1, 1000);
            window_->resize(w, h);
        } else if (kind < 95) {
            if (const int state = pick(0, 2); state == 0) window_->showMinimized();
            else if (state == 1) window_->findChild<QAction*>(QStringLiteral("fullScreen"))->trigger();
            else window_->showNormal(), window_->resize(900, 640);
        } else {
            wantDialog_ = true;
            CommandAction(*window_, kDialogs[dialogsDriven % 3])->trigger();  // each in turn
            wantDialog_ = false;
        }
        ++events;
        QApplication::processEvents();
    }

private:
    QPointF anywhere()
    {
        // Mostly over the canvas, often beside it, now and then absurdly far.
        const int w = canvas_->width(), h = canvas_->height(), where = pick(0, 9);
        if (where == 0) return QPointF(pick(-1000000, 1000000), pick(-1000000, 1000000));
        if (where < 3) return QPointF(pick(-300, 300) + pick(0, 1) * w, pick(-300, 300) + pick(0, 1) * h);
        return QPointF(pick(0, w), pick(0, h));
    }
    void mouse(QEvent::Type type, Qt::MouseButton button)
    {
        const QPointF at = anywhere();
        QMouseEvent event(type, at, canvas_->mapToGlobal(at), button, held_, Qt::NoModifier);
        QApplication::sendEvent(canvas_, &event);
    }
    void onModal()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) return;
        // A message a driven dialog raises (the flicker notice) is closed as it comes.
        if (busy_) {
            if (qobject_cast<QMessageBox*>(modal)) modal->close();
            return;
        }
        busy_ = true;
        if (auto* dialog = qobject_cast<QDialog*>(modal); wantDialog_ && dialog != nullptr) {
            wantDialog_ = false;
            drive(dialog);
            ++dialogsDriven;
        }
        if (modal->isVisible() && pick(0, 1) == 0) QTest::keyClick(modal, Qt::Key_Escape);
        if (modal->isVisible()) modal->close();
        busy_ = false;
    }
    QString randomText()
    {
        static const char* const kWords[] = {"0.35", "-30", "1e30", "-1e30", "1e39", "1e-45", "nan", "-inf", "0x1p3", "."};
        static const char kAlphabet[] = "0123456789.-+eE ,x";
        if (pick(0, 2) == 0) return QString::fromLatin1(any(kWords));
        QString text;
        for (int n = pick(1, 8); n > 0; --n) text += QLatin1Char(kAlphabet[pick(0, sizeof kAlphabet - 2)]);
        return text;
    }
    void drive(QDialog* dialog)
    {
        const auto edits = dialog->findChildren<QLineEdit*>();
        const auto sliders = dialog->findChildren<QSlider*>();
        const auto spins = dialog->findChildren<QSpinBox*>();
        const auto combos = dialog->findChildren<QComboBox*>();
        const auto buttons = dialog->findChildren<QAbstractButton*>();
        // Every field typed into once, whatever the timing, then random steps.
        for (qsizetype i = 0; i < edits.size() + 8; ++i) {
            const int kind = i < edits.size() ? 0 : pick(0, 9);
            if (kind < 5 && !edits.isEmpty()) {
                QLineEdit* edit = i < edits.size() ? edits[i] : any(edits);
                fieldsTyped.insert(dialog->windowTitle() + QLatin1Char('/') + edit->objectName());
                if (pick(0, 1)) edit->selectAll(), QTest::keyClick(edit, Qt::Key_Backspace);
                for (QChar c : randomText()) QTest::keyClick(edit, c.toLatin1());
            } else if (QSlider* slider = sliders.isEmpty() ? nullptr : any(sliders); kind < 7 && slider) {
                slider->setValue(pick(slider->minimum() - 5, slider->maximum() + 5));
            } else if (QSpinBox* spin = spins.isEmpty() ? nullptr : any(spins); kind < 8 && spin) {
                spin->setValue(pick(spin->minimum() - 5, spin->maximum() + 5));
            } else if (QComboBox* combo = combos.isEmpty() ? nullptr : any(combos); kind < 9 && combo) {
                combo->setCurrentIndex(pick(0, combo->count() - 1));
            } else if (QAbstractButton* b = any(buttons); b->isEnabled() &&
                       (qobject_cast<QRadioButton*>(b) || qobject_cast<QCheckBox*>(b))) {
                b->click();  // push buttons would end the dialog early
            }
            QApplication::processEvents();
        }
    }

    MainWindow* window_;
    Canvas* canvas_;
    std::mt19937 rng_;
    QTimer watcher_;
    Qt::MouseButtons held_ = Qt::NoButton;
    bool wantDialog_ = false, busy_ = false;
    int resizes_ = 0;
};

}  // namespace

TEST(ThreadedRobustness, RandomInputKeepsEveryRecordSoundAndTheLoopsTicking)
{
    std::unique_ptr<MainWindow> window(StartApplication());
    ASSERT_NE(window, nullptr);
    SCOPED_TRACE(testing::Message() << "event seed " << kSeed);
    window->setMinimumSize(1, 1);  // as a window manager may squeeze it
    window->show();
    QSet<QString> typable;  // every numbered field of the three dialogs
    for (auto create : {CreateSelectStimulusDialog, CreateRfDialog, CreateMoreOptionsDialog}) {
        std::unique_ptr<QDialog> dialog(create(window.get()));
        for (QLineEdit* edit : dialog->findChildren<QLineEdit*>())
            if (edit->objectName().toInt() != 0) typable.insert(dialog->windowTitle() + '/' + edit->objectName());
    }

    RandomInput input(window.get(), kSeed);
    int narrowest = INT32_MAX, lowest = INT32_MAX;
    while (input.events < kEvents) {
        input.step();
        narrowest = std::min(narrowest, window->canvas()->width());
        lowest = std::min(lowest, window->canvas()->height());
    }
    // The run reached what it was meant to reach.
    EXPECT_GE(input.dialogsDriven, 10);
    EXPECT_LE(narrowest, 2);
    EXPECT_LE(lowest, 1);
    for (const QString& field : typable) EXPECT_TRUE(input.fieldsTyped.contains(field)) << field.toStdString();

    // Both loops still tick (the limit only keeps a dead loop from hanging the run).
    window->showNormal(), window->resize(900, 640);
    const int64_t scene = SceneLoopStats().ticks, audio = AudioLoopStatistics().ticks;
    const int64_t end = MillisecondClock() + 20000;
    while (MillisecondClock() < end && (SceneLoopStats().ticks < scene + 5 || AudioLoopStatistics().ticks < audio + 5))
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_GE(SceneLoopStats().ticks, scene + 5);
    EXPECT_GE(AudioLoopStatistics().ticks, audio + 5);
    EXPECT_GT(window->canvas()->lastPaint().paints, 0);

    // With the workers stopped, what each control lets a value become; what is in degrees only has to be finite.
    StopWorkers();
    const StimulusState& s = stimulus;
    const ReceptiveField& rf = receptiveField;
    const ModelOptions& m = modelOptions;
    const std::tuple<const char*, double, double, double> rows[] = {
        {"stimulusType", s.stimulusType, 1, 6}, {"barLength", s.barLength, 0, 14}, {"barWidth", s.barWidth, 0, 14},
        {"orientation", s.orientation, 0, 360}, {"gratingRadius", s.gratingRadius, kTiny, 8},
        {"gratingSf", s.gratingSf, 0, 100}, {"gratingPhase", s.gratingPhase, 0, 360},
        {"gratingVelocity", s.gratingVelocity, 0, 20}, {"modulationRate", s.modulationRate, 0, 20},
        {"contrastPercent", s.contrastPercent, 0, 100}, {"rf.cellType", rf.cellType, 1, 5},
        {"rf.orientation", rf.orientation, 0, 360}, {"rf.centreSigma", rf.centreSigma, kTiny, 10},
        {"rf.surroundSigma", rf.surroundSigma, kTiny, 50}, {"rf.displayMode", rf.displayMode, 1, 4},
        {"surroundWeight", m.surroundWeight, 0.02, 4}, {"gammaOrder", m.gammaOrder, 1, 10},
        {"halfMaxContrast", m.halfMaxContrast, 1, 100}, {"currentMaxRate", m.currentMaxRate, 200, 250},
        {"currentSpontaneousRate", m.currentSpontaneousRate, 0, 101}, {"markCount", marks.markCount, 0, kMaxMarks},
        {"expectedRate", simulation.expectedRate, -kHuge, kHuge}, {"traceWidth", traces.traceWidth, 0, kMaxTraceWidth},
        {"traceIndex", traces.traceIndex, 1, kMaxTraceWidth + 1}, {"spotRadius", s.spotRadius, 0, kHuge},
        {"stimX", s.stimX, -kHuge, kHuge}, {"stimY", s.stimY, -kHuge, kHuge}, {"rf.centreX", rf.centreX, -kHuge, kHuge},
        {"rf.centreY", rf.centreY, -kHuge, kHuge}, {"rf.phase", rf.phase, -kHuge, kHuge},
        {"rf.spatialFrequency", rf.spatialFrequency, -kHuge, kHuge}, {"rf.width", rf.width, -kHuge, kHuge},
        {"rf.length", rf.length, -kHuge, kHuge}, {"peakRate", simulation.peakRate, 0, kHuge},
    };
    for (const auto& [name, value, lo, hi] : rows) EXPECT_TRUE(value >= lo && value <= hi) << name << " = " << value;
    int64_t notFinite = 0;
    for (int i = 1; i <= marks.markCount && i <= kMaxMarks; ++i) notFinite += !std::isfinite(marks.markX[i]);
    for (int i = 1; i <= kMaxTraceWidth; ++i) notFinite += !std::isfinite(traces.responseTrace[i]);
    for (const auto& frame : simulation.stimulusHistory)
        for (float v : frame) notFinite += !std::isfinite(v);
    EXPECT_EQ(notFinite, 0);
}
