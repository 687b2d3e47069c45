#include "dialogs/dialog_controls.h"

#include <QDialog>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <cfloat>
#include <cmath>

#include "render/number_format.h"

namespace {

// A spin box that shows no number: the number field beside it carries the
// value, written by the program. Typing into the box itself is refused.
class UpDownBox : public QSpinBox {
public:
    explicit UpDownBox(QWidget* parent) : QSpinBox(parent) {}

protected:
    QString textFromValue(int) const override { return {}; }
    int valueFromText(const QString&) const override { return value(); }
    QValidator::State validate(QString& input, int&) const override
    {
        return input.isEmpty() ? QValidator::Acceptable : QValidator::Invalid;
    }
};

class ArrowKeyForwarder : public QObject {
public:
    ArrowKeyForwarder(QLineEdit* edit, QSpinBox* upDown) : QObject(edit), upDown_(upDown) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if ((key == Qt::Key_Up || key == Qt::Key_Down) && upDown_->isEnabled()) {
                upDown_->stepBy(key == Qt::Key_Up ? 1 : -1);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QSpinBox* upDown_;
};

}  // namespace

QLineEdit* MakeNumberEdit(int id, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::number(id));
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
    edit->setObjectName(QString::number(id));
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight);
    const int width = edit->fontMetrics().horizontalAdvance(QString(characters + 1, QLatin1Char('0'))) + 16;
    edit->setMinimumWidth(width);
    return edit;
}

QSlider* MakeSlider(int id, Qt::Orientation orientation, int minimum, int maximum, QWidget* parent)
{
    auto* slider = new QSlider(orientation, parent);
    slider->setObjectName(QString::number(id));
    slider->setRange(minimum, maximum);
    slider->setTickPosition(QSlider::NoTicks);
    slider->setPageStep(10);
    if (orientation == Qt::Horizontal)
        slider->setMinimumWidth(slider->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 24);
    return slider;
}

QSpinBox* MakeUpDown(int id, int minimum, int maximum, QWidget* parent)
{
    auto* upDown = new UpDownBox(parent);
    upDown->setObjectName(QString::number(id));
    upDown->setRange(minimum, maximum);
    upDown->setWrapping(false);
    upDown->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return upDown;
}

QLabel* MakeLabel(const QString& text, QWidget* parent)
{
    return new QLabel(text, parent);
}

void SetSliderQuietly(QSlider* slider, int position)
{
    const QSignalBlocker quiet(slider);
    slider->setValue(position);
}

void SetUpDownQuietly(QSpinBox* upDown, int position)
{
    const QSignalBlocker quiet(upDown);
    upDown->setValue(position);
}

QString RealText(float v)
{
    return QString::fromStdString(FormatRealText(v, 6)).trimmed();
}

QString IntegerText(int32_t n)
{
    return QString::fromStdString(FormatIntegerText(n, 6)).trimmed();
}

bool ReadNumber(const QLineEdit* edit, int maxChars, float& v)
{
    const QByteArray text = edit->text().left(maxChars).toUtf8();
    const ParsedReal parsed = ParseReal(text.constData());
    if (!parsed.isNumber || !std::isfinite(parsed.value) || std::fabs(parsed.value) > FLT_MAX)
        return false;
    v = static_cast<float>(parsed.value) + 0.0f;
    return true;
}

float TwoDecimals(float x)
{
    return static_cast<float>(NearestInt(100.0f * x)) / 100.0f;
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

void ForwardArrowKeys(QLineEdit* edit, QSpinBox* upDown)
{
    edit->installEventFilter(new ArrowKeyForwarder(edit, upDown));
}

QDialog* NewDialog(QWidget* parent, const QString& title)
{
    auto* d = new QDialog(parent);
    d->setWindowTitle(title);
    d->setModal(true);
    QFont font = d->font();
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * 1.2);
    else if (font.pixelSize() > 0)
        font.setPixelSize(font.pixelSize() * 6 / 5);
    d->setFont(font);
    return d;
}

QHBoxLayout* OkButtonRow(QDialog* dialog, QPushButton** button)
{
    auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    if (button != nullptr) *button = ok;
    return row;
}
