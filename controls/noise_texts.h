#pragma once
// What a student (or the command line) is told when a noise setting lies
// outside its range, one sentence per field built from the ranges in
// stimulus/noise_frames.h, so a dialog and the command line say the same.
#include <string>

#include "stimulus/noise_frames.h"

// "" when every setting is in range, else the sentence for the first bad one.
std::string NoiseSettingsMessage(const NoiseSettings& s);
// The frame is whole ticks: a duration in milliseconds that is not.
std::string NoiseFrameMsMessage();
// The seed is a whole number that 32 bits hold.
std::string NoiseSeedMessage();
// The kinds' names as the command line spells them: "sparse-noise", "white-noise".
const char* NoiseKindName(int32_t kind);
