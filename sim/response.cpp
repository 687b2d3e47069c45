#include "sim/response.h"

void CopyStimulusToHistory() {}
float ComputeDrive() { return 0.0f; }
float DriveToRate(float) { return 0.0f; }
float DriveToTraceValue(float) { return 0.0f; }
float DirectDrive() { return 0.0f; }
