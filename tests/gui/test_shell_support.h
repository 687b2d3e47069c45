#pragma once
// Helpers shared by the shell tests: a main window with fresh records, and
// a way to act on a modal window that an action is about to open.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "app/app_startup.h"
#include "app/canvas.h"
#include "app/main_window.h"
#include "sim/clock.h"

// A shown main window whose records are reset for its canvas, with no worker
// threads: the tests drive the records alone.
inline std::unique_ptr<MainWindow> QuietMainWindow(int width = 900, int height = 640)
{
    auto window = std::make_unique<MainWindow>();
    window->resize(width, height);
    window->show();
    QApplication::setActiveWindow(window.get());
    QApplication::processEvents();
    Canvas* canvas = window->canvas();
    ResetRecordsForClient(canvas->frameWidthFor(canvas->width()), canvas->frameHeightFor(canvas->height()));
    canvas->setCreated(true);
    canvas->setFocus();
    return window;
}

// Runs act, and calls onModal with the first modal window that shows up
// (then closes it if onModal left it open). Returns false when none came.
inline bool WithModal(const std::function<void()>& act, const std::function<void(QWidget*)>& onModal,
                      int timeoutMs = 20000)
{
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || seen) return;
        seen = true;
        onModal(modal);
        if (modal->isVisible()) modal->close();
    });
    poll.start(10);
    act();
    const int64_t end = MillisecondClock() + timeoutMs;
    while (!seen && MillisecondClock() < end) QApplication::processEvents(QEventLoop::AllEvents, 10);
    QApplication::processEvents();
    return seen;
}
