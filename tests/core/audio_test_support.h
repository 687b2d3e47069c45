#pragma once
// Shared set-up of the audio tests: a neuron with a known, steady rate, an
// independent generator to predict the hash, and a click scanner.
#include <cstdint>
#include <cstring>
#include <vector>

#include "model/filters.h"
#include "model/model_options.h"
#include "model/random.h"
#include "model/receptive_field.h"
#include "render/app_state.h"
#include "sim/audio_stream.h"
#include "sim/simulation_state.h"
#include "stimulus/stimulus_state.h"

namespace audio_test {

constexpr int32_t kClientWidth = 800, kClientHeight = 600;
constexpr int32_t kSeed = 0x1234567;

// An ON-centre X cell with the stimulus off, so it fires at its spontaneous
// rate (15 Hz by default). spontaneous < 0 keeps the default.
inline void PrepareOnCentreCell(float spontaneous = -1.0f, bool hash = false)
{
    ResetStimulus();
    ResetModelOptions();
    appState.clientWidth = kClientWidth;
    appState.clientHeight = kClientHeight;
    ResetReceptiveField(kClientWidth, kClientHeight);
    receptiveField.cellType = OnCentreX;
    if (spontaneous >= 0.0f) modelOptions.spontaneousRate[OnCentreX] = spontaneous;
    modelOptions.backgroundHash = hash;
    buildFilters();
    ResetStimulusImages();
    ResetSimulation();
    simulation.traceWidth = kClientWidth - 24;
    randomWord.word.store(kSeed, std::memory_order_relaxed);
}

// The shared generator's formula, written out on its own.
struct ReferenceLcg {
    uint32_t state;
    float Next()
    {
        state = state * 1664525u + 1013904223u;
        const uint32_t bits = 0x3F800000u | (state & 0x007FFFFFu);
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f - 1.0f;
    }
};

constexpr int16_t kClickLevel = 20000;
constexpr int32_t kClickLength = 12;

// True when a complete click starts at i.
inline bool IsClickAt(const std::vector<int16_t>& s, size_t i)
{
    if (i + kClickLength > s.size()) return false;
    for (size_t k = 0; k < 6; ++k)
        if (s[i + k] != kClickLevel || s[i + 6 + k] != -kClickLevel) return false;
    return true;
}

struct ClickScan {
    std::vector<size_t> starts;  // first sample of every complete click
    size_t brokenClickSamples = 0;  // +-20000 samples that belong to no complete click
    size_t otherSamples = 0;        // samples that are neither click nor 0
};

// Walks a stream that holds only clicks and silence.
inline ClickScan ScanClicks(const std::vector<int16_t>& s)
{
    ClickScan scan;
    size_t i = 0;
    while (i < s.size()) {
        if (IsClickAt(s, i)) {
            scan.starts.push_back(i);
            i += kClickLength;
        } else {
            if (s[i] == kClickLevel || s[i] == -kClickLevel) ++scan.brokenClickSamples;
            else if (s[i] != 0) ++scan.otherSamples;
            ++i;
        }
    }
    return scan;
}

inline std::vector<int16_t> CopyStream(int64_t first, int64_t count)
{
    std::vector<int16_t> out(static_cast<size_t>(count));
    for (int64_t i = 0; i < count; ++i) out[i] = audioSamples[first + i].load(std::memory_order_relaxed);
    return out;
}

}  // namespace audio_test
