#pragma once
#include "model/filters.h"

// The scene tick's first drawing step: the receptive field as its display
// mode asks, from the filter set the tick acquired for its whole duration.
void DrawReceptiveField(const RfFilterSet& filters);
