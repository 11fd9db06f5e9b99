// The least that a clock drawn by this toolkit costs, for bench/idle.sh to
// measure beside the clock and xclock: a frameless, translucent, always-on-top
// 300 × 300 window showing a picture made once, whose timer repaints one
// 100 × 100 rectangle of it a second (a second-hand step sends 40–60 KB of
// pixels; this sends 40 KB). No skins, no runtime, no composition: what is
// left is the toolkit's own work for a window that changes once a second.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPaintEvent>
#include <QRadialGradient>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace {

constexpr int kSide = 300;
constexpr int kStep = 100;

QImage Face() {
  QImage face(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
  face.fill(Qt::transparent);
  QPainter painter(&face);
  painter.setRenderHint(QPainter::Antialiasing);
  QRadialGradient gradient(kSide / 2.0, kSide / 2.0, kSide / 2.0);
  gradient.setColorAt(0, QColor(250, 230, 170));
  gradient.setColorAt(1, QColor(120, 60, 30));
  painter.setBrush(gradient);
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(0, 0, kSide, kSide);
  return face;
}

class BareWindow : public QWidget {
 public:
  BareWindow() : face_(Face()) {
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
    setAttribute(Qt::WA_TranslucentBackground);
    resize(kSide, kSide);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] {
      ++steps_;
      update(kStep, kStep, kStep, kStep);
    });
    timer_.start(1000);
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect rect = event->rect();
    painter.drawImage(rect, face_, rect);
    // Something changes in the rectangle, as a hand would.
    painter.fillRect(kStep + steps_ % kStep, kStep, 2, kStep, Qt::black);
  }

 private:
  QImage face_;
  QTimer timer_;
  int steps_ = 0;
};

}  // namespace

//   bare_window [LEFT TOP]    (where the window goes; default 0 0)
int main(int argc, char** argv) {
  QApplication application(argc, argv);
  BareWindow window;
  if (argc == 3) window.move(std::atoi(argv[1]), std::atoi(argv[2]));
  window.show();
  return application.exec();
}
