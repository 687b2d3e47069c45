#pragma once
#include <QString>

// The command line, read before any window system is touched: --help and
// --version print and give 0; anything else is refused with code 2; no
// display gives code 1. Returns -1 when the program should start.
int HandleCommandLine(int argc, char** argv);
// The lesson file named on the command line (empty when none).
QString LessonArgument();
// The language asked for by --language CODE, else by TESSALINE_LANGUAGE
// (empty when neither: the remembered or the system's language then).
QString LanguageArgument();

// Qt ends the process with abort() when no platform plugin can reach a
// display (DISPLAY names a server that is gone, a Wayland socket without
// the plugin). Between these two calls, around the construction of the
// application object, Qt's messages are held back, and a fatal one becomes
// a single line on standard error and exit code 1. Released messages go on
// to the handler that was in place before.
void HoldStartupMessages();
void ReleaseStartupMessages();
