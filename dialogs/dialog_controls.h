#pragma once
// Building blocks shared by the dialogs: the controls a dialog is made of,
// named by their numeric id where something outside the dialog looks for
// them, and the quiet showing of what the dialog's rules say each control
// holds.
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <initializer_list>
#include <span>

#include "controls/control_text.h"

class QLabel;

// The control's id as its object name, for whoever looks for it from outside.
void SetControlId(QObject* control, int id);

// A right-aligned number field, wide enough for the 6 characters it shows.
QLineEdit* MakeNumberEdit(int id, QWidget* parent);
// A read-only field for values the program shows but does not read back.
QLineEdit* MakeDisplayEdit(int id, QWidget* parent, int characters = 6);
QSlider* MakeSlider(int id, Qt::Orientation orientation, QWidget* parent);
// A label showing a table's text (kept for a language switch).
QLabel* MakeLabel(const char* text, QWidget* parent);
// A list's items from one of the core's label tables.
void AddItems(QComboBox* list, std::span<const char* const> texts);

// What the rules say a control shows, set without running the control's
// change handling, as a control changed by the program stays silent.
void ShowField(QLineEdit* edit, const FieldView& view);
void ShowText(QLineEdit* edit, const char* text);
void ShowSlider(QSlider* slider, const SliderView& view);

// Chains the Tab order through the widgets in the order given.
void SetTabChain(std::initializer_list<QWidget*> widgets);

// A modal dialog's caption, and its text a size larger than the desktop's
// so that it stays readable when the screen is projected.
void SetUpDialog(QDialog* dialog, const char* title);

// The dialog's default "OK" button (id 1), closing it with accept, at the
// right of a row of its own. The button is handed back for the Tab order.
QHBoxLayout* OkButtonRow(QDialog* dialog, QPushButton** button = nullptr);
