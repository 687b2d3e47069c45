// Random text typed into every field of the parameter dialogs never leaves a
// record holding a value its controls would not accept, nor a NaN or an
// infinity, and the filters built from it stay finite.
#include <cmath>
#include <random>
#include <string>

#include "dialogs/more_options_dialog.h"
#include "dialogs/rf_dialog.h"
#include "dialogs/select_stimulus_dialog.h"
#include "test_dialog_support.h"

namespace {

// Texts that look like numbers (often in or near the ranges, sometimes
// huge or tiny) mixed with arbitrary characters.
std::string RandomText(std::mt19937& random)
{
    static const char kChars[] = "0123456789.-+eE naifINFx,*%";
    std::uniform_int_distribution<int> pick(0, 9);
    std::string text;
    if (pick(random) < 5) {
        if (pick(random) < 3)
            text += pick(random) < 5 ? '-' : '+';
        const int digits = std::uniform_int_distribution<int>(0, 4)(random);
        for (int i = 0; i < digits; ++i)
            text += static_cast<char>('0' + pick(random));
        if (pick(random) < 6) {
            text += '.';
            for (int i = pick(random) % 4; i > 0; --i)
                text += static_cast<char>('0' + pick(random));
        }
        if (pick(random) < 3) {
            text += 'e';
            text += std::to_string(std::uniform_int_distribution<int>(-60, 60)(random));
        }
    } else {
        const int length = std::uniform_int_distribution<int>(0, 10)(random);
        std::uniform_int_distribution<int> index(0, static_cast<int>(sizeof kChars) - 2);
        for (int i = 0; i < length; ++i)
            text += kChars[index(random)];
    }
    return text;
}

bool Within(float v, float low, float high) { return std::isfinite(v) && v >= low && v <= high; }

void ExpectStimulusSound()
{
    EXPECT_TRUE(Within(stimulus.spotRadius, 0.0f, 8.0f) && stimulus.spotRadius > 0.0f && stimulus.spotRadius < 8.0f)
        << stimulus.spotRadius;
    EXPECT_TRUE(Within(stimulus.gratingRadius, 0.0f, 8.0f) && stimulus.gratingRadius > 0.0f &&
                stimulus.gratingRadius < 8.0f);
    EXPECT_TRUE(Within(stimulus.barLength, 0.0f, 14.0f)) << stimulus.barLength;
    EXPECT_TRUE(Within(stimulus.barWidth, 0.0f, 14.0f)) << stimulus.barWidth;
    EXPECT_TRUE(Within(stimulus.orientation, 0.0f, 360.0f)) << stimulus.orientation;
    EXPECT_TRUE(Within(stimulus.contrastPercent, 0.0f, 100.0f)) << stimulus.contrastPercent;
    EXPECT_TRUE(Within(stimulus.gratingSf, 0.0f, 100.0f)) << stimulus.gratingSf;
    EXPECT_TRUE(Within(stimulus.gratingVelocity, 0.0f, 20.0f)) << stimulus.gratingVelocity;
    EXPECT_TRUE(Within(stimulus.modulationRate, 0.0f, 20.0f)) << stimulus.modulationRate;
    EXPECT_TRUE(Within(stimulus.gratingPhase, 0.0f, 360.0f)) << stimulus.gratingPhase;
}

void ExpectReceptiveFieldSound()
{
    const ReceptiveField& rf = receptiveField;
    EXPECT_TRUE(rf.centreSigma > 0.0f && rf.centreSigma < 10.0f) << rf.centreSigma;
    EXPECT_FLOAT_EQ(rf.surroundSigma, 5.0f * rf.centreSigma);
    EXPECT_TRUE(Within(rf.orientation, 0.0f, 360.0f)) << rf.orientation;
    EXPECT_TRUE(std::isfinite(rf.spatialFrequency) && rf.spatialFrequency > 0.0f) << rf.spatialFrequency;
    EXPECT_TRUE(std::isfinite(rf.phase)) << rf.phase;
    EXPECT_TRUE(std::isfinite(rf.width) && rf.width > 0.0f) << rf.width;
    EXPECT_TRUE(std::isfinite(rf.length) && rf.length > 0.0f) << rf.length;
    EXPECT_TRUE(std::isfinite(CurrentFilters().absoluteSum));
    EXPECT_TRUE(std::isfinite(CurrentFilters().displayPeak));
}

void TypeRandomly(QDialog* d, std::initializer_list<int> ids, int count, std::mt19937& random, void (*check)())
{
    for (int i = 0; i < count; ++i) {
        for (int id : ids) {
            const std::string text = RandomText(random);
            TypeInto(d, id, QString::fromStdString(text));
            SCOPED_TRACE(text);
            check();
            if (testing::Test::HasFailure())
                return;
        }
    }
}

TEST(DialogTyping, SelectStimulusFieldsKeepTheirRanges)
{
    std::mt19937 random(20240611);
    for (int type : {Grating, Bar, Spot}) {
        ResetAllRecords();
        stimulus.stimulusType = type;
        DialogPtr d(createSelectStimulusDialog(nullptr));
        using namespace SelectStimulusIds;
        TypeRandomly(d.get(),
                     {kRadiusEdit, kBarLengthEdit, kBarWidthEdit, kOrientationEdit, kContrastEdit, kSfEdit,
                      kVelocityEdit, kModulationEdit, kPhaseEdit, kSensitivityEdit},
                     150, random, ExpectStimulusSound);
    }
}

TEST(DialogTyping, ReceptiveFieldFieldsKeepTheirRanges)
{
    std::mt19937 random(7);
    for (int type : {Simple, OnCentreX, Complex}) {
        ResetAllRecords();
        receptiveField.cellType = type;
        DialogPtr d(createRfDialog(nullptr));
        using namespace RfDialogIds;
        TypeRandomly(d.get(), {kCentreEdit, kOrientationEdit, kSfEdit, kPhaseEdit, kWidthEdit, kLengthEdit}, 25, random,
                     ExpectReceptiveFieldSound);
    }
}

TEST(DialogTyping, MoreOptionsFieldsIgnoreTyping)
{
    std::mt19937 random(99);
    ResetAllRecords();
    DialogPtr d(createMoreOptionsDialog(nullptr));
    using namespace MoreOptionsIds;
    TypeRandomly(d.get(), {kSurroundEdit, kGammaEdit, kRateEdit, kHalfMaxEdit}, 100, random, [] {
        EXPECT_EQ(modelOptions.surroundWeight, 1.0f);
        EXPECT_EQ(modelOptions.gammaOrder, 6);
        EXPECT_EQ(modelOptions.spontaneousRate[Simple], 0.5f);
        EXPECT_EQ(modelOptions.halfMaxContrast, 30.0f);
    });
}

}  // namespace
