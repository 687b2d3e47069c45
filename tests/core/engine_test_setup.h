#pragma once
// The engine set-up under its older name.
#include "tests/core/test_support.h"

namespace engine_test = ts;
