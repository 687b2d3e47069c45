#pragma once
#include <cstdint>

#include "model/relaxed.h"

// Settings of the neuron model beyond the receptive field's shape. Written by
// the user-interface thread, read by the scene and audio threads each tick.
struct ModelOptions {
    Relaxed<float> surroundWeight{1.0f};
    Relaxed<int32_t> gammaOrder{6};
    Relaxed<float> spontaneousRate[6] = {0.0f, 15.0f, 15.0f, 0.5f, 1.0f, 5.0f};  // by cell type 1..5; [0] unused
    float maxRate[4] = {250.0f, 200.0f, 200.0f, 200.0f};  // retinal, simple, DS, complex
    Relaxed<bool> saturatingIO{true};
    Relaxed<float> halfMaxContrast{30.0f};
    Relaxed<float> saturationRate{100.0f};
    Relaxed<bool> backgroundHash{false};
    Relaxed<float> retinalFastRate{0.0625f};
    Relaxed<float> retinalSlowRate{1.0f / 110.0f};
    Relaxed<float> corticalRate{1.0f / 15.0f};
    // In force for the current cell type, set by ApplyCellTypeRates.
    Relaxed<float> currentMaxRate{0.0f};
    Relaxed<float> currentSpontaneousRate{0.0f};
    Relaxed<int32_t> currentGammaOrder{1};
};
extern ModelOptions modelOptions;

// Every field back to its declared start-up value.
void ResetModelOptions();
void ApplyCellTypeRates();
