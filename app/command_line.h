#pragma once

// The command line, read before any window system is touched: --help and
// --version print and give 0; anything else is refused with code 2; no
// display gives code 1. Returns -1 when the program should start.
int HandleCommandLine(int argc, char** argv);
