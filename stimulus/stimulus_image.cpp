#include "stimulus/stimulus_image.h"

#include <cstring>

#include "model/triple_buffer.h"

// The back image is not cleared by StimulusImageBack (the drawing steps ask
// for it more than once per tick): the scene tick clears it before it draws.
namespace {

struct StimulusImage {
    float pixels[kFilterPixels];
    bool grating = false;
    bool blank = true;  // all zero, known without looking
};

TripleBuffer<StimulusImage> images;

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

void PublishStimulusImage(bool grating)
{
    images.Back().grating = grating;
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

void ResetStimulusImages()
{
    for (StimulusImage& image : images.Slots()) {
        std::memset(image.pixels, 0, sizeof image.pixels);
        image.grating = false;
        image.blank = true;
    }
    images.ResetOwners();
}
