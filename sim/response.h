#pragma once

// One neuron tick's response: the last 20 stimulus images through the
// receptive-field filters. Called in this order by the neuron tick.
void CopyStimulusToHistory();
float ComputeDrive();            // the drive times the current maximum rate; advances historySlot
float DriveToRate(float drive);  // expected rate in spikes/s, always finite
float DriveToTraceValue(float drive);
