#pragma once
// Every text a window shows comes from the core's tables in English and is
// shown through Tr() in the language in force. A widget keeps the English
// text it was given as its key (a dynamic property), so a language switch
// shows every open window anew in place: a running sweep, a half-typed
// field or an open dialog loses nothing.
#include <QString>
#include <span>

class QComboBox;
class QLabel;
class QObject;
class QWidget;

// A table's English text in the language in force.
QString Ui(const char* english);

// What a label, button, check box, group box, menu, action or message box
// shows, from a table's text and what follows it in every language (a
// colon, an ellipsis).
void SetUiText(QObject* target, const char* english, const char* after = "");
// A window's, dock's or toolbar's title.
void SetUiTitle(QWidget* window, const char* english);
// A widget's or action's tooltip, also its name for a screen reader.
void SetUiTip(QObject* target, const char* english);
// A list's items from one of the core's label tables.
void SetUiItems(QComboBox* list, std::span<const char* const> texts);
// A spin box's unit, after a blank.
void SetUiUnit(QWidget* spinBox, const char* unit);
QLabel* UiLabel(const char* english, QWidget* parent, const char* after = "");
// A button, check box or group box showing a table's text.
template <typename Widget>
Widget* UiWidget(const char* english, QWidget* parent)
{
    auto* widget = new Widget(parent);
    SetUiText(widget, english);
    return widget;
}

// Shows every kept text of every widget in the catalog in force, then tells
// each window (QEvent::LanguageChange) so it rebuilds the texts it composes.
void RetranslateWidgets();
