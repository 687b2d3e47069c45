#pragma once
#include <cstdint>

#include "model/relaxed.h"

// The band across the top of the picture: the toolbar above the canvas in
// the pointer's coordinates, and the frame rows that carry the overlay line.
constexpr int32_t kToolbarBandRows = 36;

// The shell's sizes: the canvas in frame pixels and the bands drawn over it.
// Field placement, stimulus rescaling, drawing and the loops all read them,
// so they sit at the bottom of the core where every folder may include them.
// Written by the user-interface thread, read by the worker threads.
struct AppState {
    Relaxed<int32_t> clientWidth{0}, clientHeight{0};  // canvas size in frame pixels
    Relaxed<int32_t> margin{12};                       // left and right margin of the traces
    Relaxed<int32_t> toolbarHeight{kToolbarBandRows};                // frame rows that carry the overlay line
    Relaxed<int64_t> lastSizeTime{0};
};
extern AppState appState;

// Room for a trace across the widest canvas the frame stores are made for
// (7680 pixels less the two margins), so it spans even an 8K screen.
constexpr int32_t kMaxTraceWidth = 7680;
