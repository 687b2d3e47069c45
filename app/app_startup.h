#pragma once
#include <cstdint>

class MainWindow;

// Builds the main window, sets every record to its start-up value, and
// starts the audio and scene threads, in the order the workers need: all
// defaults are in place before either thread reads them. Returns nullptr
// when the window cannot be made (the caller reports it).
MainWindow* StartApplication();

// Stops the scene and audio threads and closes the sound device. Safe to
// call more than once and when nothing runs.
void StopWorkers();

// Milliseconds from process start to the first painted frame, once known.
void MarkProcessStart();
int64_t MillisecondsSinceProcessStart();
