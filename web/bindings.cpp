// The web page's way into the core: plain functions over the stimulus
// operations, the toolbar and menu commands, the hand-plot keys and the
// records, and pointers to the newest frame and the newest audio slice.
//
// The page is single-threaded: a 20 ms schedule calls the scene tick and
// then the neuron tick with the play position the audio worklet reports,
// so nothing here runs concurrently with anything else. Numbers arrive from
// JavaScript as doubles or wrapped 32-bit integers; every conversion to an
// integer is clamped.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "model/filters.h"
#include "model/model_options.h"
#include "model/numeric.h"
#include "model/receptive_field.h"
#include "render/frame_buffer.h"
#include "render/frame_buffer_pixels.h"
#include "render/traces.h"
#include "resources/toolbar_layout.h"
#include "sim/audio_stream.h"
#include "sim/commands.h"
#include "sim/neuron_tick.h"
#include "sim/overlay_text.h"
#include "sim/scene_tick.h"
#include "sim/simulation_state.h"
#include "sim/start_up.h"
#include "stimulus/hand_plot_marks.h"
#include "stimulus/stimulus_state.h"

namespace {

ClientArea area;

// A JavaScript number as a whole 64-bit count (times, sample positions).
int64_t WholeCount(double x)
{
    if (!(x == x) || x < 0.0) return 0;
    constexpr double kLimit = 9007199254740992.0;  // 2^53: every count below is exact
    return static_cast<int64_t>(std::min(x, kLimit));
}

// The samples handed to the page so far end here (stream position). A slice
// is one tick, longer when the lead grows: the buffer holds the most a tick
// can hand over that is still ahead of the play position.
int64_t handedUpTo = 0;
int16_t slice[kMostLead + 2 * kAudioSlice + kClickSamples];
int32_t sliceLength = 0;
int64_t sliceStart = 0;  // stream position of slice[0]
// The worklet plays in quanta of 128 frames and reports every quantum; the
// page's timer adds its own jitter, which the lead learns on its own.
// Samples the page's audio output takes at a time, as far as the page knows
// it (two render quanta until the sound has started and said otherwise).
int32_t webPeriod = 256;

// The newest frame in the canvas's byte order (red, green, blue, alpha),
// with where it differs from the frame handed out before it.
std::vector<uint32_t> rgba;
uint32_t handedSerial = 0;
// The rectangles changed since the frame last handed out, kept apart while
// there is room (a stimulus and the traces far below it are two small
// uploads, not one large one) and merged into their bounding box past that.
constexpr int32_t kPendingRects = 8;
struct PendingChange {
    bool whole = false;
    int32_t count = 0;
    FrameRect rects[kPendingRects];
};
PendingChange pending;
constexpr int32_t kInfoHead = 5;  // width, height, serial, whole, rectangles
int32_t frameInfo[kInfoHead + 4 * kPendingRects];

void AddPending(const FrameRect& r)
{
    if (r.right <= r.left || r.bottom <= r.top) return;
    if (pending.count == kPendingRects) {
        FrameRect& box = pending.rects[0];
        for (int32_t i = 1; i < pending.count; ++i) {
            const FrameRect& c = pending.rects[i];
            box = {std::min(box.left, c.left), std::min(box.top, c.top), std::max(box.right, c.right), std::max(box.bottom, c.bottom)};
        }
        pending.count = 1;
    }
    pending.rects[pending.count++] = r;
}

// Takes the newest frame and adds what it changed to the pending change.
PresentedFrame NoteFrameChanges()
{
    const PresentedFrame frame = LatestFrame();
    if (frame.serial == handedSerial) return frame;
    if (frame.serial != handedSerial + 1 || frame.change.whole) pending.whole = true;
    else for (int32_t i = 0; i < frame.change.count; ++i) AddPending(frame.change.rects[i]);
    handedSerial = frame.serial;
    return frame;
}

void Convert(const PresentedFrame& frame, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    for (int32_t y = top; y < bottom; ++y) {
        const uint32_t* in = frame.pixels + static_cast<int64_t>(y) * frame.width;
        uint32_t* out = rgba.data() + static_cast<int64_t>(y) * frame.width;
        for (int32_t x = left; x < right; ++x) out[x] = ColourOfWord(in[x]) | 0xFF000000u;
    }
}

std::string overlay[3];

// The browser checks' surface (web/tests, bench/): the record fields they
// read by name, and the one they write, the display mode, to hide a field
// as the dialog would. The page itself reads only whether the stimulus is
// on and its type. No other field can be written this way, so nothing typed
// into the page's console can put a record outside the values the program
// itself gives it. A field no check reads has no place here.
struct Field {
    const char* name;
    Relaxed<float>* real;
    Relaxed<int32_t>* whole;
    Relaxed<bool>* flag;
    double low = 1, high = 0;  // what a write is held to; none when low > high
};
const Field kFields[] = {
    {"stimulus.stimulusType", nullptr, &stimulus.stimulusType, nullptr},
    {"stimulus.stimX", &stimulus.stimX, nullptr, nullptr},
    {"stimulus.stimY", &stimulus.stimY, nullptr, nullptr},
    {"stimulus.stimulusOn", nullptr, nullptr, &stimulus.stimulusOn},
    {"stimulus.spotRadius", &stimulus.spotRadius, nullptr, nullptr},
    {"stimulus.barLength", &stimulus.barLength, nullptr, nullptr},
    {"stimulus.barWidth", &stimulus.barWidth, nullptr, nullptr},
    {"stimulus.orientation", &stimulus.orientation, nullptr, nullptr},
    {"stimulus.gratingRadius", &stimulus.gratingRadius, nullptr, nullptr},
    {"stimulus.gratingSf", &stimulus.gratingSf, nullptr, nullptr},
    {"stimulus.gratingPhase", &stimulus.gratingPhase, nullptr, nullptr},
    {"stimulus.gratingVelocity", &stimulus.gratingVelocity, nullptr, nullptr},
    {"stimulus.modulationRate", &stimulus.modulationRate, nullptr, nullptr},
    {"stimulus.contrastPercent", &stimulus.contrastPercent, nullptr, nullptr},
    {"stimulus.noiseColumns", nullptr, &stimulus.noiseColumns, nullptr},
    {"stimulus.noiseFrameTicks", nullptr, &stimulus.noiseFrameTicks, nullptr},
    {"receptiveField.cellType", nullptr, &receptiveField.cellType, nullptr},
    {"receptiveField.centreX", &receptiveField.centreX, nullptr, nullptr},
    {"receptiveField.centreY", &receptiveField.centreY, nullptr, nullptr},
    {"receptiveField.orientation", &receptiveField.orientation, nullptr, nullptr},
    {"receptiveField.spatialFrequency", &receptiveField.spatialFrequency, nullptr, nullptr},
    {"receptiveField.phase", &receptiveField.phase, nullptr, nullptr},
    {"receptiveField.width", &receptiveField.width, nullptr, nullptr},
    {"receptiveField.length", &receptiveField.length, nullptr, nullptr},
    {"receptiveField.centreSigma", &receptiveField.centreSigma, nullptr, nullptr},
    {"receptiveField.surroundSigma", &receptiveField.surroundSigma, nullptr, nullptr},
    {"receptiveField.displayMode", nullptr, &receptiveField.displayMode, nullptr, GreyScale, Hidden},
    {"modelOptions.surroundWeight", &modelOptions.surroundWeight, nullptr, nullptr},
    {"modelOptions.gammaOrder", nullptr, &modelOptions.gammaOrder, nullptr},
    {"modelOptions.halfMaxContrast", &modelOptions.halfMaxContrast, nullptr, nullptr},
    {"modelOptions.backgroundHash", nullptr, nullptr, &modelOptions.backgroundHash},
    {"modelOptions.currentSpontaneousRate", &modelOptions.currentSpontaneousRate, nullptr, nullptr},
    {"modelOptions.currentMaxRate", &modelOptions.currentMaxRate, nullptr, nullptr},
    {"simulation.peakRate", &simulation.peakRate, nullptr, nullptr},
    {"traces.traceIndex", nullptr, &traces.traceIndex, nullptr},
};

const Field* FindField(const char* name)
{
    if (name == nullptr) return nullptr;
    for (const Field& f : kFields) {
        if (std::strcmp(f.name, name) == 0) return &f;
    }
    return nullptr;
}

}  // namespace

