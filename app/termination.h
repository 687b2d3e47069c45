#pragma once

class QWidget;

// SIGTERM (a logout, a shutdown) and SIGINT (Ctrl+C in a terminal) close the
// window the ordinary way, so the workers stop and the sound device closes.
// The sound library is told to leave these signals alone: left to itself it
// turns them into events that this program never reads, and the process
// would then ignore them.
void KeepTerminationSignalsFromSound();  // before the sound device is opened
void CloseOnTerminationSignals(QWidget* window);
