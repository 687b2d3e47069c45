#include "sim/audio_lead.h"

#include <algorithm>

namespace {
// Play positions beyond this are held here: 3 million years of stream, and
// the slice arithmetic stays far from overflow.
constexpr int64_t kHighestPosition = int64_t{1} << 60;
constexpr int64_t kMostCatchUp = kAudioRate;  // a tick further behind starts afresh
}  // namespace

AudioLead NewAudioLead(int32_t period)
{
    AudioLead lead;
    lead.period = std::clamp(period, 32, 8192);
    // A tick more than the floor at first: a device's or a browser's first
    // periods are the least regular, and the lead comes down from there on
    // evidence rather than growing there by losing clicks.
    lead.samples = 2 * lead.period + kAudioSlice;
    return lead;
}

void RestartAudioLead(AudioLead& lead, int32_t period)
{
    const AudioLead kept = lead;
    lead = NewAudioLead(period);
    lead.lateTicks = kept.lateTicks;
    lead.lostClicks = kept.lostClicks;
}

void AudioLeadLate(AudioLead& lead, int64_t missed)
{
    const int64_t grown = lead.samples + std::clamp<int64_t>(missed, 0, kMostLead) + lead.period;
    lead.samples = static_cast<int32_t>(std::min<int64_t>(grown, kMostLead));
    if (lead.cameDown) lead.holdTicks = std::min(2 * lead.holdTicks, kMostHoldTicks);
    lead.cameDown = false;
    lead.onTimeTicks = 0;
    lead.leastSpare = kNoTickYet;
    ++lead.lateTicks;
}

StreamSlice PlanSlice(AudioLead& lead, int64_t lastEnd, int64_t playPosition)
{
    const int64_t p = std::clamp<int64_t>(playPosition, 0, kHighestPosition);
    const int64_t taken = p + lead.period;  // the device may be taking up to here
    const bool goesOn = lastEnd >= 0 && lastEnd >= p - kMostCatchUp && lastEnd <= p + 2 * kMostLead;
    StreamSlice slice;
    slice.first = goesOn ? lastEnd : p + lead.samples;
    const int64_t missed = std::max<int64_t>(taken - slice.first, 0);
    if (missed > 0 || (!goesOn && lastEnd >= 0)) {
        AudioLeadLate(lead, missed);
    } else {
        lead.leastSpare = std::min(lead.leastSpare, slice.first - taken);
        if (++lead.onTimeTicks >= lead.holdTicks) {
            // Down by half the way to the floor, at least a quarter period,
            // but leaving the run's closest tick a period to spare.
            const int32_t floor = 2 * lead.period;
            const int64_t step = std::min<int64_t>(std::max((lead.samples - floor) / 2, lead.period / 4),
                                                   lead.leastSpare - lead.period);
            if (step > 0 && lead.samples > floor) {
                lead.samples = static_cast<int32_t>(std::max<int64_t>(lead.samples - step, floor));
                lead.cameDown = true;
            }
            lead.onTimeTicks = 0;
            lead.leastSpare = kNoTickYet;
        }
    }
    slice.heardFrom = std::max(slice.first, taken);
    // A lead that came down, or a position that moved little, can leave the
    // last slice ending past this one's end: then nothing is written now.
    slice.limit = std::max(p + lead.samples + kAudioSlice, slice.heardFrom);
    return slice;
}
