
#include <limits>

#include "tests/core/test_support.h"

using namespace ts;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

void Tick(float rate, int32_t spikes = 0)
{
    RecordRate(rate, 0.25f);
    RecordTick(spikes);
}

}  // namespace

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

    struct Case { float rates[3]; float peak; };
    const Case cases[] = {
        {{kNaN, kNaN, kNaN}, 0.0f}, {{-5.0f, -1.0f, -30.0f}, 0.0f}, {{kNaN, 12.0f, kNaN}, 12.0f},
        {{std::numeric_limits<float>::infinity(), 7.0f, 3.0f}, 7.0f},
    };
    for (const Case& c : cases) {
        ResetEngine(OnCentreX);
        for (float rate : c.rates) Tick(rate);
        EXPECT_EQ(simulation.peakRate.load(), c.peak);
    }
}

TEST(Traces, SpikeMarkAndIndexWrap)
{
    struct Case { int32_t width; int32_t ticks; int32_t index; };
    const Case cases[] = {
        {3, 2, 3}, {3, 3, 1}, {3, 4, 2}, {1, 5, 1}, {-7, 5, 1},  // narrow windows keep slot 1
        {kMaxTraceWidth + 5, kMaxTraceWidth, 1},  // never past the arrays
    };
    for (const Case& c : cases) {
        ResetEngine(OnCentreX);
        simulation.traceWidth = c.width;
        for (int32_t t = 0; t < c.ticks; ++t) Tick(20.0f, t % 2);
        EXPECT_EQ(simulation.traceIndex.load(), c.index) << c.width << " after " << c.ticks;
    }
    ResetEngine(OnCentreX);
    Tick(20.0f, 0);
    Tick(20.0f, 2);
    EXPECT_EQ(simulation.responseTrace[1].load(), 0.25f);
    EXPECT_EQ(simulation.responseTrace[2].load(), 1.0f) << "a tick with spikes is a full stroke";
    simulation.traceIndex = 99999;  // not a slot: written into slot 1
    Tick(20.0f, 1);
    EXPECT_EQ(simulation.responseTrace[1].load(), 1.0f);
    EXPECT_EQ(simulation.traceIndex.load(), 2);
}

TEST(Traces, StimulusMarker)
{
    struct Case {
        int32_t type; bool on, stationary; int32_t displayMode; float centreValue;
        int32_t centreShift;  // pixels added to the centre column after the build
        int32_t marker;
    };
    const Case cases[] = {
        {Spot, true, false, GreyScale, 0.0f, 0, 1},
        {Bar, false, true, Hidden, 0.0f, 0, 1},     // spots and bars mark while hidden
        {Annulus, false, false, GreyScale, 0.0f, 0, 0},
        {Grating, true, false, GreyScale, 0.5f, 0, 1},
        {Grating, false, true, Outlines, 0.5f, 0, 1},
        {Grating, true, false, GreyScale, -0.5f, 0, 0},
        {Grating, true, false, Hidden, 0.5f, 0, 0},
        {Grating, false, false, GreyScale, 0.5f, 0, 0},
        {Grating, true, false, GreyScale, 0.5f, 600, 0},   // centre beyond column 499
        {Grating, true, false, GreyScale, 0.5f, -200, 0},  // centre left of the box
    };
    for (const Case& c : cases) {
        ResetEngine(Simple);
        stimulus.stimulusType = c.type;
        stimulus.stimulusOn = c.on;
        stimulus.stationaryMode = c.stationary;
        receptiveField.displayMode = c.displayMode;
        const int32_t half = BoxHalf();
        PublishImage([&](int32_t col, int32_t row) {
            return col == half && row == half ? c.centreValue : 1.0f;
        });
        receptiveField.centreX = receptiveField.centreX + c.centreShift * stimulus.degreesPerPixel;
        NeuronTickCompute();
        RecordTick(0);
        EXPECT_EQ(simulation.stimulusTrace[1].load(), c.marker)
            << "type " << c.type << " value " << c.centreValue << " shift " << c.centreShift;
    }
    // A centre typed far beyond the canvas gives no grating marker.
    for (float centre : {1e30f, -1e30f, kNaN}) {
        receptiveField.centreX = centre;
        RecordTick(0);
        EXPECT_EQ(simulation.stimulusTrace[simulation.traceIndex - 1].load(), 0) << centre;
    }
}

