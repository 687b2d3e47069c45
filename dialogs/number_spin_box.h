#pragma once
// A number field and its up-down arrows as one spin box. The text is the
// field's: typed by the student or written by the program, never made from
// the arrows' position, which only steps. The box carries the up-down's id,
// its text field the field's id.
#include <QLineEdit>
#include <QSpinBox>

#include "controls/control_text.h"

class NumberSpinBox : public QSpinBox {
public:
    NumberSpinBox(int upDownId, int editId, QWidget* parent);

    QLineEdit* edit() const { return lineEdit(); }
    // The text as the student left it, kept when the position is set next.
    void keepTypedText();
    // What the rules say the box shows, set without running its change
    // handling. The text of a box being typed into is left as typed.
    void showView(const SpinView& view, bool typing = false);

protected:
    QString textFromValue(int) const override { return shown_; }
    int valueFromText(const QString&) const override { return value(); }
    // Any text may be typed: the rules decide what it means.
    QValidator::State validate(QString&, int&) const override { return QValidator::Acceptable; }

private:
    QString shown_;
};
