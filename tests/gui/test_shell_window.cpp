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
#include "app/commands.h"
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
    const int ids[] = {CmdSelectStimulus, CmdSelectReceptiveField, CmdMoreOptions, CmdExit};
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
        EXPECT_EQ(button->data().toInt(), CmdSpot + i);
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
        const int id = CmdSpot + i;
        EXPECT_STREQ(LoadProgramString(id), tips[i]);
        QAction* action = window->commandAction(id);
        ASSERT_NE(action, nullptr) << id;
        EXPECT_EQ(action->toolTip(), QString::fromLatin1(tips[i]));
        EXPECT_EQ(window->toolbar()->widgetForAction(action)->toolTip(), QString::fromLatin1(tips[i]));
    }
    EXPECT_EQ(LoadProgramString(CmdMoreOptions), nullptr);
}

TEST(ShellWindow, StimulusButtonsSetTypeAndPolarity)
{
    auto window = QuietMainWindow();
    const struct { int command; int32_t type; } cases[] = {
        {CmdSpot, Spot}, {CmdAnnulus, Annulus}, {CmdGrating, Grating}, {CmdBar, Bar}};
    for (const auto& c : cases) {
        window->commandAction(c.command)->trigger();
        EXPECT_EQ(stimulus.stimulusType.load(), c.type) << c.command;
    }
    window->commandAction(CmdInvertPolarity)->trigger();
    EXPECT_EQ(stimulus.polarity.load(), -1);
    window->commandAction(CmdInvertPolarity)->trigger();
    EXPECT_EQ(stimulus.polarity.load(), 1);
    EXPECT_TRUE(window->canvas()->hasFocus());
}

TEST(ShellWindow, CellButtonsMakeNewFields)
{
    auto window = QuietMainWindow();
    const struct { int command; int32_t cellType; } cases[] = {
        {CmdOnCentre, OnCentreX}, {CmdOffCentre, OffCentreX}, {CmdSimple, Simple},
        {CmdDirectional, DirectionalSimple}, {CmdComplex, Complex}};
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
