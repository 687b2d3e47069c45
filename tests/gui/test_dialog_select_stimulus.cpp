#include <QRadioButton>

#include "dialogs/select_stimulus_dialog.h"
#include "test_dialog_support.h"

using namespace SelectStimulusIds;

namespace {

using SelectStimulusDialog = DialogTest<createSelectStimulusDialog>;

TEST_F(SelectStimulusDialog, OpensWithTheDefaultBar)
{
    DialogPtr d = Open();
    const struct { int id; int position; } sliders[] = {
        {kBarLengthSlider, 80}, {kBarWidthSlider, 8}, {kOrientationSlider, 90}, {kContrastSlider, 40}, {kSfSlider, 140}};
    for (const auto& s : sliders)
        EXPECT_EQ(SliderAt(d.get(), s.id), s.position) << s.id;
    EXPECT_EQ(FieldText(d.get(), kSensitivityEdit), "1");
    EXPECT_EQ(FieldText(d.get(), kBarLengthEdit), "4");
    EXPECT_EQ(FieldText(d.get(), kBarWidthEdit), "0.4");
    EXPECT_EQ(FieldText(d.get(), kSfEdit), "0.8");
    EXPECT_EQ(FieldText(d.get(), kContrastEdit), "100");
    EXPECT_EQ(Control<QComboBox>(d.get(), kTypeList)->currentText(), "Rectangular bar");
    EXPECT_TRUE(Control<QRadioButton>(d.get(), kWhite)->isChecked());
    // Opening stores the shown values, which equal the defaults here.
    EXPECT_FLOAT_EQ(stimulus.gratingSf, 0.8f);
    EXPECT_FLOAT_EQ(stimulus.barLength, 4.0f);
    EXPECT_FLOAT_EQ(stimulus.contrastPercent, 100.0f);
}

TEST_F(SelectStimulusDialog, EnabledControlsFollowTheType)
{
    const int radius[] = {kRadiusSlider, kRadiusEdit};
    const int bar[] = {kBarLengthSlider, kBarLengthEdit, kBarWidthSlider, kBarWidthEdit};
    const int orientation[] = {kOrientationSlider, kOrientationEdit};
    const int grating[] = {kSfSlider, kSfEdit, kVelocityEdit, kModulationEdit, kPhaseEdit};
    const int always[] = {kContrastSlider, kContrastEdit, kBlack, kWhite, kTypeList, kVelocityUpDown, kPhaseUpDown};
    const struct { int type; bool radius, bar, orientation, grating; } cases[] = {
        {Spot, true, false, false, false},
        {Annulus, true, false, false, false},
        {Bar, false, true, true, false},
        {Grating, true, false, true, true},
    };
    DialogPtr d = Open();
    for (const auto& c : cases) {
        Control<QComboBox>(d.get(), kTypeList)->setCurrentIndex(c.type - 1);
        EXPECT_EQ(stimulus.stimulusType, c.type);
        auto check = [&](const auto& ids, bool enabled) {
            for (int id : ids)
                EXPECT_EQ(Control<QWidget>(d.get(), id)->isEnabled(), enabled) << "type " << c.type << " id " << id;
        };
        check(radius, c.radius);
        check(bar, c.bar);
        check(orientation, c.orientation);
        check(grating, c.grating);
        check(always, true);
    }
}

TEST_F(SelectStimulusDialog, ChoosingTheGratingShowsItsRadius)
{
    DialogPtr d = Open();
    Control<QComboBox>(d.get(), kTypeList)->setCurrentIndex(3);
    EXPECT_EQ(stimulus.stimulusType, Grating);
    EXPECT_EQ(FieldText(d.get(), kRadiusEdit), "2.5");
    EXPECT_EQ(SliderAt(d.get(), kRadiusSlider), 50);
    EXPECT_TRUE(Control<QWidget>(d.get(), kSfSlider)->isEnabled());
    EXPECT_FALSE(Control<QWidget>(d.get(), kBarLengthSlider)->isEnabled());
}

TEST_F(SelectStimulusDialog, TypedSpatialFrequencyMovesTheLogSlider)
{
    stimulus.stimulusType = Grating;
    DialogPtr d = Open();
    // Each keystroke is handled on its own, so the prefixes of a text count:
    // "101" stores 10 on the way before its last key is refused.
    const struct { const char* text; float sf; int slider; } steps[] = {
        {"5", 5.0f, 220},
        {".3", 0.3f, 220},  // at or below 0.35 the slider stays
        {"1", 1.0f, 150},
        {"0", 0.0f, -1},
        {"100", 100.0f, 220},  // 10 passed on the way; limited to the slider's end
        {"101", 10.0f, 220},
        {"abc", 10.0f, 220},
    };
    for (const auto& s : steps) {
        TypeInto(d.get(), kSfEdit, s.text);
        EXPECT_FLOAT_EQ(stimulus.gratingSf, s.sf) << s.text;
        EXPECT_EQ(SliderAt(d.get(), kSfSlider), s.slider) << s.text;
    }
}

TEST_F(SelectStimulusDialog, SpatialFrequencySliderStoresTwoDecimals)
{
    stimulus.stimulusType = Grating;
    DialogPtr d = Open();
    // The shown value runs the field's handling, which may move the slider
    // again: 0 c/deg settles at -1, values up to 0.35 leave it alone.
    const struct { int position; float sf; const char* text; int settled; } steps[] = {
        {150, 1.0f, "1", 150},   {1, 0.03f, "0.03", 1},  {0, 0.0f, "0", -1},
        {220, 5.0f, "5", 220},   {-1, 0.0f, "0", -1},    {140, 0.79f, "0.79", 140},
        {54, 0.11f, "0.11", 54},
    };
    for (const auto& s : steps) {
        Control<QSlider>(d.get(), kSfSlider)->setValue(s.position);
        EXPECT_FLOAT_EQ(stimulus.gratingSf, s.sf) << s.position;
        EXPECT_EQ(FieldText(d.get(), kSfEdit), s.text) << s.position;
        EXPECT_EQ(SliderAt(d.get(), kSfSlider), s.settled) << s.position;
    }
}

TEST_F(SelectStimulusDialog, ContrastSliderAndSensitivity)
{
    DialogPtr d = Open();
    const struct { int position; float contrast; const char* text; const char* sensitivity; } steps[] = {
        {1, 1.12f, "1.12", "89.29"}, {-1, 0.0f, "0", "*"}, {20, 10.0f, "10", "10"}, {0, 1.0f, "1", "100"},
        {40, 100.0f, "100", "1"},
    };
    for (const auto& s : steps) {
        Control<QSlider>(d.get(), kContrastSlider)->setValue(s.position);
        EXPECT_FLOAT_EQ(stimulus.contrastPercent, s.contrast) << s.position;
        EXPECT_EQ(FieldText(d.get(), kContrastEdit), s.text) << s.position;
        EXPECT_EQ(FieldText(d.get(), kSensitivityEdit), s.sensitivity) << s.position;
    }
}

TEST_F(SelectStimulusDialog, TypedContrast)
{
    DialogPtr d = Open();
    const struct { const char* text; float contrast; int slider; const char* sensitivity; } steps[] = {
        {"50", 50.0f, 34, "2"}, {"0.5", 0.5f, 0, "200"}, {"0", 0.0f, -1, "*"}, {"100", 100.0f, 40, "1"},
        {"101", 10.0f, 20, "10"},  // "10" is taken on the way
        {"-5", 10.0f, 20, "10"},
    };
    for (const auto& s : steps) {
        TypeInto(d.get(), kContrastEdit, s.text);
        EXPECT_FLOAT_EQ(stimulus.contrastPercent, s.contrast) << s.text;
        EXPECT_EQ(SliderAt(d.get(), kContrastSlider), s.slider) << s.text;
        EXPECT_EQ(FieldText(d.get(), kSensitivityEdit), s.sensitivity) << s.text;
    }
}

TEST_F(SelectStimulusDialog, RadiusLimitsAndSliderPutBack)
{
    stimulus.stimulusType = Spot;
    DialogPtr d = Open();
    const struct { const char* text; float radius; int slider; } steps[] = {
        {"9", 0.5f, 10}, {"8", 0.5f, 10}, {"0", 0.5f, 10}, {"7.95", 7.95f, 159}, {"x", 7.95f, 159}, {"0.05", 0.05f, 1},
    };
    for (const auto& s : steps) {
        // A stale slider position shows that a rejected radius puts it back.
        SetSliderQuietly(Control<QSlider>(d.get(), kRadiusSlider), 77);
        TypeInto(d.get(), kRadiusEdit, s.text);
        EXPECT_FLOAT_EQ(stimulus.spotRadius, s.radius) << s.text;
        EXPECT_EQ(SliderAt(d.get(), kRadiusSlider), s.slider) << s.text;
    }
    EXPECT_FLOAT_EQ(stimulus.gratingRadius, 2.5f) << "a spot's radius is not the grating's";
    Control<QSlider>(d.get(), kRadiusSlider)->setValue(33);
    EXPECT_FLOAT_EQ(stimulus.spotRadius, 1.65f);
    EXPECT_EQ(FieldText(d.get(), kRadiusEdit), "1.65");
}

TEST_F(SelectStimulusDialog, BarSizeFields)
{
    DialogPtr d = Open();
    const struct { int edit, slider; const char* text; float length, width; int position; } steps[] = {
        {kBarLengthEdit, kBarLengthSlider, "14", 14.0f, 0.4f, 280},
        {kBarLengthEdit, kBarLengthSlider, "15", 1.0f, 0.4f, 20},  // "1" taken, "15" refused
        {kBarLengthEdit, kBarLengthSlider, "0", 1.0f, 0.4f, 20},
        {kBarWidthEdit, kBarWidthSlider, "1.23", 1.0f, 1.23f, 25},
        {kBarWidthEdit, kBarWidthSlider, "14.5", 1.0f, 14.0f, 280},  // stops at "14."
    };
    for (const auto& s : steps) {
        TypeInto(d.get(), s.edit, s.text);
        EXPECT_FLOAT_EQ(stimulus.barLength, s.length) << s.text;
        EXPECT_FLOAT_EQ(stimulus.barWidth, s.width) << s.text;
        EXPECT_EQ(SliderAt(d.get(), s.slider), s.position) << s.text;
    }
    Control<QSlider>(d.get(), kBarWidthSlider)->setValue(7);
    EXPECT_FLOAT_EQ(stimulus.barWidth, 0.35f);
    EXPECT_EQ(FieldText(d.get(), kBarWidthEdit), "0.35");
}

TEST_F(SelectStimulusDialog, OrientationFieldAndSlider)
{
    DialogPtr d = Open();
    TypeInto(d.get(), kOrientationEdit, "45.7");
    EXPECT_FLOAT_EQ(stimulus.orientation, 45.7f);
    EXPECT_EQ(SliderAt(d.get(), kOrientationSlider), 45);
    // A key that takes the text out of range is refused; the prefix stays.
    TypeInto(d.get(), kOrientationEdit, "36");
    QTest::keyClick(Control<QLineEdit>(d.get(), kOrientationEdit), '1');
    EXPECT_FLOAT_EQ(stimulus.orientation, 36.0f);
    EXPECT_EQ(SliderAt(d.get(), kOrientationSlider), 36);
    Control<QSlider>(d.get(), kOrientationSlider)->setValue(360);
    EXPECT_FLOAT_EQ(stimulus.orientation, 360.0f);
    EXPECT_EQ(FieldText(d.get(), kOrientationEdit), "360");
}

TEST_F(SelectStimulusDialog, GratingUpDowns)
{
    stimulus.stimulusType = Grating;
    DialogPtr d = Open();
    EXPECT_EQ(UpDownAt(d.get(), kPhaseUpDown), 0);
    EXPECT_EQ(UpDownAt(d.get(), kVelocityUpDown), 20);
    Control<QSpinBox>(d.get(), kPhaseUpDown)->stepBy(1);
    EXPECT_FLOAT_EQ(stimulus.gratingPhase, 2.0f);
    EXPECT_EQ(FieldText(d.get(), kPhaseEdit), "2");
    TypeInto(d.get(), kPhaseEdit, "91");
    EXPECT_FLOAT_EQ(stimulus.gratingPhase, 91.0f);
    EXPECT_EQ(UpDownAt(d.get(), kPhaseUpDown), 45);
    TypeInto(d.get(), kPhaseEdit, "36");
    QTest::keyClick(Control<QLineEdit>(d.get(), kPhaseEdit), '1');  // 361 is refused
    EXPECT_FLOAT_EQ(stimulus.gratingPhase, 36.0f);
    EXPECT_EQ(UpDownAt(d.get(), kPhaseUpDown), 18);

    Control<QSpinBox>(d.get(), kVelocityUpDown)->stepBy(1);
    EXPECT_FLOAT_EQ(stimulus.gratingVelocity, 2.1f);
    TypeInto(d.get(), kVelocityEdit, "21");  // "2" taken, "21" refused
    EXPECT_FLOAT_EQ(stimulus.gratingVelocity, 2.0f);
    EXPECT_EQ(UpDownAt(d.get(), kVelocityUpDown), 20);
    TypeInto(d.get(), kModulationEdit, "3.25");
    EXPECT_FLOAT_EQ(stimulus.modulationRate, 3.25f);
    EXPECT_EQ(UpDownAt(d.get(), kModulationUpDown), 33);
    // The arrow keys in a field step the up-down beside it.
    QTest::keyClick(Control<QLineEdit>(d.get(), kModulationEdit), Qt::Key_Down);
    EXPECT_FLOAT_EQ(stimulus.modulationRate, 3.2f);
}

TEST_F(SelectStimulusDialog, PolarityButtons)
{
    DialogPtr d = Open();
    QTest::mouseClick(Control<QRadioButton>(d.get(), kBlack), Qt::LeftButton);
    EXPECT_EQ(stimulus.polarity, -1);
    QTest::mouseClick(Control<QRadioButton>(d.get(), kWhite), Qt::LeftButton);
    EXPECT_EQ(stimulus.polarity, 1);
}

TEST_F(SelectStimulusDialog, EscapeKeepsChangesAndPutsTheStimulusBack)
{
    stimulus.mouseX = 17;
    stimulus.mouseY = 23;
    RunModal(openSelectStimulus, [](QDialog* d) {
        EXPECT_TRUE(stimulus.stimulusOn) << "switched on while open";
        EXPECT_EQ(stimulus.mouseX, kTestWidth / 2);
        EXPECT_EQ(stimulus.mouseY, kTestHeight / 2);
        Control<QSlider>(d, kContrastSlider)->setValue(20);
        TypeInto(d, kBarLengthEdit, "6");
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_FALSE(stimulus.stimulusOn);
    EXPECT_FLOAT_EQ(stimulus.contrastPercent, 10.0f);
    EXPECT_FLOAT_EQ(stimulus.barLength, 6.0f);
    EXPECT_EQ(stimulus.mouseX, kTestWidth / 2) << "stays centred until the pointer moves";
}

TEST_F(SelectStimulusDialog, OkRestoresAnOnStimulus)
{
    stimulus.stimulusOn = true;
    RunModal(openSelectStimulus, [](QDialog* d) { QTest::mouseClick(Control<QWidget>(d, 1), Qt::LeftButton); });
    EXPECT_TRUE(stimulus.stimulusOn);
}

TEST_F(SelectStimulusDialog, StationaryModeLeavesTheStimulusInPlace)
{
    stimulus.stationaryMode = true;
    stimulus.mouseX = 123;
    stimulus.mouseY = 45;
    RunModal(openSelectStimulus, [](QDialog* d) {
        EXPECT_FALSE(stimulus.stimulusOn);
        d->close();
    });
    EXPECT_EQ(stimulus.mouseX, 123);
    EXPECT_EQ(stimulus.mouseY, 45);
    EXPECT_FALSE(stimulus.stimulusOn);
}

}  // namespace
