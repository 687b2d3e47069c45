#include "app/canvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QCoreApplication>
#include <QWheelEvent>
#include <algorithm>
#include <atomic>
#include <cmath>

#include "app/cursors.h"
#include "app/overlay.h"
#include "controls/zoom_steps.h"
#include "dialogs/dialogs.h"
#include "model/app_state.h"
#include "model/filters.h"
#include "model/numeric.h"
#include "render/frame_buffer.h"
#include "sim/clock.h"
#include "sim/scene_loop.h"
#include "sim/simulation_state.h"
#include "sim/start_up.h"
#include "stimulus/hand_plot_marks.h"
#include "stimulus/stimulus_state.h"

namespace {

// A wake posted to the user-interface thread and not yet run.
std::atomic<bool> wakePending{false};
Canvas* presenting = nullptr;  // user-interface thread only: the canvas that takes frames

constexpr int32_t kMaxStepsPerEvent = 8;   // a flung wheel turns a little, not wildly
constexpr int64_t kGreyAfterResizeMs = 250;
const QColor kGrey(128, 128, 128);

// Whether the region holds all of the rectangle (QRegion::contains only
// tells whether they overlap).
bool Covers(const QRegion& region, const QRect& rect) { return QRegion(rect).subtracted(region).isEmpty(); }

int32_t ArrowKeyCode(int key)
{
    switch (key) {
    case Qt::Key_Left: return KeyLeft;
    case Qt::Key_Up: return KeyUp;
    case Qt::Key_Right: return KeyRight;
    case Qt::Key_Down: return KeyDown;
    default: return 0;
    }
}

}  // namespace

Canvas::Canvas(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("canvas"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // Every pixel is painted each time: nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(CrosshairCursor());
    setMinimumSize(0, 0);
    // The field is the world, not a text: in a right-to-left language the
    // window mirrors around it, while the field, the traces and the
    // information line keep their places.
    setLayoutDirection(Qt::LeftToRight);
    presenting = this;
}

Canvas::~Canvas()
{
    if (presenting != this) return;
    presenting = nullptr;
    SetSceneDrawing(true);  // a canvas to come starts seen; this one's hiding does not outlive it
}

void Canvas::RequestRepaint()
{
    // Pairs with the fence in the wake: either this sees the wake's cleared
    // flag and posts again, or the wake sees the frame just published.
    std::atomic_thread_fence(std::memory_order_seq_cst);
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || wakePending.exchange(true, std::memory_order_relaxed)) return;
    // Sent to the application object, which outlives both the canvas and
    // the scene thread; the canvas is looked up once the call runs.
    QMetaObject::invokeMethod(app, [] {
        wakePending.store(false, std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_seq_cst);
        if (presenting != nullptr) presenting->takeNewFrame();
    }, Qt::QueuedConnection);
}

void Canvas::takeNewFrame()
{
    const PresentedFrame frame = LatestFrame();
    if (frame.serial == heldSerial_) return;
    const bool follows = frame.serial == heldSerial_ + 1 && !frame.change.whole;
    heldSerial_ = frame.serial;
    if (!follows || lastPaint_.grey || lastPaint_.paints == 0) {
        update();
        return;
    }
    // The information line lies over the frame's top rows and changes on
    // its own (the peak rate). It is repainted whole or not at all, so a
    // repaint never shows part of an old line beside part of a new one.
    const OverlayTexts texts = BuildOverlayTexts();
    bool band = texts.first != shownTexts_.first || texts.second != shownTexts_.second || texts.peak != shownTexts_.peak;
    for (int32_t i = 0; i < frame.change.count; ++i) {
        const FrameRect& c = frame.change.rects[i];
        if (c.right <= c.left || c.bottom <= c.top) continue;
        update(toCanvas(c.left, c.top, c.right, c.bottom));
        band = band || c.top < kOverlayFontHeight;
    }
    if (band) update(overlayBand());
}

QRect Canvas::toCanvas(int32_t left, int32_t top, int32_t right, int32_t bottom) const
{
    // A frame pixel is zoom / 100 canvas points; a part-covered point is
    // repainted too, so the rectangle grows outwards to whole points.
    const double scale = zoom_ / 100.0;
    const auto down = [scale](int32_t v) { return TruncInt(std::floor(v * scale)); };
    const auto up = [scale](int32_t v) { return TruncInt(std::ceil(v * scale)); };
    return QRect(QPoint(down(left), down(top)), QPoint(up(right) - 1, up(bottom) - 1));
}

