#pragma once

class QWidget;

// The window that owns the program's message boxes (the main window, or
// none before it exists). User-interface thread only.
void SetMessageOwner(QWidget* owner);

// A message box captioned kProgramCaption ("Tessaline") with one OK button. On the user-interface
// thread it returns when the user dismisses it; from any other thread the
// text is handed to the user-interface thread and the caller goes on at once.
void ShowMessage(const char* text);
// The same over a given window (a dialog that raised it), on the
// user-interface thread.
void ShowMessageOver(QWidget* parent, const char* text);

// Hands the text to the user-interface thread for ShowMessage and returns at
// once, whatever the calling thread: for callers that must never wait.
void PostMessageText(const char* text);

// The start-up failure (kStartupErrorText), captioned kErrorCaption.
void ShowStartupError();
