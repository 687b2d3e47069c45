// The peak rate and the traces: the record of each tick, where the samples
// are drawn, spike strokes, stimulus marks and wild values.
#include <limits>

#include "tests/core/test_support.h"
#include "render/scene_drawing.h"

using namespace ts;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

void ResetTraces(int32_t width, int32_t index)
{
    for (int32_t j = 0; j <= kMaxTraceWidth; ++j) traces.responseTrace[j] = 0.0f, traces.stimulusTrace[j] = traces.spikeTrace[j] = 0;
    traces.traceWidth = width;
    traces.traceIndex = index;
}

// Slot of the sample drawn i pixels left of the right edge.
int32_t SlotOf(int32_t i, int32_t index, int32_t width) { return index - i < 1 ? index - i + width : index - i; }

void Tick(float rate, int32_t spikes = 0) { RecordRate(rate, 0.25f), RecordTick(spikes); }

}  // namespace

TEST(TraceDrawing, SamplesRunRightToLeftWithSpikeStrokesAndStimulusMarks)
{
    // A 1000-pixel client: the right edge is 988 and 976 samples are kept.
    for (int32_t index : {1, 500, 976}) {
        SCOPED_TRACE(testing::Message() << "traceIndex " << index);
        ResetScene();
        ResetTraces(976, index);
        traces.spikeTrace[SlotOf(10, index, 976)] = 1;         // spike at x 978
        traces.spikeTrace[SlotOf(300, index, 976)] = 1;        // spike at x 688, over a saturated drive
        traces.responseTrace[SlotOf(300, index, 976)] = 1.0f;
        traces.responseTrace[SlotOf(200, index, 976)] = 0.5f;  // row 52 at x 788
        for (int32_t i = 100; i <= 105; ++i) traces.responseTrace[SlotOf(i, index, 976)] = 1.0f;  // saturated
        for (int32_t i = 400; i < 410; ++i) traces.stimulusTrace[SlotOf(i, index, 976)] = 1;
        DrawTraces();

        for (int32_t x : {978, 688}) {
            for (int32_t y = 42; y <= 62; ++y) EXPECT_EQ(ReadPixel(x, y), kWhite) << x << ", " << y;
            EXPECT_EQ(ReadPixel(x, 41), kGrey);
        }
        EXPECT_EQ(ReadPixel(788, 52), kWhite);
        EXPECT_EQ(ReadPixel(788, 51), kGrey);
        // A saturated drive without a spike is a plateau in row 42 (x 883 to 888), not strokes: up at 888, down at 882.
        for (int32_t x = 883; x <= 887; ++x)
            for (int32_t y = 42; y <= 62; ++y) EXPECT_EQ(ReadPixel(x, y), y == 42 ? kWhite : kGrey) << x << ", " << y;
        // The zero samples lie on the baseline, from the newest (x 987) to the oldest (x 13).
        for (int32_t x : {12, 13, 987, 988}) EXPECT_EQ(ReadPixel(x, 62), x == 12 || x == 988 ? kGrey : kWhite) << x;
        // Stimulus marks: two pixels in rows 71 and 72 under each marked tick.
        for (int32_t i = 399; i <= 410; ++i)
            for (int32_t y = 70; y <= 73; ++y)
                EXPECT_EQ(ReadPixel(988 - i, y), i >= 400 && i < 410 && (y == 71 || y == 72) ? kWhite : kGrey) << i;
        // Nothing else: the baseline from x 13 to 987 but for x 788, where the line rises to row 52 (9 pixels at
        // x 789, 10 at x 788) and x 883 to 888 (rows 42 to 61 at x 888, row 42 at x 883 to 887, rows 43 to 62 at
        // x 882); the two strokes' 20 pixels each above the baseline; the 20 marks.
        EXPECT_EQ(ReadPixel(788, 62), kGrey);
        EXPECT_EQ(CountPixels(kWhite), 974 + 19 + (20 + 5 + 19 - 6) + 40 + 20);
        EXPECT_EQ(frameBuffer.colour, kWhite);
    }
}

TEST(TraceDrawing, WildValuesAndIndicesStayInBounds)
{
    const struct { int32_t width, index, client; float value; } cases[] = {
        {976, 3, kWidth, 1e30f}, {976, 3, kWidth, -1e30f}, {976, 3, kWidth, kNaN}, {976, 2000, kWidth, 0.2f},
        {976, -7, kWidth, 0.2f}, {kMaxTraceWidth + 5, kMaxTraceWidth + 5, kWidth, 0.2f}, {2200, 1, 3, 0.2f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << ", " << c.index << ", " << c.client << ", " << c.value);
        ResetScene();
        ResetTraces(c.width, c.index);
        for (int32_t j = 1; j <= kMaxTraceWidth; j += 3) traces.responseTrace[j] = c.value;
        appState.clientWidth = c.client;
        DrawTraces();
        // Only white is ever drawn, and only in the trace rows (negative samples reach below them).
        EXPECT_EQ(CountPixels(kWhite) + CountPixels(kGrey), int64_t{kWidth} * kHeight);
        for (int32_t x = 0; x < kWidth && c.value > -1.0f; ++x) EXPECT_EQ(ReadPixel(x, 80), kGrey);
    }
}

