#include "app/lesson_actions.h"

#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>
#include <cstring>
#include <string>

#include "app/messages.h"
#include "app/shown_text.h"
#include "controls/lesson.h"
#include "controls/shell_texts.h"
#include "language/catalog.h"
#include "model/receptive_field.h"

namespace {

QString Text(const char* text) { return Ui(text); }

// A table's sentence about a file with the system's reason: at its %1 when
// the sentence is a template, else after it.
// The opened lesson's title and instructions, in the language in force;
// false when it has none.
bool FillInstructions(QDockWidget* dock)
{
    const QString title = QString::fromStdString(OpenedTitle());
    const QString instructions = QString::fromStdString(OpenedInstructions());
    dock->findChild<QLabel*>(QStringLiteral("instructionsTitle"))->setText(title);
    dock->findChild<QLabel*>(QStringLiteral("instructionsTitle"))->setVisible(!title.isEmpty());
    dock->findChild<QPlainTextEdit*>(QStringLiteral("instructionsText"))->setPlainText(instructions);
    return !instructions.isEmpty();
}

// The panel beside the canvas: the title, the instructions as plain text
// (whatever markup they hold is shown, never obeyed) and a button to hide it.
void ShowInstructions(QMainWindow* window)
{
    auto* dock = window->findChild<QDockWidget*>(QStringLiteral("instructions"));
    if (dock == nullptr) {
        dock = new QDockWidget(window);
        SetUiTitle(dock, kInstructionsTitle);
        dock->setObjectName(QStringLiteral("instructions"));
        dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
        auto* body = new QWidget(dock);
        auto* layout = new QVBoxLayout(body);
        auto* title = new QLabel(body);
        title->setObjectName(QStringLiteral("instructionsTitle"));
        title->setTextFormat(Qt::PlainText);
        title->setWordWrap(true);
        auto* text = new QPlainTextEdit(body);
        text->setObjectName(QStringLiteral("instructionsText"));
        text->setReadOnly(true);
        auto* hide = new QPushButton(body);
        SetUiText(hide, kHideInstructions);
        hide->setObjectName(QStringLiteral("hideInstructions"));
        QObject::connect(hide, &QPushButton::clicked, dock, &QDockWidget::hide);
        layout->addWidget(title);
        layout->addWidget(text, 1);
        layout->addWidget(hide);
        dock->setWidget(body);
        dock->setMinimumWidth(220);
        window->addDockWidget(Qt::RightDockWidgetArea, dock);
    }
    dock->setVisible(FillInstructions(dock));
}

void AskAndSave(QMainWindow* window)
{
    QString path = QFileDialog::getSaveFileName(window, Text(kSaveLessonTitle), QString(), Text(kLessonFilter));
    if (path.isEmpty()) return;
    if (!path.contains(QLatin1Char('.'))) path += QString::fromLatin1(kLessonExtension);
    bool withAnswers = false;
    const int32_t shown = receptiveField.displayMode;
    if (shown == Hidden || shown == Revealed) {
        // Students get a file that does not give the field away.
        QMessageBox ask(QMessageBox::Question, Text(kSaveLessonTitle), Text(kHiddenSaveQuestion), QMessageBox::Cancel,
                        window);
        ask.setObjectName(QStringLiteral("saveLessonQuestion"));
        SetUiText(ask.button(QMessageBox::Cancel), kCancelButton);
        QPushButton* students = ask.addButton(Text(kStudentsCopy), QMessageBox::AcceptRole);
        QPushButton* key = ask.addButton(Text(kTeachersCopy), QMessageBox::AcceptRole);
        ask.setDefaultButton(students);
        ask.exec();
        if (ask.clickedButton() != students && ask.clickedButton() != key) return;
        withAnswers = ask.clickedButton() == key;
    }
    QString error;
    if (!SaveLessonFile(path, withAnswers, &error)) ShowMessage(error.toUtf8().constData());
}

}  // namespace

void RefreshInstructions(QMainWindow* window)
{
    if (auto* dock = window->findChild<QDockWidget*>(QStringLiteral("instructions"))) FillInstructions(dock);
}

QAction* AddLessonAction(QMainWindow* window, QMenu* options, const char* text, const char* name)
{
    if (std::strcmp(name, "openLesson") == 0) {
        QAction* open = options->addAction(QString());
        SetUiText(open, text);
        QObject::connect(open, &QAction::triggered, window, [window] {
            const QString path = QFileDialog::getOpenFileName(window, Text(kOpenLessonTitle), QString(), Text(kLessonFilter));
            if (!path.isEmpty()) OpenLessonFile(window, path);
        });
        return open;
    }
    if (std::strcmp(name, "saveLesson") != 0) return nullptr;
    QAction* save = options->addAction(QString());
    SetUiText(save, text);
    QObject::connect(save, &QAction::triggered, window, [window] { AskAndSave(window); });
    return save;
}

bool OpenLessonFile(QMainWindow* window, const QString& path)
{
    QFile file(path);
    std::string message;
    if (!file.open(QIODevice::ReadOnly)) {
        message = UnreadableLessonRefusal(file.errorString().toStdString());
    } else {
        // One byte more than a lesson may hold is enough to refuse a larger file.
        const QByteArray bytes = file.read(static_cast<qint64>(kMaxLessonBytes) + 1);
        if (OpenLesson(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), message)) {
            ShowInstructions(window);
            return true;
        }
    }
    ShowMessage(message.c_str());
    return false;
}

bool SaveLessonFile(const QString& path, bool withAnswers, QString* error)
{
    const std::string text = WriteLesson(CaptureLesson(withAnswers));
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text.data(), static_cast<qint64>(text.size())) ==
                                                static_cast<qint64>(text.size()) && file.commit())
        return true;
    if (error != nullptr) *error = QString::fromStdString(TrArgs(kLessonNotSavedText, {file.errorString().toStdString()}));
    return false;
}
