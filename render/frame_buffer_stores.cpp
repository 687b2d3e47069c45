// The frame stores: three pixel buffers the size of the canvas, the fitting
// of a frame into them, and the hand-over of finished frames to the
// user-interface thread.
//
// The slots are a triple buffer: the drawing side writes its back slot and
// publishes it, the user-interface thread presents its front slot. A slot's
// owner is the only one touching what it records (its buffer, size and
// serial).
//
// Resizing: the user-interface thread allocates a set of three buffers for
// the new canvas and hands the whole set over through pendingSet. The
// drawing side adopts it at the start of its next frame and, each time it
// owns a slot that still holds an older buffer, puts one of the new set in
// its place. It never allocates or frees: it counts the buffers of an old set
// that no slot can hold any more, and once all three are counted the
// user-interface thread frees the set. So memory settles at three frames of
// the canvas, and no thread ever sees a buffer freed under it.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>

#include "model/triple_buffer.h"
#include "render/frame_buffer.h"

namespace {

constexpr int32_t kSlotCount = 3;

struct StoreSet {
    uint32_t* buffers[kSlotCount] = {};  // each goes into one slot, at most once
    int64_t capacity = 0;                // pixels of each buffer
    // Buffers that no slot holds or can come to hold again; raised by the
    // drawing side with release, read by the user-interface side with acquire.
    std::atomic<int32_t> released{0};
};

// What a slot holds, written by its owner.
struct Slot {
    uint32_t* pixels = nullptr;
    int64_t capacity = 0;
    StoreSet* set = nullptr;        // the set the buffer belongs to
    int32_t width = 0, height = 0;  // as published
    uint32_t serial = 0;
    FrameChange change;  // against the frame published before it
    StoreContent content;
};
TripleBuffer<Slot> slots;

std::atomic<StoreSet*> pendingSet{nullptr};

// Drawing side only.
uint32_t publishedSerial = 0;
StoreSet* currentSet = nullptr;
int32_t placed = 0;  // buffers of currentSet put into a slot so far

// User-interface side only. Sets allocated and not yet freed: at most one
// per slot, the current and a pending one; a plain array, so they stay
// reachable for the leak checker to the very end.
constexpr int32_t kMaxLiveSets = 8;
StoreSet* liveSets[kMaxLiveSets] = {};
int32_t liveSetCount = 0;
int64_t providedPixels = -1;  // capacity of the newest set handed over

StoreSet* NewStoreSet(int64_t pixels)
{
    auto* set = new StoreSet;
    set->capacity = pixels;
    for (uint32_t*& buffer : set->buffers) {
        // Zeroed, and committed page by page as the first frames touch it.
        buffer = static_cast<uint32_t*>(std::calloc(static_cast<size_t>(std::max<int64_t>(pixels, 1)), 4));
        if (buffer == nullptr) {
            for (uint32_t* b : set->buffers) std::free(b);
            delete set;
            return nullptr;
        }
    }
    return set;
}

void FreeStoreSet(StoreSet* set)
{
    for (uint32_t* buffer : set->buffers) std::free(buffer);
    delete set;
}

void ForgetLiveSet(int32_t i)
{
    liveSets[i] = liveSets[--liveSetCount];
    liveSets[liveSetCount] = nullptr;
}

// Frees every set whose buffers no slot can hold any more.
void CollectStoreSets()
{
    for (int32_t i = liveSetCount - 1; i >= 0; --i) {
        if (liveSets[i]->released.load(std::memory_order_acquire) < kSlotCount) continue;
        FreeStoreSet(liveSets[i]);
        ForgetLiveSet(i);
    }
}

// Drawing side: takes over a set handed over since the last frame. The
// buffers of the set it replaces that never went into a slot are free now.
void AdoptPendingSet()
{
    if (pendingSet.load(std::memory_order_relaxed) == nullptr) return;
    StoreSet* fresh = pendingSet.exchange(nullptr, std::memory_order_acq_rel);
    if (fresh == nullptr) return;
    if (currentSet != nullptr && placed < kSlotCount)
        currentSet->released.fetch_add(kSlotCount - placed, std::memory_order_release);
    currentSet = fresh;
    placed = 0;
}

// Drawing side: the slot it owns gets the current set's buffer. Counting the
// old buffer is the last the drawing side does with the old set.
void RefreshDrawSlot()
{
    Slot& slot = slots.Back();
    // Each slot takes a buffer of a set once, so three places use them all.
    if (currentSet == nullptr || slot.set == currentSet) return;
    StoreSet* old = slot.set;
    slot.pixels = currentSet->buffers[placed++];
    slot.capacity = currentSet->capacity;
    slot.set = currentSet;
    slot.content = StoreContent{};
    if (old != nullptr) old->released.fetch_add(1, std::memory_order_release);
}

}  // namespace

