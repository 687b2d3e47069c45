#pragma once
#include <cstdint>

constexpr int32_t kToolbarItems = 22;  // buttons and the gaps before each
constexpr int32_t kButtonWidth = 40, kButtonHeight = 28;
constexpr int32_t kPictureWidth = 32, kPictureHeight = 24;

// One toolbar item, left to right: a gap of gapWidth pixels, or a button.
// The desktop and the web page lay out their toolbars from this one table.
struct ToolbarItem {
    int32_t command;      // 0 for a gap
    int32_t gapWidth;
    const char* picture;  // a button's picture, a file in resources/icons/
};
extern const ToolbarItem kToolbarLayout[kToolbarItems];
