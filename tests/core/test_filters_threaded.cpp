// Worker threads read the filters while the user-interface thread rebuilds
// them: a reader must only ever see complete sets.
#include <atomic>
#include <chrono>
#include <thread>

#include "tests/core/test_support.h"

namespace {

// A few values that tell an ON-centre set from an OFF-centre one built with
// another box, and would show any mixture of the two.
struct Fingerprint {
    int32_t builtColumns = 0;
    float absoluteSum = 0.0f;
    float samples[4] = {};
};

Fingerprint Take(const RfFilterSet& set)
{
    Fingerprint f;
    f.builtColumns = set.builtColumns;
    f.absoluteSum = set.absoluteSum;
    const int32_t c = (set.builtColumns + 1) / 2;
    f.samples[0] = LinearValue(set, c, c, 3);
    f.samples[1] = LinearValue(set, c + 20, c, 8);
    f.samples[2] = LinearValue(set, 1, 1, 12);
    f.samples[3] = LinearValue(set, c - 40, c + 30, 20);
    return f;
}

bool Same(const Fingerprint& a, const Fingerprint& b)
{
    if (a.builtColumns != b.builtColumns || a.absoluteSum != b.absoluteSum) return false;
    for (int n = 0; n < 4; ++n) {
        if (a.samples[n] != b.samples[n]) return false;
    }
    return true;
}

void PrepareOn()
{
    receptiveField.cellType = OnCentreX;
    receptiveField.surroundSigma = 1.0f;
}

void PrepareOff()
{
    receptiveField.cellType = OffCentreX;
    receptiveField.surroundSigma = 1.6f;
}

class ThreadedFilters : public FilterTest {};

}  // namespace

TEST_F(ThreadedFilters, ReadersSeeOnlyCompleteSets)
{
    PrepareOn();
    buildFilters();
    const Fingerprint on = Take(CurrentFilters());
    PrepareOff();
    buildFilters();
    const Fingerprint off = Take(CurrentFilters());
    ASSERT_FALSE(Same(on, off));

    std::atomic<bool> stop{false};
    std::atomic<int32_t> reads{0}, bad{0};
    auto reader = [&](FilterReader slot) {
        uint32_t lastGeneration = 0;
        while (!stop.load()) {
            const RfFilterSet& set = AcquireFilters(slot);
            const Fingerprint f = Take(set);
            const bool ok = set.cellType == OnCentreX ? Same(f, on) : Same(f, off);
            const bool forward = set.generation >= lastGeneration;
            lastGeneration = set.generation;
            ReleaseFilters(slot);
            if (!ok || !forward) bad.fetch_add(1);
            reads.fetch_add(1);
        }
    };
    std::thread scene(reader, SceneReader);
    std::thread neuron(reader, NeuronReader);
    for (int32_t n = 0; n < 150; ++n) {
        if (n % 2 == 0) {
            PrepareOn();
        } else {
            PrepareOff();
        }
        buildFilters();
    }
    while (reads.load() < 200) std::this_thread::yield();
    stop.store(true);
    scene.join();
    neuron.join();
    EXPECT_EQ(bad.load(), 0);
}