uint32_t* SizeFrameBuffer(int32_t& width, int32_t& height)
{
    AdoptPendingSet();
    RefreshDrawSlot();
    const Slot& slot = slots.Back();
    int64_t w = width > 0 ? width : 0;
    int64_t h = height > 0 ? height : 0;
    // In 64 bits: a large window's pixel count does not fit an int.
    if (w * h > slot.capacity) {
        // Only while stores for a new size are on their way, or past the
        // largest canvas stores are made for. One common factor for both
        // sides keeps the aspect; the image is then shown smaller than the
        // window, never stretched.
        const double s = std::sqrt(static_cast<double>(slot.capacity) /
                                   (static_cast<double>(w) * static_cast<double>(h)));
        w = static_cast<int64_t>(static_cast<double>(w) * s);
        h = static_cast<int64_t>(static_cast<double>(h) * s);
        // Rounding in s may leave the product a hair over the store.
        while (w * h > slot.capacity) {
            if (w >= h) --w;
            else --h;
        }
    }
    frameBuffer.pixels = slot.pixels;
    frameBuffer.width = width = static_cast<int32_t>(w);
    frameBuffer.height = height = static_cast<int32_t>(h);
    return frameBuffer.pixels;
}

void PublishFrame() { PublishFrame(FrameChange{}); }

void PublishFrame(const FrameChange& change)
{
    Slot& slot = slots.Back();
    slot.width = frameBuffer.width;
    slot.height = frameBuffer.height;
    slot.serial = ++publishedSerial;
    slot.change = change;
    slots.Publish();
    // Draw the next frame in the slot handed back, at the size already in
    // force as far as its store allows.
    int32_t width = frameBuffer.width, height = frameBuffer.height;
    SizeFrameBuffer(width, height);
}

uint32_t LastPublishedSerial() { return publishedSerial; }

StoreContent& BackStoreContent() { return slots.Back().content; }

PresentedFrame LatestFrame()
{
    // The slot given back may have carried the last buffer of an old set.
    if (slots.TakeNewest()) CollectStoreSets();
    return PresentedNow();
}

PresentedFrame PresentedNow()
{
    const Slot& slot = slots.Front();
    return {slot.pixels, slot.width, slot.height, slot.serial, slot.change};
}

void ProvideFrameStores(int32_t width, int32_t height)
{
    CollectStoreSets();
    if (width <= 0 || height <= 0) return;  // no area: keep the stores for when it comes back
    const int64_t pixels = std::min(int64_t{width} * height, kMaxFrameStorePixels);
    // Out of room or of memory: frames keep fitting the stores there are,
    // and the next resize tries again.
    if (pixels == providedPixels || liveSetCount == kMaxLiveSets) return;
    StoreSet* set = NewStoreSet(pixels);
    if (set == nullptr) return;
    liveSets[liveSetCount++] = set;
    providedPixels = pixels;
    // A set handed over earlier and not yet taken was never seen by the
    // drawing side: it can go at once.
    StoreSet* untaken = pendingSet.exchange(set, std::memory_order_acq_rel);
    for (int32_t i = 0; i < liveSetCount && untaken != nullptr; ++i) {
        if (liveSets[i] != untaken) continue;
        FreeStoreSet(untaken);
        ForgetLiveSet(i);
        untaken = nullptr;
    }
}

int64_t FrameStoreBytes()
{
    CollectStoreSets();
    int64_t bytes = 0;
    for (int32_t i = 0; i < liveSetCount; ++i) bytes += liveSets[i]->capacity * 4 * kSlotCount;
    return bytes;
}

void ResetFrameBuffers()
{
    pendingSet.store(nullptr, std::memory_order_relaxed);  // it is in liveSets too
    while (liveSetCount > 0) {
        FreeStoreSet(liveSets[0]);
        ForgetLiveSet(0);
    }
    for (Slot& slot : slots.Slots()) slot = Slot{};
    slots.ResetOwners();
    publishedSerial = 0;
    currentSet = nullptr;
    placed = 0;
    providedPixels = -1;
    frameBuffer = FrameBuffer{};
    // Stores of the start-up size, until a canvas size is provided.
    ProvideFrameStores(kFrameStorePixels, 1);
    int32_t width = 0, height = 0;
    SizeFrameBuffer(width, height);
}
