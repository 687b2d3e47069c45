#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <cmath>
#include <csignal>
#include <utility>
#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/messages.h"
#include "app/termination.h"
#include "app/toolbar.h"
#include "model/receptive_field.h"
#include "render/app_state.h"
#include "render/frame_buffer.h"
#include "resources/strings.h"
#include "sim/simulation_state.h"
#include "stimulus/hand_plot_marks.h"
#include "stimulus/stimulus_state.h"
#include "test_shell_support.h"

TEST(ShellWindow, MenuAndToolbarInOrder)
{
    auto window = QuietMainWindow();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tessaline"));
    EXPECT_FALSE(window->windowIcon().isNull());

    const QList<QAction*> menus = window->menuBar()->actions();
    ASSERT_GE(menus.size(), 1);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&Options"));
    const QList<QAction*> items = menus[0]->menu()->actions();
    const char* names[] = {"&Select stimulus", "Select &receptive field", "More &options", "E&xit"};
    const int ids[] = {30016, 30017, 30018, 30001};
    ASSERT_EQ(items.size(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(items[i]->text(), QString::fromLatin1(names[i]));
        EXPECT_EQ(items[i]->data().toInt(), ids[i]);
    }

    QToolBar* toolbar = window->toolbar();
    EXPECT_FALSE(toolbar->isMovable());
    EXPECT_FALSE(toolbar->isFloatable());
    EXPECT_EQ(toolbar->iconSize(), QSize(32, 24));
    const QList<QAction*> tools = toolbar->actions();
    ASSERT_EQ(tools.size(), kToolbarItems);
    const int gaps[] = {4, 4, 4, 4, 4, 16, 4, 4, 4, 4, 4};
    for (int i = 0; i < kToolbarButtons; ++i) {
        QWidget* gap = toolbar->widgetForAction(tools[2 * i]);
        ASSERT_NE(gap, nullptr);
        EXPECT_EQ(gap->width(), gaps[i]) << i;
        QAction* button = tools[2 * i + 1];
        EXPECT_EQ(button->data().toInt(), 30019 + i);
        QWidget* widget = toolbar->widgetForAction(button);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->size(), QSize(40, 28));
        EXPECT_FALSE(button->icon().pixmap(QSize(32, 24)).isNull()) << i;
        if (i > 0) {
            EXPECT_GT(widget->x(), toolbar->widgetForAction(tools[2 * i - 1])->x());
        }
    }
}

TEST(ShellWindow, TooltipsAreExact)
{
    auto window = QuietMainWindow();
    const char* tips[] = {"Spot stimulus",
                          "Annulus ",
                          "Bar stimulus",
                          "Grating stimulus",
                          "Invert stimulus polarity",
                          "ON-center retinal X cell",
                          "OFF-center retinal X cell",
                          "Cortical simple cell",
                          "Directionally selective simple cell",
                          "Complex cell",
                          "Help"};
    for (int i = 0; i < kToolbarButtons; ++i) {
        const int id = 30019 + i;
        EXPECT_STREQ(LoadProgramString(id), tips[i]);
        QAction* action = window->commandAction(id);
        ASSERT_NE(action, nullptr) << id;
        EXPECT_EQ(action->toolTip(), QString::fromLatin1(tips[i]));
        EXPECT_EQ(window->toolbar()->widgetForAction(action)->toolTip(), QString::fromLatin1(tips[i]));
    }
    EXPECT_EQ(LoadProgramString(30018), nullptr);
}

TEST(ShellWindow, StimulusButtonsSetTypeAndPolarity)
{
    auto window = QuietMainWindow();
    const struct { int command; int32_t type; } cases[] = {
        {30019, Spot}, {30020, Annulus}, {30022, Grating}, {30021, Bar}};
    for (const auto& c : cases) {
        window->commandAction(c.command)->trigger();
        EXPECT_EQ(stimulus.stimulusType.load(), c.type) << c.command;
    }
    window->commandAction(30023)->trigger();
    EXPECT_EQ(stimulus.polarity.load(), -1);
    window->commandAction(30023)->trigger();
    EXPECT_EQ(stimulus.polarity.load(), 1);
    EXPECT_TRUE(window->canvas()->hasFocus());
}

