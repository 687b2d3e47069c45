#pragma once
#include <QString>

class QWidget;

// A window's picture as PNG; false, once told in a box captioned title (a
// table's text) on parent, when it could not be written.
bool SavePictureOrTell(QWidget* view, const QString& path, QWidget* parent, const char* title);
// A failed save, told without blocking (a sweep or a recording goes on
// meanwhile); its caption and button follow a language switch, its text
// (the path and the system's reason) stays as it was told.
void ShowSaveFailure(QWidget* parent, const char* title, const QString& text);
