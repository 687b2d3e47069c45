#pragma once
// A shared scalar that one thread writes and others read every tick.
// Every access is a relaxed atomic: readers see the old or the new value,
// never a torn one, and no reader or writer ever waits. Compound updates are
// a load followed by a store, which is correct because each field has exactly
// one writing thread (named where the field is declared).
#include <atomic>

template <typename T>
class Relaxed {
public:
    constexpr Relaxed() noexcept : value_(T{}) {}
    constexpr Relaxed(T v) noexcept : value_(v) {}
    Relaxed(const Relaxed&) = delete;

    T load() const noexcept { return value_.load(std::memory_order_relaxed); }
    void store(T v) noexcept { value_.store(v, std::memory_order_relaxed); }
    operator T() const noexcept { return load(); }
    Relaxed& operator=(T v) noexcept { store(v); return *this; }
    Relaxed& operator=(const Relaxed& other) noexcept { store(other.load()); return *this; }

    Relaxed& operator+=(T v) noexcept { store(load() + v); return *this; }
    Relaxed& operator-=(T v) noexcept { store(load() - v); return *this; }
    Relaxed& operator*=(T v) noexcept { store(load() * v); return *this; }
    Relaxed& operator/=(T v) noexcept { store(load() / v); return *this; }

private:
    std::atomic<T> value_;
};
