#pragma once
#include <cstdint>
#include <functional>

#include "resources/toolbar_layout.h"

class QMainWindow;
class QToolBar;

// Builds the fixed toolbar of the main window; every button calls
// onCommand with its command id. Each button action carries its command id
// as data and as object name.
QToolBar* CreateToolbar(QMainWindow* window, std::function<void(int32_t)> onCommand);
