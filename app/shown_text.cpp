#include "app/shown_text.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QSpinBox>
#include <QVariant>

#include "language/catalog.h"

namespace {

// The keys a widget or action keeps: English UTF-8, as the tables hold them.
constexpr const char* kTextKey = "uiText";
constexpr const char* kAfterKey = "uiAfter";
constexpr const char* kTitleKey = "uiTitle";
constexpr const char* kTipKey = "uiTip";
constexpr const char* kItemsKey = "uiItems";
constexpr const char* kUnitKey = "uiUnit";

QString Kept(const QObject* o, const char* key)
{
    const QByteArray english = o->property(key).toByteArray();
    if (english.isEmpty()) return {};
    return QString::fromUtf8(Tr(std::string_view(english.constData(), static_cast<size_t>(english.size()))));
}

void ShowText(QObject* o)
{
    const QString text = Kept(o, kTextKey) + o->property(kAfterKey).toString();
    if (auto* label = qobject_cast<QLabel*>(o)) label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(o)) button->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(o)) group->setTitle(text);
    else if (auto* menu = qobject_cast<QMenu*>(o)) menu->setTitle(text);
    else if (auto* box = qobject_cast<QMessageBox*>(o)) box->setText(text);
    else if (auto* action = qobject_cast<QAction*>(o)) action->setText(text);
}

void ShowTip(QObject* o)
{
    const QString tip = Kept(o, kTipKey);
    if (auto* action = qobject_cast<QAction*>(o)) {
        action->setToolTip(tip);
    } else if (auto* w = qobject_cast<QWidget*>(o)) {
        w->setToolTip(tip);
        w->setAccessibleName(tip);
    }
}

void ShowUnit(QObject* o)
{
    const QString unit = QStringLiteral(" ") + Kept(o, kUnitKey);
    if (auto* spin = qobject_cast<QSpinBox*>(o)) spin->setSuffix(unit);
    else if (auto* number = qobject_cast<QDoubleSpinBox*>(o)) number->setSuffix(unit);
}

void ShowItems(QComboBox* list)
{
    const QList<QByteArray> items = list->property(kItemsKey).value<QList<QByteArray>>();
    for (int i = 0; i < items.size() && i < list->count(); ++i)
        list->setItemText(i, QString::fromUtf8(Tr(std::string_view(items[i].constData(), size_t(items[i].size())))));
}

void ShowKept(QObject* o)
{
    if (o->property(kTextKey).isValid()) ShowText(o);
    if (o->property(kTipKey).isValid()) ShowTip(o);
    if (o->property(kUnitKey).isValid()) ShowUnit(o);
    if (auto* w = qobject_cast<QWidget*>(o); w != nullptr && o->property(kTitleKey).isValid())
        w->setWindowTitle(Kept(o, kTitleKey));
    if (auto* list = qobject_cast<QComboBox*>(o); list != nullptr && o->property(kItemsKey).isValid())
        ShowItems(list);
}

}  // namespace

QString Ui(const char* english) { return *english == '\0' ? QString() : QString::fromUtf8(Tr(english)); }

void SetUiText(QObject* target, const char* english, const char* after)
{
    target->setProperty(kTextKey, QByteArray(english));
    target->setProperty(kAfterKey, QString::fromUtf8(after));
    ShowText(target);
}

void SetUiTitle(QWidget* window, const char* english)
{
    window->setProperty(kTitleKey, QByteArray(english));
    window->setWindowTitle(Ui(english));
}

void SetUiTip(QObject* target, const char* english)
{
    target->setProperty(kTipKey, QByteArray(english));
    ShowTip(target);
}

void SetUiItems(QComboBox* list, std::span<const char* const> texts)
{
    QList<QByteArray> items;
    for (const char* text : texts) {
        items.append(QByteArray(text));
        list->addItem(Ui(text));
    }
    list->setProperty(kItemsKey, QVariant::fromValue(items));
}

void SetUiUnit(QWidget* spinBox, const char* unit)
{
    spinBox->setProperty(kUnitKey, QByteArray(unit));
    ShowUnit(spinBox);
}

QLabel* UiLabel(const char* english, QWidget* parent, const char* after)
{
    auto* label = new QLabel(parent);
    SetUiText(label, english, after);
    return label;
}

void RetranslateWidgets()
{
    // Each window first rebuilds what it composes from the core's texts (Qt's
    // own boxes put back their standard buttons' texts here), then every kept
    // text is shown anew, over those. Both reach a window's child windows
    // (tuning, recording, dialogs) through it.
    QWidgetList roots;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->parent() == nullptr) roots.append(window);
    for (QWidget* window : roots) {
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(window, &change);
    }
    for (QWidget* window : roots) {
        ShowKept(window);
        for (QObject* o : window->findChildren<QObject*>()) ShowKept(o);
    }
}
