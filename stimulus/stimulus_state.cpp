#include "stimulus/stimulus_state.h"

StimulusState stimulus;

void ResetStimulus() {}
void OnPointerMove(int32_t, int32_t) {}
void OnLeftButtonDown() {}
void OnLeftButtonUp() {}
void OnDoubleClick() {}
void OnWheel(int32_t) {}
void OnKeyDown(int32_t) {}
void SetStimulusType(int32_t) {}
void InvertPolarity() {}
void RescalePositions(int32_t, int32_t) {}
