#include "resources/strings.h"

#include "language/catalog.h"

namespace {

struct StringEntry {
    int32_t id;
    const char* text;
};

// "Annulus " ends in a blank, and the tooltip shows it; the page's button
// names drop it (toolbar.js).
constexpr StringEntry kStrings[] = {
    {CmdSpot, N_("Spot stimulus")},
    {CmdAnnulus, N_("Annulus ")},
    {CmdBar, N_("Bar stimulus")},
    {CmdGrating, N_("Grating stimulus")},
    {CmdInvertPolarity, N_("Invert stimulus polarity")},
    {CmdOnCentre, N_("ON-center retinal X cell")},
    {CmdOffCentre, N_("OFF-center retinal X cell")},
    {CmdSimple, N_("Cortical simple cell")},
    {CmdDirectional, N_("Directionally selective simple cell")},
    {CmdComplex, N_("Complex cell")},
    {CmdHelp, N_("Help")},
};

// One paragraph per topic, in the order a student meets them: what the
// program is, how the stimulus is presented and changed, what the readout
// means, the hand-plot exercise, the model cells, mapping with noise, and
// the screen scale.
constexpr const char kHelp[] = N_(
    "Tessaline simulates the noisy, Poisson-like spiking responses of "
    "neurons of the retina and the visual cortex to spots, annuli, bars and "
    "sine-wave gratings. Students explore the basic receptive-field "
    "properties of visual neurons, hearing every spike as a click.\n\n"
    "There are two presentation modes. In the moving mode the stimulus "
    "follows the mouse and is on while the left button is down. In the "
    "stationary mode it stays on and cannot be moved. Double-click the left "
    "button to switch.\n\n"
    "In either mode, the mouse wheel and the left and right arrow keys "
    "change the stimulus orientation.\n\n"
    "The up and down arrow keys change the spatial frequency of a grating, "
    "the width of a bar or the radius of a spot or an annulus.\n\n"
    "Other stimulus and receptive-field parameters are set in the Options "
    "menu's dialogs: Select stimulus, Select receptive field and More "
    "options.\n\n"
    "The \"peak rate\" at the top right is the rate a noise-free spike "
    "generator would give: the maximum of the expected rate, computed every "
    "20 ms, over the last 500 ms. Use it to measure tuning curves, such as "
    "for orientation or spatial frequency. It is updated even when the "
    "stimulus is not visible.\n\n"
    "Hand plots: in the Select receptive field dialog choose Hide among the "
    "Display options, and optionally a randomisation option. Then press \"+\" "
    "where the stimulus gives an ON response and \"-\" where it gives an OFF "
    "one. Press Enter to see the receptive-field outline and, for cortical "
    "cells, feedback on your estimate of its position and orientation. The "
    "toolbar's receptive-field buttons make a new field of their cell type, "
    "placed as the randomisation option says; with \"randomise everything\" "
    "the cell type is chosen at random, whatever the button.\n\n"
    "There are two model simple cells: one separable in space and time, and "
    "one inseparable and therefore directionally selective. The complex cell "
    "follows the energy model of Adelson and Bergen (1985). Responses to "
    "bars are boosted so that overlapping ON and OFF regions show with "
    "flashed stimuli.\n\n"
    "Mapping with noise: sparse noise (Select stimulus) lights a few squares "
    "of a grid black or white, frame after frame; white noise makes every "
    "square black or white. The Map window (Measure menu) shows the "
    "spike-triggered average, the ON and OFF maps and, unless the field is "
    "hidden, the true field and the score. Fast-forward runs the same noise "
    "without sound or picture. A complex cell's average stays flat while its "
    "ON and OFF maps overlap, which is how a lab tells it from a simple cell.\n\n"
    "The scale is 38 pixels per degree of visual angle: a degree is about a "
    "centimetre on a typical screen.");

static_assert(sizeof(kHelp) - 1 <= 2599, "the help window holds at most 2599 characters");

}  // namespace

const char* LoadProgramString(int32_t id)
{
    if (id == kHelpTextId) return Tr(kHelp);
    for (const StringEntry& entry : kStrings) {
        if (entry.id == id) return Tr(entry.text);
    }
    return nullptr;
}
