// A recording written as NWB and CSV: valid against the NWB core schema, the same spikes and trials in both,
// nothing of a hidden field given away; the headless sweep's arguments and paths; the window's raster.
#include <QCheckBox>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>

#include "app/record_window.h"
#include "app/tuning_window.h"
#include "files/recording_files.h"
#include "formats/recording_csv.h"
#include "headless/headless_run.h"
#include "recording/offline_sweep.h"
#include "test_shell_support.h"

namespace {

int RunChecker(const std::string& arguments)
{
    const std::string command = "/usr/bin/python3 " TESSALINE_SOURCE_DIR "/tests/nwb_check.py " + arguments;
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int Sweep(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "tessaline");
    std::vector<char*> argv;
    for (std::string& a : arguments) argv.push_back(a.data());
    return RunHeadlessSweep(static_cast<int>(argv.size()), argv.data());
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

// One sweep's recording as NWB and as CSV: the schema's validator accepts the file, refuses it without an
// identifier or with a signed index, and h5py reads back the spikes and trials the CSV files hold.
TEST(RecordingExport, NwbValidAndAgreesWithCsvSpikeForSpike)
{
    RunOfflineSweep({OfflineOrientation, Simple, 3, 1});
    ASSERT_GT(recording.spikes.size(), 50u);
    QTemporaryDir dir;
    const std::string nwb = dir.filePath(QStringLiteral("x.nwb")).toStdString();
    const std::string csv = dir.filePath(QStringLiteral("x.csv")).toStdString();
    ASSERT_EQ(WriteRecordingFile(nwb, recording, false), "");
    ASSERT_EQ(WriteRecordingFile(csv, recording, false), "");
    EXPECT_EQ(RunChecker(nwb + " " + csv + " " + TrialsCsvPath(csv)), 0);
    EXPECT_EQ(RunChecker("--rejects " + nwb), 0);
    EXPECT_TRUE(Contents(QString::fromStdString(nwb)).contains("orientation 90")) << "the model is named";
}

// While a hand plot hides the field, neither file names the cell or the field's place.
TEST(RecordingExport, HiddenFieldNotGivenAway)
{
    RunOfflineSweep({OfflineSize, OnCentreX, 5, 1});
    QTemporaryDir dir;
    for (const char* name : {"h.nwb", "h.csv"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        ASSERT_EQ(WriteRecordingFile(path.toStdString(), recording, true), "");
        QByteArray all = Contents(path) + Contents(QString::fromStdString(TrialsCsvPath(path.toStdString())));
        EXPECT_FALSE(all.contains("ON-centre") || all.contains("sigma")) << name;
    }
}

// Bad arguments: status 2. A path that cannot be written: status 1 and no file, not even a part of one.
TEST(RecordingExport, HeadlessArgumentsAndPaths)
{
    EXPECT_EQ(Sweep({"--version"}), -1);
    const std::vector<std::vector<std::string>> refused = {
        {"--sweep", "tilt", "--cell", "simple", "--out", "x.nwb"},
        {"--sweep", "orientation", "--cell", "bipolar", "--out", "x.nwb"},
        {"--sweep", "orientation", "--cell", "simple"},
        {"--sweep", "orientation", "--cell", "simple", "--out", "x.txt"},
        {"--sweep", "size", "--cell", "simple", "--out", "x.csv", "--repeats", "0"},
        {"--sweep", "size", "--cell", "simple", "--out", "x.csv", "--seed", "-4"},
        {"--sweep", "size", "--cell", "simple", "--out", "x.csv", "--colour", "red"},
        {"--sweep", "size", "--cell", "simple", "--out"},
    };
    for (const auto& arguments : refused) EXPECT_EQ(Sweep(arguments), 2) << arguments[1] << " " << arguments.back();
    QTemporaryDir dir;
    const std::string missing = dir.filePath(QStringLiteral("no/such/folder/x.nwb")).toStdString();
    EXPECT_EQ(Sweep({"--sweep", "size", "--cell", "on-centre", "--out", missing, "--repeats", "1"}), 1);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    const std::string csv = dir.filePath(QStringLiteral("s.csv")).toStdString();
    EXPECT_EQ(Sweep({"--sweep=contrast", "--cell=complex", "--out=" + csv, "--repeats=1", "--seed=9"}), 0);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(TrialsCsvPath(csv))));
}

// The menu's toggle starts and stops the recording, and the window's raster has a row per press.
TEST(RecordingExport, RecordToggleAndRaster)
{
    ts::SpotOverField(OnCentreX);
    QWidget owner;
    QMenu menu;
    AddRecordActions(&menu, &owner);
    QAction* toggle = menu.findChild<QAction*>(QStringLiteral("recordToggle"));
    ASSERT_NE(toggle, nullptr);
    EXPECT_FALSE(toggle->isChecked()) << "off at start-up";
    toggle->setChecked(true);
    EXPECT_TRUE(recording.on);
    int64_t tick = 0;
    for (int32_t press = 0; press < 3; ++press)
        for (int32_t i = 0; i < 40; ++i, ++tick) {
            if (i == 10) OnLeftButtonDown();
            if (i == 30) OnLeftButtonUp();
            ts::RunTick(tick);
        }
    RecordWindow* window = TheRecordWindow(&owner);
    window->poll();
    EXPECT_TRUE(window->status().contains(QStringLiteral("3 trials"))) << window->status().toStdString();
    QTemporaryDir dir;
    EXPECT_TRUE(window->savePicture(dir.filePath(QStringLiteral("r.png"))));
    window->findChild<QCheckBox*>(QStringLiteral("record"))->setChecked(false);
    EXPECT_FALSE(recording.on);
    EXPECT_FALSE(toggle->isChecked()) << "the menu follows the window's toggle";
}

// The headless summary is the tuning window's: the same sweep on the same ticks gives the same line, OSI and all.
TEST(RecordingExport, HeadlessSummaryIsTheTuningWindows)
{
    const OfflineSweepRequest request{OfflineOrientation, Simple, 11, 2};
    const std::string headless = RunOfflineSweep(request).line;
    PrepareOfflineSweep(request);
    TuningWindow window(nullptr);
    window.show();
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("start")), Qt::LeftButton);
    ASSERT_TRUE(SweepRunning());
    while (SweepRunning()) OfflineTick(), window.poll();
    SetSceneDrawing(true);
    EXPECT_EQ(window.summary().toStdString(), headless);
    EXPECT_NE(headless.find("OSI"), std::string::npos) << headless;
}
