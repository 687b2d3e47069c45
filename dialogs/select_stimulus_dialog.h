#pragma once
// Pieces of the "Select stimulus" dialog shared by its construction and its
// change handling.
#include <QString>

class QDialog;

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
};
}  // namespace SelectStimulusIds

// Contrast slider: 1 dB steps, 0 is 1 %, 40 is 100 %, -1 is no contrast.
int ContrastPositionFromValue(float contrast);
float ContrastFromPosition(int position);
// Spatial-frequency slider: logarithmic, -1 and 0 mean 0 c/deg.
int SfPositionAtOpening(float sf);
float SfFromPosition(int position);
// The contrast sensitivity 100 / contrast to two decimals, "*" for none.
QString SensitivityText(float contrast);

void SetStimulusField(QDialog* d, int id, const QString& text);
void EnableStimulusControls(QDialog* d, int type);
void ShowStimulusRadius(QDialog* d);
