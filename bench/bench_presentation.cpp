// A tick on a dense screen: the scene tick and the neuron tick, then the
// frame handed to the screen (wrapped as the canvas wraps it and drawn by
// QPainter into a backing store of the screen's pixels, the rows and
// columns that changed, as the canvas repaints them). The frame is laid
// out in logical pixels and scaled up when presented; beside it, the same
// screen with a frame of device pixels drawn one to one, as a frame sized
// to the device would be. The same logical size at device pixel ratio 1
// and 3: a phone upright and a laptop's field.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "model/filters.h"
#include "model/numeric.h"
#include "model/receptive_field.h"
#include "render/frame_buffer.h"
#include "sim/neuron_tick.h"
#include "sim/scene_tick.h"
#include "sim/simulation_state.h"
#include "stimulus/stimulus_state.h"
#include "tests/core/engine_records.h"

namespace {

// ratio: device pixels a logical pixel; deviceFrame: the frame has the
// device's pixels instead of the logical ones.
void TickAndPresent(benchmark::State& state, int32_t width, int32_t height, int32_t ratio, bool deviceFrame)
{
    const int32_t scale = deviceFrame ? ratio : 1;
    ResetEngineRecords(width * scale, height * scale);
    receptiveField.cellType = Complex;
    BuildFilters();
    stimulus.stimulusType = Grating;
    stimulus.gratingRadius = 5.0f;
    stimulus.mouseX = static_cast<int32_t>(receptiveField.centreX / kDegreesPerPixel);
    stimulus.mouseY = static_cast<int32_t>(receptiveField.centreY / kDegreesPerPixel);
    stimulus.stimulusOn = true;
    QImage screen(width * ratio, height * ratio, QImage::Format_RGB32);
    int64_t timeMs = 0;
    for (auto _ : state) {
        SceneTickAt(timeMs += 20);
        NeuronTickCompute();
        const PresentedFrame frame = LatestFrame();
        const QImage image(reinterpret_cast<const uchar*>(frame.pixels), frame.width, frame.height, frame.width * 4,
                           QImage::Format_RGB32);
        QRect changed;
        for (int32_t i = 0; i < frame.change.count; ++i) {
            const FrameRect& c = frame.change.rects[i];
            changed |= QRect(c.left, c.top, c.right - c.left, c.bottom - c.top);
        }
        if (frame.change.whole) changed = image.rect();
        QPainter painter(&screen);
        painter.scale(ratio / scale, ratio / scale);
        painter.drawImage(changed.topLeft(), image, changed);
        painter.end();
        benchmark::DoNotOptimize(screen.constBits());
    }
    state.counters["device_pixels"] = static_cast<double>(screen.width()) * screen.height();
}

void BM_LogicalFrame(benchmark::State& s) { TickAndPresent(s, s.range(0), s.range(1), s.range(2), false); }
void BM_DeviceFrame(benchmark::State& s) { TickAndPresent(s, s.range(0), s.range(1), s.range(2), true); }

void Screens(benchmark::internal::Benchmark* b)
{
    for (int32_t ratio : {1, 3}) b->Args({390, 808, ratio});
    for (int32_t ratio : {1, 2}) b->Args({1280, 764, ratio});
    b->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_LogicalFrame)->Apply(Screens);
BENCHMARK(BM_DeviceFrame)->Apply(Screens);

}  // namespace
