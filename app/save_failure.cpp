#include "app/save_failure.h"

#include <QMessageBox>
#include <QPixmap>
#include <QWidget>

bool SaveWidgetPng(QWidget* view, const QString& path)
{
    const QPixmap picture = view->grab();
    return !picture.isNull() && picture.save(path, "PNG");
}

void ShowSaveFailure(QWidget* parent, const QString& title, const QString& text)
{
    auto* box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("saveFailed"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
