// A noise map written as files: the NWB file valid with its frames, the map recomputed from the file's frames
// and spikes the program's own (with a fast-forward's stretch in the middle of the recording, its frames and
// spikes in order), the frames table beside the CSV ones; the command line's refusals.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "files/recording_files.h"
#include "headless/headless_map.h"
#include "mapping/offline_map.h"

namespace {

int MapCommand(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "tessaline");
    std::vector<char*> argv;
    for (std::string& a : arguments) argv.push_back(a.data());
    return RunHeadlessMap(static_cast<int>(argv.size()), argv.data());
}

}  // namespace

TEST(NoiseMapFiles, NwbValidAndGivesTheSameMap)
{
    OfflineMapRequest request;
    request.noise.kind = WhiteNoiseKind, request.noise.columns = 5, request.noise.rows = 4, request.noise.frameTicks = 3;
    request.minutes = 0.5, request.fastForwardMinutes = 0.5;
    auto m = std::make_unique<SpikeTriggeredAverage>();
    RunOfflineMap(request, *m);
    ASSERT_GT(m->spikes, 100);
    EXPECT_EQ(m->ticks, 3000);
    EXPECT_NEAR(RecordingSeconds(), 60.0, 0.05) << "the clock moves on by the stretch";
    EXPECT_EQ(static_cast<int64_t>(recording.spikes.size()), m->spikes);
    QTemporaryDir dir;
    const std::string nwb = dir.filePath(QStringLiteral("m.nwb")).toStdString();
    const std::string sta = dir.filePath(QStringLiteral("sta.txt")).toStdString();
    ASSERT_EQ(WriteRecordingFile(nwb, recording, false), "");
    FILE* out = std::fopen(sta.c_str(), "w");
    for (int32_t lag = 0; lag < kMapLags; ++lag, std::fputc('\n', out))
        for (double v : StaMap(*m, lag)) std::fprintf(out, "%.17g ", v);
    std::fclose(out);
    const std::string command = "/usr/bin/python3 " TESSALINE_SOURCE_DIR "/tests/nwb_check.py --sta " + nwb + " " + sta;
    EXPECT_EQ(std::system(command.c_str()), 0);
    const std::string csv = dir.filePath(QStringLiteral("m.csv")).toStdString();
    ASSERT_EQ(WriteRecordingFile(csv, recording, false), "");
    QFile frames(dir.filePath(QStringLiteral("m-frames.csv")));
    ASSERT_TRUE(frames.open(QIODevice::ReadOnly));
    EXPECT_EQ(frames.readLine(), "onset_s,r0c0,r0c1,r0c2,r0c3,r0c4,r1c0,r1c1,r1c2,r1c3,r1c4,r2c0,r2c1,r2c2,r2c3,r2c4,"
                                 "r3c0,r3c1,r3c2,r3c3,r3c4\n");
    EXPECT_EQ(frames.readAll().count('\n'), static_cast<qsizetype>(recording.noise.frames.size()));
}

// Every bad argument gets status 2 before anything runs.
TEST(NoiseMapFiles, CommandLineRefusals)
{
    const std::vector<std::string> base = {"--map", "sparse-noise", "--cell", "simple", "--minutes", "1", "--out", "x.csv"};
    const std::vector<std::vector<std::string>> extra = {
        {"--grid", "33"}, {"--grid", "1"}, {"--square", "0.05"}, {"--frame", "30"}, {"--frame", "0"},
        {"--seed", "-1"}, {"--minutes", "0"}, {"--map", "pink-noise"}, {"--cell", "bipolar"}, {"--out", "x.txt"}, {"--shade"}};
    for (const auto& e : extra) {
        std::vector<std::string> arguments = base;
        arguments.insert(arguments.end(), e.begin(), e.end());
        EXPECT_EQ(MapCommand(arguments), 2) << e.front();
    }
    EXPECT_EQ(MapCommand({"--map", "white-noise", "--cell", "simple", "--out", "x.csv"}), 2) << "no minutes";
    EXPECT_EQ(MapCommand({"--sweep", "size"}), -1);
}
