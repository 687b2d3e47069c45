#pragma once
// The "Select stimulus" dialog: a view of the stimulus rules. Each control
// hands its change to the rule for it, then every control shows what the
// rule says.
#include <QDialog>

#include "controls/select_stimulus_rules.h"

class NumberSpinBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSlider;

// The controls' ids, their object names.
namespace SelectStimulusIds {
enum : int {
    kTypeList = 1011,
    kSfSlider = 1030,
    kSfEdit = 1031,
    kRadiusSlider = 1010,
    kRadiusEdit = 1006,
    kBarLengthSlider = 1012,
    kBarLengthEdit = 1008,
    kBarWidthSlider = 1013,
    kBarWidthEdit = 1020,
    kOrientationSlider = 1028,
    kOrientationEdit = 1022,
    kContrastSlider = 1029,
    kContrastEdit = 1024,
    kSensitivityEdit = 1026,
    kVelocityEdit = 1035,
    kVelocityUpDown = 1007,
    kModulationEdit = 1037,
    kModulationUpDown = 1036,
    kPhaseEdit = 1038,
    kPhaseUpDown = 1021,
    kBlack = 1014,
    kWhite = 1015,
    kNoiseEdits = 1040,  // the noise's fields, 1040 to 1044 in the order of NoiseRow
    kNoiseMessage = 1045,
};
}  // namespace SelectStimulusIds

class SelectStimulusDialog : public QDialog {
public:
    explicit SelectStimulusDialog(QWidget* parent);

private:
    void chooseShape(int entry);
    void typeField(StimulusRow row);
    void moveSlider(StimulusRow row);
    void typeSpin(StimulusSpin spin);
    void stepSpin(StimulusSpin spin, int position);
    void choosePolarity(int polarity);
    void typeNoise(NoiseRow row);
    // Every control as the rules say; a field being typed into keeps its text.
    void showView(const SelectStimulusView& view, const QWidget* typing = nullptr);

    QComboBox* shape_;
    QSlider* sliders_[kStimulusRows];
    QLineEdit* fields_[kStimulusRows];
    QLineEdit* sensitivity_;
    NumberSpinBox* spins_[kStimulusSpins];
    QRadioButton* black_;
    QRadioButton* white_;
    QLineEdit* noise_[kNoiseRows];
    QLabel* noiseMessage_;
};
