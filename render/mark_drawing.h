#pragma once

// Scene thread: white plus and minus marks at the hand plot's mark positions.
void DrawMarks();
