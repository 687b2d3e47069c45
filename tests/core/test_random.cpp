// The shared random word and the fields it places.
#include <limits>
#include <thread>

#include "tests/core/test_support.h"

namespace {

void SetWord(int32_t word) { randomWord.word.store(word, std::memory_order_relaxed); }
int32_t Word() { return randomWord.word.load(std::memory_order_relaxed); }

}  // namespace

TEST(ShuffledUniform, StartsFromOneWhenSeedNotUsable)
{
    // A positive word, 0, the most negative word (whose negation does not exist) and the modulus itself (which
    // the recurrence would send to 0 for ever) all start a fresh table from seed 1.
    for (int32_t word : {12345, 0, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()}) {
        SetWord(word);
        PrimeShuffledUniform();
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
    // After N draws from any threads the word is the N-th successor of the seed, if no draw is lost.
    constexpr int kDrawsPerThread = 200000;
    SetWord(42);
    auto draw = [] { for (int n = 0; n < kDrawsPerThread; ++n) Lcg(); };
    std::thread other(draw);
    draw(), other.join();
    uint32_t expected = 42;
    for (int n = 0; n < 2 * kDrawsPerThread; ++n) expected = expected * 1664525u + 1013904223u;
    EXPECT_EQ(static_cast<uint32_t>(Word()), expected);
}

TEST(ShuffledUniform, FirstDrawOfARunFollowsItsSeed)
{
    // Start-up primes the table from the seeded word; whatever word the audio thread leaves before the first
    // field, positive or not, the first draw still depends on the run's clock and process id.
    const struct { uint64_t clock, pid; } runs[] = {{1000, 42}, {1000, 43}, {1001, 42}, {987654321, 7}};
    std::vector<float> first;
    for (const auto& run : runs) {
        SeedRandomWord(MixSeedSources(run.clock, run.pid));
        PrimeShuffledUniform();
        do Lcg(); while (Word() <= 0);  // a positive word used to restart from 1
        first.push_back(ShuffledUniform());
    }
    std::sort(first.begin(), first.end());
    EXPECT_EQ(std::adjacent_find(first.begin(), first.end()), first.end()) << "two runs drew the same";
}

TEST(NewReceptiveField, SmallClientAreaKeepsTheCentreInside)
{
    ts::ResetEngine(Simple, -1);
    receptiveField.randomiseMode = RandomiseEverything;
    const struct { int32_t w, h; } sizes[] = {{0, 0}, {1, 1}, {50, 80}, {1000, 150}, {131, 231}, {133, 233}};
    for (const auto& s : sizes) {
        appState.clientWidth = s.w, appState.clientHeight = s.h;
        for (int32_t n = 0; n < 100; ++n) {
            PlaceNewReceptiveField(1 + n % 5);
            const float x = receptiveField.centreX * 38.0f, y = receptiveField.centreY * 38.0f;
            ASSERT_TRUE(x >= -1e-3f && x <= s.w + 1e-3f) << x << " in " << s.w << "x" << s.h;
            ASSERT_TRUE(y >= -1e-3f && y <= s.h + 1e-3f) << y << " in " << s.w << "x" << s.h;
            ASSERT_TRUE(std::isfinite(CurrentFilters().absoluteSum));
        }
    }
    ResetFilters();
}
