// The main window: its toolbar, what each button does, and resizes.
#include <QToolBar>

#include "app/toolbar.h"
#include "resources/strings.h"
#include "sim/commands.h"
#include "test_shell_support.h"

// Each toolbar button: its tooltip from the string table, and what it does to the records.
TEST(ShellWindow, ToolbarButtons)
{
    auto window = QuietMainWindow();
    const struct { int command; int32_t type, cellType; } cases[] = {
        {CmdSpot, Spot, 0}, {CmdAnnulus, Annulus, 0}, {CmdBar, Bar, 0}, {CmdGrating, Grating, 0},
        {CmdInvertPolarity, 0, 0}, {CmdOnCentre, 0, OnCentreX}, {CmdOffCentre, 0, OffCentreX},
        {CmdSimple, 0, Simple}, {CmdDirectional, 0, DirectionalSimple}, {CmdComplex, 0, Complex}, {CmdHelp, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        QAction* action = CommandAction(*window, c.command);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(window->toolbar()->widgetForAction(action)->toolTip(), QString::fromLatin1(LoadProgramString(c.command)));
        if (c.command == CmdHelp) continue;  // opens a modal window, seen elsewhere
        AddMark(1.0f, 1.0f, 1);
        const int32_t polarity = stimulus.polarity;
        action->trigger();
        EXPECT_TRUE(c.type == 0 || stimulus.stimulusType == c.type);
        EXPECT_TRUE(c.cellType == 0 || (receptiveField.cellType == c.cellType && marks.markCount == 0))
            << "a new field starts a new hand plot";
        EXPECT_EQ(stimulus.polarity.load(), c.command == CmdInvertPolarity ? -polarity : polarity);
        EXPECT_TRUE(window->canvas()->hasFocus());
    }
    ClearMarks();
}

// Minimised, squeezed to a line or a sliver and opened again: positions scale from the last size with an area.
TEST(ShellResize, ScalesFromTheLastSizeWithAnArea)
{
    auto window = QuietMainWindow();
    Canvas* canvas = window->canvas();
    canvas->applyClientSize(800, 600);
    stimulus.stimX = 10.0f;
    ClearMarks(), AddMark(4.0f, 3.0f, 1);
    canvas->applyClientSize(1600, 600);
    EXPECT_EQ(std::pair(stimulus.stimX.load(), appState.clientWidth.load()), std::pair(20.0f, 1600));
    canvas->applyClientSize(0, 0);
    EXPECT_EQ(traces.traceWidth, 0);
    canvas->repaint();
    for (auto [w, h] : {std::pair{1600, 600}, {1, 0}, {5, 0}, {0, 300}, {800, 600}}) canvas->applyClientSize(w, h);
    EXPECT_FLOAT_EQ(stimulus.stimX, 10.0f);
    EXPECT_FLOAT_EQ(marks.markX[1], 4.0f);
    ClearMarks();
}
