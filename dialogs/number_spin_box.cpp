#include "dialogs/number_spin_box.h"

#include <QSignalBlocker>

#include "dialogs/dialog_controls.h"

NumberSpinBox::NumberSpinBox(int upDownId, int editId, QWidget* parent) : QSpinBox(parent)
{
    SetControlId(this, upDownId);
    SetControlId(lineEdit(), editId);
    setAlignment(Qt::AlignRight);
    setWrapping(false);
    // Room for the 6 characters of a field, its frame and the arrows.
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 40);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void NumberSpinBox::keepTypedText() { shown_ = lineEdit()->text(); }

void NumberSpinBox::showView(const SpinView& view, bool typing)
{
    if (!typing)
        shown_ = QString::fromUtf8(view.text);
    {
        const QSignalBlocker quiet(this);
        setRange(view.minimum, view.maximum);
        setValue(view.position);
    }
    if (!typing)
        ShowText(lineEdit(), view.text);
    lineEdit()->setEnabled(view.enabled);
}
