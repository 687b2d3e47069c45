#include "sim/commands.h"

#include "model/receptive_field.h"
#include "sim/new_receptive_field.h"
#include "stimulus/stimulus_state.h"

bool RunStimulusOrCellCommand(int32_t command)
{
    switch (command) {
    case CmdSpot: SetStimulusType(Spot); break;
    case CmdAnnulus: SetStimulusType(Annulus); break;
    case CmdBar: SetStimulusType(Bar); break;
    case CmdGrating: SetStimulusType(Grating); break;
    case CmdInvertPolarity: InvertPolarity(); break;
    case CmdOnCentre: PlaceNewReceptiveField(OnCentreX); break;
    case CmdOffCentre: PlaceNewReceptiveField(OffCentreX); break;
    case CmdSimple: PlaceNewReceptiveField(Simple); break;
    case CmdDirectional: PlaceNewReceptiveField(DirectionalSimple); break;
    case CmdComplex: PlaceNewReceptiveField(Complex); break;
    default: return false;
    }
    return true;
}
