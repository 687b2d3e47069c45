#include <gtest/gtest.h>

#include "model/model_options.h"
#include "model/receptive_field.h"

namespace {

class ModelOptionsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetModelOptions();
        ResetReceptiveField(1000, 700);
    }
};

}  // namespace

TEST_F(ModelOptionsTest, Defaults)
{
    const ModelOptions& o = modelOptions;
    EXPECT_EQ(o.surroundWeight, 1.0f);
    EXPECT_EQ(o.gammaOrder, 6);
    const float spontaneous[] = {15.0f, 15.0f, 0.5f, 1.0f, 5.0f};
    for (int type = 1; type <= 5; ++type) EXPECT_EQ(o.spontaneousRate[type], spontaneous[type - 1]) << type;
    const float maxRates[] = {250.0f, 200.0f, 200.0f, 200.0f};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(o.maxRate[i], maxRates[i]) << i;
    EXPECT_TRUE(o.saturatingIO);
    EXPECT_EQ(o.halfMaxContrast, 30.0f);
    EXPECT_EQ(o.saturationRate, 100.0f);
    EXPECT_FALSE(o.backgroundHash);
    EXPECT_EQ(o.retinalFastRate, 0.0625f);
    EXPECT_EQ(o.retinalSlowRate, 1.0f / 110.0f);
    EXPECT_NEAR(o.retinalSlowRate, 0.0090909, 1e-7);
    EXPECT_EQ(o.corticalRate, 1.0f / 15.0f);
    EXPECT_NEAR(o.corticalRate, 0.0666667, 1e-7);
}

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

TEST_F(ModelOptionsTest, RatesInForceChangeOnlyWithAKnownCurrentType)
{
    receptiveField.cellType = Simple;
    applyCellTypeRates();
    modelOptions.spontaneousRate[2] = 33.0f;  // another type's rate waits
    applyCellTypeRates();
    EXPECT_EQ(modelOptions.currentSpontaneousRate, 0.5f);
    receptiveField.cellType = OffCentreX;
    applyCellTypeRates();
    EXPECT_EQ(modelOptions.currentSpontaneousRate, 33.0f);
    for (int32_t type : {0, 6, -1}) {
        receptiveField.cellType = type;
        applyCellTypeRates();
        EXPECT_EQ(modelOptions.currentMaxRate, 250.0f) << type;
        EXPECT_EQ(modelOptions.currentSpontaneousRate, 33.0f) << type;
        EXPECT_EQ(modelOptions.currentGammaOrder, 6) << type;
    }
}
