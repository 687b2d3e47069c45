#pragma once
// A seeded source of random user input for the whole main window: pointer,
// buttons, wheel, keys, toolbar, window size and state, and the dialogs with
// random typing. Every event is delivered the way Qt delivers it to the real
// widgets. The generator is the driver's own, so a seed replays a run.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSet>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWheelEvent>
#include <cstdint>
#include <random>

#include "app/canvas.h"
#include "app/commands.h"
#include "app/main_window.h"

class RandomInput {
public:
    RandomInput(MainWindow* window, uint32_t seed) : window_(window), canvas_(window->canvas()), rng_(seed) {}

    int64_t events() const { return events_; }
    int64_t dialogsDriven() const { return dialogsDriven_; }
    const QSet<QString>& fieldsTyped() const { return fieldsTyped_; }

    // Closes any modal window that comes up uninvited (the feedback after
    // Enter, the help window, a message), and drives the dialog that the
    // last menu command asked for.
    void watchModals()
    {
        watcher_.setInterval(1);
        QObject::connect(&watcher_, &QTimer::timeout, [this] { onModal(); });
        watcher_.start();
    }

    // One random event (a dialog opening spends several).
    void step()
    {
        const int kind = pick(0, 99);
        if (kind < 34) sendMouse(QEvent::MouseMove, Qt::NoButton);
        else if (kind < 44) button();
        else if (kind < 48) doubleClick();
        else if (kind < 58) wheel();
        else if (kind < 72) key(kArrows[pick(0, 3)]);
        else if (kind < 80) character();
        else if (kind < 87) toolbarButton();
        else if (kind < 92) resize();
        else if (kind < 95) windowState();
        else openDialog();
        QApplication::processEvents();
    }

private:
    static constexpr int kArrows[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    template <typename List>
    auto any(const List& list) { return list[pick(0, static_cast<int>(list.size()) - 1)]; }

    QPointF anywhere()
    {
        // Mostly over the canvas, often beside it, now and then absurdly far.
        const double w = canvas_->width(), h = canvas_->height();
        switch (pick(0, 9)) {
        case 0: return QPointF(pick(-1000000, 1000000), pick(-1000000, 1000000));
        case 1:
        case 2: return QPointF(pick(-300, 300) + (pick(0, 1) ? w : 0.0), pick(-300, 300) + (pick(0, 1) ? h : 0.0));
        default: return QPointF(std::uniform_real_distribution<double>(0, w)(rng_),
                                std::uniform_real_distribution<double>(0, h)(rng_));
        }
    }

    void sendMouse(QEvent::Type type, Qt::MouseButton button)
    {
        const QPointF at = anywhere();
        QMouseEvent event(type, at, canvas_->mapToGlobal(at), button, held_, Qt::NoModifier);
        QApplication::sendEvent(canvas_, &event);
        ++events_;
    }

    void button()
    {
        static const Qt::MouseButton kButtons[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        const Qt::MouseButton which = kButtons[pick(0, 3)];
        const bool press = !(held_ & which);
        held_ = press ? (held_ | which) : (held_ & ~which);
        sendMouse(press ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, which);
    }

    void doubleClick()
    {
        // The order the platform delivers: press, release, double click, release.
        const QEvent::Type order[] = {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                      QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease};
        for (int i = 0; i < 4; ++i) {
            held_ = i % 2 == 0 ? Qt::LeftButton : Qt::NoButton;
            sendMouse(order[i], Qt::LeftButton);
        }
    }

    void wheel()
    {
        // Whole notches, a touchpad's slivers, a flung wheel and nonsense.
        static const int kDeltas[] = {120, -120, 120, -120, 15, -15, 40, -40, 960, -960, 2147483647, -2147483647};
        const QPointF at = anywhere();
        QWheelEvent event(at, canvas_->mapToGlobal(at), QPoint(), QPoint(0, kDeltas[pick(0, 11)]), held_,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas_, &event);
        ++events_;
    }

    void key(int key, const QString& text = QString())
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(canvas_, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(canvas_, &release);
        ++events_;
    }

    void character()
    {
        switch (pick(0, 4)) {
        case 0: key(Qt::Key_Plus, QStringLiteral("+")); break;
        case 1: key(Qt::Key_Minus, QStringLiteral("-")); break;
        case 2: key(Qt::Key_Return, QStringLiteral("\r")); break;
        case 3: key(Qt::Key_Enter, QStringLiteral("\r")); break;
        default: key(Qt::Key_Escape); break;
        }
    }

    void toolbarButton()
    {
        QList<QAction*> actions;
        for (QAction* action : window_->toolbar()->actions())
            if (action->data().toInt() != 0) actions << action;
        any(actions)->trigger();
        ++events_;
    }

    void resize()
    {
        // Down to a single pixel, up past the size of a large screen. Below
        // the layout's minimum Qt leaves the canvas as it was, so the canvas
        // itself is squeezed by leaving it only a row or none.
        static const int kSizes[] = {1, 1, 2, 3, 37, 80, 200, 640, 900, 1280, 2400};
        int w = pick(0, 2) == 0 ? kSizes[pick(0, 10)] : pick(1, 1400);
        int h = pick(0, 2) == 0 ? kSizes[pick(0, 10)] : pick(1, 1000);
        const QSize least = window_->minimumSizeHint();
        if (pick(0, 3) == 0) h = least.height() + pick(0, 2);
        if (pick(0, 5) == 0) w = least.width() + pick(0, 2);
        window_->resize(w, h);
        ++events_;
    }

    void windowState()
    {
        switch (pick(0, 3)) {
        case 0: window_->showMinimized(); break;
        case 1: window_->showNormal(); break;
        case 2: window_->findChild<QAction*>(QStringLiteral("fullScreen"))->trigger(); break;
        default: window_->showNormal(); window_->resize(900, 640); break;
        }
        ++events_;
    }

    void openDialog()
    {
        static const int kCommands[] = {CmdSelectStimulus, CmdSelectReceptiveField, CmdMoreOptions};
        wantDialog_ = true;
        window_->commandAction(kCommands[pick(0, 2)])->trigger();
        wantDialog_ = false;
        ++events_;
    }

    void onModal()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || busy_) return;
        busy_ = true;
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (wantDialog_ && dialog != nullptr) {
            wantDialog_ = false;
            drive(dialog);
            ++dialogsDriven_;
        }
        if (modal->isVisible() && pick(0, 1) == 0) QTest::keyClick(modal, Qt::Key_Escape);
        if (modal->isVisible()) modal->close();
        ++events_;
        busy_ = false;
    }

