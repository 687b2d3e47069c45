#include <QRadioButton>

#include "dialogs/select_stimulus_dialog.h"
#include "test_dialog_support.h"

using namespace SelectStimulusIds;

namespace {

using SelectStimulusDialog = DialogTest<createSelectStimulusDialog>;

TEST_F(SelectStimulusDialog, TypedSpatialFrequencyMovesTheLogSlider)
{
    stimulus.stimulusType = Grating;
    DialogPtr d = Open();
    // Each keystroke is handled on its own, so the prefixes of a text count:
    // "101" stores 10 on the way before its last key is refused.
    const struct { const char* text; float sf; int slider; } steps[] = {
        {"5", 5.0f, 220},
        {".3", 0.3f, 220},  // at or below 0.35 the slider stays
        {"1", 1.0f, 150},
        {"0", 0.0f, -1},
        {"100", 100.0f, 220},  // 10 passed on the way; limited to the slider's end
        {"101", 10.0f, 220},
        {"abc", 10.0f, 220},
    };
    for (const auto& s : steps) {
        TypeInto(d.get(), kSfEdit, s.text);
        EXPECT_FLOAT_EQ(stimulus.gratingSf, s.sf) << s.text;
        EXPECT_EQ(SliderAt(d.get(), kSfSlider), s.slider) << s.text;
    }
}

TEST_F(SelectStimulusDialog, EscapeKeepsChangesAndPutsTheStimulusBack)
{
    stimulus.mouseX = 17;
    stimulus.mouseY = 23;
    RunModal(openSelectStimulus, [](QDialog* d) {
        EXPECT_TRUE(stimulus.stimulusOn) << "switched on while open";
        EXPECT_EQ(stimulus.mouseX, kTestWidth / 2);
        EXPECT_EQ(stimulus.mouseY, kTestHeight / 2);
        Control<QSlider>(d, kContrastSlider)->setValue(20);
        TypeInto(d, kBarLengthEdit, "6");
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_FALSE(stimulus.stimulusOn);
    EXPECT_FLOAT_EQ(stimulus.contrastPercent, 10.0f);
    EXPECT_FLOAT_EQ(stimulus.barLength, 6.0f);
    EXPECT_EQ(stimulus.mouseX, kTestWidth / 2) << "stays centred until the pointer moves";
}

}  // namespace
