#pragma once
#include <QWidget>
#include <cstdint>

#include "sim/overlay_text.h"
#include "sim/start_up.h"

// The client area: presents the newest frame with the information line and
// turns pointer, wheel and key events into the stimulus operations. Nothing
// below it sees a Qt event. User-interface thread only.
class Canvas : public QWidget {
    Q_OBJECT
public:
    explicit Canvas(QWidget* parent = nullptr);
    ~Canvas() override;

    // The canvas size in frame pixels: one frame pixel per point at 100 %,
    // zoom / 100 points a frame pixel otherwise.
    int32_t frameWidthFor(int32_t logicalWidth) const;
    int32_t frameHeightFor(int32_t logicalHeight) const;
    // The zoom in percent, one of kZoomSteps; a change resizes the frame.
    int32_t zoom() const { return zoom_; }
    void setZoom(int32_t percent);

    // The resize sequence for a client area of width x height frame pixels.
    void applyClientSize(int32_t width, int32_t height);
    // Resize events run the resize sequence only once the records exist.
    void setCreated(bool created);

    // What the latest paint did, for the start-up trace and the tests.
    struct PaintRecord {
        int64_t paints = 0;
        bool grey = false;         // plain grey shown (after a resize or before any frame)
        uint32_t frameSerial = 0;  // serial of the frame shown
        int32_t fontHeight = 0;    // pixel height of the overlay's drawing pass
        int32_t frameWidth = 0;    // the width the overlay had to fit
    };
    const PaintRecord& lastPaint() const { return lastPaint_; }

    // Scene thread: a new frame is out. Posts one call to the user-interface
    // thread, unless one is already on its way, so it wakes once per frame.
    static void RequestRepaint();

    // User-interface thread: takes the newest frame and asks for a repaint of
    // what changed in it (the whole canvas when it cannot tell).
    void takeNewFrame();
    // Tells the scene thread whether the canvas can be seen at all.
    void updateSceneDrawing();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QRect toCanvas(int32_t left, int32_t top, int32_t right, int32_t bottom) const;
    QRect overlayBand() const;  // the information line's rows, the whole width
    void countPaint(bool grey, uint32_t serial);
    void updateCursor();
    void handleCharacter(int32_t code);

    bool created_ = false;
    int32_t zoom_ = 100;
    int32_t wheelRemainder_ = 0;
    ClientArea area_;  // the last client size with an area
    PaintRecord lastPaint_;
    uint32_t heldSerial_ = 0;   // the frame the next paint shows
    OverlayTexts shownTexts_;   // the information line as last painted
};
