// SIGTERM (a logout) and SIGINT end the program whatever window is open: the main window closes, and the loop
// the program is in (its own, or a dialog's) ends, so the process can return 0.
#include <QEventLoop>
#include <csignal>

#include "app/record_window.h"
#include "app/termination.h"
#include "app/tuning_window.h"
#include "sim/commands.h"
#include "test_shell_support.h"

namespace {

// Runs an event loop, as the program's main loop, with `open` posted first; once `up` says the window is there
// a termination signal is raised. Returns whether the loop ended by itself within the limit (against a hang).
bool LoopEndsOnSignal(int signal, const std::function<void()>& open, const std::function<bool()>& up)
{
    bool raised = false, limitHit = false;
    QEventLoop loop;
    QTimer poll, limit, start;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!raised && up()) raised = true, std::raise(signal);
    });
    QObject::connect(&limit, &QTimer::timeout, [&] {
        limitHit = true;
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        loop.quit();
    });
    QObject::connect(&start, &QTimer::timeout, open);
    start.setSingleShot(true), limit.setSingleShot(true);
    poll.start(10), limit.start(20000), start.start(0);
    loop.exec();
    // An ended application loop leaves Qt refusing every later loop until the application's own exec has run.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    return raised && !limitHit;
}

struct OpenWindow {
    const char* name;
    std::function<void(MainWindow&)> open;
    std::function<bool()> up;
};

}  // namespace

TEST(Termination, EndsWhateverWindowIsOpen)
{
    const auto modalUp = [] { return QApplication::activeModalWidget() != nullptr; };
    const auto command = [](int32_t id) { return [id](MainWindow& w) { CommandAction(w, id)->trigger(); }; };
    const auto named = [](const char* name) {
        return [name] {
            const QWidget* w = nullptr;
            for (QWidget* top : QApplication::topLevelWidgets()) w = top->objectName() == name ? top : w;
            return w != nullptr && w->isVisible();
        };
    };
    const OpenWindow cases[] = {
        {"main window alone", [](MainWindow&) {}, [] { return true; }},
        {"Select stimulus", command(CmdSelectStimulus), modalUp},
        {"Receptive field parameters", command(CmdSelectReceptiveField), modalUp},
        {"More options", command(CmdMoreOptions), modalUp},
        {"Help", command(CmdHelp), modalUp},
        {"Feedback", [](MainWindow& w) { ShowFeedbackDialog(&w); }, modalUp},
        {"tuning window", [](MainWindow& w) { ShowTuningWindow(&w); }, named("tuningWindow")},
        {"raster window", [](MainWindow& w) { w.findChild<QAction*>("rasterWindow")->trigger(); }, named("recordWindow")},
    };
    for (const int signal : {SIGTERM, SIGINT}) {
        for (const OpenWindow& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (signal == SIGTERM ? ", SIGTERM" : ", SIGINT"));
            auto window = QuietMainWindow();
            CloseOnTerminationSignals(window.get());
            EXPECT_TRUE(LoopEndsOnSignal(signal, [&] { c.open(*window); }, c.up));
            EXPECT_FALSE(window->isVisible());
            EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        }
    }
    std::signal(SIGTERM, SIG_DFL), std::signal(SIGINT, SIG_DFL);
}
