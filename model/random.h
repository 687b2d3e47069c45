#pragma once
#include <atomic>
#include <cstdint>

// The one random word of the program. The audio thread advances it for every
// spike event and the background hash; the user-interface thread advances it
// when it places a random receptive field. Both generators below read and
// write the same word, so it is atomic.
struct RandomWord {
    std::atomic<int32_t> word{0};
};
extern RandomWord randomWord;

// Seeds the word from the clock the way the window does at start-up:
// the negation of (counter & 0x0FFFFFFF).
void SeedRandomWord(uint32_t counter);
// The counter for SeedRandomWord: the steady clock and the process id mixed,
// so that two runs do not start from the same word.
uint32_t MixSeedSources(uint64_t clockTicks, uint64_t processId);

// Linear congruential draw: word = word * 1664525 + 1013904223 (mod 2^32);
// returns the low 23 bits as the mantissa of a float in [1, 2), minus 1.
float Lcg();

// Minimal-standard generator with a 32-entry shuffle table, seeded from the
// shared word; returns 0 < u <= 0.99999988.
float ShuffledUniform();

// The shuffle table and the value that picks its next slot.
struct ShuffleState {
    int32_t selector = 0;
    int32_t table[32] = {};
};
// The same generator on a state of its own, started from a lesson's seed
// (1..2147483646) rather than the shared word, so that everyone who opens a
// lesson draws the same numbers, whatever the audio thread does meanwhile.
struct SeededUniform {
    int32_t seed = 1;
    ShuffleState state;
};
SeededUniform MakeSeededUniform(int32_t seed);
float DrawSeededUniform(SeededUniform& generator);
// Fills the shuffle table from the word now (start-up, user-interface
// thread), while the word still holds its seed. Left for the first draw, the
// table would be filled from whatever word the audio thread left, and a
// positive word restarts the sequence from 1: the same first field every run.
void PrimeShuffledUniform();
