#include "model/random.h"

#include <bit>
#include <cstdint>
#include <limits>

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
    return std::bit_cast<float>(bits) - 1.0f;
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

// The shuffle table belongs to the user-interface thread alone.
struct ShuffleState {
    int32_t selector = 0;
    int32_t table[kTableSize] = {};
};
ShuffleState shuffle;

// seed * 16807 mod (2^31 - 1) without overflow (Schrage's method).
// Valid for 1 <= seed <= 2^31 - 2, which maps onto the same range.
int32_t MinimalStandardStep(int32_t seed)
{
    const int32_t k = seed / kQuotient;
    int32_t next = kMultiplier * (seed - k * kQuotient) - kRemainder * k;
    if (next < 0) next += kModulus;
    return next;
}

}  // namespace

float ShuffledUniform()
{
    int32_t seed = randomWord.word.load(std::memory_order_relaxed);
    // The modulus itself is the one positive word the recurrence would send
    // to 0 (a fixed point that would hand out zeros), so it restarts too.
    if (seed <= 0 || seed == kModulus || shuffle.selector == 0) {
        // Negating the most negative word would overflow; like any other
        // non-positive result it starts the sequence from 1.
        seed = (seed < 0 && seed != std::numeric_limits<int32_t>::min()) ? -seed : 1;
        if (seed == kModulus) seed = 1;
        // Eight warm-up steps, then 32 that fill the table from the top down.
        for (int32_t j = kTableSize + 7; j >= 0; --j) {
            seed = MinimalStandardStep(seed);
            if (j < kTableSize) shuffle.table[j] = seed;
        }
        shuffle.selector = shuffle.table[0];
    }
    seed = MinimalStandardStep(seed);
    const int32_t slot = shuffle.selector / kSlotDivisor;
    shuffle.selector = shuffle.table[slot];
    shuffle.table[slot] = seed;
    randomWord.word.store(seed, std::memory_order_relaxed);
    const float u = static_cast<float>(shuffle.selector) * kScale;
    return u < kLargest ? u : kLargest;
}

void ResetShuffledUniform()
{
    shuffle = ShuffleState{};
}
