#pragma once
// Shared set-up of the filter tests: default records on a 1000 x 700 client
// area and empty filter sets.
#include <gtest/gtest.h>

#include "model/filters.h"
#include "model/model_options.h"
#include "model/receptive_field.h"

class FilterTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetModelOptions();
        ResetReceptiveField(1000, 700);
        ResetFilters();
    }
    void TearDown() override { ResetFilters(); }

    static const RfFilterSet& Build(int32_t cellType)
    {
        receptiveField.cellType = cellType;
        buildFilters();
        return CurrentFilters();
    }
    static int32_t HalfSize(const RfFilterSet& set) { return (set.boxRight - set.boxLeft) / 2; }
};
