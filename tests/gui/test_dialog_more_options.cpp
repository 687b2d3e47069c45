#include <QCheckBox>
#include <cmath>

#include "dialogs/more_options_dialog.h"
#include "sim/response.h"
#include "test_dialog_support.h"

using namespace MoreOptionsIds;

namespace {

using MoreOptionsDialog = DialogTest<createMoreOptionsDialog>;

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
