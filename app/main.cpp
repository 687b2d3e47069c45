// Tessaline: a teaching simulator of visual neurons.
//
// Three threads run while the window is open. The user-interface thread
// (this one) owns every parameter record and the window: it turns pointer,
// wheel and key events into stimulus operations, runs the dialogs and paints
// the newest frame with its information line. The scene thread draws a
// frame every 20 ms: receptive field, stimulus, traces and marks, and the
// stimulus image the neuron sees. The audio thread runs the neuron every
// 20 ms and writes each of its spikes as a click into the sound stream.
//
// The road of one event: the student presses the left button over the
// canvas, which calls OnLeftButtonDown and switches the stimulus on. Within
// 20 ms the scene thread draws it into the frame and into the stimulus
// image, and posts one wake to the user-interface thread, which repaints the
// parts of the canvas that changed. On its next tick
// the audio thread feeds the image history through the receptive-field
// filters, turns the drive into an expected rate, draws spikes against it
// and writes a click the adaptive lead ahead of the play position (two
// device periods at its floor, 512 samples); the click is heard 40-60 ms
// after the press, most of it the model's own, and the new peak rate shows
// at the next paint.
//
// docs/design.md has the rest: the folders and what each may include, the
// thread rule of each shared record, and how a new receptive field reaches
// the neuron tick.
#include <QApplication>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/app_startup.h"
#include "app/canvas.h"
#include "app/command_line.h"
#include "headless/headless_map.h"
#include "headless/headless_run.h"
#include "app/language.h"
#include "app/lesson_actions.h"
#include "app/main_window.h"
#include "app/messages.h"
#include "app/termination.h"
#include "model/vector_state.h"

namespace {

// With TESSALINE_TRACE_STARTUP set, prints when the first paint and the
// first scene frame reached the screen.
void TraceStartup(Canvas* canvas)
{
    auto* timer = new QTimer(canvas);
    auto firstPaint = std::make_shared<bool>(false);
    QObject::connect(timer, &QTimer::timeout, canvas, [canvas, timer, firstPaint] {
        const Canvas::PaintRecord& paint = canvas->lastPaint();
        if (!*firstPaint && paint.paints > 0) {
            *firstPaint = true;
            std::fprintf(stderr, "tessaline: first paint after %lld ms\n",
                         static_cast<long long>(MillisecondsSinceProcessStart()));
        }
        // Frame 1 is the grey the start-up publishes; the scene draws from 2 on.
        if (paint.frameSerial > 1) {
            std::fprintf(stderr, "tessaline: first scene frame painted after %lld ms\n",
                         static_cast<long long>(MillisecondsSinceProcessStart()));
            timer->deleteLater();
        }
    });
    timer->start(1);
}

}  // namespace

int main(int argc, char** argv)
{
    MarkProcessStart();
    const int sweep = RunHeadlessSweep(argc, argv);
    if (sweep >= 0) return sweep;
    const int map = RunHeadlessMap(argc, argv);
    if (map >= 0) return map;
    const int early = HandleCommandLine(argc, argv);
    if (early >= 0) return early;

    KeepTerminationSignalsFromSound();
    HoldStartupMessages();
    QApplication app(argc, argv);
    ClearUpperVectorState();  // before any worker thread starts and inherits the state
    ReleaseStartupMessages();
    QGuiApplication::setDesktopFileName(QStringLiteral("tessaline"));
    // The settings (the zoom) live under these names on this machine.
    QApplication::setOrganizationName(QStringLiteral("Tessaline"));
    QApplication::setApplicationName(QStringLiteral("Tessaline"));
    ApplyStartLanguage(LanguageArgument());

    std::unique_ptr<MainWindow> window(StartApplication());
    if (!window) {
        ShowStartupError();
        return 0;
    }
    CloseOnTerminationSignals(window.get());
    window->show();
    if (!LessonArgument().isEmpty()) OpenLessonFile(window.get(), LessonArgument());
    if (std::getenv("TESSALINE_TRACE_STARTUP") != nullptr) TraceStartup(window->canvas());
    // A termination signal that came while the lesson's message was open has
    // closed the window already, and ended that message's loop: a new loop
    // now would run with no window, deaf to further signals.
    const int code = window->isVisible() ? QApplication::exec() : 0;
    StopWorkers();
    return code;
}
