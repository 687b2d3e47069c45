#pragma once
// tessaline --sweep orientation|direction|spatial-frequency|size|contrast|temporal-frequency
//           --cell on-centre|off-centre|simple|ds-simple|complex
//           --out FILE.nwb|FILE.csv [--seed N] [--repeats N]
// runs one tuning sweep with no window and no sound device, writes the
// recording and prints the summary line. Returns -1 when the command line
// asks for no sweep, else the exit status: 0 done, 1 the file could not be
// written (and nothing is left of it), 2 a bad argument.
int RunHeadlessSweep(int argc, char** argv);
