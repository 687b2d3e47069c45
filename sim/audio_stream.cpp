#include "sim/audio_stream.h"

std::atomic<int16_t> audioSamples[kAudioSamples];

void WriteClick(int32_t) {}
void LayBackgroundHash(int64_t) {}
void ClearAudioSamples() {}
void StartAudioThread(const WaveOutput&) {}
void StopAudioThread() {}
WaveOutput ClockWaveOutput() { return {}; }
AudioLoopStats AudioLoopStatistics() { return {}; }
