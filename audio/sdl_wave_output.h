#pragma once
#include "sim/audio_stream.h"

// The default sound device through SDL2's audio subsystem: 44,100 Hz, signed
// 16-bit, mono, playing audioSamples from the sample it is opened at as soon
// as it opens. The play position is that sample plus the number of samples
// the device callback has taken since.
//
// Every function is for the thread that holds the device (the audio thread,
// the thread that reopens a lost device, or a test standing in for them).
// open initialises the audio subsystem and close shuts it down again, so the
// SDL_AUDIODRIVER chosen before an open is the one used. open returns false
// when no device can be opened. reportError writes to standard error; the
// shell replaces it with its own message box.
WaveOutput SdlWaveOutput();

// The device buffer SDL gave the last open, in samples (what the lead is
// built on); the driver's name, or "none".
int32_t SdlObtainedBufferSamples();
const char* SdlDriverName();
