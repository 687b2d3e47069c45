#include <QRadioButton>

#include "dialogs/rf_dialog.h"
#include "test_shell_support.h"

namespace {

// A hand plot revealed with Enter: the dialog opened over it leaves the field revealed and the mode to return
// to at Hide, whatever else is changed, so the next new field starts hidden. A display choice acts at once.
TEST(DialogEffects, RfDialogOverARevealedFieldKeepsTheNextPlotHidden)
{
    using namespace RfDialogIds;
    ResetAllRecords(), ClearMarks();
    receptiveField.displayMode = receptiveField.savedDisplayMode = Hidden;
    OnCharacter(CharPlus), OnCharacter(CharEnter);
    ASSERT_EQ(receptiveField.displayMode, Revealed);
    {
        DialogPtr d(CreateRfDialog(nullptr));
        EXPECT_TRUE(Control<QRadioButton>(d.get(), kHide)->isChecked()) << "the mode to return to";
        EXPECT_FALSE(Control<QRadioButton>(d.get(), kGreyScale)->isChecked());
        Control<QSlider>(d.get(), kOrientationSlider)->setValue(45);
        QTest::mouseClick(Control<QRadioButton>(d.get(), kRandomisePosition), Qt::LeftButton);
        EXPECT_EQ(std::tuple(receptiveField.displayMode.load(), receptiveField.savedDisplayMode.load(), receptiveField.randomiseMode.load()),
                  std::tuple(Revealed, Hidden, RandomisePositionOrientation));
    }
    PlaceNewReceptiveField(Simple);
    EXPECT_EQ(receptiveField.displayMode, Hidden) << "the next field is drawn hidden";

    OnCharacter(CharPlus), OnCharacter(CharEnter);
    DialogPtr d(CreateRfDialog(nullptr));
    QTest::mouseClick(Control<QRadioButton>(d.get(), kGreyScale), Qt::LeftButton);
    EXPECT_EQ(std::tuple(receptiveField.displayMode.load(), receptiveField.savedDisplayMode.load()), std::tuple(GreyScale, GreyScale));
}

}  // namespace
