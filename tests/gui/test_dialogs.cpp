// The dialogs' wiring, key by key: what the real controls hand to the rules reaches the records and comes back
// into the controls, and modal runs. (The rules are the core tests'; typed extremes the random-input test's.)
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QSpinBox>

#include "dialogs/more_options_dialog.h"
#include "dialogs/rf_dialog.h"
#include "dialogs/select_stimulus_dialog.h"
#include "test_shell_support.h"

namespace {

// Each keystroke is handled on its own, so the prefixes of a text count.
TEST(Dialogs, TypedFieldsMoveTheirRecordsAndControls)
{
    namespace St = SelectStimulusIds;
    namespace Rf = RfDialogIds;
    ResetAllRecords();
    stimulus.stimulusType = Grating;
    const ReceptiveField& rf = receptiveField;
    const auto stim = CreateSelectStimulusDialog, field = CreateRfDialog;
    // control: a slider or a spin box
    const struct { QDialog* (*create)(QWidget*); int edit; const char* text; const Relaxed<float>& record; float value; int control, position; } steps[] = {
        {stim, St::kSfEdit, "1", stimulus.gratingSf, 1.0f, St::kSfSlider, 150},
        {stim, St::kSfEdit, "101", stimulus.gratingSf, 10.0f, St::kSfSlider, 220},  // its last key refused
        {stim, St::kPhaseEdit, "33", stimulus.gratingPhase, 33.0f, St::kPhaseUpDown, 16},
        {field, Rf::kPhaseEdit, "-30", rf.phase, -30.0f, Rf::kPhaseUpDown, 18},  // stored; off the arrows
        {field, Rf::kSfEdit, "50", rf.spatialFrequency, 50.0f, Rf::kSfUpDown, 50},  // "5" moved it
    };
    for (const auto& s : steps) {
        DialogPtr d(s.create(nullptr));
        TypeInto(d.get(), s.edit, s.text);
        EXPECT_FLOAT_EQ(s.record.load(), s.value) << s.text;
        auto* slider = Control<QSlider>(d.get(), s.control);
        EXPECT_EQ(slider ? slider->value() : Control<QSpinBox>(d.get(), s.control)->value(), s.position) << s.text;
        EXPECT_EQ(FieldText(d.get(), s.edit), s.text) << "kept as typed";
    }
    // Enter re-reports the arrows' position: the typed phase stays.
    DialogPtr d(field(nullptr));
    TypeInto(d.get(), Rf::kPhaseEdit, "-30");
    QTest::keyClick(Control<QSpinBox>(d.get(), Rf::kPhaseUpDown), Qt::Key_Return);
    EXPECT_FLOAT_EQ(rf.phase, -30.0f);

    // Noise: a refused grid is said below its fields; the first short frames wait until the notice is read.
    stimulus.stimulusType = WhiteNoise, flickerNoticeGiven = false;
    DialogPtr noise(stim(nullptr));
    TypeInto(noise.get(), St::kNoiseEdits, "1");
    EXPECT_TRUE(Control<QLabel>(noise.get(), St::kNoiseMessage)->text().contains(QStringLiteral("2 to 32")));
    EXPECT_TRUE(WithModal([&] { TypeInto(noise.get(), St::kNoiseEdits + 2, "40"); }, [](QWidget* box) {
        EXPECT_EQ(stimulus.noiseFrameTicks, 5);
        EXPECT_TRUE(static_cast<QMessageBox*>(box)->text().contains(QStringLiteral("seizures")));
    }));
    EXPECT_EQ(stimulus.noiseFrameTicks, 2);
}

// A spin box steps with the arrow keys and the mouse and shows the new text,
// even where its text may not be typed; a button writes its choice.
TEST(Dialogs, SpinBoxesStepAndButtonsChoose)
{
    namespace St = SelectStimulusIds;
    ResetAllRecords();  // a bar: the grating's texts are disabled
    DialogPtr d(CreateSelectStimulusDialog(nullptr));
    auto* phase = Control<QSpinBox>(d.get(), St::kPhaseUpDown);
    EXPECT_FALSE(Control<QLineEdit>(d.get(), St::kPhaseEdit)->isEnabled());
    QTest::keyClick(phase, Qt::Key_Up), QTest::keyClick(phase, Qt::Key_Up);
    EXPECT_FLOAT_EQ(stimulus.gratingPhase, 4.0f);
    EXPECT_EQ(FieldText(d.get(), St::kPhaseEdit), "4");
    phase->stepDown();
    EXPECT_EQ(FieldText(d.get(), St::kPhaseEdit), "2");
    QTest::mouseClick(Control<QRadioButton>(d.get(), St::kBlack), Qt::LeftButton);
    EXPECT_EQ(stimulus.polarity, -1);

    DialogPtr options(CreateMoreOptionsDialog(nullptr));
    auto* gamma = Control<QSpinBox>(options.get(), MoreOptionsIds::kGammaUpDown);
    QTest::keyClick(gamma, Qt::Key_Down);
    EXPECT_EQ(modelOptions.gammaOrder, 5);
    EXPECT_EQ(FieldText(options.get(), MoreOptionsIds::kGammaEdit), "5");
}

TEST(Dialogs, ModalRunsKeepTheirChanges)
{
    using namespace SelectStimulusIds;
    ResetAllRecords();
    stimulus.mouseX = 17, stimulus.mouseY = 23;
    EXPECT_TRUE(WithModal([] { ShowSelectStimulusDialog(nullptr); }, [](QWidget* d) {
        EXPECT_TRUE(stimulus.stimulusOn) << "switched on while open";
        EXPECT_EQ(stimulus.mouseX, kTestWidth / 2);
        Control<QSlider>(d, kContrastSlider)->setValue(20);
        TypeInto(d, kBarLengthEdit, "6");
        QTest::keyClick(d, Qt::Key_Escape);
    }));
    EXPECT_EQ(std::tuple(stimulus.stimulusOn.load(), stimulus.contrastPercent.load(), stimulus.barLength.load()),
              std::tuple(false, 10.0f, 6.0f));
    EXPECT_EQ(stimulus.mouseX, kTestWidth / 2) << "stays centred until the pointer moves";

    EXPECT_TRUE(WithModal([] { ShowRfDialog(nullptr); }, [](QWidget* d) {
        TypeInto(d, RfDialogIds::kSfEdit, "1.6");
        QTest::mouseClick(Control<QWidget>(d, kOkButton), Qt::LeftButton);
    }));
    EXPECT_FLOAT_EQ(receptiveField.spatialFrequency, 1.6f);
}

}  // namespace
