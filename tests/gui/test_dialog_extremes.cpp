// The largest and smallest values the dialogs accept, set through the real
// dialogs, then drawn and heard by the real scene and neuron ticks: the
// frame is drawn and every rate stays finite.
#include <cmath>

#include "sim/neuron_tick.h"
#include "sim/scene_loop.h"
#include "sim/simulation_state.h"
#include "test_dialog_support.h"

namespace {

void RunTicks()
{
    RequestFrameSize(kTestWidth, kTestHeight);
    for (int i = 0; i < 3; ++i) {
        SceneTick();
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
    const struct { int type; Typed typed[3]; } cases[] = {
        {Grating, {{1031, "100"}, {1035, "20"}, {1006, "7.99"}}},
        {Grating, {{1031, "1e-40"}, {1035, "20"}, {1037, "20"}}},
        {Grating, {{1031, "0.001"}, {1035, "0.01"}, {1037, "0.01"}}},
        {Grating, {{1031, "0"}, {1024, "1e-30"}, {1038, "360"}}},
        {Bar, {{1008, "14"}, {1020, "14"}, {1022, "360"}}},
        {Bar, {{1008, "1e-30"}, {1020, "1e-30"}, {1024, "100"}}},
        {Spot, {{1006, "7.99"}, {1024, "100"}, {1024, "100"}}},
        {Annulus, {{1006, "7.99"}, {1024, "0"}, {1024, "0"}}},
        {Annulus, {{1006, "1e-30"}, {1024, "50"}, {1024, "50"}}},
    };
    for (const auto& c : cases) {
        ResetAllRecords();
        ResetSimulation();
        stimulus.stimulusType = c.type;
        stimulus.stationaryMode = true;
        DialogPtr d(createSelectStimulusDialog(nullptr));
        for (const Typed& t : c.typed)
            TypeInto(d.get(), t.id, t.text);
        SCOPED_TRACE(testing::Message() << "type " << c.type << " " << c.typed[0].text);
        RunTicks();
    }
}

TEST(DialogExtremes, ReceptiveFieldValuesDrawAndDrive)
{
    const Typed cases[] = {
        {1022, "3e38"}, {1022, "-3e38"}, {1020, "3e38"}, {1020, "1e-45"}, {1024, "3e38"},
        {1024, "1e-45"}, {1026, "3e38"}, {1026, "1e-45"}, {1006, "9.99"}, {1006, "1e-45"},
    };
    for (int type : {OnCentreX, OffCentreX, Simple, DirectionalSimple, Complex}) {
        for (int display : {GreyScale, Outlines}) {
            for (const Typed& t : cases) {
                ResetAllRecords();
                ResetSimulation();
                receptiveField.cellType = type;
                receptiveField.displayMode = display;
                stimulus.stationaryMode = true;
                DialogPtr d(createRfDialog(nullptr));
                TypeInto(d.get(), t.id, t.text);
                SCOPED_TRACE(testing::Message() << "type " << type << " display " << display << " field " << t.id
                                                << " " << t.text);
                RunTicks();
            }
        }
    }
}

}  // namespace
