#pragma once
// Lessons on the desktop: "Open lesson…" and "Save lesson…" in the Options
// menu, a lesson named on the command line, and the panel that shows a
// lesson's instructions beside the canvas.
#include <QString>

class QMainWindow;
class QMenu;

void AddLessonActions(QMainWindow* window, QMenu* options);
// Opens the lesson at path; a bad one gets its message and changes nothing.
bool OpenLessonFile(QMainWindow* window, const QString& path);
// Writes the session as a lesson; with answers a hidden field's place is kept.
bool SaveLessonFile(const QString& path, bool withAnswers, QString* error);
