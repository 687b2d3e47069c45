#include "stimulus/stimulus_image.h"

#include <cstring>

#include "model/triple_buffer.h"

// The back image is not cleared by StimulusImageBack (the drawing steps ask
// for it more than once per tick): the scene tick clears it before it draws.
namespace {

struct StimulusImage {
    float pixels[kFilterPixels];
    bool grating = false;
    int64_t noiseFrame = -1;
    bool blank = true;  // all zero, known without looking
    int32_t boxLeft = 0, boxTop = 0, boxRight = 0, boxBottom = 0;  // drawn for
};

TripleBuffer<StimulusImage> images;
float blankImage[kFilterPixels];

}  // namespace

float* StimulusImageBack()
{
    StimulusImage& back = images.Back();
    back.blank = false;  // whoever asks may write
    return back.pixels;
}

void ClearStimulusImageBack()
{
    StimulusImage& back = images.Back();
    // With no stimulus on, every image stays blank: nothing to clear.
    if (!back.blank) std::memset(back.pixels, 0, sizeof back.pixels);
    back.blank = true;
}

void PublishStimulusImage(const RfFilterSet& drawnFor, bool grating, int64_t noiseFrame)
{
    StimulusImage& back = images.Back();
    back.grating = grating;
    back.noiseFrame = noiseFrame;
    back.boxLeft = drawnFor.boxLeft, back.boxTop = drawnFor.boxTop;
    back.boxRight = drawnFor.boxRight, back.boxBottom = drawnFor.boxBottom;
    images.Publish();
}

const float* LatestStimulusImage()
{
    images.TakeNewest();
    return images.Front().pixels;
}

bool LatestStimulusImageIsGrating()
{
    return images.Front().grating;
}

int64_t LatestStimulusImageNoiseFrame()
{
    return images.Front().noiseFrame;
}

bool LatestStimulusImageFits(const RfFilterSet& set)
{
    const StimulusImage& front = images.Front();
    return front.boxLeft == set.boxLeft && front.boxTop == set.boxTop && front.boxRight == set.boxRight &&
           front.boxBottom == set.boxBottom;
}

const float* BlankStimulusImage() { return blankImage; }

void ResetStimulusImages()
{
    for (StimulusImage& image : images.Slots()) {
        std::memset(image.pixels, 0, sizeof image.pixels);
        image.grating = false;
        image.noiseFrame = -1;
        image.blank = true;
        image.boxLeft = image.boxTop = image.boxRight = image.boxBottom = 0;
    }
    images.ResetOwners();
}
