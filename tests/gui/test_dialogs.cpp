// The dialogs typed into key by key: what reaches the records and the
// controls beside each field, modal runs and the feedback texts. (Typed
// extremes are the random-input test's.)
#include <QSpinBox>

#include "dialogs/feedback_dialog.h"
#include "dialogs/rf_dialog.h"
#include "dialogs/select_stimulus_dialog.h"
#include "test_shell_support.h"

namespace {

// Each keystroke is handled on its own, so the prefixes of a text count.
TEST(Dialogs, TypedFieldsMoveTheirRecordsAndControls)
{
    namespace St = SelectStimulusIds;
    namespace Rf = RfDialogIds;
    ResetAllRecords();
    stimulus.stimulusType = Grating;
    const ReceptiveField& rf = receptiveField;
    const auto stim = createSelectStimulusDialog, field = createRfDialog;
    const struct {
        QDialog* (*create)(QWidget*);
        int edit;
        const char* text;
        const Relaxed<float>& record;
        float value;
        int control, position;  // a slider or an up-down
    } steps[] = {
        {stim, St::kSfEdit, "5", stimulus.gratingSf, 5.0f, St::kSfSlider, 220},
        {stim, St::kSfEdit, ".3", stimulus.gratingSf, 0.3f, St::kSfSlider, 220},  // at or below 0.35 it stays
        {stim, St::kSfEdit, "1", stimulus.gratingSf, 1.0f, St::kSfSlider, 150},
        {stim, St::kSfEdit, "0", stimulus.gratingSf, 0.0f, St::kSfSlider, -1},
        {stim, St::kSfEdit, "101", stimulus.gratingSf, 10.0f, St::kSfSlider, 220},  // its last key refused
        {field, Rf::kPhaseEdit, "-30", rf.phase, -30.0f, Rf::kPhaseUpDown, 18},     // stored; off the up-down
        {field, Rf::kPhaseEdit, "47", rf.phase, 47.0f, Rf::kPhaseUpDown, 9},
        {field, Rf::kSfEdit, "2.34", rf.spatialFrequency, 2.34f, Rf::kSfUpDown, 23},
        {field, Rf::kSfEdit, "50", rf.spatialFrequency, 50.0f, Rf::kSfUpDown, 50},  // "5" moved it
        {field, Rf::kWidthEdit, "0.25", rf.width, 0.25f, Rf::kWidthUpDown, 3},
    };
    for (const auto& s : steps) {
        DialogPtr d(s.create(nullptr));
        TypeInto(d.get(), s.edit, s.text);
        EXPECT_FLOAT_EQ(s.record.load(), s.value) << s.text;
        auto* slider = Control<QSlider>(d.get(), s.control);
        EXPECT_EQ(slider ? slider->value() : Control<QSpinBox>(d.get(), s.control)->value(), s.position) << s.text;
    }
    // Not numbers, zero or negative sizes: ignored.
    DialogPtr d(field(nullptr));
    for (const char* text : {"", "-", "abc", "0", "-1", ".", "e5", "nan", "inf"})
        for (int id : {Rf::kWidthEdit, Rf::kSfEdit, Rf::kCentreEdit}) TypeInto(d.get(), id, text);
    EXPECT_FLOAT_EQ(rf.width, 0.25f);
    EXPECT_FLOAT_EQ(rf.spatialFrequency, 50.0f);
    EXPECT_FLOAT_EQ(rf.centreSigma, 0.2f);
}

TEST(Dialogs, ModalRunsKeepTheirChanges)
{
    using namespace SelectStimulusIds;
    ResetAllRecords();
    stimulus.mouseX = 17;
    stimulus.mouseY = 23;
    EXPECT_TRUE(WithModal([] { openSelectStimulus(nullptr); }, [](QWidget* d) {
        EXPECT_TRUE(stimulus.stimulusOn) << "switched on while open";
        EXPECT_EQ(stimulus.mouseX, kTestWidth / 2);
        Control<QSlider>(d, kContrastSlider)->setValue(20);
        TypeInto(d, kBarLengthEdit, "6");
        QTest::keyClick(d, Qt::Key_Escape);
    }));
    EXPECT_FALSE(stimulus.stimulusOn);
    EXPECT_FLOAT_EQ(stimulus.contrastPercent, 10.0f);
    EXPECT_FLOAT_EQ(stimulus.barLength, 6.0f);
    EXPECT_EQ(stimulus.mouseX, kTestWidth / 2) << "stays centred until the pointer moves";

    EXPECT_TRUE(WithModal([] { openRfDialog(nullptr); }, [](QWidget* d) {
        TypeInto(d, RfDialogIds::kSfEdit, "1.6");
        QTest::mouseClick(Control<QWidget>(d, kOkButton), Qt::LeftButton);
    }));
    EXPECT_FLOAT_EQ(receptiveField.spatialFrequency, 1.6f);
}

TEST(Dialogs, FeedbackTexts)
{
    const struct { int type; float field, stimulus; const char *typeText, *actual, *estimate, *difference; } cases[] = {
        {Simple, 10.0f, 170.0f, "simple", "10", "170", "20"},  // folded once, for simple cells only
        {Simple, 300.0f, 10.0f, "simple", "300", "10", "110"},
        {Simple, 170.0f, 10.0f, "simple", "170", "10", "-20"},
        {DirectionalSimple, 10.0f, 350.0f, "directionally selective simple", "10", "350", "-340"},
        {Complex, 12.5f, 0.0f, "complex", "13", "0", "13"},  // halves away from zero
    };
    for (const auto& c : cases) {
        ResetAllRecords();
        receptiveField.cellType = c.type;
        receptiveField.orientation = c.field;
        stimulus.orientation = c.stimulus;
        DialogPtr d(createFeedbackDialog(nullptr));
        const QStringList shown = {FieldText(d.get(), kTypeText), FieldText(d.get(), kOrientationActual),
                                   FieldText(d.get(), kOrientationEstimate), FieldText(d.get(), kOrientationDifference)};
        EXPECT_EQ(shown, QStringList({c.typeText, c.actual, c.estimate, c.difference})) << c.field << " vs " << c.stimulus;
    }
    receptiveField.centreX = 12.34f;
    receptiveField.centreY = 8.76f;
    stimulus.stimX = 12.0f;
    stimulus.stimY = 9.0f;
    DialogPtr d(createFeedbackDialog(nullptr));
    const struct { int id; const char* text; } fields[] = {
        {kXActual, "12.3"},     {kYActual, "8.8"},     {kXEstimate, "12"}, {kYEstimate, "9"},
        {kXDifference, "-0.3"}, {kYDifference, "0.2"}, {kDistance, "0.4"},
    };
    for (const auto& f : fields) EXPECT_EQ(FieldText(d.get(), f.id), f.text) << f.id;
}

}  // namespace
