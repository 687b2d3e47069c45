// Mapping a field with noise: frames that any reader makes alike, and maps of a seeded run that find a simple
// cell's field and not a complex cell's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>
#include <thread>

#include "mapping/fast_map.h"
#include "mapping/map_picture.h"
#include "mapping/map_scores.h"
#include "mapping/offline_map.h"
#include "tests/core/test_support.h"
#include "stimulus/noise_frames.h"

namespace {

NoiseSettings Noise(int32_t kind, int32_t side, int32_t lit, uint32_t seed)
{
    NoiseSettings s;
    s.kind = kind, s.columns = side, s.rows = side + 1, s.lit = lit, s.seed = seed;
    return s;
}

std::vector<int8_t> Frame(const NoiseSettings& s, int64_t k)
{
    std::vector<int8_t> v(static_cast<size_t>(NoiseSquares(s)), 9);
    EXPECT_TRUE(NoiseFrame(s, k, v.data()));
    return v;
}

OfflineMapResult Map(int32_t cellType, double minutes)
{
    OfflineMapRequest request;
    request.cellType = cellType, request.minutes = minutes;
    auto m = std::make_unique<SpikeTriggeredAverage>();
    return RunOfflineMap(request, *m);
}

}  // namespace

// Sparse frames light exactly `lit` squares, white frames every one, each -1 or +1 with about equal chance; a
// frame is the same made alone, in any order, and other seeds give other frames.
TEST(NoiseFrames, LitCountSignsAndAnyOrder)
{
    for (const NoiseSettings& s : {Noise(SparseNoiseKind, 8, 2, 1), Noise(SparseNoiseKind, 3, 12, 7),
                                   Noise(SparseNoiseKind, 31, 1, 9), Noise(WhiteNoiseKind, 5, 1, 3)}) {
        std::vector<std::vector<int8_t>> forward;
        int64_t white = 0, lit = 0;
        std::set<std::vector<int8_t>> distinct;
        for (int64_t k = 0; k < 400; ++k) {
            forward.push_back(Frame(s, k));
            distinct.insert(forward.back());
            const auto& f = forward.back();
            const auto on = std::count(f.begin(), f.end(), 1), off = std::count(f.begin(), f.end(), -1);
            ASSERT_EQ(on + off + std::count(f.begin(), f.end(), 0), NoiseSquares(s));
            ASSERT_EQ(on + off, s.kind == WhiteNoiseKind ? NoiseSquares(s) : s.lit) << k;
            white += on, lit += on + off;
        }
        EXPECT_NEAR(static_cast<double>(white) / static_cast<double>(lit), 0.5, 2.0 / std::sqrt(static_cast<double>(lit)));
        EXPECT_GT(distinct.size(), 320u);
        for (int64_t k = 399; k >= 0; k -= 7) ASSERT_EQ(Frame(s, k), forward[static_cast<size_t>(k)]) << k;
        NoiseSettings other = s;
        other.seed += 1;
        EXPECT_NE(Frame(other, 5), forward[5]);
    }
    std::vector<int8_t> untouched(4, 9);
    EXPECT_FALSE(NoiseFrame(Noise(SparseNoiseKind, 1, 1, 1), 0, untouched.data()));
    EXPECT_EQ(untouched, std::vector<int8_t>(4, 9));
}

// Default noise (8 x 8 squares of 0.5 deg, 100 ms, 2 lit) for 3 simulated minutes: the simple cell's average
// is its field, the complex cell's is not, and the complex cell's ON and OFF maps overlap more.
TEST(NoiseMap, SimpleCellFoundComplexCellOverlaps)
{
    const OfflineMapResult simple = Map(3, 3.0), complex = Map(5, 3.0);
    EXPECT_GE(std::abs(simple.correlation), 0.8) << simple.line;
    EXPECT_LT(std::abs(complex.correlation), 0.4) << complex.line;
    EXPECT_GT(complex.overlap, simple.overlap) << simple.line << "\n" << complex.line;
    EXPECT_EQ(simple.ticks, 9000);
}

// Fast-forward's ticks give the live neuron tick's rate on the same frames; on a worker thread its map is the
// field at the live map's lag, it merges into a map of the same noise only, and it stops when asked.
TEST(NoiseMap, ThreadedFastForwardIsTheLiveModelOnAWorker)
{
    ts::ResetEngine(Simple, 2024);
    SetStimulusType(WhiteNoise);
    OnPointerMove(TruncInt(receptiveField.centreX * 38.0f), TruncInt(receptiveField.centreY * 38.0f) + 36);
    stimulus.stimulusOn = true;
    auto job = PrepareFastMap(0, 7);
    job->firstFrame = 0;  // the live frames: frame n / 5 at tick n
    for (int64_t n = 0; n < 300; ++n) {
        ts::RunTick(n);
        int32_t spikes = 0;
        const float rate = FastMapTick(*job, spikes);
        ++job->ticksRun;
        ASSERT_NEAR(rate, simulation.expectedRate, 1e-3f + 1e-4f * rate) << n;
    }

    auto run = PrepareFastMap(OfflineMapTicks(3.0), 7);
    std::thread worker([&run] { RunFastMap(*run); });
    worker.join();
    const SpikeTriggeredAverage& m = *run->map;
    EXPECT_EQ(std::pair(m.ticks, run->progress.load()), std::pair(int64_t{9000}, int64_t{9000}));
    const int32_t lag = BestMapLag(m);
    EXPECT_EQ(lag, 2) << "40 ms, as the Map window finds live";
    EXPECT_GE(MapCorrelation(StaMap(m, lag), ShownTrueField(m, lag)), 0.8);
    const auto held = std::make_unique<SpikeTriggeredAverage>();
    SpikeTriggeredAverage& live = *held;
    ResetMap(live, m.settings);
    EXPECT_TRUE(MergeMap(live, m) && MergeMap(live, m));
    EXPECT_EQ(std::pair(live.spikes, live.sum[lag][9]), std::pair(2 * m.spikes, 2 * m.sum[lag][9]));
    live.settings.seed += 1;
    EXPECT_FALSE(MergeMap(live, m));

    auto endless = PrepareFastMap(int64_t{1} << 40, 7);
    std::thread stopped([&endless] { RunFastMap(*endless); });
    while (endless->progress.load() == 0) std::this_thread::yield();
    endless->stop = true;
    stopped.join();
    EXPECT_EQ(endless->map->ticks, endless->progress.load());
}
