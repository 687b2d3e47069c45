#include "model/app_state.h"

AppState appState;
