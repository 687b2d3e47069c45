#pragma once
#include <QCursor>
#include <cstdint>

// The crosshair shown whenever the stimulus does not follow a held button:
// 32 x 32, four one-pixel arms of nine pixels (black, white, black in threes
// from the outer end) around an empty five-by-five middle, so the student
// sees exactly where the stimulus centre will go. Hot spot (16, 14).
enum CursorShade : int32_t { Transparent = 0, Black = 1, White = 2 };
constexpr int32_t kCrosshairHotX = 16, kCrosshairHotY = 14;
CursorShade CrosshairShade(int32_t x, int32_t y);
const QCursor& CrosshairCursor();

// The cursor for a pointer-shape id of the stimulus record: the crosshair,
// or no visible pointer while the stimulus is carried.
QCursor CursorFor(int32_t cursorId);