extern "C" {

// The creation sequence for a canvas of width x height device pixels. A
// second start begins again from nothing, as a new window would.
EMSCRIPTEN_KEEPALIVE void tess_start(int32_t width, int32_t height, double seed)
{
    static bool started = false;
    StartUpEngine(width, height, static_cast<uint32_t>(WholeCount(seed) & 0xFFFFFFFFu), started);
    started = true;
    handedSerial = 0;
    area = {appState.clientWidth, appState.clientHeight};
}

// turned is 1 when the screen turned between upright and wide (TurnPositions).
EMSCRIPTEN_KEEPALIVE void tess_resize(int32_t width, int32_t height, int32_t turned)
{
    ApplyClientSize(width, height, area, turned != 0);
}

// One scene tick with the grating's phases at the given clock reading.
// Returns 1 when it published a frame.
EMSCRIPTEN_KEEPALIVE int32_t tess_scene_tick(double nowMs) { return SceneTickAt(WholeCount(nowMs)) ? 1 : 0; }

// One neuron tick, given how many samples the page's audio has played.
// Returns the tick's spike count; the samples it wrote are the newest slice.
EMSCRIPTEN_KEEPALIVE int32_t tess_neuron_tick(double playedSamples)
{
    if (simulation.sliceEnd < 0) simulation.lead = NewAudioLead(webPeriod);
    NeuronTickCompute();
    const int32_t spikes = FinishAudioTick(WholeCount(playedSamples));
    // Hand over what lies between the last slice handed out and the end of
    // this tick's slice (a click may reach a few samples into the next one,
    // which goes out with it). A slice that does not follow on starts afresh.
    const int64_t end = simulation.sliceEnd;
    int64_t from = handedUpTo;
    if (from > end || end - from > static_cast<int64_t>(std::size(slice))) from = std::max<int64_t>(end - kAudioSlice, 0);
    sliceLength = static_cast<int32_t>(end - from);
    for (int32_t i = 0; i < sliceLength; ++i) slice[i] = StreamSample(from + i).load(std::memory_order_relaxed);
    sliceStart = from;
    handedUpTo = end;
    return spikes;
}

// The worklet found samples of a slice already played when it arrived:
// the lead grows as for a late tick.
EMSCRIPTEN_KEEPALIVE void tess_audio_late(double samples) { AudioLeadLate(simulation.lead, WholeCount(samples)); }
// The sound has started with an output that renders this many samples at a
// time: the lead starts again at two of them, as for a new device, rather
// than growing there by losing the clicks of its first ticks.
EMSCRIPTEN_KEEPALIVE void tess_audio_period(double samples)
{
    webPeriod = static_cast<int32_t>(std::clamp<int64_t>(WholeCount(samples), 128, 8192));
    RestartAudioLead(simulation.lead, webPeriod);
}
EMSCRIPTEN_KEEPALIVE int32_t tess_audio_lead() { return simulation.lead.samples; }
EMSCRIPTEN_KEEPALIVE double tess_lost_clicks() { return static_cast<double>(simulation.lead.lostClicks); }

EMSCRIPTEN_KEEPALIVE const int16_t* tess_audio_slice() { return slice; }
EMSCRIPTEN_KEEPALIVE int32_t tess_audio_slice_length() { return sliceLength; }
EMSCRIPTEN_KEEPALIVE double tess_audio_slice_start() { return static_cast<double>(sliceStart); }

// Notes what the newest frame changed, for a frame the page leaves out on a
// slow machine: the next one it paints then converts and uploads only the
// rectangles changed since the one it painted before.
EMSCRIPTEN_KEEPALIVE void tess_frame_note() { NoteFrameChanges(); }

// Takes the newest frame; returns its pixels as red, green, blue, alpha
// bytes, or nullptr when there is none. tess_frame_info then holds its
// width, height and serial, whether it is new as a whole, and the
// rectangles (left, top, right, bottom) that changed since the frame handed
// out before: none while the serial stays, the whole frame when that
// cannot be told.
EMSCRIPTEN_KEEPALIVE const uint8_t* tess_frame()
{
    const PresentedFrame frame = NoteFrameChanges();
    if (frame.pixels == nullptr || frame.width <= 0 || frame.height <= 0) return nullptr;
    const size_t pixels = static_cast<size_t>(frame.width) * static_cast<size_t>(frame.height);
    const bool whole = pending.whole || rgba.size() != pixels || frame.width != frameInfo[0];
    if (whole) {
        rgba.resize(pixels);
        pending.count = 1;
        pending.rects[0] = {0, 0, frame.width, frame.height};
    }
    int32_t* out = frameInfo + kInfoHead;
    for (int32_t i = 0; i < pending.count; ++i) {
        const FrameRect& c = pending.rects[i];
        const int32_t left = std::max(c.left, 0), top = std::max(c.top, 0);
        const int32_t right = std::min(c.right, frame.width), bottom = std::min(c.bottom, frame.height);
        if (right <= left || bottom <= top) continue;
        Convert(frame, left, top, right, bottom);
        *out++ = left, *out++ = top, *out++ = right, *out++ = bottom;
    }
    const int32_t head[kInfoHead] = {frame.width, frame.height, static_cast<int32_t>(frame.serial), whole ? 1 : 0,
                                     static_cast<int32_t>((out - frameInfo - kInfoHead) / 4)};
    std::memcpy(frameInfo, head, sizeof head);
    pending = {};
    return reinterpret_cast<const uint8_t*>(rgba.data());
}
EMSCRIPTEN_KEEPALIVE const int32_t* tess_frame_info() { return frameInfo; }

// Pointer, wheel and keys, in frame pixels with y counted from the top of
// the toolbar band, as on the desktop.
EMSCRIPTEN_KEEPALIVE void tess_pointer_move(int32_t x, int32_t y) { OnPointerMove(x, y); }
EMSCRIPTEN_KEEPALIVE void tess_button_down() { OnLeftButtonDown(); }
EMSCRIPTEN_KEEPALIVE void tess_button_up() { OnLeftButtonUp(); }
EMSCRIPTEN_KEEPALIVE void tess_double_click() { OnDoubleClick(); }
EMSCRIPTEN_KEEPALIVE void tess_wheel(int32_t delta) { OnWheel(delta); }
EMSCRIPTEN_KEEPALIVE void tess_key_down(int32_t key) { OnKeyDown(key); }
// '+' (43), '-' (45), Enter (13); 1 when the feedback table should open.
EMSCRIPTEN_KEEPALIVE int32_t tess_character(int32_t code) { return OnCharacter(code) ? 1 : 0; }
// kCursorCrosshair or kCursorHidden.
EMSCRIPTEN_KEEPALIVE int32_t tess_cursor() { return stimulus.cursor; }

// A toolbar or menu command. Returns 1 when it was carried out here, 0 when
// it is the page's to carry out (dialogs, help, exit) or has no action.
EMSCRIPTEN_KEEPALIVE int32_t tess_command(int32_t command) { return RunStimulusOrCellCommand(command) ? 1 : 0; }

// The information line: 0 the orientation or diameter text, 1 the spatial
// frequency text (empty but for a grating), 2 the peak rate text; each at
// its full length, as it is measured.
EMSCRIPTEN_KEEPALIVE const char* tess_overlay_text(int32_t which)
{
    if (which < 0 || which > 2) return "";
    if (which == 0) {
        const OverlayTexts texts = BuildOverlayTexts();
        overlay[0] = texts.first, overlay[1] = texts.second, overlay[2] = texts.peak;
    }
    return overlay[which].c_str();
}
// Pointer rows are counted from the top of the toolbar band, as on the desktop.
EMSCRIPTEN_KEEPALIVE int32_t tess_band_rows() { return kToolbarBandRows; }
// The information line's layout for the texts' widths measured at the full
// line height: the line height and the peak rate's top row (LayOutOverlay).
EMSCRIPTEN_KEEPALIVE const int32_t* tess_overlay_layout(int32_t frameWidth, int32_t leftWidth, int32_t peakWidth)
{
    static int32_t layout[2];
    const OverlayLayout l = LayOutOverlay(frameWidth, leftWidth, peakWidth);
    layout[0] = l.lineHeight, layout[1] = l.peakTop;
    return layout;
}

EMSCRIPTEN_KEEPALIVE int32_t tess_toolbar_items() { return kToolbarItems; }
EMSCRIPTEN_KEEPALIVE int32_t tess_toolbar_command(int32_t i) { return i >= 0 && i < kToolbarItems ? kToolbarLayout[i].command : 0; }
EMSCRIPTEN_KEEPALIVE int32_t tess_toolbar_gap(int32_t i) { return i >= 0 && i < kToolbarItems ? kToolbarLayout[i].gapWidth : 0; }
EMSCRIPTEN_KEEPALIVE const char* tess_toolbar_picture(int32_t i)
{
    return i >= 0 && i < kToolbarItems && kToolbarLayout[i].picture != nullptr ? kToolbarLayout[i].picture : "";
}

// Record fields by name ("stimulus.barWidth"); NaN for an unknown name.
EMSCRIPTEN_KEEPALIVE double tess_get(const char* name)
{
    const Field* f = FindField(name);
    if (f == nullptr) return std::nan("");
    if (f->real != nullptr) return f->real->load();
    if (f->whole != nullptr) return f->whole->load();
    return f->flag->load() ? 1.0 : 0.0;
}
// Returns 0 for a name that cannot be written or a value that is not a
// finite number; other values are held to the field's range.
EMSCRIPTEN_KEEPALIVE int32_t tess_set(const char* name, double value)
{
    const Field* f = FindField(name);
    if (f == nullptr || !(f->low <= f->high) || !std::isfinite(value)) return 0;
    value = std::clamp(value, f->low, f->high);
    if (f->real != nullptr) f->real->store(static_cast<float>(value));
    if (f->whole != nullptr) f->whole->store(TruncInt(value));
    if (f->flag != nullptr) f->flag->store(value != 0.0);
    return 1;
}
EMSCRIPTEN_KEEPALIVE int32_t tess_mark_count() { return marks.markCount.load(std::memory_order_acquire); }

}  // extern "C"
