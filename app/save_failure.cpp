#include "app/save_failure.h"

#include <QMessageBox>
#include <QPixmap>
#include <QWidget>

#include "controls/shell_texts.h"
#include "language/catalog.h"

bool SavePictureOrTell(QWidget* view, const QString& path, QWidget* parent, const QString& title)
{
    const QPixmap picture = view->grab();
    if (!picture.isNull() && picture.save(path, "PNG")) return true;
    ShowSaveFailure(parent, title, QString::fromStdString(TrArgs(kPictureNotSaved, {path.toStdString()})));
    return false;
}

void ShowSaveFailure(QWidget* parent, const QString& title, const QString& text)
{
    auto* box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("saveFailed"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
