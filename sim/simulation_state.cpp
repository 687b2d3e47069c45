#include "sim/simulation_state.h"

#include <cstring>

#include "sim/response_tick.h"

SimulationState simulation;

// The stimulus image is triple-buffered so that the neuron tick always copies
// a complete frame and neither thread ever waits. The scene thread owns the
// back image, the neuron tick owns the front image, and the third one sits in
// the 'newest' slot. Both sides trade images with a single atomic exchange;
// the fresh flag says the slot holds an image the neuron tick has not taken.
//
// The back image is not cleared by StimulusImageBack (the drawing steps ask
// for it more than once per tick): SceneTick clears it before it draws.
namespace {

constexpr int32_t kIndexMask = 3;
constexpr int32_t kFresh = 4;

float images[3][kFilterPixels];
bool imageIsGrating[3] = {};        // travels with its image, owned alike
bool imageIsBlank[3] = {true, true, true};  // all zero, known without looking; likewise
int32_t backIndex = 0;              // scene thread only
int32_t frontIndex = 1;             // neuron tick only
std::atomic<int32_t> newestSlot{2};

}  // namespace

float* StimulusImageBack()
{
    imageIsBlank[backIndex] = false;  // whoever asks may write
    return images[backIndex];
}

void ClearStimulusImageBack()
{
    // With no stimulus on, every image stays blank: nothing to clear.
    if (!imageIsBlank[backIndex]) std::memset(images[backIndex], 0, sizeof images[backIndex]);
    imageIsBlank[backIndex] = true;
}

void PublishStimulusImage(bool grating)
{
    imageIsGrating[backIndex] = grating;
    // acq_rel: the release makes the finished drawing visible to the tick
    // that takes it; the acquire makes the image handed back truly free.
    int32_t previous = newestSlot.exchange(backIndex | kFresh, std::memory_order_acq_rel);
    backIndex = previous & kIndexMask;
}

const float* LatestStimulusImage()
{
    if (newestSlot.load(std::memory_order_relaxed) & kFresh) {
        int32_t previous = newestSlot.exchange(frontIndex, std::memory_order_acq_rel);
        frontIndex = previous & kIndexMask;
    }
    return images[frontIndex];
}

bool LatestStimulusImageIsGrating()
{
    return imageIsGrating[frontIndex];
}

void ResetStimulusImages()
{
    std::memset(images, 0, sizeof images);
    for (bool& grating : imageIsGrating) grating = false;
    for (bool& blank : imageIsBlank) blank = true;
    backIndex = 0;
    frontIndex = 1;
    newestSlot.store(2, std::memory_order_relaxed);
}

void ResetSimulation()
{
    std::memset(simulation.stimulusHistory, 0, sizeof simulation.stimulusHistory);
    simulation.historySlot = 1;
    for (float& rate : simulation.rateWindow) rate = 0.0f;
    simulation.rateWindowSlot = 1;
    simulation.gammaEventCount = 0;
    simulation.eventTimeLeft = -1.0f;
    simulation.deadSamplesLeft = 0.0f;
    simulation.sliceEnd = -1;
    simulation.expectedRate = 0.0f;
    simulation.peakRate = 0.0f;
    simulation.traceIndex = 1;
    for (auto& value : simulation.responseTrace) value = 0.0f;
    for (auto& value : simulation.stimulusTrace) value = 0;
    ForgetDriveProjections();
}
