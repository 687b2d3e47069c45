// The receptive-field, model-option and feedback rules without a toolkit: typed texts, arrow steps, sliders
// and choices against the records and what each control then shows.
#include "controls/feedback_rules.h"
#include "controls/more_options_rules.h"
#include "controls/rf_dialog_rules.h"
#include "tests/core/test_support.h"

namespace {

int Index(RfSpin spin) { return static_cast<int>(spin); }
int Index(OptionSpin spin) { return static_cast<int>(spin); }

TEST(RfDialogRules, OpeningAndTypedTexts)
{
    ResetEngineRecords(ts::kWidth, ts::kHeight);
    const RfDialogView& v = OpenRfDialog();
    const int32_t spins[kRfSpins] = {10, 8, 18, 5, 7};
    for (int32_t i = 0; i < kRfSpins; ++i) EXPECT_EQ(v.spin[i].position, spins[i]) << i;
    EXPECT_STREQ(v.spin[Index(RfSpin::Centre)].text, "0.2");
    EXPECT_STREQ(v.orientation.text, "90");
    // The position sliders span the window in tenths of a degree.
    EXPECT_EQ(std::tuple(v.slider[1].maximum, v.slider[2].maximum, v.slider[1].position), std::tuple(263, 184, 131));
    EXPECT_EQ(std::tuple(v.cellType, v.display, v.randomise), std::tuple(Simple - 1, GreyScale, LeaveWhereSelected));

    // In turn on the same dialog; the arrows move only for a value on their scale.
    const ReceptiveField& rf = receptiveField;
    const struct { RfSpin spin; const char* text; const Relaxed<float>& record; float value; int32_t position; } typed[] = {
        {RfSpin::Phase, "-30", rf.phase, -30.0f, 18},  // stored, off the arrows' scale
        {RfSpin::Phase, "47", rf.phase, 47.0f, 9}, {RfSpin::Phase, "400", rf.phase, 400.0f, 72},  // held at the scale's end
        {RfSpin::SpatialFrequency, "2.34", rf.spatialFrequency, 2.34f, 23}, {RfSpin::SpatialFrequency, "50", rf.spatialFrequency, 50.0f, 23},
        {RfSpin::Width, "0.25", rf.width, 0.25f, 3}, {RfSpin::Width, "0.01", rf.width, 0.01f, 1}, {RfSpin::Length, "20", rf.length, 20.0f, 7},
        {RfSpin::Centre, "0.5", rf.centreSigma, 0.5f, 25}, {RfSpin::Centre, "0.01", rf.centreSigma, 0.01f, 25},
        {RfSpin::Centre, "10", rf.centreSigma, 0.01f, 25},
    };
    for (const auto& t : typed) {
        TypeRfSpin(t.spin, t.text);
        EXPECT_FLOAT_EQ(t.record, t.value) << t.text;
        EXPECT_EQ(v.spin[Index(t.spin)].position, t.position) << t.text;
        EXPECT_STREQ(v.spin[Index(t.spin)].text, t.text);
    }
    EXPECT_FLOAT_EQ(rf.surroundSigma, 0.05f) << "five times the centre";
    // Not numbers, zero or negative sizes: ignored.
    for (const char* text : {"", "-", "abc", "0", "-1", ".", "e5", "nan", "inf", "1e39"})
        for (RfSpin spin : {RfSpin::Width, RfSpin::SpatialFrequency, RfSpin::Centre}) TypeRfSpin(spin, text);
    EXPECT_EQ(std::tuple(rf.width.load(), rf.spatialFrequency.load(), rf.centreSigma.load()), std::tuple(0.01f, 50.0f, 0.01f));
    TypeRfOrientation("361");
    TypeRfOrientation("44.9");
    EXPECT_EQ(std::tuple(rf.orientation.load(), v.slider[0].position), std::tuple(44.9f, 44));
}

TEST(RfDialogRules, ArrowsSlidersAndButtons)
{
    ResetEngineRecords(ts::kWidth, ts::kHeight);
    const RfDialogView& v = OpenRfDialog();
    const ReceptiveField& rf = receptiveField;
    const struct { RfSpin spin; int32_t position; const Relaxed<float>& record; float value; const char* text; } steps[] = {
        {RfSpin::Centre, 3, rf.centreSigma, 0.06f, "0.06"}, {RfSpin::Centre, 2, rf.centreSigma, 0.06f, "0.06"},
        {RfSpin::Phase, 73, rf.phase, 360.0f, "360"},      {RfSpin::Width, 100, rf.width, 10.0f, "10"},
        {RfSpin::SpatialFrequency, 1, rf.spatialFrequency, 0.1f, "0.1"},
    };
    for (const auto& s : steps) {
        StepRfSpin(s.spin, s.position);
        EXPECT_FLOAT_EQ(s.record, s.value) << s.text;
        EXPECT_STREQ(v.spin[Index(s.spin)].text, s.text);
    }
    EXPECT_FLOAT_EQ(rf.surroundSigma, 0.3f);
    MoveRfSlider(RfSlider::Orientation, 45), MoveRfSlider(RfSlider::Horizontal, 100);
    MoveRfSlider(RfSlider::Vertical, 999);  // held at the window's edge
    EXPECT_EQ(std::tuple(rf.orientation.load(), rf.centreX.load(), rf.centreY.load()), std::tuple(45.0f, 10.0f, 18.4f));
    EXPECT_STREQ(v.orientation.text, "45");

    ChooseCellType(Complex - 1), ChooseRandomise(RandomiseEverything), ChooseDisplay(Hidden);
    EXPECT_EQ(std::tuple(rf.cellType.load(), rf.randomiseMode.load(), rf.displayMode.load(), rf.savedDisplayMode.load()),
              std::tuple(Complex, RandomiseEverything, Hidden, Hidden));
    EXPECT_EQ(CurrentFilters().cellType, Complex) << "filters rebuilt";
}

TEST(MoreOptionsRules, ArrowsListAndChecks)
{
    const struct { int32_t code; float rate; } codes[] = {{0, 0.0f}, {5, 0.5f}, {9, 0.9f}, {10, 1.0f}, {24, 15.0f}, {110, 101.0f}};
    for (const auto& c : codes) {
        EXPECT_FLOAT_EQ(RateFromCode(c.code), c.rate);
        EXPECT_EQ(RateCode(c.rate), c.code);
    }
    ResetEngineRecords(ts::kWidth, ts::kHeight);
    const MoreOptionsView& v = OpenMoreOptions();
    const char* const opened[] = {v.spin[0].text, v.spin[1].text, v.spin[2].text, v.spin[3].text};
    EXPECT_EQ(std::vector<std::string>(opened, opened + 4), std::vector<std::string>({"1", "6", "0.5", "30"}));
    EXPECT_EQ(std::tuple(v.rateCellType, v.spin[Index(OptionSpin::Rate)].position, v.saturating, v.hash),
              std::tuple(Simple - 1, 5, true, false));

    const ModelOptions& m = modelOptions;
    StepOptionSpin(OptionSpin::Surround, 0);  // held at 1
    StepOptionSpin(OptionSpin::Gamma, 10);
    StepOptionSpin(OptionSpin::Rate, 110);
    StepOptionSpin(OptionSpin::HalfMax, 1);
    EXPECT_EQ(std::tuple(m.surroundWeight.load(), m.gammaOrder.load(), m.spontaneousRate[Simple].load(),
                         m.halfMaxContrast.load(), m.currentSpontaneousRate.load()),
              std::tuple(0.02f, 10, 101.0f, 1.0f, 101.0f));
    EXPECT_STREQ(v.spin[Index(OptionSpin::Surround)].text, "0.02");
    EXPECT_STREQ(v.spin[Index(OptionSpin::Gamma)].text, "10");
    // The list shows another type's rate; the arrows then set that type's.
    ChooseRateCellType(OnCentreX - 1);
    EXPECT_EQ(v.spin[Index(OptionSpin::Rate)].position, 24);
    EXPECT_STREQ(v.spin[Index(OptionSpin::Rate)].text, "15");
    StepOptionSpin(OptionSpin::Rate, 9);
    EXPECT_EQ(std::tuple(m.spontaneousRate[OnCentreX].load(), m.spontaneousRate[Simple].load()), std::tuple(0.9f, 101.0f));
    CheckSaturating(false), CheckHash(true);
    EXPECT_EQ(std::tuple(m.saturatingIO.load(), m.backgroundHash.load()), std::tuple(false, true));
}

TEST(FeedbackRules, Scores)
{
    const struct { int32_t type; float field, stimulus; const char *typeText, *actual, *estimate, *difference; } cases[] = {
        {Simple, 10.0f, 170.0f, "simple", "10", "170", "20"},  // folded once, for simple cells only
        {Simple, 300.0f, 10.0f, "simple", "300", "10", "110"},
        {Simple, 170.0f, 10.0f, "simple", "170", "10", "-20"},
        {DirectionalSimple, 10.0f, 350.0f, "directionally selective simple", "10", "350", "-340"},
        {Complex, 12.5f, 0.0f, "complex", "13", "0", "13"},  // halves away from zero
    };
    const FeedbackView& f = feedbackView;
    for (const auto& c : cases) {
        ResetEngineRecords(ts::kWidth, ts::kHeight);
        receptiveField.cellType = c.type, receptiveField.orientation = c.field, stimulus.orientation = c.stimulus;
        ShowFeedbackScores();
        const std::vector<std::string> shown = {f.typeText, f.orientationActual, f.orientationEstimate,
                                                f.orientationDifference};
        EXPECT_EQ(shown, std::vector<std::string>({c.typeText, c.actual, c.estimate, c.difference})) << c.field;
    }
    receptiveField.centreX = 12.34f, receptiveField.centreY = 8.76f, stimulus.stimX = 12.0f, stimulus.stimY = 9.0f;
    ShowFeedbackScores();
    EXPECT_EQ(std::vector<std::string>({f.xActual, f.yActual, f.xEstimate, f.yEstimate, f.xDifference, f.yDifference,
                                        f.distance, f.sfActual}),
              std::vector<std::string>({"12.3", "8.8", "12", "9", "-0.3", "0.2", "0.4", "*"}));
    stimulus.stimulusType = Grating, stimulus.gratingSf = 1.26f;
    ShowFeedbackScores();
    EXPECT_EQ(std::vector<std::string>({f.sfActual, f.sfEstimate, f.sfDifference}),
              std::vector<std::string>({"0.8", "1.3", "0.5"}));
}

}  // namespace
