#include "app/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QPointer>
#include <QString>
#include <QThread>

#include "app/shown_text.h"
#include "controls/shell_texts.h"
#include "language/catalog.h"

namespace {

QPointer<QWidget> messageOwner;

// The caption is a table's; the text, a table's or one the core composed in
// the language in force (translating that again leaves it as it is).
void ShowBox(const char* caption, const QString& text, QWidget* parent = messageOwner.data())
{
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("message"));
    SetUiTitle(&box, caption);
    SetUiText(box.button(QMessageBox::Ok), kOkButton);
    box.exec();
}

}  // namespace

void SetMessageOwner(QWidget* owner) { messageOwner = owner; }

void PostMessageText(const char* text)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) return;
    // The text is copied now: the caller's buffer may be gone when the box opens.
    QMetaObject::invokeMethod(
        app, [message = QString::fromStdString(Tr(std::string_view(text)))] { ShowBox(kProgramCaption, message); },
        Qt::QueuedConnection);
}

void ShowMessage(const char* text)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) return;
    if (QThread::currentThread() != app->thread()) {
        PostMessageText(text);
        return;
    }
    ShowBox(kProgramCaption, Ui(text));
}

void ShowMessageOver(QWidget* parent, const char* text) { ShowBox(kProgramCaption, Ui(text), parent); }

void ShowStartupError()
{
    ShowBox(kErrorCaption, Ui(kStartupErrorText));
}
