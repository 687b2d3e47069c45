// Lessons on the desktop: a file opened with its instructions beside the canvas, a bad file's message, the save
// that keeps a hidden field's place only in a teacher's copy, and the command line.
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdlib>

#include "app/command_line.h"
#include "app/lesson_actions.h"
#include "controls/lesson.h"
#include "tests/gui/test_shell_support.h"

namespace {

QString WriteFile(const QTemporaryDir& dir, const char* name, const QByteArray& text)
{
    QFile file(dir.filePath(QString::fromLatin1(name)));
    file.open(QIODevice::WriteOnly), file.write(text);
    return file.fileName();
}

}  // namespace

TEST(LessonsDesktop, OpenedLessonShowsItsInstructionsAsPlainTextUntilHidden)
{
    QTemporaryDir dir;
    auto window = QuietMainWindow();
    const QString path = WriteFile(dir, "bars.tessaline", R"({"format":"tessaline-lesson","version":1,
        "title":"Bars","instructions":"<b>Find</b> the best bar.","stimulus":{"type":"spot"}})");
    ASSERT_TRUE(OpenLessonFile(window.get(), path));
    EXPECT_EQ(stimulus.stimulusType, Spot);
    auto* dock = window->findChild<QDockWidget*>(QStringLiteral("instructions"));
    ASSERT_NE(dock, nullptr);
    EXPECT_TRUE(dock->isVisible());
    EXPECT_EQ(dock->findChild<QPlainTextEdit*>()->toPlainText(), QStringLiteral("<b>Find</b> the best bar."));
    EXPECT_EQ(dock->findChild<QLabel*>()->textFormat(), Qt::PlainText);
    QTest::mouseClick(dock->findChild<QPushButton*>(QStringLiteral("hideInstructions")), Qt::LeftButton);
    EXPECT_FALSE(dock->isVisible());
}

TEST(LessonsDesktop, BadFileGetsItsMessageAndChangesNothing)
{
    QTemporaryDir dir;
    auto window = QuietMainWindow();
    stimulus.stimulusType = Grating;
    const std::string before = WriteLesson(CaptureLesson(true));
    const QString path = WriteFile(dir, "bad.tessaline", R"({"format":"tessaline-lesson","version":1,
        "stimulus":{"type":"spot","contrast":140}})");
    QString shown;
    EXPECT_TRUE(WithModal([&] { EXPECT_FALSE(OpenLessonFile(window.get(), path)); },
                          [&](QWidget* modal) { shown = qobject_cast<QMessageBox*>(modal)->text(); }));
    EXPECT_TRUE(shown.contains("stimulus.contrast: expected a number from 0 to 100, found 140")) << shown.toStdString();
    EXPECT_EQ(WriteLesson(CaptureLesson(true)), before);
    EXPECT_TRUE(WithModal([&] { OpenLessonFile(window.get(), dir.filePath("missing.tessaline")); },
                          [&](QWidget* modal) { shown = qobject_cast<QMessageBox*>(modal)->text(); }));
    EXPECT_TRUE(shown.contains("the file: expected a file that can be read")) << shown.toStdString();
}

TEST(LessonsDesktop, SavedHiddenFieldKeepsItsPlaceOnlyInTheTeachersCopy)
{
    QTemporaryDir dir;
    auto window = QuietMainWindow();
    receptiveField.displayMode = receptiveField.savedDisplayMode = Hidden;
    for (const bool key : {false, true}) {
        ASSERT_TRUE(SaveLessonFile(dir.filePath("lesson.tessaline"), key, nullptr));
        QFile file(dir.filePath("lesson.tessaline"));
        file.open(QIODevice::ReadOnly);
        EXPECT_EQ(file.readAll().contains("\"x\": "), key);  // the stimulus moves freely: no place of its own
    }
}

TEST(LessonsDesktop, CommandLineNamesOneLesson)
{
    char program[] = "tessaline", lesson[] = "class.tessaline", other[] = "key.tessaline";
    char* one[] = {program, lesson};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    EXPECT_EQ(HandleCommandLine(2, one), -1);
    EXPECT_EQ(LessonArgument(), QStringLiteral("class.tessaline"));
    char* two[] = {program, lesson, other};
    EXPECT_EQ(HandleCommandLine(3, two), 2);
}
