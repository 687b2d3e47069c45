#pragma once

#include "model/filters.h"

// One neuron tick's response: the last 20 stimulus images through the
// receptive-field filters. Called in this order by the neuron tick, each with
// the one filter set the tick holds, so a rebuild meanwhile changes nothing.
void CopyStimulusToHistory(const RfFilterSet& set);
float ComputeDrive(const RfFilterSet& set);  // the drive times the current maximum rate; advances historySlot
float DriveToRate(const RfFilterSet& set, float drive);  // expected rate in spikes/s, always finite
float DriveToTraceValue(const RfFilterSet& set, float drive);
