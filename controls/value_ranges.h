#pragma once
// The values each dialog control accepts, in one place: the dialogs' rules
// take a typed or stepped value only inside its range, and a lesson file is
// refused when one of its values lies outside the range of the control that
// would set it. Ends may be open (more than, less than) or closed.
#include <cfloat>
#include <cstdint>
#include <string>

struct ValueRange {
    float low, high;
    bool lowOpen, highOpen;
    bool whole;  // whole numbers only
};

constexpr ValueRange ClosedRange(float low, float high) { return {low, high, false, false, false}; }
constexpr ValueRange WholeRange(float low, float high) { return {low, high, false, false, true}; }

// The receptive field. Any finite phase is a phase; sizes and frequencies
// only need to be positive.
constexpr ValueRange kCentreSigmaRange{0.0f, 10.0f, true, true, false};
constexpr ValueRange kPositiveRange{0.0f, FLT_MAX, true, false, false};
constexpr ValueRange kAnyRange{-FLT_MAX, FLT_MAX, false, false, false};
constexpr ValueRange kOrientationRange = ClosedRange(0.0f, 360.0f);

// The stimulus.
constexpr ValueRange kStimulusRadiusRange{0.0f, 8.0f, true, true, false};
constexpr ValueRange kBarSizeRange{0.0f, 14.0f, true, false, false};
constexpr ValueRange kContrastRange = ClosedRange(0.0f, 100.0f);
constexpr ValueRange kGratingSfRange = ClosedRange(0.0f, 100.0f);
constexpr ValueRange kGratingSpeedRange = ClosedRange(0.0f, 20.0f);  // velocity and modulation rate
constexpr ValueRange kGratingPhaseRange = ClosedRange(0.0f, 360.0f);

// More options: the spin boxes' arrow positions and the values they give.
constexpr int32_t kSurroundSteps[2] = {1, 200};   // weight = position / 50
constexpr int32_t kGammaSteps[2] = {1, 10};       // the order itself
constexpr int32_t kRateSteps[2] = {0, 110};       // see RateFromCode
constexpr int32_t kHalfMaxSteps[2] = {1, 100};    // percent
constexpr ValueRange kSurroundWeightRange = ClosedRange(kSurroundSteps[0] / 50.0f, kSurroundSteps[1] / 50.0f);
constexpr ValueRange kGammaOrderRange = WholeRange(kGammaSteps[0], kGammaSteps[1]);
constexpr ValueRange kSpontaneousRateRange = ClosedRange(0.0f, static_cast<float>(kRateSteps[1] - 9));
constexpr ValueRange kHalfMaxRange = ClosedRange(kHalfMaxSteps[0], kHalfMaxSteps[1]);

// False for NaN and the infinities whatever the range.
bool InRange(const ValueRange& range, float v);
// What the range expects, for a message, in the language in force: "a
// number from 0 to 360".
std::string RangeText(const ValueRange& range);
