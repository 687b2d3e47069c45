// The largest and smallest values the dialogs accept, set through the real
// dialogs, then drawn and heard by the real scene and neuron ticks: the
// records stay sound, every frame is drawn at the canvas size with only
// finite elements handed to the neuron, and every rate stays finite.
#include <cmath>

#include "dialogs/rf_dialog.h"
#include "dialogs/select_stimulus_dialog.h"
#include "render/frame_buffer.h"
#include "sim/neuron_tick.h"
#include "sim/scene_loop.h"
#include "sim/simulation_state.h"
#include "test_dialog_support.h"

namespace {

void RunTicks()
{
    RequestFrameSize(kTestWidth, kTestHeight);
    for (int i = 0; i < 3; ++i) {
        const uint32_t serial = LatestFrame().serial;
        SceneTick();
        const PresentedFrame frame = LatestFrame();
        EXPECT_EQ(frame.serial, serial + 1) << "the tick drew and published a frame";
        EXPECT_EQ(frame.width, kTestWidth);
        EXPECT_EQ(frame.height, kTestHeight);
        const float* image = LatestStimulusImage();
        int64_t notFinite = 0;
        for (int32_t k = 0; k < kFilterPixels; ++k) notFinite += !std::isfinite(image[k]);
        EXPECT_EQ(notFinite, 0);
        NeuronTickCompute();
        EXPECT_TRUE(std::isfinite(simulation.expectedRate)) << simulation.expectedRate;
        NeuronTickFinish(0, [](int32_t) {});
        EXPECT_TRUE(std::isfinite(simulation.peakRate.load()));
    }
}

struct Typed {
    int id;
    const char* text;
};

TEST(DialogExtremes, StimulusValuesDrawAndDrive)
{
    using namespace SelectStimulusIds;
    const struct { int type; Typed typed[3]; } cases[] = {
        {Grating, {{kSfEdit, "100"}, {kVelocityEdit, "20"}, {kRadiusEdit, "7.99"}}},
        {Grating, {{kSfEdit, "1e-40"}, {kVelocityEdit, "20"}, {kModulationEdit, "20"}}},
        {Grating, {{kSfEdit, "0.001"}, {kVelocityEdit, "0.01"}, {kModulationEdit, "0.01"}}},
        {Grating, {{kSfEdit, "0"}, {kContrastEdit, "1e-30"}, {kPhaseEdit, "360"}}},
        {Bar, {{kBarLengthEdit, "14"}, {kBarWidthEdit, "14"}, {kOrientationEdit, "360"}}},
        {Bar, {{kBarLengthEdit, "1e-30"}, {kBarWidthEdit, "1e-30"}, {kContrastEdit, "100"}}},
        {Spot, {{kRadiusEdit, "7.99"}, {kContrastEdit, "100"}, {kContrastEdit, "100"}}},
        {Annulus, {{kRadiusEdit, "7.99"}, {kContrastEdit, "0"}, {kContrastEdit, "0"}}},
        {Annulus, {{kRadiusEdit, "1e-30"}, {kContrastEdit, "50"}, {kContrastEdit, "50"}}},
    };
    for (const auto& c : cases) {
        ResetAllRecords();
        stimulus.stimulusType = c.type;
        stimulus.stationaryMode = true;
        DialogPtr d(createSelectStimulusDialog(nullptr));
        for (const Typed& t : c.typed) TypeInto(d.get(), t.id, t.text);
        SCOPED_TRACE(testing::Message() << "type " << c.type << " " << c.typed[0].text);
        RunTicks();
    }
}

// Any finite phase and any positive frequency or size are kept as typed; the
// filters built from them, and what is drawn and heard, must stay finite.
TEST(DialogExtremes, ReceptiveFieldValuesDrawAndDrive)
{
    using namespace RfDialogIds;
    const Typed cases[] = {
        {kPhaseEdit, "3e38"}, {kPhaseEdit, "-3e38"}, {kSfEdit, "3e38"}, {kSfEdit, "1e-45"}, {kWidthEdit, "3e38"},
        {kWidthEdit, "1e-45"}, {kLengthEdit, "3e38"}, {kLengthEdit, "1e-45"}, {kCentreEdit, "9.99"},
        {kCentreEdit, "1e-45"},
    };
    for (int type : {OnCentreX, OffCentreX, Simple, DirectionalSimple, Complex}) {
        for (int display : {GreyScale, Outlines}) {
            for (const Typed& t : cases) {
                ResetAllRecords();
                receptiveField.cellType = type;
                receptiveField.displayMode = display;
                stimulus.stationaryMode = true;
                DialogPtr d(createRfDialog(nullptr));
                TypeInto(d.get(), t.id, t.text);
                SCOPED_TRACE(testing::Message() << "type " << type << " display " << display << " field " << t.id
                                                << " " << t.text);
                EXPECT_TRUE(std::isfinite(CurrentFilters().absoluteSum));
                EXPECT_TRUE(std::isfinite(CurrentFilters().displayPeak));
                RunTicks();
            }
        }
    }
}

}  // namespace
