#pragma once
#include <cstdint>

#include "sim/scene_tick.h"

// The scene thread: one SceneTick every 20 ms, sleeping until each absolute
// deadline. repaint is called (from the scene thread) after every tick that
// published a frame; it must only post a request to the user-interface thread.
void StartSceneThread(void (*repaint)());
void StopSceneThread();  // stops and joins; safe when not running

struct LoopStats {
    int64_t ticks = 0;
    int64_t firstTickMs = 0, lastTickMs = 0;
    bool running = false;  // started and not yet stopped (the tests' way to see a stop)
};
LoopStats SceneLoopStats();
