// The "Select stimulus" rules without a toolkit: what each typed text, slider position, arrow step and choice
// writes into the stimulus record and what every control then shows.
#include "controls/noise_texts.h"
#include "controls/select_stimulus_rules.h"
#include "tests/core/test_support.h"

namespace {

using R = StimulusRow;
using S = StimulusSpin;

int Index(R row) { return static_cast<int>(row); }
int Index(S spin) { return static_cast<int>(spin); }

class SelectStimulusRules : public testing::Test {
protected:
    void SetUp() override { ResetEngineRecords(ts::kWidth, ts::kHeight), OpenSelectStimulus(); }
    const SelectStimulusView& v = selectStimulusView;
};

TEST_F(SelectStimulusRules, OpeningShowsTheRecordAndCentresTheStimulus)
{
    // The defaults: a bar; the radius and grating controls disabled.
    const struct { R row; int32_t position; const char* text; bool enabled; } rows[] = {
        {R::Radius, 10, "0.5", false}, {R::BarLength, 80, "4", true}, {R::BarWidth, 8, "0.4", true},
        {R::Orientation, 90, "90", true}, {R::Contrast, 40, "100", true}, {R::SpatialFrequency, 140, "0.8", false},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(v.slider[Index(r.row)].position, r.position) << Index(r.row);
        EXPECT_STREQ(v.field[Index(r.row)].text, r.text);
        EXPECT_EQ(v.slider[Index(r.row)].enabled && v.field[Index(r.row)].enabled, r.enabled) << r.text;
    }
    EXPECT_STREQ(v.sensitivity.text, "1");
    EXPECT_EQ(std::tuple(v.spin[0].position, v.spin[1].position, v.spin[2].position), std::tuple(20, 0, 0));
    EXPECT_STREQ(v.spin[Index(S::Velocity)].text, "2");
    EXPECT_FALSE(v.spin[Index(S::Phase)].enabled);
    EXPECT_EQ(std::tuple(v.shape, v.black, v.white), std::tuple(Bar - 1, false, true));
    EXPECT_EQ(std::tuple(stimulus.mouseX.load(), stimulus.mouseY.load(), stimulus.stimulusOn.load()),
              std::tuple(ts::kWidth / 2, ts::kHeight / 2, true));
    // Its place in degrees goes with it: a mark lands where the neuron saw it, and a resize keeps it in the middle.
    EXPECT_EQ(std::pair(stimulus.stimX.load(), stimulus.stimY.load()), std::pair(500 * kDegreesPerPixel, 350 * kDegreesPerPixel));
    receptiveField.displayMode = Hidden;
    OnCharacter(CharPlus);
    EXPECT_EQ(std::pair(marks.markX[1].load(), marks.markY[1].load()), std::pair(stimulus.stimX.load(), stimulus.stimY.load()));
    RescalePositions(ts::kWidth, ts::kHeight, 2 * ts::kWidth, ts::kHeight);
    EXPECT_EQ(std::pair(stimulus.mouseX.load(), stimulus.mouseY.load()), std::pair(ts::kWidth, ts::kHeight / 2));
    CloseSelectStimulus();
    EXPECT_FALSE(stimulus.stimulusOn);

    // In the stationary mode the stimulus stays where it is.
    stimulus.stationaryMode = true, stimulus.mouseX = 17;
    OpenSelectStimulus();
    EXPECT_EQ(stimulus.mouseX, 17);
}

// Each row in turn, on the same dialog: typed texts stay as typed.
TEST_F(SelectStimulusRules, TypedTextsMoveTheRecordAndTheSliders)
{
    const struct { int32_t type; R row; const char* text; const Relaxed<float>& record; float value; int32_t slider; const char* sensitivity; } cases[] = {
        {Grating, R::SpatialFrequency, "5", stimulus.gratingSf, 5.0f, 220, "1"},
        {Grating, R::SpatialFrequency, "0.3", stimulus.gratingSf, 0.3f, 220, "1"},  // at or below 0.35 it stays
        {Grating, R::SpatialFrequency, "0", stimulus.gratingSf, 0.0f, -1, "1"},
        {Grating, R::SpatialFrequency, "1", stimulus.gratingSf, 1.0f, 150, "1"},
        {Grating, R::SpatialFrequency, "101", stimulus.gratingSf, 1.0f, 150, "1"},  // out of range: ignored
        {Bar, R::Contrast, "50", stimulus.contrastPercent, 50.0f, 34, "2"},
        {Bar, R::Contrast, "0.5", stimulus.contrastPercent, 0.5f, 0, "200"},  // never below 0 after typing
        {Bar, R::Contrast, "0", stimulus.contrastPercent, 0.0f, -1, "*"},
        {Spot, R::Radius, "7.95", stimulus.spotRadius, 7.95f, 159, "*"},
        {Spot, R::Radius, "8", stimulus.spotRadius, 7.95f, 159, "*"},  // 8 itself is too large
        {Grating, R::Radius, "1.02", stimulus.gratingRadius, 1.02f, 20, "*"},
        {Bar, R::Radius, "3", stimulus.spotRadius, 7.95f, 20, "*"},  // a bar has no radius
        {Bar, R::BarLength, "15", stimulus.barLength, 4.0f, 80, "*"},
        {Bar, R::BarLength, "14", stimulus.barLength, 14.0f, 280, "*"},
        {Bar, R::BarWidth, "0.33", stimulus.barWidth, 0.33f, 7, "*"},
        {Bar, R::Orientation, "45.7", stimulus.orientation, 45.7f, 45, "*"},  // truncated
        {Bar, R::Orientation, "abc", stimulus.orientation, 45.7f, 45, "*"},
    };
    for (const auto& c : cases) {
        ChooseShape(c.type - 1);
        TypeStimulusField(c.row, c.text);
        EXPECT_FLOAT_EQ(c.record, c.value) << c.text;
        EXPECT_EQ(v.slider[Index(c.row)].position, c.slider) << c.text;
        EXPECT_STREQ(v.field[Index(c.row)].text, c.text);
        EXPECT_STREQ(v.sensitivity.text, c.sensitivity) << c.text;
    }
}

TEST_F(SelectStimulusRules, SlidersAndArrowsWriteTheRecordAndTheirTexts)
{
    ChooseShape(Grating - 1);
    const struct { R row; int32_t position; const Relaxed<float>& record; float value; const char* text; } slides[] = {
        {R::SpatialFrequency, 150, stimulus.gratingSf, 1.0f, "1"},  // two decimals of 0.9976
        {R::SpatialFrequency, 1, stimulus.gratingSf, 0.03f, "0.03"},
        {R::SpatialFrequency, 0, stimulus.gratingSf, 0.0f, "0"},
        {R::Contrast, 1, stimulus.contrastPercent, 1.12f, "1.12"},
        {R::Contrast, 40, stimulus.contrastPercent, 100.0f, "100"},
        {R::Orientation, 400, stimulus.orientation, 360.0f, "360"},  // held inside the slider
        {R::BarWidth, 7, stimulus.barWidth, 0.35f, "0.35"},
        {R::Radius, 50, stimulus.gratingRadius, 2.5f, "2.5"},  // the grating's, as a grating is chosen
    };
    for (const auto& s : slides) {
        MoveStimulusSlider(s.row, s.position);
        EXPECT_FLOAT_EQ(s.record, s.value) << s.text;
        EXPECT_STREQ(v.field[Index(s.row)].text, s.text);
    }
    EXPECT_STREQ(v.sensitivity.text, "1");
    MoveStimulusSlider(R::Contrast, 1);
    EXPECT_STREQ(v.sensitivity.text, "89.29");
    MoveStimulusSlider(R::Contrast, -1);
    EXPECT_STREQ(v.sensitivity.text, "*");

    // Arrow steps, then typed texts in the same boxes; the ends hold.
    const struct { S spin; int32_t step; const char* typed; const Relaxed<float>& record; float value; int32_t position; const char* text; } spins[] = {
        {S::Phase, 1, nullptr, stimulus.gratingPhase, 2.0f, 1, "2"},
        {S::Phase, 181, nullptr, stimulus.gratingPhase, 360.0f, 180, "360"},
        {S::Phase, 0, "361", stimulus.gratingPhase, 360.0f, 180, "361"},  // ignored
        {S::Phase, 0, "33", stimulus.gratingPhase, 33.0f, 16, "33"},
        {S::Velocity, 200, nullptr, stimulus.gratingVelocity, 20.0f, 200, "20"},
        {S::Velocity, -1, nullptr, stimulus.gratingVelocity, 0.0f, 0, "0"},
        {S::Velocity, 0, "2.55", stimulus.gratingVelocity, 2.55f, 26, "2.55"},
        {S::Modulation, 5, nullptr, stimulus.modulationRate, 0.5f, 5, "0.5"},
        {S::Modulation, 0, "20.5", stimulus.modulationRate, 0.5f, 5, "20.5"},
    };
    for (const auto& s : spins) {
        s.typed ? TypeStimulusSpin(s.spin, s.typed) : StepStimulusSpin(s.spin, s.step);
        EXPECT_FLOAT_EQ(s.record, s.value) << s.text;
        EXPECT_EQ(v.spin[Index(s.spin)].position, s.position) << s.text;
        EXPECT_STREQ(v.spin[Index(s.spin)].text, s.text);
    }
}

TEST_F(SelectStimulusRules, ChoicesEnableTheirControls)
{
    const struct { int32_t type; bool radius, bar, orientation, grating; const char* radiusText; int32_t radiusSlider; } cases[] = {
        {Grating, true, false, true, true, "2.5", 50}, {Annulus, true, false, false, false, "0.5", 10},
        {Bar, false, true, true, false, "0.5", 10},  // the spot's, while disabled
        {SparseNoise, false, false, false, false, "0.5", 10}, {WhiteNoise, false, false, false, false, "0.5", 10},
    };
    for (const auto& c : cases) {
        ChooseShape(c.type - 1);
        EXPECT_EQ(stimulus.stimulusType, c.type);
        EXPECT_EQ(v.shape, c.type - 1);
        const bool enabled[] = {v.field[Index(R::Radius)].enabled, v.slider[Index(R::BarLength)].enabled,
                                v.field[Index(R::BarWidth)].enabled, v.slider[Index(R::Orientation)].enabled,
                                v.field[Index(R::SpatialFrequency)].enabled, v.spin[Index(S::Modulation)].enabled,
                                v.field[Index(R::Contrast)].enabled, v.noise[0].enabled, v.noise[3].enabled};
        const bool expected[] = {c.radius, c.bar, c.bar, c.orientation, c.grating, c.grating, true,
                                 IsNoise(c.type), c.type == SparseNoise};
        EXPECT_TRUE(std::equal(std::begin(enabled), std::end(enabled), std::begin(expected))) << c.type;
        EXPECT_EQ(std::pair(std::string(v.field[Index(R::Radius)].text), v.slider[Index(R::Radius)].position),
                  std::pair(std::string(c.radiusText), c.radiusSlider));
    }
    ChoosePolarity(-1);
    EXPECT_EQ(std::tuple(stimulus.polarity.load(), v.black, v.white), std::tuple(-1, true, false));
}

// Each noise field in turn: a refused value keeps the record and says why; a grid too small for the squares
// lit lights all it has. The first frames under 100 ms wait for the flicker notice, once.
TEST_F(SelectStimulusRules, NoiseFieldsTakeValuesInRangeAndSayWhyNot)
{
    using N = NoiseRow;
    ChooseShape(SparseNoise - 1);
    const std::string lit = "The squares lit in each frame must be a whole number from 1 to 16 (the squares of the grid).";
    const struct { N row; const char* text; std::string message; } cases[] = {
        {N::Grid, "4", ""}, {N::Grid, "33", "The grid's columns must be a whole number from 2 to 32."},
        {N::Grid, "2.5", "The grid's columns must be a whole number from 2 to 32."}, {N::Lit, "9", ""},
        {N::Lit, "17", lit}, {N::Grid, "2", ""}, {N::Square, "0.05", "A square's size must be a number from 0.1 to 4 degrees."},
        {N::Square, "1.5", ""}, {N::FrameMs, "30", NoiseFrameMsMessage()}, {N::FrameMs, "1020", NoiseFrameMsMessage()},
        {N::FrameMs, "200", ""}, {N::Seed, "4294967295", ""}, {N::Seed, "4294967296", NoiseSeedMessage()},
        {N::Seed, "x", NoiseSeedMessage()},
    };
    for (const auto& c : cases) {
        TypeNoiseField(c.row, c.text);
        EXPECT_EQ(v.noiseMessage, c.message) << c.text;
    }
    EXPECT_EQ(std::tuple(stimulus.noiseColumns.load(), stimulus.noiseRows.load(), stimulus.noiseLit.load(),
                         stimulus.noiseSquareDeg.load(), stimulus.noiseFrameTicks.load(), stimulus.noiseSeed.load()),
              std::tuple(2, 2, 4, 1.5f, 10, 4294967295u));
    EXPECT_STREQ(v.noise[0].text, "2");
    EXPECT_STREQ(v.noise[3].text, "4");

    flickerNoticeGiven = false;
    TypeNoiseField(N::FrameMs, "40");
    EXPECT_EQ(std::tuple(v.flickerNotice, stimulus.noiseFrameTicks.load()), std::tuple(true, 10));
    AcknowledgeFlickerNotice();
    EXPECT_EQ(std::tuple(v.flickerNotice, stimulus.noiseFrameTicks.load()), std::tuple(false, 2));
    flickerNoticeGiven = false;
    ChooseShape(Bar - 1), ChooseShape(WhiteNoise - 1);
    EXPECT_EQ(std::tuple(v.flickerNotice, stimulus.stimulusType.load(), v.shape), std::tuple(true, Bar, Bar - 1));
    AcknowledgeFlickerNotice();
    EXPECT_EQ(std::tuple(v.flickerNotice, stimulus.stimulusType.load(), v.shape), std::tuple(false, WhiteNoise, 5));
    ChooseShape(Bar - 1), ChooseShape(SparseNoise - 1);  // once a session
    EXPECT_EQ(std::tuple(v.flickerNotice, stimulus.stimulusType.load()), std::tuple(false, SparseNoise));
}

}  // namespace
