// The reference for the idle measurement: a bare window that presents a
// 1024 x 720 image at 50 Hz and does nothing else, the least a program that
// shows a live picture can cost. Built by bench/measure_program.sh.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>

class Picture : public QWidget {
public:
    Picture() : image_(1024, 720, QImage::Format_RGB32)
    {
        image_.fill(QColor(128, 128, 128));
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(1024, 720);
        auto* timer = new QTimer(this);
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, [this] { update(); });
        timer->start(20);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawImage(0, 0, image_);
    }

private:
    QImage image_;
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Picture picture;
    picture.show();
    return QApplication::exec();
}