TEST(ShellWindow, CellButtonsMakeNewFields)
{
    auto window = QuietMainWindow();
    const struct { int command; int32_t cellType; } cases[] = {
        {30024, OnCentreX}, {30025, OffCentreX}, {30026, Simple}, {30027, DirectionalSimple}, {30028, Complex}};
    for (const auto& c : cases) {
        AddMark(1.0f, 1.0f, 1);
        window->commandAction(c.command)->trigger();
        EXPECT_EQ(receptiveField.cellType.load(), c.cellType) << c.command;
        EXPECT_EQ(marks.markCount.load(), 0) << c.command;
    }
}

// (How positions scale is the stimulus record's; here the canvas keeps the
// last size that had an area.)
TEST(ShellResize, PositionsScaleWithTheWindow)
{
    auto window = QuietMainWindow();
    Canvas* canvas = window->canvas();
    canvas->applyClientSize(800, 600);
    stimulus.stimX = 10.0f;
    stimulus.stimY = 5.0f;
    receptiveField.centreX = 8.0f;
    ClearMarks();
    AddMark(4.0f, 3.0f, 1);
    canvas->applyClientSize(1600, 600);
    EXPECT_FLOAT_EQ(stimulus.stimX, 20.0f);
    EXPECT_FLOAT_EQ(receptiveField.centreX, 16.0f);
    EXPECT_FLOAT_EQ(marks.markX[1], 8.0f);
    EXPECT_EQ(appState.clientWidth, 1600);
    EXPECT_EQ(appState.clientHeight, 600);

    // Minimised and restored: nothing moves, nothing becomes infinite.
    canvas->applyClientSize(0, 0);
    EXPECT_EQ(simulation.traceWidth, 0);
    canvas->repaint();
    canvas->applyClientSize(1600, 600);
    EXPECT_FLOAT_EQ(stimulus.stimX, 20.0f);
    EXPECT_FLOAT_EQ(marks.markX[1], 8.0f);

    // Squeezed to a line and to a sliver, then opened wide: scaled from the
    // last size that had an area, not from the sliver.
    for (auto [w, h] : {std::pair{1, 0}, {5, 0}, {0, 300}, {800, 600}}) canvas->applyClientSize(w, h);
    EXPECT_FLOAT_EQ(stimulus.stimX, 10.0f);
    EXPECT_FLOAT_EQ(stimulus.stimY, 5.0f);
    EXPECT_FLOAT_EQ(receptiveField.centreX, 8.0f);
    EXPECT_FLOAT_EQ(marks.markX[1], 4.0f);
    ClearMarks();
}

TEST(ShellResize, TraceWidthStaysWithinItsArrays)
{
    auto window = QuietMainWindow();
    Canvas* canvas = window->canvas();
    const int32_t widths[][2] = {{800, 776}, {2223, 2199}, {2224, 2200}, {3000, 2200}, {24, 0}, {10, 0}, {0, 0}, {-5, 0}};
    for (const auto& w : widths) {
        canvas->applyClientSize(w[0], 500);
        EXPECT_EQ(simulation.traceWidth, w[1]) << w[0];
    }
}

TEST(ShellResize, RealResizeRecordsTheCanvasSize)
{
    auto window = QuietMainWindow(900, 640);
    window->resize(700, 500);
    QApplication::processEvents();
    EXPECT_EQ(appState.clientWidth, window->canvas()->width());
    EXPECT_EQ(appState.clientHeight, window->canvas()->height());
    EXPECT_EQ(simulation.traceWidth, appState.clientWidth - 24);
}

TEST(ShellResize, GreyForAQuarterSecondAfterAResize)
{
    auto window = QuietMainWindow();
    Canvas* canvas = window->canvas();
    const int32_t w = appState.clientWidth, h = appState.clientHeight;
    // A frame of a colour no overlay uses.
    int32_t fw = w, fh = h;
    SizeFrameBuffer(fw, fh);
    ClearFrame(0x0000FF);  // red
    PublishFrame();

    canvas->applyClientSize(w, h);
    QImage shot = canvas->grab().toImage();
    EXPECT_TRUE(canvas->lastPaint().grey);
    EXPECT_EQ(shot.pixel(w / 2, h - 5), qRgb(128, 128, 128));

    appState.lastSizeTime = MillisecondClock() - 251;
    shot = canvas->grab().toImage();
    EXPECT_FALSE(canvas->lastPaint().grey);
    EXPECT_EQ(shot.pixel(w / 2, h - 5), qRgb(255, 0, 0));
    ResetFrameBuffers();
}

