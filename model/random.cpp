#include "model/random.h"

#include <cstdint>
#include <iterator>
#include <limits>

#include "model/numeric.h"

RandomWord randomWord;

void SeedRandomWord(uint32_t counter)
{
    // The masked counter fits in 28 bits, so its negation cannot overflow.
    randomWord.word.store(-static_cast<int32_t>(counter & 0x0FFFFFFFu), std::memory_order_relaxed);
}

float Lcg()
{
    // Two threads draw from the word; the exchange loop makes each draw
    // advance it exactly once, and unsigned arithmetic wraps as intended.
    int32_t current = randomWord.word.load(std::memory_order_relaxed);
    uint32_t next = 0;
    do {
        next = static_cast<uint32_t>(current) * 1664525u + 1013904223u;
    } while (!randomWord.word.compare_exchange_weak(current, static_cast<int32_t>(next),
                                                    std::memory_order_relaxed));
    // The low 23 bits become the mantissa of a float in [1, 2).
    const uint32_t bits = 0x3F800000u | (next & 0x007FFFFFu);
    return BitCast<float>(bits) - 1.0f;
}

namespace {

constexpr int32_t kModulus = 2147483647;  // 2^31 - 1
constexpr int32_t kMultiplier = 16807;
constexpr int32_t kQuotient = 127773;     // kModulus / kMultiplier
constexpr int32_t kRemainder = 2836;      // kModulus % kMultiplier
constexpr int32_t kTableSize = 32;
constexpr int32_t kSlotDivisor = 67108864;  // 1 + (kModulus - 1) / kTableSize
constexpr float kScale = 4.656613e-10f;     // 1 / kModulus
constexpr float kLargest = 0.99999988f;     // the float just below 1

// The shared generator's table belongs to the user-interface thread alone.
ShuffleState shuffle;
static_assert(std::size(ShuffleState{}.table) == kTableSize);

// seed * 16807 mod (2^31 - 1) without overflow (Schrage's method).
// Valid for 1 <= seed <= 2^31 - 2, which maps onto the same range.
int32_t MinimalStandardStep(int32_t seed)
{
    const int32_t k = seed / kQuotient;
    int32_t next = kMultiplier * (seed - k * kQuotient) - kRemainder * k;
    if (next < 0) next += kModulus;
    return next;
}

// Fills the table from a seed word as a fresh generator does: a negative word
// gives its negation; zero, a positive word, the most negative word (whose
// negation does not exist) and the modulus (which the recurrence would send
// to 0, a fixed point handing out zeros) start the sequence from 1. Returns
// the seed after the fill.
int32_t FillTable(ShuffleState& state, int32_t word)
{
    int32_t seed = (word < 0 && word != std::numeric_limits<int32_t>::min()) ? -word : 1;
    if (seed == kModulus) seed = 1;
    // Eight warm-up steps, then 32 that fill the table from the top down.
    for (int32_t j = kTableSize + 7; j >= 0; --j) {
        seed = MinimalStandardStep(seed);
        if (j < kTableSize) state.table[j] = seed;
    }
    state.selector = state.table[0];
    return seed;
}

// One draw: the next step of the recurrence swapped into the slot the last
// value picks.
float ShuffleDraw(ShuffleState& state, int32_t& seed)
{
    seed = MinimalStandardStep(seed);
    const int32_t slot = state.selector / kSlotDivisor;
    state.selector = state.table[slot];
    state.table[slot] = seed;
    const float u = static_cast<float>(state.selector) * kScale;
    return u < kLargest ? u : kLargest;
}

}  // namespace

float ShuffledUniform()
{
    // The audio thread may advance the word between our read and our write.
    // Work on a copy of the table and commit it only if the word is still the
    // one we started from, as Lcg does, so neither thread's draw is lost.
    int32_t current = randomWord.word.load(std::memory_order_relaxed);
    ShuffleState next;
    int32_t seed = 0;
    float u = 0.0f;
    do {
        next = shuffle;
        seed = current;
        // A word left negative (or unusable) by the other generator restarts the table.
        if (seed <= 0 || seed == kModulus || next.selector == 0) seed = FillTable(next, seed);
        u = ShuffleDraw(next, seed);
    } while (!randomWord.word.compare_exchange_weak(current, seed, std::memory_order_relaxed));
    shuffle = next;
    return u;
}

SeededUniform MakeSeededUniform(int32_t seed)
{
    SeededUniform generator;
    generator.seed = FillTable(generator.state, seed > 0 ? -seed : seed);
    return generator;
}

float DrawSeededUniform(SeededUniform& generator) { return ShuffleDraw(generator.state, generator.seed); }

void PrimeShuffledUniform()
{
    int32_t current = randomWord.word.load(std::memory_order_relaxed);
    ShuffleState next;
    int32_t seed = 0;
    do {
        next = ShuffleState{};
        seed = FillTable(next, current);
    } while (!randomWord.word.compare_exchange_weak(current, seed, std::memory_order_relaxed));
    shuffle = next;
}

uint32_t MixSeedSources(uint64_t clockTicks, uint64_t processId)
{
    // A 64-bit finaliser, so that runs started a moment apart, or by
    // processes with neighbouring ids, get unrelated words.
    uint64_t z = clockTicks ^ (processId * 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<uint32_t>(z ^ (z >> 32));
}
