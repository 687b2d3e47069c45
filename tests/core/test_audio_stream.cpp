// The stream itself: the click waveform, the background hash and the tick's
// writing half stay inside it for any play position.
#include <climits>

#include "tests/core/test_support.h"

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

int16_t At(int64_t i) { return audioSamples[i].load(std::memory_order_relaxed); }

TEST_F(AudioStream, ClickWaveformAndStreamBounds)
{
    const struct { int32_t index, written; } cases[] = {  // written: samples of the click inside the stream
        {1000, 12}, {kAudioSamples - 12, 12}, {kAudioSamples - 8, 8}, {kAudioSamples, 0},
        {INT32_MAX, 0}, {-1, 0}, {INT32_MIN, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        FillSentinel(0, 40);
        FillSentinel(990, 40);
        FillSentinel(kAudioSamples - 40, 40);
        WriteClick(c.index);
        int64_t changed = 0;
        for (int64_t i : {0, 990, kAudioSamples - 40})
            for (int64_t k = i; k < i + 40; ++k) changed += At(k) != kSentinel;
        EXPECT_EQ(changed, c.written);
        for (int32_t k = 0; k < c.written; ++k) EXPECT_EQ(At(int64_t{c.index} + k), k < 6 ? 20000 : -20000) << k;
    }
}

TEST_F(AudioStream, HashStaysInsideTheStreamForAnyPosition)
{
    const struct { int64_t position, firstWritten, lastWritten; } cases[] = {  // -1: nothing
        {0, 4999, 5880}, {kAudioRestartAt, kAudioRestartAt + 4999, kAudioSamples - 1},
        {kAudioSamples - 5000, kAudioSamples - 1, kAudioSamples - 1}, {kAudioSamples - 4999, -1, -1},
        {INT64_MAX, -1, -1}, {-1, -1, -1}, {INT64_MIN, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        FillSentinel(0, 6000);
        FillSentinel(kAudioSamples - 6000, 6000);
        randomWord.word.store(kSeed, std::memory_order_relaxed);
        LayBackgroundHash(c.position);
        int64_t changedFirst = -1, changedLast = -1;
        for (int64_t i = 0; i < kAudioSamples; i = i == 5999 ? kAudioSamples - 6000 : i + 1) {
            if (At(i) == kSentinel) continue;  // no hash value of this seed equals the sentinel
            if (changedFirst < 0) changedFirst = i;
            changedLast = i;
        }
        EXPECT_EQ(changedFirst, c.firstWritten);
        EXPECT_EQ(changedLast, c.lastWritten);
    }
}

// The tick's writing half near the end of the stream: a click is whole or
// cut at the last sample, never written past it or behind the play position.
TEST_F(AudioStream, TickNeverWritesPastTheEndOfTheStream)
{
    PrepareOnCentreCell(300.0f);
    modelOptions.saturatingIO = false;
    ApplyCellTypeRates();
    FillSentinel(kAudioSamples - 6000, 6000);
    static int64_t position = 0;
    static int32_t clicks = 0;
    clicks = 0;
    const int64_t restart = kAudioRestartAt, end = kAudioSamples;
    for (int64_t p : {restart - 882, restart - 1, restart, restart + 600, end - 1, end}) {
        SCOPED_TRACE(p);
        position = p;
        for (int rep = 0; rep < 20; ++rep) {
            NeuronTickCompute();
            NeuronTickFinish(p, [](int32_t index) {
                ++clicks;
                EXPECT_GE(index - position, kAudioMinimumLead);
                EXPECT_LT(index - position, kAudioLead + kAudioSlice);
                WriteClick(index);
            });
        }
    }
    EXPECT_GT(clicks, 0);
    for (int64_t i = kAudioSamples - 6000; i < kAudioSamples; ++i) {
        const int16_t v = At(i);
        ASSERT_TRUE(v == kSentinel || v == 20000 || v == -20000) << i;
    }
}

}  // namespace
