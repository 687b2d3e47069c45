#pragma once
// The tuning recorder's form, described once for the desktop's window, the
// page's panel and the command line: every field's label, unit, range,
// first value and step, the texts around them, and the one rule that turns
// the values a student typed into the sweep's plan.
#include <cstdint>
#include <string>
#include <vector>

#include "language/catalog.h"
#include "tuning/tuning_sweep.h"

// A number field. Labels carry their access key after '&' (the desktop
// underlines it; WithoutAccessKey gives the plain text).
// The Measure menu's item that opens the tuning window.
constexpr const char* kTuningMenuText = N_("Tuning curve…");

struct FormNumber {
    const char* label = "";
    const char* unit = "";  // "deg", "s" or none
    double low = 0.0, high = 0.0, value = 0.0;
    double step = 1.0;      // one press of an arrow
    int32_t decimals = 0;   // 0: whole numbers only
};

struct TuningForm {
    const char* title = N_("Tuning curve");  // the window's, the page's panel
    const char* parameterLabel = N_("&Parameter");
    std::vector<const char*> parameters;  // by SweepParameter
    int32_t parameter = SweepOrientation;
    // Orientation sweeps go around the circle in steps; the others from,
    // to and points, which the form shows only for them.
    FormNumber step, from, to, points, repeats, seconds;
    bool stepUsed = true;
    const char* centreText = N_("Centre on the receptive field");
    // Hidden while a hand plot hides the field: centring would show where
    // it is (and the sweep ignores the choice meanwhile).
    bool centreShown = true;
    bool centreChecked = true;
    const char* start = N_("Start");
    const char* stop = N_("Stop");
    const char* saveData = N_("Save data");
    const char* savePicture = N_("Save picture");
    const char* close = N_("Close");
    const char* plotTitle = N_("Tuning curve (0.5 s blank between points; bars: \u00b11 s.e.m.)");
    const char* dataFile = "tuning.csv";
    const char* pictureFile = "tuning.png";
};
// The form with the first range and values of that parameter (any number:
// one out of range is taken as orientation).
TuningForm TuningFormOf(int32_t parameter);

// The values as typed, before any check: a field left empty or not a
// number is NaN.
struct TuningFormValues {
    int32_t parameter = SweepOrientation;
    double step = 30.0, from = 0.0, to = 360.0, points = 12.0, repeats = 2.0, seconds = 1.0;
    bool centre = true;
};
// The form's first values for that parameter.
TuningFormValues DefaultFormValues(int32_t parameter);
// A value held to its field: NaN takes the field's first value, anything
// else the nearest value in range (whole for a whole-number field).
double BoundToField(double value, const FormNumber& field);
// The sweep the form asks for, every value held to its field: the desktop's
// window, the page and the headless run all start their sweeps from this.
SweepPlan PlanOfForm(const TuningFormValues& values);

// "Orientation step" from "Orientation &step".
std::string WithoutAccessKey(const char* label);
// "3 of 12 points, 8 s left" while running, "12 points measured" after.
std::string TuningProgressText(bool running, int32_t done, int32_t total, int64_t ticksLeft);
// Where the points will be shown when they are not centred on the field
// (the stimulus position); empty when they are.
std::string TuningPlacementText(bool centreChecked);
