#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QThread>
#include <QToolBar>

#include "app/app_startup.h"
#include "app/canvas.h"
#include "app/help_window.h"
#include "app/language.h"
#include "app/lesson_actions.h"
#include "app/messages.h"
#include "app/map_window.h"
#include "app/record_window.h"
#include "app/toolbar.h"
#include "app/tuning_window.h"
#include "app/shown_text.h"
#include "controls/shell_texts.h"
#include "controls/zoom_steps.h"
#include "dialogs/dialogs.h"
#include "model/receptive_field.h"
#include "sim/commands.h"

MainWindow::MainWindow()
{
    setObjectName(QStringLiteral("Tessaline"));
    // The program ends when this window closes (closeEvent), not when the
    // last of its dialogs or message boxes happens to close.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    SetUiTitle(this, kProgramCaption);
    setWindowIcon(QIcon(QStringLiteral(":/resources/icons/tessaline-256.png")));
    canvas_ = new Canvas(this);
    setCentralWidget(canvas_);
    buildMenus();
    // The zoom last chosen on this machine, before the frame is sized from the canvas.
    canvas_->setZoom(QSettings().value(QStringLiteral("view/zoom"), kActualZoom).toInt());
    toolbar_ = CreateToolbar(this, [this](int32_t command) { runCommand(command); });
    SetMessageOwner(this);
    canvas_->setFocus();
}

MainWindow::~MainWindow()
{
    // Workers read records this window's canvas presents: they end first.
    StopWorkers();
    SetMessageOwner(nullptr);
}

QAction* MainWindow::addCommand(QWidget* owner, const char* text, int32_t command)
{
    auto* action = new QAction(this);
    if (text != nullptr) SetUiText(action, text);
    action->setData(command);
    connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
    owner->addAction(action);
    return action;
}

void MainWindow::buildMenus()
{
    // The Options menu from the core's table, as the page builds its own:
    // the commands, and the lesson actions the desktop carries out itself.
    QMenu* options = menuBar()->addMenu(QString());
    SetUiText(options, kOptionsMenuTitle);
    options->setObjectName(QStringLiteral("options"));
    for (const MenuItem& item : kOptionsMenu) {
        if (item.shell != BothShells) continue;
        QAction* action = item.command != 0 ? addCommand(options, item.text, item.command)
                                            : AddLessonAction(this, options, item.text, item.name);
        if (action != nullptr) action->setObjectName(QString::fromLatin1(item.name));
    }

    // A projector wants the whole screen; the toolbar and menu stay.
    QMenu* view = menuBar()->addMenu(QString());
    SetUiText(view, kViewMenuTitle);
    view->setObjectName(QStringLiteral("view"));
    fullScreen_ = new QAction(this);
    SetUiText(fullScreen_, kFullScreenText);
    fullScreen_->setObjectName(QStringLiteral("fullScreen"));
    fullScreen_->setCheckable(true);
    fullScreen_->setShortcut(QKeySequence(Qt::Key_F11));
    connect(fullScreen_, &QAction::toggled, this, [this](bool on) {
        if (on != isFullScreen()) on ? showFullScreen() : showNormal();
    });
    view->addAction(fullScreen_);
    // Zoom steps as a browser's do, with its keys, rather than a list of
    // every value: a teacher at a projector presses Ctrl++ until the back
    // row sees the field, and the page can take the same keys.
    view->addSeparator();
    const auto addZoom = [this, view](const char* name, const char* text, QList<QKeySequence> keys,
                                      int32_t (*step)(int32_t)) {
        QAction* action = view->addAction(QString());
        SetUiText(action, text);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, [this, step] { setZoom(step(canvas_->zoom())); });
        return action;
    };
    // At the ends the keys stay taken and hold the zoom: a disabled item
    // would pass Ctrl++ on to the canvas as a '+' for the hand plot.
    addZoom("zoomIn", kZoomInText, {QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))},
                      [](int32_t z) { return ZoomStepUp(z); });
    addZoom("zoomOut", kZoomOutText, {QKeySequence(QStringLiteral("Ctrl+-"))}, ZoomStepDown);
    addZoom("actualSize", kActualSizeText, {QKeySequence(QStringLiteral("Ctrl+0"))}, [](int32_t) { return kActualZoom; });
    view->addSeparator();
    AddLanguageMenu(view, this);

    // Measurements run beside the main window; it and the clicks keep going.
    QMenu* measure = menuBar()->addMenu(QString());
    SetUiText(measure, kMeasureMenuTitle);
    measure->setObjectName(QStringLiteral("measure"));
    QAction* tuning = measure->addAction(QString());
    SetUiText(tuning, kMeasureMenu[MeasureTuning].text);
    tuning->setObjectName(QString::fromLatin1(kMeasureMenu[MeasureTuning].name));
    connect(tuning, &QAction::triggered, this, [this] { ShowTuningWindow(this); });
    AddRecordActions(measure, this);
    QAction* map = measure->addAction(QString());
    SetUiText(map, kMeasureMenu[MeasureMap].text);
    map->setObjectName(QString::fromLatin1(kMeasureMenu[MeasureMap].name));
    connect(map, &QAction::triggered, this, [this] { ShowMapWindow(this); });

    // Help keys are taken so they do not fall through to anything else, and
    // deliberately do nothing: help is the toolbar's last button.
    QAction* f1 = addCommand(this, nullptr, CmdHelpKey);
    f1->setShortcut(QKeySequence(Qt::Key_F1));
    QAction* altHelp = addCommand(this, nullptr, CmdHelpChar);
    altHelp->setShortcuts({QKeySequence(QStringLiteral("Alt+?")), QKeySequence(QStringLiteral("Alt+/"))});
}

void MainWindow::setZoom(int32_t percent)
{
    percent = ValidZoom(percent);
    if (percent != canvas_->zoom()) QSettings().setValue(QStringLiteral("view/zoom"), percent);
    canvas_->setZoom(percent);
}

void MainWindow::runCommand(int32_t command)
{
    if (!RunStimulusOrCellCommand(command)) {
        switch (command) {
        case CmdSelectStimulus: ShowSelectStimulusDialog(this); break;
        case CmdSelectReceptiveField: ShowRfDialog(this); break;
        case CmdMoreOptions: ShowMoreOptionsDialog(this); break;
        case CmdHelp: ShowHelp(this); break;
        case CmdExit: close(); break;
        default: break;  // the help keys: bound, no action
        }
    }
    canvas_->setFocus();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing ends the program: the workers stop, the sound device closes,
    // and the event loop returns 0.
    StopWorkers();
    event->accept();
    // Only a running loop is told to end: with none (a window driven by a
    // test) exit() would leave a pending quit for whoever runs a loop next.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange && canvas_ != nullptr) canvas_->updateSceneDrawing();
    if (event->type() == QEvent::WindowStateChange && fullScreen_ != nullptr) {
        const QSignalBlocker quiet(fullScreen_);
        fullScreen_->setChecked(isFullScreen());
    }
    if (event->type() == QEvent::LanguageChange) RefreshInstructions(this);
    QMainWindow::changeEvent(event);
}
