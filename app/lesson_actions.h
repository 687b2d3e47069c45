#pragma once
// Lessons on the desktop: the Options menu's lesson items, a lesson named on
// the command line, and the panel that shows a lesson's instructions beside
// the canvas.
#include <QString>

class QAction;
class QMainWindow;
class QMenu;

// The lesson item of the core's menu table named name ("openLesson" or
// "saveLesson"), added to the menu with its text; nullptr for another name.
// The instructions panel shown anew in the language in force (a lesson may
// carry its texts in several).
void RefreshInstructions(QMainWindow* window);
QAction* AddLessonAction(QMainWindow* window, QMenu* options, const char* text, const char* name);
// Opens the lesson at path; a bad one gets its message and changes nothing.
bool OpenLessonFile(QMainWindow* window, const QString& path);
// Writes the session as a lesson; with answers a hidden field's place is kept.
bool SaveLessonFile(const QString& path, bool withAnswers, QString* error);
