// The recording: spikes at their clicks' samples on one time line, trials from presses and sweep points, the
// PSTH a student reads, the CSV tables, and the memory of an hour.
#include <clocale>
#include <cmath>
#include <sstream>
#include <thread>

#include "sim/spike_log.h"
#include "test_support.h"
#include "recording/offline_sweep.h"
#include "recording/recording.h"
#include "formats/noise_files.h"
#include "model/file_numbers.h"
#include "formats/recording_csv.h"
#include "recording/raster_picture.h"
#include "recording/recording_psth.h"

namespace {

// Ticks as the audio thread runs them, the recording drained after each.
void RunTicks(int64_t& tick, int32_t count)
{
    for (int32_t i = 0; i < count; ++i) ts::RunTick(tick++), DrainRecording();
}

int32_t Lines(const std::string& text) { return static_cast<int32_t>(std::count(text.begin(), text.end(), '\n')); }

}  // namespace

// A stream that starts again from 0 keeps the time line going, clicks land where the generator wrote them,
// and an overrun log counts what it lost.
TEST(SpikeLog, OneTimeLineAcrossRestartsAndLossCounted)
{
    ResetSpikeLog();
    SpikeLogReader reader = SpikeLogReaderFromNow();
    LogSlice(5000, 5882, true);
    LogSpike(5100);
    LogSlice(5882, 6764, false);
    LogSlice(5000, 5882, false);  // the stream started again
    LogSpike(5010);
    LogSlice(5882, 6764, true);
    NewStimulusPresentation();  // a sweep's next point, shown straight after
    LogSlice(6764, 7646, true);
    SpikeLogEvent events[8];
    ASSERT_EQ(DrainSpikeLog(reader, events, 8), 7);
    const int64_t expected[][2] = {{5000, LogStimulusOn},       {5100, LogSpikeEvent},     {5882, LogStimulusOff},
                                   {6764 + 10, LogSpikeEvent},  {7646, LogStimulusOn},     {8528, LogStimulusOff},
                                   {8528, LogStimulusOn}};
    for (int32_t i = 0; i < 7; ++i) EXPECT_EQ(std::pair(events[i].sample, int64_t{events[i].kind}), std::pair(expected[i][0], expected[i][1])) << i;
    for (int32_t i = 0; i < kSpikeLogSlots + 10; ++i) LogSpike(i);
    int32_t taken = 0;
    for (int32_t n; (n = DrainSpikeLog(reader, events, 8)) > 0;) taken += n;
    EXPECT_EQ(taken, kSpikeLogSlots);
    EXPECT_EQ(reader.lost, 10);
}

// The neuron tick's thread appends while the user-interface thread drains: each event arrives once, in order, or is lost.
TEST(SpikeLogThreaded, ReaderSeesEveryEventOnceInOrder)
{
    ResetSpikeLog();
    SpikeLogReader reader = SpikeLogReaderFromNow();
    constexpr int64_t kEvents = 400000;
    std::thread writer([] { for (int64_t i = 0; i < kEvents; ++i) LogSpike(i); });
    SpikeLogEvent events[512];
    int64_t taken = 0, last = -1;
    bool ordered = true;
    while (taken + reader.lost < kEvents) {
        const int32_t n = DrainSpikeLog(reader, events, 512);
        for (int32_t i = 0; i < n; ++i) ordered = ordered && events[i].sample > last, last = events[i].sample;
        taken += n;
    }
    writer.join();
    EXPECT_TRUE(ordered);
    EXPECT_EQ(taken + reader.lost, kEvents);
    EXPECT_GT(taken, 0);
}

