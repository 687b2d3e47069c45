#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <thread>

#include "model/random.h"

namespace {

void SetWord(int32_t word) { randomWord.word.store(word, std::memory_order_relaxed); }
int32_t Word() { return randomWord.word.load(std::memory_order_relaxed); }

}  // namespace

TEST(ShuffledUniform, KnownSequenceFromWordMinusOne)
{
    // Word -1 restarts the generator from seed 1. Forty steps of
    // seed = 16807 seed mod (2^31 - 1) give 16807^n for n = 1..40; entry j of
    // the table holds 16807^(40 - j) and the selector starts at
    // 16807^40 = 784558821. Each draw advances the seed once more, takes slot
    // selector / 2^26, hands out that entry and stores the new seed there:
    //   draw 1: slot 784558821 >> 26 = 11, entry 16807^29 = 893351816, seed 16807^41 = 530511967
    //   draw 2: slot 893351816 >> 26 = 13, entry 16807^27 = 197493099, seed 2110010672
    //   draw 3: slot 197493099 >> 26 = 2,  entry 16807^38 = 1624379149, seed 1551901393
    // and the value is entry * 4.656613e-10 in single precision.
    const struct { float value; int32_t word; } cases[] = {
        {0.41599935f, 530511967},
        {0.091964893f, 2110010672},
        {0.75641048f, 1551901393},
        {0.52970022f, 1617819336},
        {0.93043649f, 1399125485},
    };
    SetWord(-1);
    ResetShuffledUniform();
    for (const auto& c : cases) {
        EXPECT_FLOAT_EQ(ShuffledUniform(), c.value);
        EXPECT_EQ(Word(), c.word);
    }
}

TEST(ShuffledUniform, StartsFromOneWhenSeedNotUsable)
{
    // A fresh table with a positive word, the word 0, the most negative word
    // (whose negation does not exist) and the modulus itself (which the
    // recurrence would send to 0 for ever) all start from seed 1.
    for (int32_t word : {12345, 0, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()}) {
        SetWord(word);
        ResetShuffledUniform();
        EXPECT_FLOAT_EQ(ShuffledUniform(), 0.41599935f) << word;
        EXPECT_EQ(Word(), 530511967) << word;
    }
    // A negative word left by the other generator restarts the table too.
    for (int n = 0; n < 10; ++n) ShuffledUniform();
    SetWord(-1);
    EXPECT_FLOAT_EQ(ShuffledUniform(), 0.41599935f);
}

TEST(ThreadedLcg, TwoThreadsAdvanceTheWordOncePerDraw)
{
    // The recurrence does not care which thread draws, so after N draws in
    // total the word is the N-th successor of the seed, if no draw is lost.
    constexpr int kDrawsPerThread = 200000;
    SetWord(42);
    auto draw = [] {
        for (int n = 0; n < kDrawsPerThread; ++n) Lcg();
    };
    std::thread other(draw);
    draw();
    other.join();
    uint32_t expected = 42;
    for (int n = 0; n < 2 * kDrawsPerThread; ++n) expected = expected * 1664525u + 1013904223u;
    EXPECT_EQ(static_cast<uint32_t>(Word()), expected);
}
