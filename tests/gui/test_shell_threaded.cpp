// The whole program with its worker threads: start-up, the scene thread's frames shown, a worker's message, a clean end.
#include <QMessageBox>
#include <QPushButton>
#include <thread>

#include "app/messages.h"
#include "sim/commands.h"
#include "test_shell_support.h"

TEST(ThreadedShell, StartUpPresentsFramesAndExitEndsTheLoopWithZero)
{
    std::unique_ptr<MainWindow> window(StartApplication());
    ASSERT_NE(window, nullptr);
    window->show();
    QApplication::processEvents();
    Canvas* canvas = window->canvas();
    EXPECT_EQ(appState.clientWidth, canvas->width());
    EXPECT_EQ(traces.traceWidth, appState.clientWidth - 2 * appState.margin);
    EXPECT_NEAR(receptiveField.centreX, appState.clientWidth / 76.0f, 0.02f) << "the field starts centred";
    // The scene thread's frames reach the screen (the limit only stops a hang).
    const int64_t end = MillisecondClock() + 20000;
    while (canvas->lastPaint().frameSerial == 0 && MillisecondClock() < end)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_NE(canvas->lastPaint().frameSerial, 0u);

    QAction* exitAction = CommandAction(*window, CmdExit);
    ASSERT_NE(exitAction, nullptr);
    QTimer::singleShot(50, exitAction, &QAction::trigger);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(SceneLoopStats().running) << "the workers have stopped";
}

TEST(ThreadedShell, WorkerMessageIsShownWithoutWaiting)
{
    QString title, text;
    const bool shown = WithModal(
        [] {
            std::thread worker([] { ShowMessage("Error preparing wave header"); });
            worker.join();  // returns at once: the worker never waits for the user
        },
        [&](QWidget* modal) {
            title = modal->windowTitle();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) text = box->text(), box->button(QMessageBox::Ok)->click();
        });
    ASSERT_TRUE(shown);
    EXPECT_EQ(std::pair(title, text), std::pair(QStringLiteral("Tessaline"), QStringLiteral("Error preparing wave header")));
}
