#pragma once
// The "Feedback" window after a hand plot: the scores, shown only.
#include <QDialog>

// The fields' ids, their object names.
enum FeedbackField : int {
    kTypeText = 1022,
    kOrientationActual = 1006,
    kOrientationEstimate = 1008,
    kOrientationDifference = 1020,
    kSfActual = 1024,
    kSfEstimate = 1026,
    kSfDifference = 1031,
    kXActual = 1007,
    kYActual = 1035,
    kXEstimate = 1009,
    kYEstimate = 1037,
    kXDifference = 1021,
    kYDifference = 1038,
    kDistance = 1023,
};

class FeedbackDialog : public QDialog {
public:
    explicit FeedbackDialog(QWidget* parent);
};