TEST(ShellHelp, ShowsTheWholeTextReadOnlyEveryTime)
{
    auto window = QuietMainWindow();
    const QString help = QString::fromUtf8(HelpText());
    EXPECT_TRUE(help.startsWith(QStringLiteral("Tessaline")));
    EXPECT_LE(help.size(), 2599);
    // The topics come in their order.
    const char* topics[] = {"spots, annuli, bars",  "Double-click",   "mouse wheel",
                            "up and down arrow",    "dialogs",        "\"peak rate\"",
                            "Hand plots",           "Adelson and Bergen", "38 pixels per degree"};
    qsizetype last = -1;
    for (const char* topic : topics) {
        const qsizetype at = help.indexOf(QString::fromUtf8(topic));
        EXPECT_GT(at, last) << topic;
        last = at;
    }
    for (int opening = 0; opening < 2; ++opening) {
        QString title, shown;
        bool readOnly = false;
        const bool opened = WithModal([&] { window->commandAction(30029)->trigger(); },
                                      [&](QWidget* modal) {
                                          title = modal->windowTitle();
                                          auto* text = modal->findChild<QPlainTextEdit*>(QStringLiteral("1006"));
                                          if (text != nullptr) {
                                              shown = text->toPlainText();
                                              readOnly = text->isReadOnly();
                                          }
                                          auto* close = modal->findChild<QPushButton*>(QStringLiteral("1043"));
                                          if (close != nullptr) close->click();
                                      });
        ASSERT_TRUE(opened);
        EXPECT_EQ(title, QStringLiteral("KIRP help"));
        EXPECT_EQ(shown, help);
        EXPECT_TRUE(readOnly);
    }
}

TEST(ShellMessages, StartupErrorHasItsCaption)
{
    QString title, text;
    ASSERT_TRUE(WithModal([] { ShowStartupError(); }, [&](QWidget* modal) {
        title = modal->windowTitle();
        text = static_cast<QMessageBox*>(modal)->text();
    }));
    EXPECT_EQ(title, QStringLiteral("Error"));
    EXPECT_EQ(text, QStringLiteral("Error initializing application KIRP"));
}

TEST(ShellCommandLine, OnlyHelpAndVersionAreAccepted)
{
    const struct { std::vector<const char*> args; int code; } cases[] = {
        {{"tessaline", "--help"}, 0}, {{"tessaline", "-h"}, 0},     {{"tessaline", "--version"}, 0},
        {{"tessaline", "-v"}, 0},     {{"tessaline", "--bogus"}, 2}, {{"tessaline", "file.txt"}, 2},
        {{"tessaline"}, -1},  // the tests run on a platform, so the program would start
    };
    for (auto& c : cases) {
        std::vector<char*> argv;
        for (const char* a : c.args) argv.push_back(const_cast<char*>(a));
        EXPECT_EQ(HandleCommandLine(static_cast<int>(argv.size()), argv.data()), c.code) << c.args.back();
    }
}

TEST(ShellWindow, FullScreenTogglesAndEscapeLeaves)
{
    auto window = QuietMainWindow();
    QAction* fullScreen = window->findChild<QAction*>(QStringLiteral("fullScreen"));
    ASSERT_NE(fullScreen, nullptr);
    EXPECT_EQ(fullScreen->text(), QStringLiteral("Full screen"));
    EXPECT_EQ(fullScreen->shortcut(), QKeySequence(Qt::Key_F11));
    fullScreen->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(window->isFullScreen());
    EXPECT_TRUE(window->toolbar()->isVisible());
    EXPECT_EQ(appState.clientWidth, window->canvas()->width());
    QTest::keyClick(window->canvas(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(window->isFullScreen());
    EXPECT_FALSE(fullScreen->isChecked());
    // Escape in a window that is not full screen changes nothing.
    QTest::keyClick(window->canvas(), Qt::Key_Escape);
    EXPECT_FALSE(window->isFullScreen());
}

TEST(ShellWindow, TerminationSignalClosesTheWindow)
{
    auto window = QuietMainWindow();
    CloseOnTerminationSignals(window.get());
    ASSERT_TRUE(window->isVisible());
    std::raise(SIGTERM);
    const int64_t end = MillisecondClock() + 2000;
    while (window->isVisible() && MillisecondClock() < end) QApplication::processEvents(QEventLoop::AllEvents, 10);
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
    EXPECT_FALSE(window->isVisible());
}
