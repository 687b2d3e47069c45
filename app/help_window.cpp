#include "app/help_window.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/shown_text.h"
#include "controls/shell_texts.h"
#include "resources/strings.h"

void ShowHelp(QWidget* parent)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("120"));
    SetUiTitle(&dialog, kHelpCaption);
    dialog.setModal(true);

    auto* text = new QPlainTextEdit(&dialog);
    text->setObjectName(QStringLiteral("1006"));
    text->setReadOnly(true);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Loaded afresh at every opening, so each opening shows the same text.
    const char* help = LoadProgramString(kHelpTextId);
    text->setPlainText(Ui(help != nullptr ? help : ""));

    // The window's one button closes it, so it promises nothing it cannot do.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("1043"));
    SetUiText(buttons->button(QDialogButtonBox::Close), kCloseButton);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    dialog.resize(480, 440);
    dialog.exec();
}
