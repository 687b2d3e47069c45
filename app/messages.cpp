#include "app/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QThread>

#include "controls/shell_texts.h"

namespace {

QPointer<QWidget> messageOwner;

void ShowBox(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, messageOwner.data());
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
        app, [message = QString::fromUtf8(text)] { ShowBox(QString::fromUtf8(kProgramCaption), message); },
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
    ShowBox(QString::fromUtf8(kProgramCaption), QString::fromUtf8(text));
}

void ShowStartupError()
{
    ShowBox(QString::fromUtf8(kErrorCaption), QString::fromUtf8(kStartupErrorText));
}
