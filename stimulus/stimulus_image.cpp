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
    bool boxed = false;  // written only within the box below (as published)
    int32_t boxLeft = 0, boxTop = 0, boxRight = 0, boxBottom = 0;  // drawn for
};

TripleBuffer<StimulusImage> images;
float blankImage[kFilterPixels];

}  // namespace

float* StimulusImageBack()
{
    StimulusImage& back = images.Back();
    back.blank = false;  // whoever asks may write, anywhere until it is published
    back.boxed = false;
    return back.pixels;
}

namespace {

// Columns or rows from low to high inclusive, within one image side.
int64_t SideOf(int32_t low, int32_t high)
{
    const int64_t n = int64_t{high} - low + 1;
    return n < 0 ? 0 : n > kFilterSide ? kFilterSide : n;
}

}  // namespace

void ClearStimulusImageBack()
{
    StimulusImage& back = images.Back();
    // With no stimulus on, every image stays blank: nothing to clear. A
    // drawing writes only the part of the image its box covers, and the box
    // it was drawn for is kept with it: only that part needs clearing.
    if (!back.blank) {
        if (back.boxed) {
            const int64_t columns = SideOf(back.boxLeft, back.boxRight), rows = SideOf(back.boxTop, back.boxBottom);
            for (int64_t r = 0; r < rows; ++r)
                std::memset(back.pixels + r * kFilterSide, 0, sizeof(float) * static_cast<size_t>(columns));
        } else {
            std::memset(back.pixels, 0, sizeof back.pixels);
        }
    }
    back.blank = true;
    back.boxed = false;
}

void PublishStimulusImage(const RfFilterSet& drawnFor, bool grating, int64_t noiseFrame)
{
    StimulusImage& back = images.Back();
    back.grating = grating;
    back.noiseFrame = noiseFrame;
    back.boxLeft = drawnFor.boxLeft, back.boxTop = drawnFor.boxTop;
    back.boxRight = drawnFor.boxRight, back.boxBottom = drawnFor.boxBottom;
    back.boxed = true;
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
        image.boxed = false;
        image.boxLeft = image.boxTop = image.boxRight = image.boxBottom = 0;
    }
    images.ResetOwners();
}