    QString randomText()
    {
        static const char* const kWords[] = {"0", "0.35", "400", "-30", "1e30", "-1e30", "1e39", "1e-45",
                                             "nan", "inf", "-inf", "0x1p3", "99999999999", "7.95", "360", "."};
        static const char kAlphabet[] = "0123456789.-+eE ,x";
        if (pick(0, 2) == 0) return QString::fromLatin1(kWords[pick(0, 15)]);
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
        for (int i = 0; i < 40; ++i) {
            const int kind = pick(0, 9);
            if (kind < 5 && !edits.isEmpty()) {
                QLineEdit* edit = any(edits);
                fieldsTyped_.insert(dialog->windowTitle() + QLatin1Char('/') + edit->objectName());
                if (pick(0, 1)) {
                    edit->selectAll();
                    QTest::keyClick(edit, Qt::Key_Backspace);
                }
                for (QChar c : randomText()) QTest::keyClick(edit, c.toLatin1());
            } else if (kind < 7 && !sliders.isEmpty()) {
                QSlider* slider = any(sliders);
                slider->setValue(pick(slider->minimum() - 5, slider->maximum() + 5));
            } else if (kind < 8 && !spins.isEmpty()) {
                QSpinBox* spin = any(spins);
                if (pick(0, 1)) spin->stepBy(pick(0, 1) ? 1 : -1);
                else spin->setValue(pick(spin->minimum() - 5, spin->maximum() + 5));
            } else if (kind < 9 && !combos.isEmpty()) {
                QComboBox* combo = any(combos);
                combo->setCurrentIndex(pick(0, combo->count() - 1));
            } else if (!buttons.isEmpty()) {
                // Radio buttons and check boxes; push buttons would end the dialog early.
                QAbstractButton* b = any(buttons);
                if ((qobject_cast<QRadioButton*>(b) || qobject_cast<QCheckBox*>(b)) && b->isEnabled()) b->click();
            }
            ++events_;
            QApplication::processEvents();
        }
    }

    MainWindow* window_;
    Canvas* canvas_;
    std::mt19937 rng_;
    QTimer watcher_;
    Qt::MouseButtons held_ = Qt::NoButton;
    bool wantDialog_ = false;
    bool busy_ = false;
    int64_t events_ = 0, dialogsDriven_ = 0;
    QSet<QString> fieldsTyped_;
};
