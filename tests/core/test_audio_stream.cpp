// The stream as a ring and the adaptive lead: every click written is heard once, at its place, however long
// the session and however the device's position moves.
#include "tests/core/test_support.h"

using namespace ts;

namespace {

int16_t At(int64_t position) { return StreamSample(position).load(std::memory_order_relaxed); }

TEST(AudioStream, ClickWrapsRoundTheRing)
{
    ClearAudioSamples();
    WriteClick(-1);
    EXPECT_EQ(audioSamples[kAudioRingSamples - 1].load(), 0);
    const int64_t at = 5 * kAudioRingSamples - 6;  // the sixth round, six samples before the ring's end
    WriteClick(at);
    for (int32_t k = 0; k < 12; ++k) EXPECT_EQ(At(at + k), k < 6 ? 20000 : -20000) << k;
    EXPECT_EQ(std::tuple(audioSamples[5].load(), audioSamples[6].load(), audioSamples[kAudioRingSamples - 7].load()),
              std::tuple(-20000, 0, 0));
    ClearAudioSamples();
}

// The lead rule against a scripted play position: steps of P, then the lead and late ticks expected after them.
TEST(AudioStream, LeadGrowsAtOnceAndShrinksSlowly)
{
    // P moves by steps[i % size] before tick i.
    const struct { const char* what; std::vector<int64_t> steps; int32_t ticks, leadAfter; int64_t lateTicks; } cases[] = {
        // Down from its start to where the closest of these ticks has a period to spare: 1024 + 256 + 256 - 882.
        {"steady run in whole periods", {768, 1024, 768, 1024, 1024, 768, 768, 1024}, 10000, 654, 0},
        {"a stall of 113 ms", {882, 882, 882, 5882}, 4, 1394 + 3862 + 256, 1},  // missed 3862
        {"a burst of late ticks", {882, 1500, 3000, 6000, 12000, 20000}, 6, 19630, 4},  // the start lead covers 1500
        {"a stall of over a second", {882, 60000}, 2, 1394 + 256, 1},  // starts afresh: nothing written behind
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AudioLead lead = NewAudioLead(256);
        EXPECT_EQ(lead.samples, 512 + kAudioSlice);  // two periods and a tick
        int64_t p = 1000, lastEnd = -1;
        for (int32_t i = 0; i < c.ticks; ++i) {
            p += c.steps[i % c.steps.size()];
            const int32_t before = lead.samples;
            const StreamSlice s = PlanSlice(lead, lastEnd, p);
            // The slice follows on unless it starts afresh; it ends at the lead, and nothing of it ahead of the
            // device's period is lost.
            if (lastEnd >= 0 && p - lastEnd < kAudioRate) { EXPECT_EQ(s.first, lastEnd); }
            EXPECT_GE(s.heardFrom, std::max(s.first, p + 256));  // never where the device reads
            EXPECT_GE(s.limit, std::max(s.heardFrom, p + 512 + kAudioSlice));  // a tick past the floor
            if (s.heardFrom > s.first) { EXPECT_GE(lead.samples, before + (s.heardFrom - s.first) + 256); }
            lastEnd = s.limit;
        }
        EXPECT_EQ(lead.lateTicks, c.lateTicks);
        EXPECT_EQ(lead.samples, c.leadAfter);
        // Then a long steady run brings it back to two periods, a step per 5 s.
        const int32_t grown = lead.samples;
        for (int32_t i = 0; i < kShrinkAfterTicks - 1; ++i) lastEnd = PlanSlice(lead, lastEnd, p += 882).limit;
        EXPECT_EQ(lead.samples, grown);
        for (int32_t i = 0; i < 40 * kShrinkAfterTicks; ++i) lastEnd = PlanSlice(lead, lastEnd, p += 882).limit;
        EXPECT_EQ(lead.samples, 512);
        EXPECT_EQ(lead.lateTicks, c.lateTicks);
    }
    // The stall's slices, sample for sample: the fourth found 3,862 of its samples played and starts where the
    // device has yet to read.
    AudioLead lead = NewAudioLead(256);
    int64_t lastEnd = -1;
    const int64_t at[] = {1882, 2764, 3646, 9528}, first[] = {3276, 4158, 5040, 5922},
                  heard[] = {3276, 4158, 5040, 9784}, limit[] = {4158, 5040, 5922, 15922};
    for (int32_t i = 0; i < 4; ++i) {
        const StreamSlice s = PlanSlice(lead, lastEnd, at[i]);
        EXPECT_EQ(std::tuple(s.first, s.heardFrom, s.limit), std::tuple(first[i], heard[i], limit[i])) << i;
        lastEnd = s.limit;
    }
}

// Ten minutes of a tick 14 ms late every 14 s (a busy neighbour, a hiccup of the device): the lead settles
// where that tick is on time, instead of coming down into it again and again.
TEST(AudioStream, LeadKeepsWhatAWanderingTickNeeds)
{
    AudioLead lead = NewAudioLead(256);
    int64_t p = 1000, lastEnd = -1, lateAfterTwoMinutes = 0;
    for (int32_t i = 1; i <= 30000; ++i) {
        p += i % 700 == 0 ? 882 + 600 : 882;
        lastEnd = PlanSlice(lead, lastEnd, p).limit;
        if (i == 6000) lateAfterTwoMinutes = lead.lateTicks;
    }
    // That tick needs 600 + 256 samples beyond the slice it follows.
    EXPECT_GE(lead.samples, 856);
    EXPECT_LE(lead.lateTicks, 4);
    EXPECT_EQ(lead.lateTicks, lateAfterTwoMinutes);
}

// A device that plays the ring in periods of 256 samples and clears what it played, as the SDL callback does;
// it counts the clicks it hears.
struct PlayingDevice {
    int64_t played = 0, clicks = 0;
    int16_t previous = 0;
    void PlayTo(int64_t position)
    {
        for (; played < position; ++played) {
            const int16_t v = StreamSample(played).exchange(0, std::memory_order_relaxed);
            clicks += v == 20000 && previous != 20000;
            previous = v;
        }
    }
};

// 2,000 s of session, far past where a stream of fixed length would have started over: every click written is
// heard once, none lost while the device keeps time. A stall costs the clicks it puts behind the device, counted.
TEST(AudioStream, LongSessionHearsEveryClickOnce)
{
    for (const bool stall : {false, true}) {
        SCOPED_TRACE(stall);
        ResetEngine(Simple, 5);
        ClearAudioSamples();
        modelOptions.currentGammaOrder = 3;
        simulation.lead = NewAudioLead(256);
        PlayingDevice device;
        int64_t generated = 0;
        constexpr int64_t kTicks = 100000;  // 2,000 s
        for (int64_t tick = 1; tick <= kTicks; ++tick) {
            simulation.expectedRate = tick % 400 < 200 ? 150.0f : 20.0f, modelOptions.backgroundHash = tick > kTicks / 2;
            int64_t now = tick * kAudioSlice;
            if (stall && tick % 20000 == 10000) now += 3000;  // the tick came 68 ms late
            device.PlayTo(now / 256 * 256);
            generated += FinishAudioTick(device.played);
        }
        device.PlayTo(simulation.sliceEnd + kClickSamples);
        EXPECT_GT(generated, 150000);
        EXPECT_EQ(device.clicks, generated - simulation.lead.lostClicks);
        EXPECT_EQ(simulation.lead.lateTicks, stall ? 5 : 0);
        if (!stall) { EXPECT_EQ(simulation.lead.lostClicks, 0); }
    }
    modelOptions.backgroundHash = false;
    ClearAudioSamples();
}

}  // namespace
