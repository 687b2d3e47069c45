#include <QRadioButton>

#include "dialogs/rf_dialog.h"
#include "dialogs/select_stimulus_dialog.h"
#include "test_shell_support.h"

namespace {

// A hand plot revealed with Enter: the dialog opened over it leaves the field
// revealed and the mode to return to at Hide, whatever else is changed, so
// the next new field starts hidden for the next plot. Picking a display
// choice takes effect at once.
TEST(DialogEffects, RfDialogOverARevealedFieldKeepsTheNextPlotHidden)
{
    using namespace RfDialogIds;
    ResetAllRecords();
    ClearMarks();
    receptiveField.displayMode = Hidden;
    receptiveField.savedDisplayMode = Hidden;
    OnCharacter(CharPlus);
    OnCharacter(CharEnter);
    ASSERT_EQ(receptiveField.displayMode, Revealed);
    {
        DialogPtr d(CreateRfDialog(nullptr));
        EXPECT_TRUE(Control<QRadioButton>(d.get(), kHide)->isChecked()) << "the mode to return to";
        EXPECT_FALSE(Control<QRadioButton>(d.get(), kGreyScale)->isChecked());
        Control<QSlider>(d.get(), kOrientationSlider)->setValue(45);
        QTest::mouseClick(Control<QRadioButton>(d.get(), kRandomisePosition), Qt::LeftButton);
        EXPECT_EQ(receptiveField.displayMode, Revealed);
        EXPECT_EQ(receptiveField.savedDisplayMode, Hidden);
        EXPECT_EQ(receptiveField.randomiseMode, RandomisePositionOrientation);
    }
    PlaceNewReceptiveField(Simple);
    EXPECT_EQ(receptiveField.displayMode, Hidden) << "the next field is drawn hidden";

    OnCharacter(CharPlus);
    OnCharacter(CharEnter);
    DialogPtr d(CreateRfDialog(nullptr));
    QTest::mouseClick(Control<QRadioButton>(d.get(), kGreyScale), Qt::LeftButton);
    EXPECT_EQ(receptiveField.displayMode, GreyScale);
    EXPECT_EQ(receptiveField.savedDisplayMode, GreyScale);
}

// Select stimulus centres a moving stimulus: its place in degrees goes with
// it, so a mark lands where the neuron saw the stimulus and a resize keeps
// it in the middle.
TEST(DialogEffects, SelectStimulusMovesThePositionInDegreesToo)
{
    ResetAllRecords();
    ClearMarks();
    OnPointerMove(17, 23 + 36);
    EXPECT_TRUE(WithModal([] { ShowSelectStimulusDialog(nullptr); }, [](QWidget* d) { d->close(); }));
    const float dpp = kDegreesPerPixel;
    EXPECT_EQ(stimulus.mouseX, kTestWidth / 2);
    EXPECT_EQ(stimulus.mouseY, kTestHeight / 2);
    EXPECT_EQ(stimulus.stimX, (kTestWidth / 2) * dpp);
    EXPECT_EQ(stimulus.stimY, (kTestHeight / 2) * dpp);

    receptiveField.displayMode = Hidden;
    OnCharacter(CharPlus);
    ASSERT_EQ(marks.markCount.load(), 1);
    EXPECT_EQ(marks.markX[1], stimulus.stimX);
    EXPECT_EQ(marks.markY[1], stimulus.stimY);

    RescalePositions(appState.clientWidth, appState.clientHeight, 2 * kTestWidth, kTestHeight);
    EXPECT_NEAR(stimulus.mouseX, kTestWidth, 1);
    EXPECT_NEAR(stimulus.mouseY, kTestHeight / 2, 1);
}

}  // namespace
