

#include "tests/core/test_support.h"

using namespace ts;

namespace {

// Changes that give a new box: a different size and a different centre.
void MoveAndResize(int32_t cellType)
{
    receptiveField.centreX = receptiveField.centreX + 37.0f * stimulus.degreesPerPixel;
    receptiveField.centreY = receptiveField.centreY - 23.0f * stimulus.degreesPerPixel;
    if (cellType == OnCentreX || cellType == OffCentreX) {
        receptiveField.centreSigma = 0.15f;
        receptiveField.surroundSigma = 0.75f;
    } else {
        receptiveField.length = 1.1f;
        receptiveField.width = 0.3f;
        receptiveField.orientation = 30.0f;
    }
}

float Noise() { return 2.0f * Lcg() - 1.0f; }

// Within rounding: relative for the energy, against the bound of |drive|
// (every pixel at most 1) for a linear cell.
void ExpectFastMatchesDirect(int32_t cellType, const char* when, bool copy = true)
{
    if (copy) CopyStimulusToHistory();
    const float direct = DirectDrive();
    const float tolerance = cellType == Complex ? 1e-6f * std::fabs(direct) + 1e-6f
                                                : 5e-8f * modelOptions.currentMaxRate * CurrentFilters().absoluteSum;
    EXPECT_NEAR(ComputeDrive(), direct, tolerance) << "cell type " << cellType << ", " << when;
}

}  // namespace

TEST(ResponseDriveFast, AgreesWithTheDirectDotProductForEveryCellType)
{
    for (int32_t cellType = OnCentreX; cellType <= Complex; ++cellType) {
        ResetEngine(cellType, 777 + cellType);
        const RfFilterSet& first = CurrentFilters();
        ASSERT_GT(first.absoluteSum, 0.0f);
        const int32_t oldBox = first.boxRight - first.boxLeft;
        for (int32_t tick = 0; tick < 22; ++tick) {
            PublishImage([](int32_t, int32_t) { return Noise(); });
            if (tick % 7 == 3) ExpectFastMatchesDirect(cellType, "steady");
            else DriveOfTick();
        }
        // Right after a rebuild the old frames are read with the new box.
        MoveAndResize(cellType);
        buildFilters();
        ASSERT_NE(CurrentFilters().boxRight - CurrentFilters().boxLeft, oldBox);
        for (int32_t tick = 0; tick < 4; ++tick) {
            PublishImage([](int32_t c, int32_t r) { return 0.5f * Noise() + (c > r ? 0.5f : -0.25f); });
            ExpectFastMatchesDirect(cellType, tick == 0 ? "first tick after a rebuild" : "after a rebuild");
        }
        // A rebuild between the copy and the drive.
        PublishImage([](int32_t, int32_t) { return Noise(); });
        CopyStimulusToHistory();
        receptiveField.orientation = 120.0f;
        buildFilters();
        ExpectFastMatchesDirect(cellType, "rebuilt between the copy and the drive", false);
    }
}
