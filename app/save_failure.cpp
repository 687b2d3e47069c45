#include "app/save_failure.h"

#include <QMessageBox>
#include <QPushButton>
#include <QPixmap>
#include <QWidget>

#include "app/shown_text.h"
#include "controls/shell_texts.h"
#include "language/catalog.h"

bool SavePictureOrTell(QWidget* view, const QString& path, QWidget* parent, const char* title)
{
    const QPixmap picture = view->grab();
    if (!picture.isNull() && picture.save(path, "PNG")) return true;
    ShowSaveFailure(parent, title, QString::fromStdString(TrArgs(kPictureNotSaved, {path.toStdString()})));
    return false;
}

void ShowSaveFailure(QWidget* parent, const char* title, const QString& text)
{
    auto* box = new QMessageBox(QMessageBox::Warning, QString(), text, QMessageBox::Ok, parent);
    SetUiTitle(box, title);
    SetUiText(box->button(QMessageBox::Ok), kOkButton);
    box->setObjectName(QStringLiteral("saveFailed"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
