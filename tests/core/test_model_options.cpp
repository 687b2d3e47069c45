#include <gtest/gtest.h>

#include "model/model_options.h"
#include "model/receptive_field.h"
#include "sim/engine_reset.h"

namespace {

class ModelOptionsTest : public testing::Test {
protected:
    void SetUp() override { ResetEngineRecords(1000, 700); }
};

}  // namespace

TEST_F(ModelOptionsTest, RatesInForceByCellType)
{
    const struct { int32_t cellType, gammaOption; float maxRate, spontaneous; int32_t order; } cases[] = {
        {OnCentreX, 6, 250.0f, 15.0f, 6},
        {OnCentreX, 3, 250.0f, 15.0f, 3},  // the option sets the ON cell's order
        {OffCentreX, 3, 250.0f, 15.0f, 6},  // ... but never the OFF cell's
        {OffCentreX, 10, 250.0f, 15.0f, 6},
        {Simple, 6, 200.0f, 0.5f, 1},
        {DirectionalSimple, 6, 200.0f, 1.0f, 1},
        {Complex, 1, 200.0f, 5.0f, 1},
    };
    for (const auto& c : cases) {
        modelOptions.gammaOrder = c.gammaOption;
        receptiveField.cellType = c.cellType;
        applyCellTypeRates();
        EXPECT_EQ(modelOptions.currentMaxRate, c.maxRate) << c.cellType;
        EXPECT_EQ(modelOptions.currentSpontaneousRate, c.spontaneous) << c.cellType;
        EXPECT_EQ(modelOptions.currentGammaOrder, c.order) << c.cellType << " option " << c.gammaOption;
    }
}
