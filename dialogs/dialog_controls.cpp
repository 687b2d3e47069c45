#include "dialogs/dialog_controls.h"

#include <QLabel>
#include <QSignalBlocker>
#include "app/shown_text.h"
#include "controls/shell_texts.h"

void SetControlId(QObject* control, int id) { control->setObjectName(QString::number(id)); }

QLineEdit* MakeNumberEdit(int id, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    SetControlId(edit, id);
    edit->setAlignment(Qt::AlignRight);
    // Room for the 6 characters of a field and the frame around them.
    const int width = edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 16;
    edit->setMinimumWidth(width);
    edit->setMaximumWidth(width + 24);
    return edit;
}

QLineEdit* MakeDisplayEdit(int id, QWidget* parent, int characters)
{
    auto* edit = new QLineEdit(parent);
    SetControlId(edit, id);
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight);
    const int width = edit->fontMetrics().horizontalAdvance(QString(characters + 1, QLatin1Char('0'))) + 16;
    edit->setMinimumWidth(width);
    return edit;
}

QSlider* MakeSlider(int id, Qt::Orientation orientation, QWidget* parent)
{
    auto* slider = new QSlider(orientation, parent);
    SetControlId(slider, id);
    slider->setTickPosition(QSlider::NoTicks);
    slider->setPageStep(10);
    if (orientation == Qt::Horizontal)
        slider->setMinimumWidth(slider->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 24);
    return slider;
}

QLabel* MakeLabel(const char* text, QWidget* parent) { return UiLabel(text, parent); }

void AddItems(QComboBox* list, std::span<const char* const> texts) { SetUiItems(list, texts); }

void ShowText(QLineEdit* edit, const char* text)
{
    // An unchanged text is left alone, so the cursor of a field being typed
    // into stays where it is.
    const QString shown = QString::fromUtf8(text);
    if (edit->text() != shown)
        edit->setText(shown);
}

void ShowField(QLineEdit* edit, const FieldView& view)
{
    ShowText(edit, view.text);
    edit->setEnabled(view.enabled);
}

void ShowSlider(QSlider* slider, const SliderView& view)
{
    const QSignalBlocker quiet(slider);
    slider->setRange(view.minimum, view.maximum);
    slider->setValue(view.position);
    slider->setEnabled(view.enabled);
}

void SetTabChain(std::initializer_list<QWidget*> widgets)
{
    QWidget* previous = nullptr;
    for (QWidget* w : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void SetUpDialog(QDialog* d, const char* title)
{
    SetUiTitle(d, title);
    d->setModal(true);
    QFont font = d->font();
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * 1.2);
    else if (font.pixelSize() > 0)
        font.setPixelSize(font.pixelSize() * 6 / 5);
    d->setFont(font);
}

QHBoxLayout* OkButtonRow(QDialog* dialog, QPushButton** button)
{
    auto* ok = UiWidget<QPushButton>(kOkButton, dialog);
    SetControlId(ok, 1);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    if (button != nullptr) *button = ok;
    return row;
}