QRect Canvas::overlayBand() const
{
    return toCanvas(0, 0, std::max(frameWidthFor(width()), int32_t{appState.clientWidth}), kOverlayFontHeight);
}

void Canvas::updateSceneDrawing()
{
    const QWidget* top = window();
    SetSceneDrawing(isVisible() && !top->isMinimized() && !visibleRegion().isEmpty());
}

// The frame has a pixel per point at 100 %, whatever the screen's density:
// the model's 38 pixels a degree were made for 96 dpi, where they are 1 cm,
// and a dense screen then costs the model no more than a plain one. A zoom
// scales the points, not the model: zoomed in, the frame has fewer pixels.
int32_t Canvas::frameWidthFor(int32_t logicalWidth) const
{
    return static_cast<int32_t>(std::min<int64_t>(int64_t{std::max(0, logicalWidth)} * 100 / zoom_, INT32_MAX));
}

int32_t Canvas::frameHeightFor(int32_t logicalHeight) const
{
    return static_cast<int32_t>(std::min<int64_t>(int64_t{std::max(0, logicalHeight)} * 100 / zoom_, INT32_MAX));
}

void Canvas::setZoom(int32_t percent)
{
    zoom_ = ValidZoom(percent);
    // The resize sequence scales the positions with the frame, so the field,
    // the stimulus and the marks keep their places on the screen: what the
    // student was looking at stays under the pointer, larger or smaller.
    if (created_) applyClientSize(frameWidthFor(width()), frameHeightFor(height()));
    update();
}

void Canvas::applyClientSize(int32_t width, int32_t height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    // The window's first showing has no old frame to hide: the start-up
    // frame and the scene's first frames show at once.
    if (lastPaint_.paints > 0) appState.lastSizeTime = MillisecondClock();
    ApplyClientSize(width, height, area_);
    update();
}

void Canvas::setCreated(bool created)
{
    created_ = created;
    area_ = {appState.clientWidth, appState.clientHeight};
}

void Canvas::showEvent(QShowEvent*) { updateSceneDrawing(); }

void Canvas::hideEvent(QHideEvent*) { updateSceneDrawing(); }

void Canvas::resizeEvent(QResizeEvent*)
{
    if (created_) applyClientSize(frameWidthFor(width()), frameHeightFor(height()));
}

void Canvas::paintEvent(QPaintEvent* event)
{
    const int64_t now = MillisecondClock();
    // A paint of the whole canvas may show the newest frame; a partial one
    // shows the frame its regions were worked out for, or it would mix two.
    if (Covers(event->region(), rect())) heldSerial_ = LatestFrame().serial;
    const PresentedFrame frame = PresentedNow();
    const bool haveFrame = frame.pixels != nullptr && frame.width > 0 && frame.height > 0;
    // For a quarter second after a resize the old frame no longer fits the
    // window: show plain grey until the scene thread has drawn the new size.
    const bool grey = !haveFrame || now - appState.lastSizeTime < kGreyAfterResizeMs;

    QPainter painter(this);
    const qreal scale = zoom_ / 100.0;
    const QSize covered(TruncInt(frame.width * scale), TruncInt(frame.height * scale));
    if (grey) {
        painter.fillRect(rect(), kGrey);
    } else {
        // Grey where a frame smaller than the canvas (a store at its size
        // limit, or a resize still under way) leaves part of it uncovered.
        // At a zoom that does not divide the canvas a sliver of less than a
        // frame pixel is left over too.
        if (covered.width() < width()) painter.fillRect(QRect(covered.width(), 0, width() - covered.width(), height()), kGrey);
        if (covered.height() < height()) painter.fillRect(QRect(0, covered.height(), width(), height() - covered.height()), kGrey);
        // Wraps the published store without copying; the store stays
        // unchanged until the next LatestFrame call, after this paint. The
        // painter scales it by the zoom and to the screen's pixels, each
        // frame pixel a sharp block.
        QImage image(reinterpret_cast<const uchar*>(frame.pixels), frame.width, frame.height,
                     frame.width * 4, QImage::Format_RGB32);
        painter.save();
        painter.scale(scale, scale);
        // Below one device pixel a frame pixel, dropping whole rows would
        // lose the one-pixel lines (the traces' baseline, the outlines):
        // the pixels are averaged down instead.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, scale * devicePixelRatioF() < 1.0);
        painter.drawImage(QPointF(0, 0), image);
        painter.restore();
    }

    // A repaint below the information line leaves it as it is; one that
    // takes only part of it has it repainted whole at the next frame.
    const QRect band = overlayBand();
    if (!event->region().intersects(band)) return countPaint(grey, frame.serial);
    const bool wholeBand = Covers(event->region(), band);
    if (!wholeBand) shownTexts_ = OverlayTexts{};

    // The information line is laid out in frame pixels and grows with the
    // zoom: the painter draws its letters at the screen's own resolution, sharp.
    painter.scale(scale, scale);
    const int32_t clientWidth = appState.clientWidth;
    int32_t frameWidth = clientWidth;
    if (haveFrame && frame.width < frameWidth && !grey) frameWidth = frame.width;
    const OverlayTexts texts = BuildOverlayTexts();
    const OverlayWidths measured = MeasureOverlay(texts, OverlayFont(kOverlayFontHeight));
    const OverlayLayout layout = LayOutOverlay(frameWidth, measured.left, measured.peak);
    DrawOverlay(painter, texts, layout, clientWidth);
    if (wholeBand) shownTexts_ = texts;
    lastPaint_.fontHeight = layout.lineHeight;
    lastPaint_.frameWidth = frameWidth;
    countPaint(grey, frame.serial);
}

