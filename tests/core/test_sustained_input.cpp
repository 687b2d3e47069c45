// Keys held and wheels spun until the sizes run away, and values typed far beyond sense: every tick's drawing
// work stays within the canvas and box.
#include <cfloat>

#include "render/scene_drawing.h"
#include "sim/scene_tick.h"
#include "tests/core/test_support.h"

using namespace ts;

namespace {

constexpr int32_t kW = 400, kH = 300;

// Two visits for each pixel of the frame and the image, and a run search of at most 256 tests per row of either.
constexpr int64_t kMostWork = 2 * (int64_t{kW} * kH + kFilterPixels) + 256 * (kH + kFilterSide);

// One scene tick and one neuron tick; returns the rasteriser's work.
int64_t Tick(int64_t timeMs)
{
    const int64_t before = RasterisationWork();
    SceneTickAt(timeMs);
    NeuronTickCompute();
    return RasterisationWork() - before;
}

void ShowStimulus(int32_t cellType, int32_t type)
{
    ResetEngine(cellType, 12345, kW, kH);
    SetStimulusType(type);
    OnPointerMove(kW / 2, kH / 2 + 36);
    OnLeftButtonDown();
}

}  // namespace

// Each arrow key held and the wheel spun each way for 3,000 steps, ticking every 25, for every stimulus and cell.
TEST(SustainedInput, HeldKeysAndSpunWheelsKeepEveryTickWithinTheCanvas)
{
    const int32_t inputs[] = {KeyLeft, KeyUp, KeyRight, KeyDown, +120, -120};
    for (int32_t cell = OnCentreX; cell <= Complex; ++cell) {
        for (int32_t type = Spot; type <= Grating; ++type) {
            for (int32_t input : inputs) {
                ShowStimulus(cell, type);
                for (int32_t step = 1; step <= 3000; ++step) {
                    input > 100 || input < 0 ? OnWheel(input) : OnKeyDown(input);
                    if (step % 25 == 0) { ASSERT_LE(Tick(step * 20), kMostWork) << cell << " " << type << " " << input << " " << step; }
                }
            }
        }
    }
}

// Every size a dialog, a file or the page can set, from a thousandth to the float limit, and non-sizes.
TEST(SustainedInput, AnySizeTypedCostsNoMoreThanTheCanvas)
{
    struct Field { int32_t type; Relaxed<float> StimulusState::* value; };
    const Field fields[] = {
        {Spot, &StimulusState::spotRadius}, {Annulus, &StimulusState::spotRadius}, {Annulus, &StimulusState::annulusRatio},
        {Bar, &StimulusState::barLength}, {Bar, &StimulusState::barWidth}, {Bar, &StimulusState::orientation},
        {Grating, &StimulusState::gratingRadius}, {Grating, &StimulusState::gratingSf}, {Grating, &StimulusState::orientation}};
    std::vector<float> values = {-1e30f, NAN, INFINITY, -INFINITY, FLT_MAX, 0.0f};
    for (float v = 1e-3f; v < 1e38f; v *= 3.0f) values.push_back(v);
    for (const Field& f : fields) {
        ShowStimulus(Simple, f.type);
        stimulus.gratingRadius = 1e20f;  // a grating over the whole canvas, whatever else changes
        for (float v : values) {
            stimulus.*f.value = v;
            ASSERT_LE(Tick(1000), kMostWork) << "stimulus " << f.type << " value " << v;
        }
    }
}
