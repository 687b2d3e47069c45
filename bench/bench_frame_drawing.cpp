// The frame's per-tick costs: the clear and the receptive-field rings, each
// beside the plain version it replaces (a byte-by-byte clear; a ring that
// counts sub-samples over its whole scan box).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>

#include "render/frame_buffer.h"

namespace {

void Frame(int32_t width, int32_t height)
{
    ResetFrameBuffers();
    SizeFrameBuffer(width, height);
}

void BM_ClearFrame(benchmark::State& state)
{
    Frame(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)));
    for (auto _ : state) {
        ClearFrame(0x808080);
        benchmark::DoNotOptimize(frameBuffer.pixels[0]);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * state.range(1) * 4);
}
BENCHMARK(BM_ClearFrame)->Args({1000, 700})->Args({1920, 1080})->Args({2309, 1299});

// Reference: the three colour bytes written one by one into every pixel, as
// plain code that the compiler may optimise like any other.
void BM_ClearFrameBytes(benchmark::State& state)
{
    Frame(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)));
    for (auto _ : state) {
        uint8_t* bytes = reinterpret_cast<uint8_t*>(frameBuffer.pixels);
        const int64_t count = int64_t{frameBuffer.width} * frameBuffer.height;
        for (int64_t i = 0; i < count; ++i) {
            bytes[4 * i] = 0x80;
            bytes[4 * i + 1] = 0x80;
            bytes[4 * i + 2] = 0x80;
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * state.range(1) * 4);
}
BENCHMARK(BM_ClearFrameBytes)->Args({1000, 700})->Args({1920, 1080})->Args({2309, 1299});

void BM_DrawRing(benchmark::State& state)
{
    Frame(1920, 1080);
    const float radius = static_cast<float>(state.range(0));
    for (auto _ : state) {
        SetColour(0xFFFFFF);
        MoveTo(960, 540);
        DrawRing(radius);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawRing)->RangeMultiplier(4)->Range(8, 512)->Unit(benchmark::kMicrosecond);

// Reference: every pixel of the scan box, 25 samples each.
void DrawRingWholeBox(float r)
{
    const float cx = static_cast<float>(frameBuffer.penX), cy = static_cast<float>(frameBuffer.penY);
    const int32_t first = static_cast<int32_t>(cx - 2.0f - r), last = static_cast<int32_t>(2.0f + r + cx);
    const int32_t top = static_cast<int32_t>(cy - 2.0f - r), bottom = static_cast<int32_t>(2.0f + r + cy);
    const float inner = r * r, outer = (r + 2.0f) * (r + 2.0f);
    const uint32_t target = frameBuffer.colour;
    for (int32_t x = first; x <= last; ++x)
        for (int32_t y = top; y <= bottom; ++y) {
            int32_t count = 0;
            for (int32_t i = 0; i < 5; ++i)
                for (int32_t j = 0; j < 5; ++j) {
                    const float dx = (static_cast<float>(x) + 0.2f * static_cast<float>(i)) - cx;
                    const float dy = (static_cast<float>(y) + 0.2f * static_cast<float>(j)) - cy;
                    const float d2 = dx * dx + dy * dy;
                    count += d2 >= inner && d2 <= outer;
                }
            if (count == 0) continue;
            const float coverage = static_cast<float>(count) / 25.0f;
            const uint32_t old = ReadPixel(x, y);
            uint32_t colour = 0;
            for (int32_t shift = 0; shift <= 16; shift += 8) {
                const int32_t from = (old >> shift) & 0xFF, to = (target >> shift) & 0xFF;
                colour |= static_cast<uint32_t>(static_cast<float>(from) +
                                                static_cast<float>(to - from) * coverage)
                          << shift;
            }
            SetColour(colour);
            MoveTo(x, y);
            if (x >= 0 && y >= 0 && x < frameBuffer.width && y < frameBuffer.height)
                PlotPixel(x, y);
        }
    SetColour(target);
}

void BM_DrawRingWholeBox(benchmark::State& state)
{
    Frame(1920, 1080);
    const float radius = static_cast<float>(state.range(0));
    for (auto _ : state) {
        SetColour(0xFFFFFF);
        MoveTo(960, 540);
        DrawRingWholeBox(radius);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawRingWholeBox)->RangeMultiplier(4)->Range(8, 512)->Unit(benchmark::kMicrosecond);

}  // namespace