void Canvas::countPaint(bool grey, uint32_t serial)
{
    lastPaint_.paints++;
    lastPaint_.grey = grey;
    lastPaint_.frameSerial = grey ? 0 : serial;
}

void Canvas::updateCursor() { setCursor(CursorFor(stimulus.cursor)); }

void Canvas::mouseMoveEvent(QMouseEvent* event)
{
    // The stimulus operations count y in frame pixels from the top of the
    // toolbar band that sits above the canvas.
    const QPointF at = event->position() * (100.0 / zoom_);
    // Added in 64 bits: a pointer far below the window must not overflow.
    const int64_t y = int64_t{TruncInt(at.y())} + appState.toolbarHeight;
    OnPointerMove(TruncInt(at.x()), TruncInt(static_cast<double>(y)));
    updateCursor();
}

void Canvas::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    OnLeftButtonDown();
    updateCursor();
}

void Canvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    OnLeftButtonUp();
    updateCursor();
}

void Canvas::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Not passed on: the default would turn it into a second press.
    if (event->button() != Qt::LeftButton) return;
    OnDoubleClick();
    updateCursor();
}

void Canvas::wheelEvent(QWheelEvent* event)
{
    // Whole notches only: a touchpad's stream of small deltas adds up to the
    // same turn as a wheel, instead of one step per event.
    int64_t total = static_cast<int64_t>(wheelRemainder_) + event->angleDelta().y();
    int64_t steps = total / kWheelStep;
    wheelRemainder_ = static_cast<int32_t>(total - steps * kWheelStep);
    steps = std::clamp<int64_t>(steps, -kMaxStepsPerEvent, kMaxStepsPerEvent);
    for (int64_t i = 0; i < steps; ++i) OnWheel(kWheelStep);
    for (int64_t i = 0; i > steps; --i) OnWheel(-kWheelStep);
    event->accept();
    updateCursor();
}

void Canvas::handleCharacter(int32_t code)
{
    if (OnCharacter(code)) ShowFeedbackDialog(window());
}

void Canvas::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Escape && window()->isFullScreen()) {
        window()->showNormal();
        return;
    }
    // Every key press is a key-down for the stimulus (which only acts on the
    // arrows); '+', '-' and Enter are also characters for the hand plot.
    OnKeyDown(ArrowKeyCode(key));
    if (key == Qt::Key_Return || key == Qt::Key_Enter) handleCharacter(CharEnter);
    else if (event->text() == QLatin1String("+")) handleCharacter(CharPlus);
    else if (event->text() == QLatin1String("-")) handleCharacter(CharMinus);
    updateCursor();
}
