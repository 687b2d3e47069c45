#pragma once
#include <cstdint>

// Command ids of the menu and the toolbar. The toolbar ids double as the
// string ids of their tooltips.
enum Command : int32_t {
    CmdExit = 30001,
    CmdHelpKey = 30012,      // F1: bound, no action
    CmdHelpChar = 30015,     // Alt+? and Alt+/: bound, no action
    CmdSelectStimulus = 30016,
    CmdSelectReceptiveField = 30017,
    CmdMoreOptions = 30018,
    CmdSpot = 30019,
    CmdAnnulus = 30020,
    CmdBar = 30021,
    CmdGrating = 30022,
    CmdInvertPolarity = 30023,
    CmdOnCentre = 30024,
    CmdOffCentre = 30025,
    CmdSimple = 30026,
    CmdDirectional = 30027,
    CmdComplex = 30028,
    CmdHelp = 30029,
};

// The commands that change the stimulus or the cell, the same from the
// toolbar, the menu or the web page. False for the rest (the dialogs, the
// help, exit and the bound help keys), which each shell carries out itself.
bool RunStimulusOrCellCommand(int32_t command);
