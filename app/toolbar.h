#pragma once
#include <cstdint>
#include <functional>

class QMainWindow;
class QToolBar;

constexpr int32_t kToolbarButtons = 11;
constexpr int32_t kToolbarItems = 22;  // buttons and the gaps before each
constexpr int32_t kButtonWidth = 40, kButtonHeight = 28;
constexpr int32_t kPictureWidth = 32, kPictureHeight = 24;

// One toolbar item, left to right: a gap of gapWidth pixels, or a button.
struct ToolbarItem {
    int32_t command;  // 0 for a gap
    int32_t gapWidth;
    const char* picture;  // resource path of a button's picture
};
extern const ToolbarItem kToolbarLayout[kToolbarItems];

// Builds the fixed toolbar of the main window; every button calls
// onCommand with its command id. Each button action carries its command id
// as data and as object name.
QToolBar* CreateToolbar(QMainWindow* window, std::function<void(int32_t)> onCommand);
