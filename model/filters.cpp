// Filter sets and their publication to the worker threads.
//
// Two sets take turns: a build writes the set that is not published and then
// publishes it with one pointer store. A worker tick reads a set through a
// hazard slot of its own (Acquire / Release) and never waits; a build waits,
// yielding, until no slot holds the set it is about to overwrite. All the
// atomics are sequentially consistent, which is what makes the "store the
// slot, then check the pointer again" handshake sound.
#include "model/filters.h"

#include <cstring>
#include <thread>

#include "model/filter_build.h"
#include "model/model_options.h"
#include "model/receptive_field.h"
#include "model/vector_state.h"

namespace {

RfFilterSet sets[2];
std::atomic<const RfFilterSet*> published{&sets[0]};
std::atomic<const RfFilterSet*> readerSlots[kFilterReaders];

bool HeldByReader(const RfFilterSet* set)
{
    for (auto& slot : readerSlots) {
        if (slot.load() == set) return true;
    }
    return false;
}

void Build(RfFilterSet& set)
{
    const FilterInputs in = ReadFilterInputs();
    const FilterGeometry g = ComputeFilterGeometry(in);
    const int32_t terms = TermCountFor(in.cellType);
    ClearStaleSpatial(set, terms, g.builtColumns, g.builtRows);
    set.cellType = in.cellType;
    set.termCount = terms;
    set.boxLeft = g.centreColumn - g.radius;
    set.boxTop = g.centreRow - g.radius;
    set.boxRight = g.centreColumn + g.radius;
    set.boxBottom = g.centreRow + g.radius;
    set.builtColumns = terms > 0 ? g.builtColumns : 0;
    set.builtRows = terms > 0 ? g.builtRows : 0;
    BuildTemporalFactors(in, set);
    BuildSpatialFactors(in, g, set);
    SummariseFilters(set);
}

}  // namespace

void BuildFilters()
{
    // The complex cell's pair is defined in quadrature around phase 90.
    if (receptiveField.cellType == Complex) receptiveField.phase = 90.0f;
    // The windowing code that ran on this thread just before may have left
    // the vector registers dirty, which would slow the build many times over.
    ClearUpperVectorState();
    const RfFilterSet* current = published.load();
    RfFilterSet* next = current == &sets[0] ? &sets[1] : &sets[0];
    while (HeldByReader(next)) std::this_thread::yield();
    Build(*next);
    next->generation = current->generation + 1;
    published.store(next);
    ApplyCellTypeRates();
}

const RfFilterSet& AcquireFilters(FilterReader reader)
{
    std::atomic<const RfFilterSet*>& slot = readerSlots[reader];
    const RfFilterSet* set = published.load();
    for (;;) {
        slot.store(set);
        const RfFilterSet* again = published.load();
        if (again == set) return *set;
        set = again;
    }
}

void ReleaseFilters(FilterReader reader)
{
    readerSlots[reader].store(nullptr);
}

const RfFilterSet& CurrentFilters()
{
    return *published.load();
}

void ResetFilters()
{
    // Tests only, with no reader holding a set.
    for (RfFilterSet& set : sets) {
        set.cellType = 0;
        set.termCount = 0;
        set.boxLeft = set.boxTop = set.boxRight = set.boxBottom = 0;
        set.builtColumns = set.builtRows = 0;
        set.absoluteSum = 0.0f;
        set.displayPeak = 0.0f;
        set.generation = 0;
        std::memset(set.spatial, 0, sizeof set.spatial);
        std::memset(set.linearTemporal, 0, sizeof set.linearTemporal);
        std::memset(set.energyATemporal, 0, sizeof set.energyATemporal);
        std::memset(set.energyBTemporal, 0, sizeof set.energyBTemporal);
    }
    published.store(&sets[0]);
}
