// Worker threads read the filters while the user-interface thread rebuilds
// them: a reader must only ever see complete sets, in order.
#include <array>
#include <atomic>
#include <thread>

#include "tests/core/test_support.h"

namespace {

// Values that tell an ON-centre set from an OFF-centre one with another box,
// and would show any mixture of the two.
std::array<float, 6> Fingerprint(const RfFilterSet& set)
{
    const int32_t c = (set.builtColumns + 1) / 2;
    return {float(set.builtColumns), set.absoluteSum, LinearValue(set, c, c, 3), LinearValue(set, c + 20, c, 8),
            LinearValue(set, 1, 1, 12), LinearValue(set, c - 40, c + 30, 20)};
}

void BuildCell(bool on)
{
    receptiveField.cellType = on ? OnCentreX : OffCentreX;
    receptiveField.surroundSigma = on ? 1.0f : 1.6f;
    buildFilters();
}

class ThreadedFilters : public FilterTest {};

TEST_F(ThreadedFilters, ReadersSeeOnlyCompleteSets)
{
    BuildCell(true);
    const auto on = Fingerprint(CurrentFilters());
    BuildCell(false);
    const auto off = Fingerprint(CurrentFilters());
    ASSERT_NE(on, off);

    std::atomic<bool> stop{false};
    std::atomic<int32_t> reads{0}, bad{0};
    auto reader = [&](FilterReader slot) {
        uint32_t lastGeneration = 0;
        while (!stop.load()) {
            const RfFilterSet& set = AcquireFilters(slot);
            const bool ok = Fingerprint(set) == (set.cellType == OnCentreX ? on : off);
            const bool forward = set.generation >= lastGeneration;
            lastGeneration = set.generation;
            ReleaseFilters(slot);
            if (!ok || !forward) bad.fetch_add(1);
            reads.fetch_add(1);
        }
    };
    std::thread scene(reader, SceneReader), neuron(reader, NeuronReader);
    for (int32_t n = 0; n < 150; ++n) BuildCell(n % 2 == 0);
    while (reads.load() < 200) std::this_thread::yield();
    stop.store(true);
    scene.join();
    neuron.join();
    EXPECT_EQ(bad.load(), 0);
}

}  // namespace
