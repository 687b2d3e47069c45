#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "sim/tuning_analysis.h"
#include "sim/tuning_csv.h"
#include "stimulus/stimulus_state.h"

namespace {

CurvePoint At(float value, float rate)
{
    CurvePoint p;
    p.value = value;
    p.repeats = 1;
    p.meanRate = rate;
    return p;
}

}  // namespace

TEST(TuningHarmonics, ExactValuesOfKnownTrains)
{
    // 2.5 Hz has a period of 20 ticks: one spike per cycle in tick 0 of it.
    std::vector<int32_t> pulse(100, 0);
    for (size_t k = 0; k < pulse.size(); k += 20) pulse[k] = 1;
    Harmonics h = SpikeHarmonics(pulse.data(), 100, 2.5f);
    EXPECT_NEAR(h.f0, 2.5f, 1e-5f);
    EXPECT_NEAR(h.f1, 5.0f, 1e-4f) << "a narrow pulse has F1 = 2 F0";

    std::vector<int32_t> steady(100, 2);
    h = SpikeHarmonics(steady.data(), 100, 2.5f);
    EXPECT_NEAR(h.f0, 100.0f, 1e-4f);
    EXPECT_NEAR(h.f1, 0.0f, 1e-3f);

    // Half-wave: on for 10 ticks of every 20. F1/F0 of a square wave is 4/pi
    // (sampled: 2 / (10 sin(pi/20)) = 1.2784).
    std::vector<int32_t> half(100, 0);
    for (size_t k = 0; k < half.size(); ++k) half[k] = (k % 20) < 10 ? 1 : 0;
    h = SpikeHarmonics(half.data(), 100, 2.5f);
    EXPECT_NEAR(h.f1 / h.f0, 2.0f / (10.0f * std::sin(3.14159265f / 20.0f)), 1e-4f);

    // The window is the last whole cycles: an onset burst before them is left out.
    std::vector<int32_t> burst(50, 0);
    for (size_t k = 0; k < 10; ++k) burst[k] = 5;
    h = SpikeHarmonics(burst.data(), 50, 2.5f);  // 2 cycles = 40 ticks, from tick 10
    EXPECT_EQ(h.f0, 0.0f);
    EXPECT_EQ(h.f1, 0.0f);

    // Lost ticks are left out, not counted as silent.
    std::vector<int32_t> lost(40, 1);
    for (size_t k = 0; k < 40; k += 2) lost[k] = -1;
    EXPECT_NEAR(SpikeHarmonics(lost.data(), 40, 2.5f).f0, 50.0f, 1e-4f);
    EXPECT_NEAR(MeanSpikeRate(lost.data(), 40), 50.0f, 1e-4f);
    EXPECT_EQ(MeanSpikeRate(lost.data(), 0), 0.0f);

    // At or above the tick rate's Nyquist limit there is no F1.
    EXPECT_EQ(SpikeHarmonics(pulse.data(), 100, 25.0f).f1, 0.0f);
    EXPECT_EQ(SpikeHarmonics(pulse.data(), 0, 2.5f).f0, 0.0f);
}

TEST(TuningSummaryIndices, ExactIndicesOfAKnownCurve)
{
    // Peak 40 at 90, orthogonal 10 and 6, opposite 20, minimum 0.
    const std::vector<CurvePoint> curve = {At(0, 10), At(45, 20), At(90, 40), At(135, 20),
                                           At(180, 6), At(225, 0), At(270, 20), At(315, 0)};
    const TuningSummary s = SummariseCurve(FieldOrientation, curve);
    ASSERT_TRUE(s.valid);
    EXPECT_EQ(s.preferred, 90.0f);
    EXPECT_EQ(s.preferredRate, 40.0f);
    ASSERT_TRUE(s.hasOsi);
    EXPECT_NEAR(s.osi, (40.0f - 8.0f) / 48.0f, 1e-6f);
    ASSERT_TRUE(s.hasDsi);
    EXPECT_NEAR(s.dsi, (40.0f - 20.0f) / 60.0f, 1e-6f);
    ASSERT_TRUE(s.hasHalfWidth);
    EXPECT_NEAR(s.halfWidth, 45.0f, 1e-4f) << "half height 20 is reached 45 degrees each side";
    EXPECT_FALSE(s.hasF1F0);

    const std::string text = SummaryText(FieldOrientation, s);
    EXPECT_EQ(text, "Preferred orientation 90.0 deg (40.0 spikes/s), half-width at half height 45.0 deg, "
                    "OSI 0.67, DSI 0.33");
}

TEST(TuningCsv, RoundTripsEveryValueExactly)
{
    std::vector<TuningPoint> points;
    for (int32_t i = 0; i < 5; ++i) {
        TuningPoint p;
        p.value = 0.1f * std::pow(3.0f, static_cast<float>(i));
        p.repeat = i % 2 + 1;
        p.meanRate = 1.0f / 3.0f + i;
        p.peakRate = 99.99999f - i;
        p.hasHarmonics = i != 2;
        p.f0 = p.hasHarmonics ? 12.345678f * i : 0.0f;
        p.f1 = p.hasHarmonics ? 1e-7f + i : 0.0f;
        points.push_back(p);
    }
    const std::string text = TuningCsvText(FieldSpatialFrequency, points);
    EXPECT_EQ(text.substr(0, text.find('\n')), kTuningCsvHeader);
    EXPECT_NE(text.find("\nspatial frequency (c/deg),0.3,2,"), std::string::npos) << text;
    EXPECT_NE(text.find(",,\n"), std::string::npos) << "a point without harmonics leaves F0 and F1 empty";

    for (const std::string& version : {text, [&] {
             std::string crlf;
             for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
             return crlf;
         }()}) {
        const ParsedTuningCsv parsed = ParseTuningCsv(version);
        ASSERT_TRUE(parsed.ok);
        EXPECT_EQ(parsed.field, FieldSpatialFrequency);
        ASSERT_EQ(parsed.points.size(), points.size());
        for (size_t i = 0; i < points.size(); ++i) {
            EXPECT_EQ(parsed.points[i].value, points[i].value);
            EXPECT_EQ(parsed.points[i].repeat, points[i].repeat);
            EXPECT_EQ(parsed.points[i].meanRate, points[i].meanRate);
            EXPECT_EQ(parsed.points[i].peakRate, points[i].peakRate);
            EXPECT_EQ(parsed.points[i].hasHarmonics, points[i].hasHarmonics);
            EXPECT_EQ(parsed.points[i].f0, points[i].f0);
            EXPECT_EQ(parsed.points[i].f1, points[i].f1);
        }
    }
    const ParsedTuningCsv empty = ParseTuningCsv(TuningCsvText(FieldOrientation, {}));
    EXPECT_TRUE(empty.ok);
    EXPECT_TRUE(empty.points.empty());
}
