#pragma once
#include <QString>

class QWidget;

// A window's picture as PNG; false, once told in a box captioned title on
// parent, when it could not be written.
bool SavePictureOrTell(QWidget* view, const QString& path, QWidget* parent, const QString& title);
// A failed save, told without blocking (a sweep or a recording goes on meanwhile).
void ShowSaveFailure(QWidget* parent, const QString& title, const QString& text);
