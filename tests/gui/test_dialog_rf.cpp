#include <QRadioButton>

#include "dialogs/rf_dialog.h"
#include "test_dialog_support.h"

using namespace RfDialogIds;

namespace {

using RfDialog = DialogTest<createRfDialog>;

// Types text one key at a time and checks the record after every key.
struct Keystroke {
    char key;
    float value;
};

TEST_F(RfDialog, CentreRadiusKeystrokeByKeystroke)
{
    DialogPtr d = Open();
    Control<QLineEdit>(d.get(), kCentreEdit)->clear();
    const Keystroke keys[] = {{'0', 0.2f}, {'.', 0.2f}, {'3', 0.3f}, {'5', 0.35f}};
    for (const auto& k : keys) {
        QTest::keyClick(Control<QLineEdit>(d.get(), kCentreEdit), k.key);
        EXPECT_FLOAT_EQ(receptiveField.centreSigma, k.value) << k.key;
        EXPECT_FLOAT_EQ(receptiveField.surroundSigma, 5.0f * k.value) << k.key;
    }
    EXPECT_FLOAT_EQ(receptiveField.surroundSigma, 1.75f);
    EXPECT_EQ(UpDownAt(d.get(), kCentreUpDown), 18);
}

TEST_F(RfDialog, OrientationTypedPastItsRange)
{
    DialogPtr d = Open();
    Control<QLineEdit>(d.get(), kOrientationEdit)->clear();
    const Keystroke keys[] = {{'4', 4.0f}, {'0', 40.0f}, {'0', 40.0f}};
    for (const auto& k : keys) {
        QTest::keyClick(Control<QLineEdit>(d.get(), kOrientationEdit), k.key);
        EXPECT_FLOAT_EQ(receptiveField.orientation, k.value);
    }
    EXPECT_EQ(SliderAt(d.get(), kOrientationSlider), 40);
    Control<QSlider>(d.get(), kOrientationSlider)->setValue(270);
    EXPECT_FLOAT_EQ(receptiveField.orientation, 270.0f);
    EXPECT_EQ(FieldText(d.get(), kOrientationEdit), "270");
}

TEST_F(RfDialog, TypedFieldsAndTheirUpDowns)
{
    DialogPtr d = Open();
    const ReceptiveField& rf = receptiveField;
    const struct { int edit; const char* text; const Relaxed<float>& field; float value; int upDown, position; } steps[] = {
        {kPhaseEdit, "-30", rf.phase, -30.0f, kPhaseUpDown, 18},  // stored; nearest(-6) is off the up-down
        {kPhaseEdit, "47", rf.phase, 47.0f, kPhaseUpDown, 9},
        {kSfEdit, "2.34", rf.spatialFrequency, 2.34f, kSfUpDown, 23},
        {kSfEdit, "50", rf.spatialFrequency, 50.0f, kSfUpDown, 50},  // "5" moved it; 500 is off its scale
        {kWidthEdit, "0.25", rf.width, 0.25f, kWidthUpDown, 3},
        {kLengthEdit, "1.5", rf.length, 1.5f, kLengthUpDown, 15},
    };
    for (const auto& s : steps) {
        TypeInto(d.get(), s.edit, s.text);
        EXPECT_FLOAT_EQ(s.field.load(), s.value) << s.text;
        EXPECT_EQ(UpDownAt(d.get(), s.upDown), s.position) << s.text;
    }
    // Not numbers, zero or negative sizes: ignored.
    for (const char* text : {"", "-", "abc", "0", "-1", "-0", ".", "e5", "nan", "inf", "-inf"}) {
        TypeInto(d.get(), kWidthEdit, text);
        TypeInto(d.get(), kSfEdit, text);
        TypeInto(d.get(), kCentreEdit, text);
    }
    EXPECT_FLOAT_EQ(receptiveField.width, 0.25f);
    EXPECT_FLOAT_EQ(receptiveField.spatialFrequency, 50.0f);
    EXPECT_FLOAT_EQ(receptiveField.centreSigma, 0.2f);
}

TEST_F(RfDialog, UpDownsWriteTheirFields)
{
    DialogPtr d = Open();
    const struct { int upDown, edit, position; const char* text; } steps[] = {
        {kCentreUpDown, kCentreEdit, 11, "0.22"}, {kSfUpDown, kSfEdit, 9, "0.9"}, {kPhaseUpDown, kPhaseEdit, 19, "95"},
        {kWidthUpDown, kWidthEdit, 6, "0.6"},     {kLengthUpDown, kLengthEdit, 8, "0.8"},
    };
    for (const auto& s : steps) {
        Control<QSpinBox>(d.get(), s.upDown)->stepBy(1);
        EXPECT_EQ(UpDownAt(d.get(), s.upDown), s.position);
        EXPECT_EQ(FieldText(d.get(), s.edit), s.text);
    }
    EXPECT_FLOAT_EQ(receptiveField.centreSigma, 0.22f);
    EXPECT_FLOAT_EQ(receptiveField.surroundSigma, 1.1f);
    EXPECT_FLOAT_EQ(receptiveField.spatialFrequency, 0.9f);
    EXPECT_FLOAT_EQ(receptiveField.phase, 95.0f);
    EXPECT_FLOAT_EQ(receptiveField.width, 0.6f);
    EXPECT_FLOAT_EQ(receptiveField.length, 0.8f);
}

TEST_F(RfDialog, PositionTrackbars)
{
    DialogPtr d = Open();
    EXPECT_EQ(Control<QSlider>(d.get(), kHorizontalSlider)->maximum(), 263);  // trunc(1000 x 10 / 38)
    EXPECT_EQ(Control<QSlider>(d.get(), kVerticalSlider)->maximum(), 184);
    Control<QSlider>(d.get(), kHorizontalSlider)->setValue(123);
    EXPECT_FLOAT_EQ(receptiveField.centreX, 12.3f);
    Control<QSlider>(d.get(), kVerticalSlider)->setValue(45);
    EXPECT_FLOAT_EQ(receptiveField.centreY, 4.5f);
}

TEST_F(RfDialog, ComplexCellSetsPhaseButLeavesTheFieldText)
{
    receptiveField.phase = 30.0f;
    DialogPtr d = Open();
    EXPECT_EQ(FieldText(d.get(), kPhaseEdit), "30");
    Control<QComboBox>(d.get(), kCellTypeList)->setCurrentIndex(4);
    EXPECT_EQ(receptiveField.cellType, Complex);
    EXPECT_FLOAT_EQ(receptiveField.phase, 90.0f);
    EXPECT_EQ(FieldText(d.get(), kPhaseEdit), "30");
}

TEST_F(RfDialog, RadiosReflectAndSetTheModes)
{
    const struct { int mode; int checked; } cases[] = {{GreyScale, kGreyScale}, {Outlines, kOutlines}, {Hidden, kHide}};
    for (const auto& c : cases) {
        ResetAllRecords();
        receptiveField.displayMode = c.mode;
        receptiveField.randomiseMode = RandomiseEverything;
        DialogPtr d = Open();
        for (int id : {kGreyScale, kOutlines, kHide})
            EXPECT_EQ(Control<QRadioButton>(d.get(), id)->isChecked(), id == c.checked) << c.mode;
        EXPECT_TRUE(Control<QRadioButton>(d.get(), kRandomiseEverything)->isChecked());
        EXPECT_EQ(receptiveField.displayMode, c.mode);
        EXPECT_EQ(receptiveField.savedDisplayMode, c.mode) << "read back at opening";
    }
    ResetAllRecords();
    DialogPtr d = Open();
    QTest::mouseClick(Control<QRadioButton>(d.get(), kHide), Qt::LeftButton);
    EXPECT_EQ(receptiveField.displayMode, Hidden);
    EXPECT_EQ(receptiveField.savedDisplayMode, Hidden);
    QTest::mouseClick(Control<QRadioButton>(d.get(), kRandomisePosition), Qt::LeftButton);
    EXPECT_EQ(receptiveField.randomiseMode, RandomisePositionOrientation);
}

TEST_F(RfDialog, EveryChangeRebuildsTheFilters)
{
    DialogPtr d = Open();
    uint32_t generation = CurrentFilters().generation;
    auto rebuilt = [&] {
        const uint32_t now = CurrentFilters().generation;
        const bool grew = now != generation;
        generation = now;
        return grew;
    };
    TypeInto(d.get(), kWidthEdit, "x");  // rejected, rebuilt all the same
    EXPECT_TRUE(rebuilt());
    Control<QSlider>(d.get(), kOrientationSlider)->setValue(10);
    EXPECT_TRUE(rebuilt());
    Control<QSpinBox>(d.get(), kSfUpDown)->stepBy(1);
    EXPECT_TRUE(rebuilt());
    QTest::mouseClick(Control<QRadioButton>(d.get(), kOutlines), Qt::LeftButton);
    EXPECT_TRUE(rebuilt());
}

TEST_F(RfDialog, RunsModallyAndKeepsChanges)
{
    RunModal(openRfDialog, [](QDialog* d) {
        TypeInto(d, kSfEdit, "1.6");
        QTest::mouseClick(Control<QWidget>(d, 1), Qt::LeftButton);
    });
    EXPECT_FLOAT_EQ(receptiveField.spatialFrequency, 1.6f);
    EXPECT_FLOAT_EQ(receptiveField.orientation, 90.0f);
}

}  // namespace
