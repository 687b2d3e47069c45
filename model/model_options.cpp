#include "model/model_options.h"

#include "model/receptive_field.h"

ModelOptions modelOptions;

void ResetModelOptions() { modelOptions = ModelOptions{}; }

void ApplyCellTypeRates()
{
    ModelOptions& o = modelOptions;
    const int32_t type = receptiveField.cellType;
    switch (type) {
    case OnCentreX:
        o.currentMaxRate = o.maxRate[0];
        o.currentGammaOrder = o.gammaOrder.load();
        break;
    case OffCentreX:
        // The gamma-order option is an ON-centre setting; the OFF cell keeps 6.
        o.currentMaxRate = o.maxRate[0];
        o.currentGammaOrder = 6;
        break;
    case Simple:
    case DirectionalSimple:
    case Complex:
        o.currentMaxRate = o.maxRate[type - 2];
        o.currentGammaOrder = 1;  // cortical cells fire as a Poisson process
        break;
    default:
        return;  // an unknown type leaves the rates in force as they are
    }
    o.currentSpontaneousRate = o.spontaneousRate[type].load();
}
