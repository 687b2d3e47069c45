// The stream itself: the click waveform, the hash, and the part of a tick
// that writes into the stream, driven with play positions chosen here.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "tests/core/test_support.h"
#include "sim/neuron_tick.h"

using namespace ts;

namespace {

constexpr int16_t kSentinel = 77;

// Sentinels go straight into the stream, past the writers' bookkeeping, so
// every test takes its own away again (ClearAudioSamples would not).
std::vector<std::pair<int64_t, int64_t>> sentinelRanges;
void FillSentinel(int64_t first, int64_t count)
{
    sentinelRanges.push_back({first, count});
    for (int64_t i = first; i < first + count; ++i) audioSamples[i].store(kSentinel, std::memory_order_relaxed);
}

class AudioStream : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (const auto& [first, count] : sentinelRanges)
            for (int64_t i = first; i < first + count; ++i) audioSamples[i].store(0, std::memory_order_relaxed);
        sentinelRanges.clear();
        ClearAudioSamples();
    }
};
using AudioClick = AudioStream;
using AudioHash = AudioStream;

int16_t At(int64_t i) { return audioSamples[i].load(std::memory_order_relaxed); }

TEST_F(AudioClick, WaveformAndStreamBounds)
{
    const int32_t last = kAudioSamples - 1;
    struct Case {
        int32_t index;
        int32_t written;  // samples of the click that fit in the stream
    } cases[] = {
        {0, 12}, {1000, 12}, {kAudioSamples - 12, 12},
        {kAudioSamples - 8, 8},  // all six highs, two lows
        {kAudioSamples - 5, 5}, {last, 1}, {kAudioSamples, 0}, {kAudioSamples + 893, 0},
        {INT32_MAX, 0}, {-1, 0}, {-12, 0}, {INT32_MIN, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        FillSentinel(0, 40);
        FillSentinel(990, 40);
        FillSentinel(kAudioSamples - 40, 40);
        WriteClick(c.index);
        if (c.written == 0) {
            for (int64_t i = 0; i < 40; ++i) EXPECT_EQ(At(i), kSentinel);
            for (int64_t i = kAudioSamples - 40; i < kAudioSamples; ++i) EXPECT_EQ(At(i), kSentinel);
            continue;
        }
        for (int32_t k = 0; k < c.written; ++k) EXPECT_EQ(At(int64_t{c.index} + k), k < 6 ? 20000 : -20000) << k;
        if (c.index > 0) {
            EXPECT_EQ(At(c.index - 1), kSentinel);
        }
        if (int64_t{c.index} + 12 < kAudioSamples) {
            EXPECT_EQ(At(c.index + 12), kSentinel);
        }
    }
}

TEST_F(AudioStream, ClicksReplaceWhatTheSamplesHeldAndClearTakesAllAway)
{
    const int32_t clicks[] = {0, 1000, 5'000'000, kAudioSamples - 5};
    for (int32_t index : clicks) WriteClick(index);
    LayBackgroundHash(kAudioRestartAt);
    LayBackgroundHash(0);
    ClearAudioSamples();
    for (int32_t index : clicks)
        for (int64_t i = index; i < std::min<int64_t>(int64_t{index} + 12, kAudioSamples); ++i) ASSERT_EQ(At(i), 0) << i;
    for (int64_t i = 0; i < 6000; ++i) ASSERT_EQ(At(i), 0) << i;
    for (int64_t i = kAudioSamples - 6000; i < kAudioSamples; ++i) ASSERT_EQ(At(i), 0) << i;

    FillSentinel(500, 30);
    WriteClick(500);
    WriteClick(506);  // the second click's highs land on the first one's lows
    for (int k = 0; k < 18; ++k) EXPECT_EQ(At(500 + k), k < 12 ? 20000 : -20000) << k;
    EXPECT_EQ(At(518), kSentinel);
}

TEST_F(AudioHash, FollowsTheGeneratorOverItsSlice)
{
    const int64_t p = 123456;
    FillSentinel(p + 4990, 900);
    const uint32_t seed = 987654321u;
    randomWord.word.store(static_cast<int32_t>(seed), std::memory_order_relaxed);
    LayBackgroundHash(p);

    ReferenceLcg ref{seed};
    int32_t bursts = 0, low = 0, high = 0;
    for (int32_t i = 1; i <= 882; ++i) {
        const uint32_t before = ref.state;
        const int32_t expected = ref.NextHash();
        bursts += ref.state != before * 1664525u + 1013904223u;
        const int16_t got = At(p + 4998 + i);
        ASSERT_EQ(got, expected) << "i = " << i;
        low = std::min<int32_t>(low, got);
        high = std::max<int32_t>(high, got);
    }
    EXPECT_EQ(At(p + 4998), kSentinel);
    EXPECT_EQ(At(p + 4998 + 883), kSentinel);
    // Each burst takes a second draw, and the word ends where the formula does.
    EXPECT_EQ(static_cast<uint32_t>(randomWord.word.load()), ref.state);
    EXPECT_GT(bursts, 20);  // about 5 % of 882
    EXPECT_GE(low, -500);
    EXPECT_LE(high, 5498);
    EXPECT_GT(high, 499);  // at least one burst rose above the hiss
}

TEST_F(AudioHash, StaysInsideTheStreamForAnyPosition)
{
    struct Case {
        int64_t position;
        int64_t firstWritten, lastWritten;  // -1: nothing
    } cases[] = {
        {0, 4999, 5880},
        {kAudioRestartAt, kAudioRestartAt + 4999, kAudioSamples - 1},
        {kAudioSamples - 5000, kAudioSamples - 1, kAudioSamples - 1},
        {kAudioSamples - 4999, -1, -1}, {kAudioSamples, -1, -1}, {INT64_MAX, -1, -1}, {-1, -1, -1}, {INT64_MIN, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        FillSentinel(0, 6000);
        FillSentinel(kAudioSamples - 6000, 6000);
        randomWord.word.store(kSeed, std::memory_order_relaxed);
        LayBackgroundHash(c.position);
        int64_t changedFirst = -1, changedLast = -1, changed = 0;
        auto look = [&](int64_t i) {
            if (At(i) != kSentinel) {
                if (changedFirst < 0) changedFirst = i;
                changedLast = i;
                ++changed;
            }
        };
        for (int64_t i = 0; i < 6000; ++i) look(i);
        for (int64_t i = kAudioSamples - 6000; i < kAudioSamples; ++i) look(i);
        if (c.firstWritten < 0) {
            EXPECT_EQ(changed, 0);
        } else {
            // A hash value equal to the sentinel is possible but not with this seed.
            EXPECT_EQ(changedFirst, c.firstWritten);
            EXPECT_EQ(changedLast, c.lastWritten);
        }
    }
}

TEST_F(AudioHash, OverwritesClicksAlreadyInTheSlice)
{
    const int64_t p = 20000;
    WriteClick(p + 5000);
    randomWord.word.store(kSeed, std::memory_order_relaxed);
    LayBackgroundHash(p);
    for (int k = 0; k < 12; ++k) {
        EXPECT_GE(At(p + 5000 + k), -500);
        EXPECT_LE(At(p + 5000 + k), 5498);
    }
}

// The tick's writing half with chosen play positions: where clicks land and
// what happens at the end of the stream.
std::vector<std::pair<int64_t, int32_t>>* clickLog = nullptr;
int64_t currentPosition = 0;
void LoggingClick(int32_t index)
{
    if (clickLog) clickLog->push_back({currentPosition, index});
    WriteClick(index);
}

class AudioTick : public AudioStream {
protected:
    void TearDown() override
    {
        clickLog = nullptr;
        AudioStream::TearDown();
    }
};

TEST_F(AudioTick, ClickLandsBetweenLeadAndSliceEndAfterItsPosition)
{
    // A fast Poisson-like cell so clicks fall all over the slice.
    PrepareOnCentreCell(80.0f);
    modelOptions.saturatingIO = false;
    modelOptions.gammaOrder = 1;
    applyCellTypeRates();
    std::vector<std::pair<int64_t, int32_t>> log;
    clickLog = &log;
    ClearAudioSamples();
    int32_t spikes = 0;
    // Uneven steps as a real device gives them: 512-sample callbacks.
    const int64_t steps[] = {512, 1024, 512, 1024, 0, 1536};
    int64_t p = 0;
    for (int tick = 0; tick < 300; ++tick) {
        p += steps[tick % 6];
        currentPosition = p;
        NeuronTickCompute();
        spikes += NeuronTickFinish(p, LoggingClick);
    }
    ASSERT_EQ(static_cast<int32_t>(log.size()), spikes);
    ASSERT_GT(spikes, 300);
    for (const auto& [position, index] : log) {
        EXPECT_GE(index - position, 5000);
        EXPECT_LE(index + 11 - position, 5893);
    }
}

TEST_F(AudioTick, EndOfStreamIsNeverPassed)
{
    PrepareOnCentreCell(300.0f);
    modelOptions.saturatingIO = false;
    modelOptions.gammaOrder = 1;
    applyCellTypeRates();
    std::vector<std::pair<int64_t, int32_t>> log;
    clickLog = &log;
    FillSentinel(kAudioSamples - 6000, 6000);
    const int64_t positions[] = {kAudioRestartAt - 882, kAudioRestartAt - 1, kAudioRestartAt,
                                 kAudioRestartAt + 1, kAudioRestartAt + 600, kAudioSamples - 1, kAudioSamples};
    for (int64_t p : positions) {
        SCOPED_TRACE(p);
        currentPosition = p;
        for (int rep = 0; rep < 20; ++rep) {
            NeuronTickCompute();
            NeuronTickFinish(p, LoggingClick);
        }
    }
    ASSERT_FALSE(log.empty());
    // Every sample at the end holds untouched sentinel or a piece of a click.
    for (int64_t i = kAudioSamples - 6000; i < kAudioSamples; ++i) {
        const int16_t v = At(i);
        EXPECT_TRUE(v == kSentinel || v == 20000 || v == -20000) << i;
    }
    // The last sample of the stream was reached from just below the threshold.
    bool lastReached = false;
    for (const auto& [position, index] : log) {
        EXPECT_GE(index - position, 5000);
        EXPECT_LT(index - position, 5882);
        if (index + 11 >= kAudioSamples - 1 && index < kAudioSamples) lastReached = true;
    }
    EXPECT_TRUE(lastReached);
}

// The whole writing half, hash included, with the rate held at 0 or not.
TEST_F(AudioTick, HashAndSilenceAtRateZero)
{
    const struct { bool hash; float rate; } cases[] = {{true, 0.0f}, {false, 0.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hash);
        PrepareOnCentreCell(c.rate, c.hash);
        ClearAudioSamples();
        const uint32_t seed = 24680u;
        randomWord.word.store(static_cast<int32_t>(seed), std::memory_order_relaxed);
        int64_t p = 100000;
        NeuronTickCompute();
        EXPECT_EQ(FinishAudioTick(p), 0);
        // The hash is laid before any spike trial, so the slice follows the seed.
        ReferenceLcg ref{seed};
        for (int32_t i = 1; i <= 882; ++i) ASSERT_EQ(At(p + 4998 + i), c.hash ? ref.NextHash() : 0) << i;
        // Many more ticks, end to end: pure hash, or nothing at all.
        for (int tick = 0; tick < 200; ++tick) {
            p += 882;
            NeuronTickCompute();
            EXPECT_EQ(FinishAudioTick(p), 0);
        }
        const std::vector<int16_t> stream = CopyStream(100000 + 4999, 201 * 882);
        int64_t nonZero = 0;
        for (int16_t v : stream) {
            EXPECT_GE(v, -500);
            EXPECT_LE(v, 5498);
            nonZero += v != 0;
        }
        if (c.hash) EXPECT_GT(nonZero, static_cast<int64_t>(stream.size() * 9 / 10));
        else EXPECT_EQ(nonZero, 0);
    }
}

// With spikes and the hash on, the clicks cover the hash and nothing else is
// ever louder than a burst.
TEST_F(AudioTick, ClicksCoverTheHash)
{
    PrepareOnCentreCell(40.0f, true);
    ClearAudioSamples();
    std::vector<std::pair<int64_t, int32_t>> log;
    clickLog = &log;
    int64_t p = 0;
    int32_t spikes = 0;
    for (int tick = 0; tick < 250; ++tick) {
        p += 882;
        currentPosition = p;
        NeuronTickCompute();
        LayBackgroundHash(p);
        spikes += NeuronTickFinish(p, LoggingClick);
    }
    ASSERT_GT(spikes, 50);
    // A click in the slice's last 11 samples runs into the next tick's hash
    // (from sample P + 4999 of that tick) and is covered by it; every other
    // click stays whole.
    int32_t coveredAtSliceEnd = 0;
    for (const auto& [position, index] : log) coveredAtSliceEnd += index + 12 > position + 5881;
    EXPECT_GT(coveredAtSliceEnd, 0);
    const std::vector<int16_t> stream = CopyStream(882 + 4999, 250 * 882);
    size_t clicks = 0, i = 0;
    while (i < stream.size()) {
        if (IsClickAt(stream, i)) {
            ++clicks;
            i += 12;
            continue;
        }
        const bool clickPiece = stream[i] == 20000 || stream[i] == -20000;
        EXPECT_TRUE(clickPiece || (stream[i] >= -500 && stream[i] <= 5498)) << i;
        ++i;
    }
    EXPECT_EQ(clicks, static_cast<size_t>(spikes - coveredAtSliceEnd));
}

}  // namespace