TEST(PeakRate, HoldsForTwentyFiveTicksAndPassesOverNonNumbers)
{
    ResetEngine(OnCentreX);
    Tick(80.0f);
    for (int32_t tick = 2; tick <= 25; ++tick) Tick(10.0f);
    EXPECT_EQ(simulation.peakRate.load(), 80.0f) << "still in the 500 ms window";
    Tick(10.0f);
    EXPECT_EQ(simulation.peakRate.load(), 10.0f) << "the 80 has left the window";
    Tick(90.0f);
    EXPECT_EQ(simulation.peakRate.load(), 90.0f) << "a larger rate takes over at once";

    const struct { float rates[3]; float peak; } cases[] = {
        {{kNaN, kNaN, kNaN}, 0.0f}, {{-5.0f, -1.0f, -30.0f}, 0.0f}, {{kNaN, 12.0f, kNaN}, 12.0f},
        {{std::numeric_limits<float>::infinity(), 7.0f, 3.0f}, 7.0f},
    };
    for (const auto& c : cases) {
        ResetEngine(OnCentreX);
        for (float rate : c.rates) Tick(rate);
        EXPECT_EQ(simulation.peakRate.load(), c.peak);
    }
}

TEST(Traces, SpikeMarkAndIndexWrap)
{
    const struct { int32_t width, ticks, index; } cases[] = {
        {3, 2, 3}, {3, 3, 1}, {3, 4, 2}, {1, 5, 1}, {-7, 5, 1},  // narrow windows keep slot 1
        {kMaxTraceWidth + 5, kMaxTraceWidth, 1},                 // never past the arrays
    };
    for (const auto& c : cases) {
        ResetEngine(OnCentreX);
        traces.traceWidth = c.width;
        for (int32_t t = 0; t < c.ticks; ++t) Tick(20.0f, t % 2);
        EXPECT_EQ(traces.traceIndex.load(), c.index) << c.width << " after " << c.ticks;
    }
    ResetEngine(OnCentreX);
    Tick(20.0f, 0);
    Tick(20.0f, 2);
    EXPECT_EQ(traces.responseTrace[1].load(), 0.25f);
    EXPECT_EQ(traces.spikeTrace[1].load(), 0);
    EXPECT_EQ(traces.responseTrace[2].load(), 0.25f) << "the drive is kept beside the spike";
    EXPECT_EQ(traces.spikeTrace[2].load(), 1) << "a tick with spikes is a full stroke";
    traces.traceIndex = 99999;  // not a slot: written into slot 1
    Tick(20.0f, 1);
    EXPECT_EQ(traces.spikeTrace[1].load(), 1);
    EXPECT_EQ(traces.traceIndex.load(), 2);
}

TEST(Traces, StimulusMarker)
{
    // shift: pixels added to the centre column after the build
    const struct { int32_t type; bool on, stationary; int32_t displayMode; float centreValue; int32_t centreShift, marker; } cases[] = {
        {Bar, false, true, Hidden, 0.0f, 0, 1},  // spots and bars are marked while hidden
        {Annulus, false, false, GreyScale, 0.0f, 0, 0},  {Grating, false, true, Outlines, 0.5f, 0, 1},
        {Grating, true, false, GreyScale, -0.5f, 0, 0},  {Grating, true, false, Hidden, 0.5f, 0, 0},
        {Grating, true, false, GreyScale, 0.5f, 600, 0},   // centre beyond column 499
        {Grating, true, false, GreyScale, 0.5f, -200, 0},  // centre left of the box
    };
    for (const auto& c : cases) {
        ResetEngine(Simple);
        stimulus.stimulusType = c.type, stimulus.stimulusOn = c.on, stimulus.stationaryMode = c.stationary;
        receptiveField.displayMode = c.displayMode;
        const int32_t half = BoxHalf();
        PublishImage([&](int32_t col, int32_t row) { return col == half && row == half ? c.centreValue : 1.0f; });
        receptiveField.centreX = receptiveField.centreX + c.centreShift * kDegreesPerPixel;
        NeuronTickCompute();
        RecordTick(0);
        EXPECT_EQ(traces.stimulusTrace[1].load(), c.marker)
            << "type " << c.type << " value " << c.centreValue << " shift " << c.centreShift;
    }
    // A centre typed far beyond the canvas gives no grating marker.
    for (float centre : {1e30f, -1e30f, kNaN}) {
        receptiveField.centreX = centre;
        RecordTick(0);
        EXPECT_EQ(traces.stimulusTrace[traces.traceIndex - 1].load(), 0) << centre;
    }
}
