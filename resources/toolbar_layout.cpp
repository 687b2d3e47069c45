#include "resources/toolbar_layout.h"

#include "sim/commands.h"

// A narrow gap between neighbours, a wide one between the stimulus buttons
// and the cell buttons.
const ToolbarItem kToolbarLayout[kToolbarItems] = {
    {0, 4, nullptr}, {CmdSpot, 0, "spot.png"},
    {0, 4, nullptr}, {CmdAnnulus, 0, "annulus.png"},
    {0, 4, nullptr}, {CmdBar, 0, "bar.png"},
    {0, 4, nullptr}, {CmdGrating, 0, "grating.png"},
    {0, 4, nullptr}, {CmdInvertPolarity, 0, "polarity.png"},
    {0, 16, nullptr}, {CmdOnCentre, 0, "on_centre.png"},
    {0, 4, nullptr}, {CmdOffCentre, 0, "off_centre.png"},
    {0, 4, nullptr}, {CmdSimple, 0, "simple.png"},
    {0, 4, nullptr}, {CmdDirectional, 0, "directional.png"},
    {0, 4, nullptr}, {CmdComplex, 0, "complex.png"},
    {0, 4, nullptr}, {CmdHelp, 0, "help.png"},
};
