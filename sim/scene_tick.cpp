// One scene tick, as the scene thread runs it every 20 ms and as a page
// that drives the ticks itself calls it. Nothing here waits or starts a
// thread.
#include "sim/scene_tick.h"

#include <algorithm>
#include <atomic>

#include "model/filters.h"
#include "model/numeric.h"
#include "model/receptive_field.h"
#include "render/frame_buffer.h"
#include "render/mark_drawing.h"
#include "render/rf_drawing_parts.h"
#include "render/scene_drawing.h"
#include "sim/clock.h"
#include "sim/simulation_state.h"
#include "stimulus/hand_plot_marks.h"
#include "stimulus/stimulus_image.h"
#include "stimulus/stimulus_state.h"

namespace {

constexpr uint32_t kBackgroundGrey = 0x808080;

// The size the shell asks for, width in the high half and height in the low
// half so a tick never sees one side of one size with the other of another.
// Stored with release after the stores for it were provided, so the tick
// that reads it with acquire finds them.
std::atomic<uint64_t> requestedSize{0};

std::atomic<bool> sceneDrawing{true};

// Everything the frame's background depends on: the size, the receptive
// field drawing and the marks. While it stays the same, two frames differ
// only where the stimulus and the traces were drawn in either of them.
uint64_t BackgroundKey(const RfFilterSet& filters)
{
    uint64_t h = 1469598103934665603u;
    auto mix = [&h](uint64_t v) { h = (h ^ v) * 1099511628211u; };
    auto mixFloat = [&mix](float v) { mix(BitCast<uint32_t>(v)); };
    mix(static_cast<uint32_t>(frameBuffer.width)), mix(static_cast<uint32_t>(frameBuffer.height));
    mix(reinterpret_cast<uintptr_t>(&filters)), mix(filters.generation);
    mix(frameBuffer.colour);  // outlines draw in the colour in force
    mix(static_cast<uint32_t>(receptiveField.displayMode)), mix(static_cast<uint32_t>(receptiveField.cellType));
    for (float v : {receptiveField.centreX.load(), receptiveField.centreY.load(), receptiveField.orientation.load(),
                    receptiveField.spatialFrequency.load(), receptiveField.phase.load(), receptiveField.width.load(),
                    receptiveField.length.load(), receptiveField.centreSigma.load(),
                    receptiveField.surroundSigma.load(), float{kDegreesPerPixel}})
        mixFloat(v);
    const int32_t count = std::clamp(marks.markCount.load(std::memory_order_acquire), 0, kMaxMarks);
    mix(static_cast<uint32_t>(count));
    for (int32_t i = 1; i <= count; ++i) {
        mixFloat(marks.markX[i]), mixFloat(marks.markY[i]);
        mix(static_cast<uint32_t>(marks.markSign[i]));
    }
    return h | 1;  // 0 stands for no content
}

// What the last published frame was drawn with (drawing side only).
struct DrawnFrame {
    uint64_t key = 0;
    FrameRect stimulus, traces;
    uint32_t serial = 0;  // a frame published by anyone else since makes the next one whole
};
DrawnFrame lastDrawn;

}  // namespace

bool SceneTick()
{
    return SceneTickAt(MillisecondClock());
}

bool SceneTickAt(int64_t timeMs)
{
    const uint64_t size = requestedSize.load(std::memory_order_acquire);
    int32_t width = static_cast<int32_t>(static_cast<uint32_t>(size >> 32));
    int32_t height = static_cast<int32_t>(static_cast<uint32_t>(size));
    SizeFrameBuffer(width, height);
    // Unseen: a frame of no size, so every drawing step clips to nothing
    // while the stimulus image is still written in full.
    const bool drawing = sceneDrawing.load(std::memory_order_relaxed);
    if (!drawing) frameBuffer.width = frameBuffer.height = 0;

    const RfFilterSet& filters = AcquireFilters(SceneReader);
    // The image starts empty every tick, so what the neuron sees is exactly
    // what this tick rasterises: nothing of an earlier position stays behind.
    ClearStimulusImageBack();
    const uint64_t key = BackgroundKey(filters);
    const int32_t mode = receptiveField.displayMode;
    // The store still holds a frame drawn over the same background: only
    // where that frame's stimulus and traces lay needs the background back.
    // (The map is the common case and the costly one; outlines are redrawn.)
    StoreContent& content = BackStoreContent();
    const FrameRect earlier[2] = {content.stimulus, content.traces};
    const bool restored = drawing && content.key == key && mode == GreyScale &&
                          receptiveField.cellType != Complex &&
                          RestoreGreyScaleBackground(filters, earlier, 2, kBackgroundGrey);
    if (!restored) {
        ClearFrame(kBackgroundGrey);
        if (mode == GreyScale || mode == Outlines || mode == Revealed) DrawReceptiveField(filters);
    }
    frameBuffer.touched = {};
    const bool present = StimulusPresent();
    const int32_t drawnType = present ? RasteriseStimulusAt(filters, timeMs) : 0;
    const bool grating = drawnType == Grating;
    const int64_t noiseFrame = present ? LastNoiseFrameDrawn() : -1;
    const FrameRect stimulusDrawn = frameBuffer.touched;
    if (marks.markCount.load(std::memory_order_acquire) != 0) DrawMarks();
    frameBuffer.touched = {};
    // Unseen traces cost a walk of every trace column for nothing.
    if (drawing) DrawTraces();
    const FrameRect tracesDrawn = frameBuffer.touched;

    if (drawing) {
        // Marks lie over the stimulus but are the same in both frames; the
        // receptive field under it is too, while the key holds.
        FrameChange change;
        if (key == lastDrawn.key && LastPublishedSerial() == lastDrawn.serial) {
            change.whole = false;
            change.count = 2;
            change.rects[0] = Bounding(lastDrawn.stimulus, stimulusDrawn);
            change.rects[1] = Bounding(lastDrawn.traces, tracesDrawn);
        }
        content = {key, stimulusDrawn, tracesDrawn};
        PublishFrame(change);
        lastDrawn = {key, stimulusDrawn, tracesDrawn, LastPublishedSerial()};
    }
    // Published also when the stimulus is off: the neuron then sees the
    // cleared image. The set is held until the image has taken its box.
    PublishStimulusImage(filters, grating, noiseFrame);
    ReleaseFilters(SceneReader);
    return drawing;
}

void SetSceneDrawing(bool on) { sceneDrawing.store(on, std::memory_order_relaxed); }

void RequestFrameSize(int32_t width, int32_t height)
{
    ProvideFrameStores(width, height);
    const uint64_t size = uint64_t{static_cast<uint32_t>(width)} << 32 | static_cast<uint32_t>(height);
    requestedSize.store(size, std::memory_order_release);
}