// Twenty presses of a spot over an ON-centre cell: twenty trials of half a second, the onset burst of 80 to
// 90 spikes/s over the spontaneous 15, and every spike of a press in its trial.
TEST(Recording, TwentyPressesOverAnOnCentreCell)
{
    ts::SpotOverField(OnCentreX);
    int64_t tick = 0;
    RunTicks(tick, 30);
    StartRecording();
    for (int32_t press = 0; press < 20; ++press) {
        RunTicks(tick, 50);
        OnLeftButtonDown();
        RunTicks(tick, 25);
        OnLeftButtonUp();
    }
    RunTicks(tick, 25);
    StopRecording();
    ASSERT_EQ(recording.trials.size(), 20u);
    for (const RecordedTrial& t : recording.trials) {
        EXPECT_NEAR(t.stop - t.start, 0.5, 0.021);
        EXPECT_EQ(t.stimulus.type, Spot);
        EXPECT_EQ(t.field, -1);
    }
    for (size_t i = 0; i < recording.spikes.size(); ++i) {
        const int32_t trial = recording.spikeTrials[i];
        if (trial == 0) continue;
        const RecordedTrial& t = recording.trials[static_cast<size_t>(trial - 1)];
        EXPECT_TRUE(recording.spikes[i] >= t.start && recording.spikes[i] < t.stop) << i;
    }
    const Raster raster = BuildRaster(recording);
    ASSERT_EQ(raster.rows.size(), 20u);
    const Psth psth = BuildPsth(raster, 0.05, 0, 20);
    auto rateAt = [&psth](double t) { return psth.rate[static_cast<size_t>((t - psth.from) / psth.binSeconds)]; };
    double before = 0.0;
    for (double t = -0.5; t < -0.01; t += 0.05) before += rateAt(t + 0.001) / 10.0;
    float burst = 0.0f;
    for (double t = 0.0; t < 0.2; t += 0.05) burst = std::max(burst, rateAt(t + 0.001));
    EXPECT_NEAR(before, 15.0, 6.0) << "spontaneous before the onset";
    EXPECT_NEAR(burst, 85.0f, 15.0f) << "the onset burst";
}

// A recording made while sparse noise is shown keeps the frame it starts in and each one after it, their onsets on
// the spikes' clock 100 ms apart, and its frames table gives each as NoiseFrame makes it.
TEST(Recording, NoiseShownKeepsItsFrames)
{
    ts::SpotOverField(OnCentreX);
    SetStimulusType(SparseNoise);
    stimulus.stimulusOn = true;
    int64_t tick = 0;
    RunTicks(tick, 32);
    StartRecording();
    RunTicks(tick, 50);
    StopRecording();
    const NoiseRecord& n = recording.noise;
    ASSERT_EQ(n.frames.size(), 11u);
    EXPECT_EQ(n.onsets.front(), 0.02) << "the first recorded tick's slice, 60 ms before the next frame";
    for (size_t f = 1; f < n.frames.size(); ++f)
        EXPECT_EQ(std::pair(n.frames[f] - n.frames[f - 1], std::round((n.onsets[f] - n.onsets[f - 1]) * 1e9)),
                  std::pair(int64_t{1}, f == 1 ? 6e7 : 1e8)) << f;
    std::string last = ShortestDoubleText(n.onsets.back());
    std::vector<int8_t> values(static_cast<size_t>(NoiseSquares(n.settings)));
    ASSERT_TRUE(NoiseFrame(n.settings, n.frames.back(), values.data()));
    for (int8_t v : values) last += ',' + std::to_string(v);
    const std::string table = NoiseFramesCsvText(n);
    EXPECT_EQ(table.substr(table.rfind('\n', table.size() - 2) + 1), last + '\n');
}

// The tables a student opens: a header, a row per spike or trial, a decimal point even where the desktop's mark is a comma.
TEST(Recording, CsvTablesInEveryLocale)
{
    ts::ResetEngine(OnCentreX);
    const OfflineSweepResult result = RunOfflineSweep({OfflineOrientation, Simple, 7, 1});
    EXPECT_EQ(recording.trials.size(), 12u);
    for (size_t i = 0; i < recording.trials.size(); ++i) {
        const RecordedTrial& t = recording.trials[i];
        EXPECT_EQ(t.field, FieldOrientation);
        EXPECT_EQ(t.condition, 30.0f * static_cast<float>(i));
        EXPECT_NEAR(t.stop - t.start, 1.0, 1e-9) << "fifty ticks of 882 samples";
    }
    EXPECT_TRUE(result.summary.hasOsi) << result.line;
    const char* was = std::setlocale(LC_ALL, "de_DE.UTF-8");
    const std::string spikes = SpikesCsvText(recording), trials = TrialsCsvText(recording);
    std::setlocale(LC_ALL, was ? "C" : "C");
    EXPECT_EQ(spikes.substr(0, spikes.find('\n')), "time_s,trial");
    EXPECT_EQ(Lines(spikes), static_cast<int32_t>(recording.spikes.size()) + 1);
    EXPECT_EQ(Lines(trials), 13);
    std::istringstream rows(spikes);
    std::string row;
    std::getline(rows, row);
    for (size_t i = 0; std::getline(rows, row); ++i) {
        const size_t comma = row.find(',');
        ASSERT_EQ(std::stod(row.substr(0, comma)), recording.spikes[i]) << row;
        ASSERT_EQ(std::stoi(row.substr(comma + 1)), recording.spikeTrials[i]) << row;
    }
    EXPECT_NE(trials.find("\n1,0.52,1.52,grating,"), std::string::npos) << trials.substr(0, 300);
    EXPECT_NE(trials.find(",orientation (deg),30\n"), std::string::npos);
}

