#pragma once
// The recording's window and panel, described once for both editions: the
// raster over its PSTH as a figure to paint, a group's label, the counts
// line and the controls' texts and bin range.
#include <string>

#include "language/catalog.h"
#include "recording/recording_psth.h"
#include "tuning/plot_picture.h"
#include "tuning/tuning_form.h"

// The Measure menu's two items for the recording (the shells' menu table
// holds them with the tuning curve's), and the window's own.
constexpr const char* kRecordText = N_("Record");
constexpr const char* kRasterMenuText = N_("Raster and PSTH…");

struct RecordPanelTexts {
    const char* title = N_("Recording");
    const char* window = N_("Raster and PSTH");  // the page's panel
    const char* record = kRecordText;
    const char* savePicture = N_("Save picture");
    const char* exportData = N_("Export data");
    const char* close = N_("Close");
    const char* pictureFile = "raster.png";
    // The page's three exports: the CSV files beside "recording.csv", and NWB.
    const char* spikesCsv = N_("Spikes CSV");
    const char* trialsCsv = N_("Trials CSV");
    const char* nwb = "NWB";
    const char* csvTarget = "recording.csv";
    const char* nwbFile = "recording.nwb";
    const char* nwbNotLoaded = N_("The NWB writer could not be loaded: check the connection and try again.");
    const char* nwbNotWritten = N_("The NWB file could not be written:");
    // Milliseconds; BuildPsth holds a width outside it to it as well.
    FormNumber bin{N_("PSTH &bin"), "ms", kLeastBinSeconds * 1000, kMostBinSeconds * 1000, kDefaultBinSeconds * 1000, 1, 0};
};

// Rows aligned on their onsets with the stimulus shaded and a tick per
// spike, the groups of a sweep's conditions parted and labelled, over the
// PSTH of all rows; time from the onset across both, the onset dashed.
PlotPicture RasterPicture(const Raster& raster, const Psth& psth, double width, double height);
// A sweep's condition beside its rows ("22.5", "0.4", with the decimal mark
// of the language in force); empty for presses.
std::string RasterGroupLabel(const RasterGroup& group);
// "12.3 s recorded, 40 spikes, 3 trials (2 events lost)", or "Not
// recording." before anything was recorded, in the language in force.
std::string RecordCountsText();
