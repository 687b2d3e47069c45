#pragma once
// Building blocks shared by the dialogs: controls named by their numeric id
// (the objectName), the number fields and their reading, and quiet setters
// for the changes the program makes itself.
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QString>
#include <initializer_list>

class QLabel;
class QGridLayout;

// The control with the given id inside dialog, or nullptr.
template <typename T>
T* Control(const QWidget* dialog, int id)
{
    return dialog->findChild<T*>(QString::number(id));
}

// A right-aligned number field, wide enough for the 6 characters it shows.
QLineEdit* MakeNumberEdit(int id, QWidget* parent);
// A read-only field for values the program shows but does not read back.
QLineEdit* MakeDisplayEdit(int id, QWidget* parent, int characters = 6);
QSlider* MakeSlider(int id, Qt::Orientation orientation, int minimum, int maximum, QWidget* parent);
// An up-down: two arrows with no text of their own. The field beside it is
// written by the program, so its position is never shown twice.
QSpinBox* MakeUpDown(int id, int minimum, int maximum, QWidget* parent);
QLabel* MakeLabel(const QString& text, QWidget* parent);

// Position changes made by the program do not notify the handlers, as a
// slider or up-down moved by the program stays silent.
void SetSliderQuietly(QSlider* slider, int position);
void SetUpDownQuietly(QSpinBox* upDown, int position);

// Texts of the number fields: 6 characters, leading blanks dropped because
// the fields are right-aligned anyway.
QString RealText(float v);
QString IntegerText(int32_t n);

// Reads the number at the start of a field's text (at most maxChars
// characters). False for text that holds no number or one that a float
// cannot hold (nan, inf, 1e39); v is then left alone. A typed -0 reads as 0.
bool ReadNumber(const QLineEdit* edit, int maxChars, float& v);

// x to two decimals, halves away from zero.
float TwoDecimals(float x);

// Chains the Tab order through the widgets in the order given.
void SetTabChain(std::initializer_list<QWidget*> widgets);

// Passes Up and Down pressed in a number field on to the up-down beside it,
// so the arrow keys step the value while the field has the focus.
void ForwardArrowKeys(QLineEdit* edit, QSpinBox* upDown);

// A new modal dialog with its caption, its text a size larger than the
// desktop's so that it stays readable when the screen is projected.
QDialog* NewDialog(QWidget* parent, const QString& title);

// The dialog's default "OK" button (id 1), closing it with accept, at the
// right of a row of its own. The button is handed back for the Tab order.
QHBoxLayout* OkButtonRow(QDialog* dialog, QPushButton** button = nullptr);
