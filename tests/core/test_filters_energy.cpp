// The complex cell as an energy detector: its two filters are a quadrature
// pair, so its response to a grating ignores the grating's spatial phase and
// depends on the direction of drift.
#include <functional>

#include "tests/core/test_support.h"

namespace {

constexpr float kDegreesPerPixel = 1.0f / 38.0f;
constexpr double kTwoPi = 6.283185307179586;

// Filter values summed down each column, per step: with a grating whose bars
// are vertical the stimulus depends on the column and the time only.
using ColumnSums = std::vector<double>;  // [(t - 1) * columns + (i - 1)]

ColumnSums SumColumns(const RfFilterSet& set, float (*value)(const RfFilterSet&, int32_t, int32_t, int32_t))
{
    ColumnSums sums(static_cast<size_t>(kFilterSteps * set.builtColumns), 0.0);
    for (int32_t t = 1; t <= kFilterSteps; ++t) {
        for (int32_t j = 1; j <= set.builtRows; ++j) {
            for (int32_t i = 1; i <= set.builtColumns; ++i) {
                sums[(t - 1) * set.builtColumns + (i - 1)] += value(set, i, j, t);
            }
        }
    }
    return sums;
}

// Dot product of a filter with the last 20 frames of a vertical grating
// cos(k X - omega s + phase), X in degrees from the field's centre and s the
// time in ms of the frame that step t saw (step 1 is the present, `now`).
double Drive(const ColumnSums& sums, int32_t columns, int32_t halfSize, double cyclesPerDegree,
             double cyclesPerMs, double phase, double now)
{
    double total = 0.0;
    for (int32_t t = 1; t <= kFilterSteps; ++t) {
        const double s = now - 20.0 * (t - 1);
        for (int32_t i = 1; i <= columns; ++i) {
            const double x = (i - 1 - halfSize) * kDegreesPerPixel;
            total += sums[(t - 1) * columns + (i - 1)] *
                     std::cos(kTwoPi * (cyclesPerDegree * x - cyclesPerMs * s) + phase);
        }
    }
    return total;
}

}  // namespace

TEST_F(FilterTest, StationaryGratingEnergyIgnoresSpatialPhase)
{
    const double sf = 0.8;
    const RfFilterSet& complexSet = Build(Complex);
    const int32_t columns = complexSet.builtColumns, half = HalfSize(complexSet);
    const ColumnSums a = SumColumns(complexSet, EnergyAValue);
    const ColumnSums b = SumColumns(complexSet, EnergyBValue);
    const ColumnSums simple = SumColumns(Build(Simple), LinearValue);

    double energyMin = 1e300, energyMax = 0.0, driveMin = 1e300, driveMax = 0.0;
    for (int32_t step = 0; step < 24; ++step) {
        const double phase = kTwoPi * step / 24.0;
        const double ra = Drive(a, columns, half, sf, 0.0, phase, 0.0);
        const double rb = Drive(b, columns, half, sf, 0.0, phase, 0.0);
        const double energy = ra * ra + rb * rb;
        energyMin = std::fmin(energyMin, energy);
        energyMax = std::fmax(energyMax, energy);
        const double drive = std::fabs(Drive(simple, columns, half, sf, 0.0, phase, 0.0));
        driveMin = std::fmin(driveMin, drive);
        driveMax = std::fmax(driveMax, drive);
    }
    ASSERT_GT(energyMax, 0.0);
    EXPECT_LT(energyMax / energyMin, 1.05) << "energy swings with the grating's phase";
    // The simple cell, by contrast, is silenced at some phases.
    EXPECT_LT(driveMin, 0.01 * driveMax);
}

TEST_F(FilterTest, DriftingGratingEnergyDependsOnDirection)
{
    const double sf = 0.8;
    const RfFilterSet& set = Build(Complex);
    const int32_t columns = set.builtColumns, half = HalfSize(set);
    const ColumnSums a = SumColumns(set, EnergyAValue);
    const ColumnSums b = SumColumns(set, EnergyBValue);
    // A grating drifting towards +x (rightward bars) is preferred, more so
    // the faster it moves within this range.
    struct Case {
        double degreesPerSecond, leastRatio;
    };
    for (const Case& c : {Case{1.0, 1.4}, Case{2.0, 2.0}, Case{4.0, 4.0}}) {
        const double cyclesPerMs = c.degreesPerSecond * sf / 1000.0;
        double energy[2] = {0.0, 0.0};
        for (int32_t direction = 0; direction < 2; ++direction) {
            const double f = direction == 0 ? cyclesPerMs : -cyclesPerMs;
            for (double now = 0.0; now < 1000.0; now += 40.0) {
                const double ra = Drive(a, columns, half, sf, f, 0.3, now);
                const double rb = Drive(b, columns, half, sf, f, 0.3, now);
                energy[direction] += ra * ra + rb * rb;
            }
        }
        EXPECT_GT(energy[0], c.leastRatio * energy[1]) << c.degreesPerSecond << " deg/s";
    }
}
