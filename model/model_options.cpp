#include "model/model_options.h"

#include "model/receptive_field.h"

ModelOptions modelOptions;

void ResetModelOptions()
{
    ModelOptions& o = modelOptions;
    o.surroundWeight = 1.0f;
    o.gammaOrder = 6;
    const float spontaneous[6] = {0.0f, 15.0f, 15.0f, 0.5f, 1.0f, 5.0f};
    for (int32_t type = 0; type < 6; ++type) o.spontaneousRate[type] = spontaneous[type];
    o.maxRate[0] = 250.0f;  // both retinal X cells
    o.maxRate[1] = 200.0f;  // simple
    o.maxRate[2] = 200.0f;  // directionally selective
    o.maxRate[3] = 200.0f;  // complex
    o.saturatingIO = true;
    o.halfMaxContrast = 30.0f;
    o.saturationRate = 100.0f;
    o.backgroundHash = false;
    o.retinalFastRate = 0.0625f;
    o.retinalSlowRate = 1.0f / 110.0f;
    o.corticalRate = 1.0f / 15.0f;
    o.currentMaxRate = 0.0f;
    o.currentSpontaneousRate = 0.0f;
    o.currentGammaOrder = 1;
}

void applyCellTypeRates()
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
