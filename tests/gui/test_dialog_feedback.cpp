#include "test_dialog_support.h"
#include "dialogs/feedback_fields.h"

namespace {

using FeedbackDialog = DialogTest<createFeedbackDialog>;

TEST_F(FeedbackDialog, OrientationDifferenceFoldsOnceForSimpleCellsOnly)
{
    const struct { int type; float field, stimulus; const char *typeText, *actual, *estimate, *difference; } cases[] = {
        {Simple, 10.0f, 170.0f, "simple", "10", "170", "20"},
        {Simple, 300.0f, 10.0f, "simple", "300", "10", "110"},
        {Simple, 170.0f, 10.0f, "simple", "170", "10", "-20"},
        {Simple, 90.0f, 0.0f, "simple", "90", "0", "90"},
        {DirectionalSimple, 10.0f, 350.0f, "directionally selective simple", "10", "350", "-340"},
        {Complex, 10.0f, 350.0f, "complex", "10", "350", "-340"},
        {Complex, 12.5f, 0.0f, "complex", "13", "0", "13"},  // halves away from zero
    };
    for (const auto& c : cases) {
        receptiveField.cellType = c.type;
        receptiveField.orientation = c.field;
        stimulus.orientation = c.stimulus;
        DialogPtr d = Open();
        EXPECT_EQ(FieldText(d.get(), kTypeText), c.typeText);
        EXPECT_EQ(FieldText(d.get(), kOrientationActual), c.actual) << c.field << " vs " << c.stimulus;
        EXPECT_EQ(FieldText(d.get(), kOrientationEstimate), c.estimate) << c.field << " vs " << c.stimulus;
        EXPECT_EQ(FieldText(d.get(), kOrientationDifference), c.difference) << c.field << " vs " << c.stimulus;
    }
}

TEST_F(FeedbackDialog, PositionToATenth)
{
    receptiveField.centreX = 12.34f;
    receptiveField.centreY = 8.76f;
    stimulus.stimX = 12.0f;
    stimulus.stimY = 9.0f;
    DialogPtr d = Open();
    const struct { int id; const char* text; } fields[] = {
        {kXActual, "12.3"},   {kYActual, "8.8"},    {kXEstimate, "12"}, {kYEstimate, "9"},
        {kXDifference, "-0.3"}, {kYDifference, "0.2"}, {kDistance, "0.4"},
    };
    for (const auto& f : fields)
        EXPECT_EQ(FieldText(d.get(), f.id), f.text) << f.id;
}

}  // namespace