// An hour at 200 spikes/s drained every 50 ms stays well under 50 MB; the model is unnamed while the field is hidden.
TEST(Recording, AnHourFitsAndTheHiddenFieldStaysHidden)
{
    ts::ResetEngine(DirectionalSimple);
    StartRecording();
    int64_t sample = 0;
    for (int32_t drain = 0; drain < 72000; ++drain) {
        LogSlice(sample, sample + 2205, false);
        for (int32_t s = 0; s < 10; ++s) LogSpike(sample + s * 220);
        sample += 2205;
        DrainRecording();
    }
    EXPECT_EQ(recording.spikes.size(), 720000u);
    const size_t bytes = recording.spikes.capacity() * sizeof(double) + recording.spikeTrials.capacity() * sizeof(int32_t)
        + recording.changes.capacity() * sizeof(StimulusChange);
    EXPECT_LT(bytes, 50u << 20);
    EXPECT_EQ(RecordedModelText(true).find("simple"), std::string::npos);
    EXPECT_NE(RecordedModelText(false).find("directionally selective simple"), std::string::npos);
    StopRecording();
}

// Known recordings laid out for both editions: rows in condition order with their labels, each row's stimulus
// shaded, the bins held to 5 to 100 ms, the ticks and their labels.
TEST(RasterPicture, KnownRecordingsLaidOut)
{
    struct Trial { double start, stop; int32_t field; float condition; };
    const double kNan = std::numeric_limits<double>::quiet_NaN();
    const char* kAxes = "spikes/s|-0.5|0.0|0.5|1.0|";
    const struct { std::vector<Trial> trials; std::vector<double> spikes; double bin; size_t bins; std::string texts; } cases[] = {
        {{{1, 1.5, -1, 0}, {3, 3.5, -1, 0}}, {1.05, 1.06, 3.2}, 0.01, 150, "2 trials|0|20|40|60|" + std::string(kAxes)},
        {{{1, 1.5, -1, 0}, {3, 3.5, -1, 0}}, {1.05, 1.06, 3.2}, 0.003, 300, "2 trials|0|50|100|150|" + std::string(kAxes)},
        {{{0, 1, FieldOrientation, 22.5f}, {2, 3, FieldOrientation, 0}, {4, 5, FieldOrientation, 22.5f}},
         {0.12, 2.12, 4.12, 4.13}, 1.0, 20, "0|22.5|3 trials|0|5|10|15|" + std::string(kAxes) + "1.5|"},
        {{{0, 0.5, FieldSpotRadius, 1.75f}, {2, 2.5, FieldSpotRadius, 0.25f}}, {}, kNan, 150,
         "0.25|1.75|2 trials|0|5|10|" + std::string(kAxes)},
    };
    for (const auto& c : cases) {
        Recording r;
        for (const Trial& t : c.trials) r.trials.push_back({t.start, t.stop, {}, t.field, t.condition});
        r.spikes = c.spikes;
        const Raster raster = BuildRaster(r);
        const Psth psth = BuildPsth(raster, c.bin, 0, static_cast<int32_t>(raster.rows.size()));
        EXPECT_EQ(psth.rate.size(), c.bins);
        const PlotPicture p = RasterPicture(raster, psth, 560, 440);
        std::string texts;
        std::vector<double> shades;
        for (const PlotShape& s : p.shapes) {
            if (s.kind == ShapeText) texts += s.text + "|";
            if (s.kind == ShapeFill && s.colour == 0xffecaa) shades.push_back((s.x1 - s.x0) / 492 * (raster.to - raster.from));
        }
        EXPECT_EQ(texts, c.texts + "time from stimulus onset (s)|");
        ASSERT_EQ(shades.size(), c.trials.size());
        for (size_t i = 0; i < shades.size(); ++i) EXPECT_NEAR(shades[i], raster.rows[i].duration, 1e-9) << i;
    }
}
