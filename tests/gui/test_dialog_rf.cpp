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

TEST_F(RfDialog, RunsModallyAndKeepsChanges)
{
    RunModal(openRfDialog, [](QDialog* d) {
        TypeInto(d, kSfEdit, "1.6");
        QTest::mouseClick(Control<QWidget>(d, kOkButton), Qt::LeftButton);
    });
    EXPECT_FLOAT_EQ(receptiveField.spatialFrequency, 1.6f);
    EXPECT_FLOAT_EQ(receptiveField.orientation, 90.0f);
}

}  // namespace
