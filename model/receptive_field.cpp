#include "model/receptive_field.h"

ReceptiveField receptiveField;

void ResetReceptiveField(int32_t, int32_t) {}
void newReceptiveField(int32_t) {}
