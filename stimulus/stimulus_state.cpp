// The stimulus and its direct manipulation: the pointer moves it, the button
// shows it, a double click pins it in place, the wheel and the arrow keys turn
// or resize it. All of this runs on the user-interface thread; the workers
// read the fields afresh every tick.
#include "stimulus/stimulus_state.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/app_state.h"
#include "model/numeric.h"
#include "model/receptive_field.h"
#include "stimulus/hand_plot_marks.h"

StimulusState stimulus;

namespace {

int32_t ClampToInt(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

void ChooseCursor()
{
    stimulus.cursor = (stimulus.stimulusOn && !stimulus.stationaryMode) ? kCursorHidden : kCursorCrosshair;
}

// value x new / old, in that order; a result that would not be finite keeps
// the old value rather than poisoning the position.
void Rescale(Relaxed<float>& value, float newSize, float oldSize)
{
    const float scaled = value * newSize / oldSize;
    if (std::isfinite(scaled)) value = scaled;
}

// value moved by the given degrees, held to [0, limit]; a value that is not
// a number stays as it is.
void Shift(Relaxed<float>& value, float by, float limit)
{
    const float moved = std::clamp(value + by, 0.0f, limit);
    if (std::isfinite(moved)) value = moved;
}

// One step smaller, but never below one pixel: a radius shrunk toward 0
// would end at exactly 0 (or among the denormals), where growing by a tenth
// can no longer bring it back. A radius already below a pixel (typed in the
// dialog) is left as it is.
void ShrinkSpotRadius()
{
    const float r = stimulus.spotRadius;
    const float floor = std::min(r, kDegreesPerPixel);
    stimulus.spotRadius = std::max(r / 1.1f, floor);
}

}  // namespace

void ResetStimulus() { stimulus = StimulusState{}; }

void OnPointerMove(int32_t x, int32_t y)
{
    if (!stimulus.stationaryMode) {
        stimulus.mouseX = x;
        stimulus.mouseY = ClampToInt(int64_t{y} - kToolbarBandRows);  // measured from the band's lower edge
        stimulus.stimX = static_cast<float>(stimulus.mouseX) * kDegreesPerPixel;
        stimulus.stimY = static_cast<float>(stimulus.mouseY) * kDegreesPerPixel;
    }
    ChooseCursor();
}

void OnLeftButtonDown()
{
    stimulus.stimulusOn = true;
    stimulus.cursor = kCursorHidden;
}

void OnLeftButtonUp()
{
    stimulus.stimulusOn = false;
    stimulus.cursor = kCursorCrosshair;
}

void OnDoubleClick()
{
    const bool stationary = !stimulus.stationaryMode;
    stimulus.stationaryMode = stationary;
    stimulus.stimulusOn = stationary;
}

void OnWheel(int32_t delta)
{
    if (delta == 0) return;
    const int32_t type = stimulus.stimulusType;
    if (type == Bar || type == Grating) {
        if (delta > 0) {
            stimulus.orientation += 5.0f;
            if (stimulus.orientation > 360.0f) stimulus.orientation -= 360.0f;
        } else {
            stimulus.orientation -= 5.0f;
            if (stimulus.orientation < 0.0f) stimulus.orientation += 360.0f;
        }
    } else if (type == Spot || type == Annulus) {
        // The limit is tested before the step, so the radius may end up to
        // a tenth above it.
        if (delta > 0) {
            if (stimulus.spotRadius < 8.0f) stimulus.spotRadius *= 1.1f;
        } else {
            if (stimulus.spotRadius > 0.0f) ShrinkSpotRadius();
        }
    }
}

void OnKeyDown(int32_t key)
{
    const int32_t type = stimulus.stimulusType;
    if (type == Bar || type == Grating) {
        if (key == KeyUp) {
            if (type == Bar) {
                if (stimulus.barWidth < 5.0f) stimulus.barWidth += 0.1f;
            } else {
                if (stimulus.gratingSf < 20.0f) stimulus.gratingSf += 0.1f;
            }
        } else if (key == KeyDown) {
            if (type == Bar) {
                if (stimulus.barWidth > 0.1f) stimulus.barWidth -= 0.1f;
            } else if (stimulus.gratingSf > 0.0f) {
                stimulus.gratingSf -= 0.1f;
                if (stimulus.gratingSf < 0.0f) stimulus.gratingSf = 0.0f;
            }
        } else if (key == KeyRight) {
            stimulus.orientation -= 1.0f;
        } else if (key == KeyLeft) {
            stimulus.orientation += 1.0f;
        }
    } else if (type == Spot || type == Annulus) {
        // Sideways keys resize round stimuli, down to one pixel and up
        // without limit. Growth stops short of infinity, which nothing could
        // draw or undo.
        if (key == KeyRight) {
            const float grown = stimulus.spotRadius * 1.1f;
            if (std::isfinite(grown)) stimulus.spotRadius = grown;
        } else if (key == KeyLeft) {
            ShrinkSpotRadius();
        }
    }
    // Whatever the key: one wrap of the orientation into [0, 360].
    if (stimulus.orientation < 0.0f) stimulus.orientation += 360.0f;
    if (stimulus.orientation > 360.0f) stimulus.orientation -= 360.0f;
}

void SetStimulusType(int32_t type) { stimulus.stimulusType = type; }

NoiseSettings NoiseSettingsOfStimulus()
{
    NoiseSettings s;
    s.kind = stimulus.stimulusType == WhiteNoise ? WhiteNoiseKind : SparseNoiseKind;
    s.columns = stimulus.noiseColumns, s.rows = stimulus.noiseRows;
    s.squareDeg = stimulus.noiseSquareDeg;
    s.frameTicks = stimulus.noiseFrameTicks;
    s.lit = stimulus.noiseLit;
    s.contrast = stimulus.contrastPercent / 100.0f;
    s.seed = stimulus.noiseSeed;
    return s;
}

void SetNoiseSettings(const NoiseSettings& s)
{
    stimulus.noiseColumns = s.columns, stimulus.noiseRows = s.rows;
    stimulus.noiseSquareDeg = s.squareDeg;
    stimulus.noiseFrameTicks = s.frameTicks;
    stimulus.noiseLit = s.lit;
    stimulus.contrastPercent = s.contrast * 100.0f;
    stimulus.noiseSeed = s.seed;
}

int64_t NoiseFrameIndexAt(const NoiseSettings& s, int64_t timeMs)
{
    const int64_t frameMs = NoiseFrameMs(s) > 0 ? NoiseFrameMs(s) : 1;
    // Both clocks are far from the int64 ends; the floor keeps frames whole before the origin too.
    const int64_t since = timeMs - stimulus.noiseOriginMs;
    return since >= 0 ? since / frameMs : -((-since + frameMs - 1) / frameMs);
}

void InvertPolarity()
{
    // Negated in 64 bits: a polarity set to the most negative int cannot overflow.
    stimulus.polarity = ClampToInt(-int64_t{stimulus.polarity});
}

namespace {

// Moves every place the field, the stimulus and the marks hold, as x and y
// in degrees; the pointer follows the stimulus.
template <typename Move>
void MovePositions(Move move)
{
    move(receptiveField.centreX, receptiveField.centreY);
    move(stimulus.stimX, stimulus.stimY);
    stimulus.mouseX = TruncInt(stimulus.stimX / kDegreesPerPixel);
    stimulus.mouseY = TruncInt(stimulus.stimY / kDegreesPerPixel);
    const int32_t count = std::clamp(marks.markCount.load(std::memory_order_relaxed), 0, kMaxMarks);
    for (int32_t i = 1; i <= count; ++i) move(marks.markX[i], marks.markY[i]);
}

}  // namespace

void RescalePositions(int32_t oldWidth, int32_t oldHeight, int32_t newWidth, int32_t newHeight)
{
    // A minimised window reports 0 x 0: there is no proportion to keep, and
    // the positions stay where they are until the window comes back.
    if (oldWidth <= 0 || oldHeight <= 0 || newWidth <= 0 || newHeight <= 0) return;
    const float nw = static_cast<float>(newWidth), nh = static_cast<float>(newHeight);
    const float ow = static_cast<float>(oldWidth), oh = static_cast<float>(oldHeight);
    MovePositions([&](Relaxed<float>& x, Relaxed<float>& y) { Rescale(x, nw, ow), Rescale(y, nh, oh); });
}

void TurnPositions(int32_t oldWidth, int32_t oldHeight, int32_t newWidth, int32_t newHeight)
{
    if (oldWidth <= 0 || oldHeight <= 0 || newWidth <= 0 || newHeight <= 0) return;
    // The centre moves by half the change of each side.
    const float dx = 0.5f * kDegreesPerPixel * (static_cast<float>(newWidth) - static_cast<float>(oldWidth));
    const float dy = 0.5f * kDegreesPerPixel * (static_cast<float>(newHeight) - static_cast<float>(oldHeight));
    const float width = static_cast<float>(newWidth) * kDegreesPerPixel;
    const float height = static_cast<float>(newHeight) * kDegreesPerPixel;
    MovePositions([&](Relaxed<float>& x, Relaxed<float>& y) { Shift(x, dx, width), Shift(y, dy, height); });
}
