#pragma once

// Leaves the processor's wide vector registers in their clean state. Some
// libraries run 256-bit vector code and return without clearing the upper
// halves; the thread then pays a heavy penalty on every ordinary 128-bit
// vector instruction (the maths library's included) until they are
// cleared, and threads started afterwards begin with the same dirty state.
// Called once the windowing library is up, and at the start of every
// worker thread. Does nothing on processors without those registers.
void ClearUpperVectorState();
