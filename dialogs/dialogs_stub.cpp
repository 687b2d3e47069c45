#include "dialogs/dialogs.h"

void openSelectStimulus(QWidget*) {}
void openRfDialog(QWidget*) {}
void openMoreOptions(QWidget*) {}
void showFeedback(QWidget*) {}
