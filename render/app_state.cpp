#include "render/app_state.h"

AppState appState;
