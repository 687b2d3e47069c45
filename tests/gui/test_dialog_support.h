#pragma once
// Shared steps of the dialog tests: records back to their start-up values,
// typing into a field as the keyboard does, and running a dialog modally.
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "dialogs/dialog_controls.h"
#include "dialogs/dialogs.h"
#include "model/filters.h"
#include "model/model_options.h"
#include "model/receptive_field.h"
#include "render/app_state.h"
#include "sim/engine_reset.h"
#include "stimulus/stimulus_state.h"

// Every dialog's default "OK" button has id 1.
constexpr int kOkButton = 1;
constexpr int kTestWidth = 1000;
constexpr int kTestHeight = 700;

inline void ResetAllRecords()
{
    ResetEngineRecords(kTestWidth, kTestHeight);
    buildFilters();
}

inline QString FieldText(const QWidget* d, int id)
{
    return Control<QLineEdit>(d, id)->text().trimmed();
}

// Replaces a field's text key by key, the way a student types it.
inline void TypeInto(QWidget* d, int id, const QString& text)
{
    QLineEdit* edit = Control<QLineEdit>(d, id);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// Runs open(nullptr) modally; once the dialog is up, drive(dialog) runs
// inside its event loop and must end it. A dialog left open is closed after
// a while so that a failing test cannot hang the run.
inline void RunModal(void (*open)(QWidget*), const std::function<void(QDialog*)>& drive)
{
    bool driven = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        driven = true;
        drive(d);
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            d->done(0);
    });
    guard.start(10000);
    open(nullptr);
    EXPECT_TRUE(driven);
}

using DialogPtr = std::unique_ptr<QDialog>;
