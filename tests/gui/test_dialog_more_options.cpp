#include <QCheckBox>
#include <cmath>

#include "dialogs/more_options_dialog.h"
#include "sim/response.h"
#include "test_dialog_support.h"

using namespace MoreOptionsIds;

namespace {

using MoreOptionsDialog = DialogTest<createMoreOptionsDialog>;

TEST_F(MoreOptionsDialog, OnlyTheSurroundWeightRebuildsTheFilters)
{
    receptiveField.cellType = OnCentreX;
    buildFilters();
    DialogPtr d = Open();
    const uint32_t before = CurrentFilters().generation;
    Control<QSpinBox>(d.get(), kGammaUpDown)->setValue(3);
    Control<QSpinBox>(d.get(), kRateUpDown)->stepBy(1);
    Control<QSpinBox>(d.get(), kHalfMaxUpDown)->setValue(55);
    QTest::mouseClick(Control<QCheckBox>(d.get(), kSaturatingCheck), Qt::LeftButton);
    QTest::mouseClick(Control<QCheckBox>(d.get(), kHashCheck), Qt::LeftButton);
    Control<QComboBox>(d.get(), kCellTypeList)->setCurrentIndex(1);
    EXPECT_EQ(CurrentFilters().generation, before);

    // Each option is in force at once for the current ON-centre cell.
    EXPECT_EQ(modelOptions.gammaOrder, 3);
    EXPECT_EQ(modelOptions.currentGammaOrder, 3);
    EXPECT_FLOAT_EQ(modelOptions.spontaneousRate[OnCentreX], 16.0f);
    EXPECT_FLOAT_EQ(modelOptions.currentSpontaneousRate, 16.0f);
    EXPECT_FLOAT_EQ(modelOptions.halfMaxContrast, 55.0f);
    EXPECT_EQ(FieldText(d.get(), kHalfMaxEdit), "55");
    EXPECT_FALSE(modelOptions.saturatingIO);
    EXPECT_TRUE(modelOptions.backgroundHash);
    EXPECT_EQ(UpDownAt(d.get(), kRateUpDown), 24) << "the OFF cell's 15 Hz";

    Control<QSpinBox>(d.get(), kSurroundUpDown)->stepBy(1);
    EXPECT_EQ(CurrentFilters().generation, before + 1);
    EXPECT_FLOAT_EQ(modelOptions.surroundWeight, 1.02f);
    EXPECT_EQ(FieldText(d.get(), kSurroundEdit), "1.02");
}

TEST_F(MoreOptionsDialog, HighestRateWithSaturationStaysFinite)
{
    receptiveField.cellType = OnCentreX;
    buildFilters();
    DialogPtr d = Open();
    for (int position : {109, 110}) {
        Control<QSpinBox>(d.get(), kRateUpDown)->setValue(position);
        EXPECT_FLOAT_EQ(modelOptions.currentSpontaneousRate, static_cast<float>(position - 9));
        for (float drive : {0.0f, 1.0f, -1.0f, 1e6f, -1e6f, 3e38f, -3e38f}) {
            const float rate = DriveToRate(drive);
            EXPECT_TRUE(std::isfinite(rate)) << position << " drive " << drive;
        }
    }
}

}  // namespace
