#include "sim/simulation_state.h"

#include <cstring>

#include "sim/response_history.h"
#include "sim/spike_log.h"

SimulationState simulation;

void ResetSimulation()
{
    std::memset(simulation.stimulusHistory, 0, sizeof simulation.stimulusHistory);
    simulation.historySlot = 1;
    for (float& rate : simulation.rateWindow) rate = 0.0f;
    simulation.rateWindowSlot = 1;
    simulation.train = SpikeTrain{};
    simulation.sliceEnd = -1;
    simulation.lead = AudioLead{};
    simulation.expectedRate = 0.0f;
    simulation.peakRate = 0.0f;
    traces.traceIndex = 1;
    for (auto& value : traces.responseTrace) value = 0.0f;
    for (auto& value : traces.stimulusTrace) value = 0;
    for (auto& value : traces.spikeTrace) value = 0;
    ForgetDriveProjections();
    ResetSpikeLog();
}
