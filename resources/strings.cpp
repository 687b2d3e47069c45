#include "resources/strings.h"

namespace {

struct StringEntry {
    int32_t id;
    const char* text;
};

// "Annulus " ends in a blank, and the tooltip shows it; the page's button
// names drop it (toolbar.js).
constexpr StringEntry kStrings[] = {
    {CmdSpot, "Spot stimulus"},
    {CmdAnnulus, "Annulus "},
    {CmdBar, "Bar stimulus"},
    {CmdGrating, "Grating stimulus"},
    {CmdInvertPolarity, "Invert stimulus polarity"},
    {CmdOnCentre, "ON-center retinal X cell"},
    {CmdOffCentre, "OFF-center retinal X cell"},
    {CmdSimple, "Cortical simple cell"},
    {CmdDirectional, "Directionally selective simple cell"},
    {CmdComplex, "Complex cell"},
    {CmdHelp, "Help"},
};

// One paragraph per topic, in the order a student meets them: what the
// program is, how the stimulus is presented and changed, what the readout
// means, the hand-plot exercise, the model cells, and the screen scale.
constexpr const char kHelp[] =
    "Tessaline simulates the noisy, Poisson-like spiking responses of neurons "
    "in the retina and the visual cortex to spots, annuli, bars and sine-wave "
    "gratings. It lets students explore the basic receptive-field properties "
    "of visual neurons, listening to every spike as a click.\n\n"
    "There are two presentation modes. In the moving mode the stimulus "
    "follows the mouse and is switched on while the left button is held down. "
    "In the stationary mode the stimulus stays on and cannot be moved. "
    "Double-click the left button to switch between the two modes.\n\n"
    "In either mode, the mouse wheel and the left and right arrow keys change "
    "the orientation of the stimulus.\n\n"
    "The up and down arrow keys change the spatial frequency of a grating or "
    "the width of a bar; for a spot or an annulus the left and right arrow "
    "keys change the radius instead.\n\n"
    "All other stimulus and receptive-field parameters are set in separate "
    "dialogs, reached from the Options menu: Select stimulus, Select "
    "receptive field and More options.\n\n"
    "The \"peak rate\" at the top right of the window is the rate that a "
    "noise-free spike generator would give: the maximum of the expected "
    "firing rate, computed in 20 ms intervals, over the previous 500 ms. Use "
    "it to measure tuning curves, for example for orientation or spatial "
    "frequency. It is updated even when the stimulus is not visible.\n\n"
    "Hand plots: in the Select receptive field dialog choose Hide among the "
    "Display options, and optionally one of the randomisation options. Then "
    "press \"+\" where the stimulus gives an ON response and \"-\" where it "
    "gives an OFF response. Press Enter to see the receptive-field outline "
    "and, for cortical cells, feedback on your estimate of its position and "
    "orientation. The receptive-field buttons of the toolbar make a new "
    "receptive field of their cell type, placed according to the "
    "randomisation option; with \"randomise everything\" the cell type is "
    "chosen at random, whatever the button.\n\n"
    "There are two model simple cells: one whose receptive field is "
    "separable in space and time, and one that is inseparable and therefore "
    "directionally selective. The complex cell follows the energy model of "
    "Adelson and Bergen (1985). Responses to bars are boosted so that "
    "overlapping ON and OFF regions can be seen with flashed stimuli.\n\n"
    "The screen scale is 38 pixels per degree of visual angle, so one degree "
    "is about one centimetre on a typical screen.";

static_assert(sizeof(kHelp) - 1 <= 2599, "the help window holds at most 2599 characters");

}  // namespace

const char* LoadProgramString(int32_t id)
{
    if (id == kHelpTextId) return kHelp;
    for (const StringEntry& entry : kStrings) {
        if (entry.id == id) return entry.text;
    }
    return nullptr;
}
