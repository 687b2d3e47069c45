#pragma once
// Helpers shared by the user-interface tests: fresh records, a main window without worker threads, typing into
// a dialog field as the keyboard does, and acting on a modal window that an action is about to open.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "app/app_startup.h"
#include "app/canvas.h"
#include "app/main_window.h"
#include "dialogs/dialogs.h"
#include "model/filters.h"
#include "model/receptive_field.h"
#include "sim/clock.h"
#include "stimulus/stimulus_state.h"
#include "tests/core/engine_records.h"
#include "tests/core/test_support.h"

constexpr int kOkButton = 1;  // every dialog's default "OK" button
constexpr int kTestWidth = 1000, kTestHeight = 700;
using DialogPtr = std::unique_ptr<QDialog>;

// The window's action for a command: menu and toolbar actions carry it as data.
inline QAction* CommandAction(const QWidget& window, int32_t command)
{
    for (QAction* action : window.findChildren<QAction*>())
        if (action->data().toInt() == command) return action;
    return nullptr;
}

inline void ResetAllRecords() { ResetEngineRecords(kTestWidth, kTestHeight), BuildFilters(); }

// A shown main window whose records are reset for its canvas, with no worker threads: the tests drive the records.
inline std::unique_ptr<MainWindow> QuietMainWindow()
{
    auto window = std::make_unique<MainWindow>();
    window->resize(900, 640);
    window->show();
    QApplication::setActiveWindow(window.get());
    QApplication::processEvents();
    Canvas* canvas = window->canvas();
    ResetStartUpRecords(canvas->frameWidthFor(canvas->width()), canvas->frameHeightFor(canvas->height()), 0, true);
    canvas->setCreated(true), canvas->setFocus();
    return window;
}

// The control with the given id (its object name) inside dialog, or nullptr.
template <typename T>
T* Control(const QWidget* dialog, int id)
{
    return dialog->findChild<T*>(QString::number(id));
}

inline QString FieldText(const QWidget* d, int id) { return Control<QLineEdit>(d, id)->text().trimmed(); }

// Replaces a field's text key by key, the way a student types it.
inline void TypeInto(QWidget* d, int id, const QString& text)
{
    QLineEdit* edit = Control<QLineEdit>(d, id);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// Runs act, and calls onModal with the first modal window that shows up (then closes it if still open).
// Returns false when none came; the limit only keeps a failing test from hanging the run.
inline bool WithModal(const std::function<void()>& act, const std::function<void(QWidget*)>& onModal)
{
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || seen) return;
        seen = true, onModal(modal);
        if (modal->isVisible()) modal->close();
    });
    poll.start(10);
    act();
    const int64_t end = MillisecondClock() + 20000;
    while (!seen && MillisecondClock() < end) QApplication::processEvents(QEventLoop::AllEvents, 10);
    QApplication::processEvents();
    return seen;
}
