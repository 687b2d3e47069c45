#pragma once

class QDialog;
class QWidget;

// The modal dialogs. Each runs with exec() on the user-interface thread and
// writes every change into the records at once, while both worker threads
// keep running.
void ShowSelectStimulusDialog(QWidget* parent);  // "Select stimulus"
void ShowRfDialog(QWidget* parent);        // "Receptive field parameters"
void ShowMoreOptionsDialog(QWidget* parent);     // "More options"
void ShowFeedbackDialog(QWidget* parent);        // "Feedback" after a hand plot

// Each dialog built and filled as at its opening, not yet run: the open
// functions above run it with exec() and delete it. Whatever ends it (OK,
// Esc, the close box) runs its closing steps. Tests drive these directly.
QDialog* CreateSelectStimulusDialog(QWidget* parent);
QDialog* CreateRfDialog(QWidget* parent);
QDialog* CreateMoreOptionsDialog(QWidget* parent);
QDialog* CreateFeedbackDialog(QWidget* parent);
