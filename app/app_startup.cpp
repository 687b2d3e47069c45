#include "app/app_startup.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "app/canvas.h"
#include "app/main_window.h"
#include "app/messages.h"
#include "audio/sdl_wave_output.h"
#include "model/filters.h"
#include "model/random.h"
#include "render/frame_buffer.h"
#include "sim/audio_stream.h"
#include "sim/scene_loop.h"
#include "sim/start_up.h"

namespace {

bool workersRunning = false;
std::chrono::steady_clock::time_point processStart = std::chrono::steady_clock::now();

// The sound device's problems reach the user as a message box on the
// user-interface thread; the audio thread hands the text over and goes on.
void ReportAudioError(const char* text) { PostMessageText(text); }

uint32_t SeedCounter()
{
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return MixSeedSources(static_cast<uint64_t>(ticks), static_cast<uint64_t>(getpid()));
}

// With TESSALINE_TRACE_STARTUP set, the start-up steps print their times.
void TraceStep(const char* step)
{
    static const bool tracing = std::getenv("TESSALINE_TRACE_STARTUP") != nullptr;
    if (tracing) {
        std::fprintf(stderr, "tessaline: %s after %lld ms\n", step,
                     static_cast<long long>(MillisecondsSinceProcessStart()));
    }
}

}  // namespace

MainWindow* StartApplication()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return nullptr;

    auto* window = new MainWindow();
    const QRect available = screen->availableGeometry();
    window->resize(std::min(1024, available.width() * 9 / 10), std::min(768, available.height() * 9 / 10));
    // Lay out now so the canvas has its size before the records are sized from it.
    window->layout()->activate();
    Canvas* canvas = window->canvas();
    const int32_t width = canvas->frameWidthFor(canvas->width());
    const int32_t height = canvas->frameHeightFor(canvas->height());

    TraceStep("window built");
    static bool workersHaveRun = false;
    StartUpEngine(width, height, SeedCounter(), workersHaveRun, [] {
        TraceStep("records reset");
        WaveOutput output = SdlWaveOutput();
        output.reportError = &ReportAudioError;
        StartAudioThread(output);
        TraceStep("audio thread started");
    });
    TraceStep("filters built");
    workersHaveRun = true;
    StartSceneThread(&Canvas::RequestRepaint);
    workersRunning = true;
    TraceStep("scene thread started");
    canvas->setCreated(true);
    return window;
}

void StopWorkers()
{
    if (!workersRunning) return;
    StopSceneThread();
    StopAudioThread();
    workersRunning = false;
    // What the sound cost in lost clicks, and what it ran on, for anyone who
    // asks why a burst came late.
    const AudioLoopStats audio = AudioLoopStatistics();
    std::fprintf(stderr,
                 "tessaline: sound: %lld lost clicks, %lld late ticks, lead %d samples, %s buffer %d samples, "
                 "audio thread at niceness %d\n",
                 static_cast<long long>(audio.lostClicks), static_cast<long long>(audio.lateTicks), audio.lead,
                 SdlDriverName(), SdlObtainedBufferSamples(), audio.niceness);
    // And what the picture cost: ticks well under 50 a second, or stores far
    // above the canvas's three frames, say where a slow machine struggled.
    const LoopStats scene = SceneLoopStats();
    const double seconds = static_cast<double>(scene.lastTickMs - scene.firstTickMs) / 1000.0;
    std::fprintf(stderr, "tessaline: picture: %lld scene ticks in %.1f s, frame stores %.1f MB\n",
                 static_cast<long long>(scene.ticks), seconds, static_cast<double>(FrameStoreBytes()) / 1e6);
}

void MarkProcessStart() { processStart = std::chrono::steady_clock::now(); }

int64_t MillisecondsSinceProcessStart()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - processStart)
        .count();
}
