#pragma once
#include <cstdint>

// The start-up and resize sequences that the desktop window and the web
// page share, for a client area of width x height frame pixels.
//
// Every record to its start-up value, the random word seeded from
// seedCounter (anything that differs between runs). clearArrays is false
// only before any tick has run: the large arrays then still hold their zero
// start-up values, and clearing them again would only fault in some 60 MB
// of untouched pages before the first frame can show.
void ResetStartUpRecords(int32_t width, int32_t height, uint32_t seedCounter, bool clearArrays);

// The creation sequence of a canvas of width x height frame pixels, shared
// by the desktop window and the web page: every record to its start-up
// value, startAudio (if any) called before the filters exist, the filters
// built and a plain grey frame published, so that the first paint has a
// frame before the first scene tick. again is true for every start after
// the first: it begins from nothing, as a new window would.
void StartUpEngine(int32_t width, int32_t height, uint32_t seedCounter, bool again, void (*startAudio)() = nullptr);

// The last client size that had an area. A canvas with none (minimised, or
// squeezed to nothing) keeps no proportions: positions stay, and the next
// real size scales them from this one, so a restored window shows the
// stimulus and the field where they were.
struct ClientArea {
    int32_t width = 0, height = 0;
};
// The resize sequence: positions rescaled from the old size (or, for a
// screen that turned, kept in degrees from the centre: TurnPositions), the
// shell's sizes and the trace width, frame stores for the new size and the
// filters rebuilt. User-interface thread.
void ApplyClientSize(int32_t width, int32_t height, ClientArea& lastArea, bool turned = false);
