#pragma once
// Three slots handed from one writing thread to one reading thread, neither
// ever waiting for the other: at any moment the writer owns one slot (the
// back), the reader owns one (the front) and the third is the newest
// published one. A slot changes owner only through the exchange on newest_,
// so whoever owns a slot is the only thread touching it.
#include <array>
#include <atomic>
#include <cstdint>

template <typename T>
class TripleBuffer {
public:
    // Writer thread only: the slot being filled.
    T& Back() noexcept { return slots_[back_]; }
    // Writer thread only: hands the back slot over whole and takes the slot
    // that was newest (presented or not, nobody holds it) as the next back.
    void Publish() noexcept
    {
        // acq_rel: the release makes what was written visible to the reader
        // that takes it; the acquire makes the slot handed back truly free.
        const uint32_t previous = newest_.exchange(back_ | kFresh, std::memory_order_acq_rel);
        back_ = previous & kIndexMask;
    }

    // Reader thread only: makes the newest published slot the front if one
    // was published since the last take; returns whether it did.
    bool TakeNewest() noexcept
    {
        if (!(newest_.load(std::memory_order_relaxed) & kFresh)) return false;
        const uint32_t previous = newest_.exchange(front_, std::memory_order_acq_rel);
        front_ = previous & kIndexMask;
        return true;
    }
    // Reader thread only: the slot taken last (a never-published one at first).
    T& Front() noexcept { return slots_[front_]; }

    // Every slot, and the owners back to the start. Only while neither side runs.
    std::array<T, 3>& Slots() noexcept { return slots_; }
    void ResetOwners() noexcept
    {
        back_ = 0;
        front_ = 1;
        newest_.store(2, std::memory_order_release);
    }

private:
    static constexpr uint32_t kIndexMask = 3;
    static constexpr uint32_t kFresh = 4;  // the newest slot holds a slot not yet taken

    std::array<T, 3> slots_;
    uint32_t back_ = 0;                // writer only
    uint32_t front_ = 1;               // reader only
    std::atomic<uint32_t> newest_{2};  // index | kFresh
};
