#pragma once

class QWidget;

// The modal dialogs. Each runs with exec() on the user-interface thread and
// writes every change into the records at once, while both worker threads
// keep running.
void openSelectStimulus(QWidget* parent);  // "Select stimulus"
void openRfDialog(QWidget* parent);        // "Receptive field parameters"
void openMoreOptions(QWidget* parent);     // "More options"
void showFeedback(QWidget* parent);        // "Feedback" after a hand plot
