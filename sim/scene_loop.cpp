#include "sim/scene_loop.h"

void SceneTick() {}
void StartSceneThread(void (*)()) {}
void StopSceneThread() {}
void RequestFrameSize(int32_t, int32_t) {}
LoopStats SceneLoopStats() { return {}; }
