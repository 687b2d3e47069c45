#pragma once

class QWidget;

// The help window: modal, "Tessaline help", the help text in a read-only
// scrolling field, a Close button. Returns when it is closed.
void ShowHelp(QWidget* parent);
