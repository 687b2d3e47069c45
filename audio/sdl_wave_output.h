#pragma once
#include "sim/audio_stream.h"

// The default sound device through SDL2's audio subsystem: 44,100 Hz, signed
// 16-bit, mono, playing audioSamples from sample 0 as soon as it opens. The
// play position is the number of samples the device callback has taken.
//
// Every function is for the audio thread (or a test standing in for it).
// open initialises the audio subsystem and close shuts it down again, so the
// SDL_AUDIODRIVER chosen before an open is the one used. open returns false
// when no device can be opened. reportError writes to standard error; the
// shell replaces it with its own message box.
WaveOutput SdlWaveOutput();
