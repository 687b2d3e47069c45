#pragma once
// tessaline --map sparse-noise|white-noise --cell <cell> --minutes M
//           --out FILE.nwb|FILE.csv [--seed N] [--grid N] [--square DEG] [--frame MS]
// maps the cell's receptive field with noise for M simulated minutes, with
// no window and no sound device, writes the recording with its noise frames
// and prints one line: spikes, best lag, correlation with the true field,
// ON/OFF overlap. Returns -1 when the command line asks for no map, else the
// exit status: 0 done, 1 the file could not be written, 2 a bad argument.
int RunHeadlessMap(int argc, char** argv);
