#pragma once
#include <QString>

class QWidget;

// A window's picture as PNG; false when it could not be written.
bool SaveWidgetPng(QWidget* view, const QString& path);
// A failed save, told without blocking (a sweep or a recording goes on meanwhile).
void ShowSaveFailure(QWidget* parent, const QString& title, const QString& text);
