#pragma once
// The field's zoom, in percent of a degree's 38 points: a projector's far
// rows and a student who wants a larger field step up, a small screen steps
// down. The steps are the ones a browser offers, so the page can share them.
#include <cstdint>

constexpr int32_t kZoomSteps[] = {50, 67, 75, 100, 125, 150, 200, 250, 300, 400};
constexpr int32_t kZoomStepCount = sizeof(kZoomSteps) / sizeof(kZoomSteps[0]);
constexpr int32_t kActualZoom = 100;

// The step one above or below the given zoom, held at the ends.
constexpr int32_t ZoomStepUp(int32_t percent)
{
    for (int32_t step : kZoomSteps)
        if (step > percent) return step;
    return kZoomSteps[kZoomStepCount - 1];
}
constexpr int32_t ZoomStepDown(int32_t percent)
{
    for (int32_t i = kZoomStepCount - 1; i >= 0; --i)
        if (kZoomSteps[i] < percent) return kZoomSteps[i];
    return kZoomSteps[0];
}
// A stored zoom that is not one of the steps (an edited or foreign setting) is actual size.
constexpr int32_t ValidZoom(int32_t percent)
{
    for (int32_t step : kZoomSteps)
        if (step == percent) return percent;
    return kActualZoom;
}
