// The noise's fields of "Select stimulus" and the flicker notice. A refused
// value leaves the record as it was and says why, in the words the command
// line uses (controls/noise_texts.h).
#include <cmath>
#include <cstdio>

#include "controls/noise_texts.h"
#include "controls/select_stimulus_rules.h"
#include "language/catalog.h"
#include "model/typed_number.h"
#include "stimulus/stimulus_state.h"

bool flickerNoticeGiven = false;

namespace {

SelectStimulusView& view = selectStimulusView;
constexpr int32_t kShortFrameTicks = 5;  // frames under 100 ms flicker

// The change held for the notice: a stimulus type with its noise.
struct HeldChange {
    int32_t type = 0;
    NoiseSettings noise;
} held;

FieldView& Field(NoiseRow row) { return view.noise[static_cast<int32_t>(row)]; }

void Say(const std::string& message) { std::snprintf(view.noiseMessage, kNoiseMessageSize, "%s", message.c_str()); }

// A whole number read from the start of a field's text, or -1 (every field's
// range starts at 0 or above, so -1 is refused by every range).
double WholeOrRefused(const char* text)
{
    const ParsedReal p = ParseTypedReal(text, CurrentCatalog().decimalMark);
    return p.isNumber && std::isfinite(p.value) && p.value == std::floor(p.value) && p.value >= 0 ? p.value : -1.0;
}

// Whole numbers above any range stay above it when held in an int32.
int32_t Held(double whole) { return whole > 1e6 ? 1000000 : static_cast<int32_t>(whole); }

}  // namespace

void ShowNoiseFields()
{
    const NoiseSettings s = NoiseSettingsOfStimulus();
    const bool noise = IsNoise(stimulus.stimulusType);
    const std::string texts[kNoiseRows] = {IntegerText(s.columns), RealText(s.squareDeg),
                                           IntegerText(static_cast<int32_t>(NoiseFrameMs(s))), IntegerText(s.lit),
                                           std::to_string(s.seed)};
    for (int32_t i = 0; i < kNoiseRows; ++i) {
        CopyControlText(view.noise[i].text, texts[i]);
        view.noise[i].enabled = noise && (i != static_cast<int32_t>(NoiseRow::Lit) || s.kind == SparseNoiseKind);
    }
}

bool HoldForFlickerNotice(int32_t type, const NoiseSettings& noise)
{
    if (flickerNoticeGiven || !IsNoise(type) || noise.frameTicks >= kShortFrameTicks)
        return false;
    held = {type, noise};
    view.flickerNotice = true;
    return true;
}

const SelectStimulusView& AcknowledgeFlickerNotice()
{
    if (view.flickerNotice) {
        flickerNoticeGiven = true;
        view.flickerNotice = false;
        SetNoiseSettings(held.noise);
        ChooseShape(held.type - 1);
    }
    return view;
}

const SelectStimulusView& TypeNoiseField(NoiseRow row, const char* text)
{
    if (!(row >= NoiseRow::Grid && row < NoiseRow::Count))
        return view;
    CopyControlText(Field(row).text, text);
    NoiseSettings s = NoiseSettingsOfStimulus();
    const double whole = WholeOrRefused(text);
    switch (row) {
    case NoiseRow::Grid:
        s.columns = s.rows = Held(whole);
        // A smaller grid keeps every square lit that it still has.
        if (CheckNoiseSettings(s) == NoiseBadLit)
            s.lit = NoiseSquares(s);
        break;
    case NoiseRow::Square: {
        const ParsedReal p = ParseTypedReal(text, CurrentCatalog().decimalMark);
        s.squareDeg = p.isNumber && p.value >= kNoiseSquareLow && p.value <= kNoiseSquareHigh
                          ? static_cast<float>(p.value) : -1.0f;
        break;
    }
    case NoiseRow::FrameMs:
        if (whole < 0 || std::fmod(whole, 20.0) != 0.0)
            return Say(NoiseFrameMsMessage()), view;
        s.frameTicks = Held(whole / 20.0);
        break;
    case NoiseRow::Lit: s.lit = Held(whole); break;
    case NoiseRow::Seed:
        if (whole < 0 || whole > 4294967295.0)
            return Say(NoiseSeedMessage()), view;
        s.seed = static_cast<uint32_t>(whole);
        break;
    default: break;
    }
    const std::string message = NoiseSettingsMessage(s);
    if (!message.empty())
        return Say(message), view;
    Say("");
    if (!HoldForFlickerNotice(stimulus.stimulusType, s)) {
        SetNoiseSettings(s);
        if (row == NoiseRow::Grid)
            CopyControlText(Field(NoiseRow::Lit).text, IntegerText(s.lit));
    }
    return view;
}
