#include "ui/window/outline_cutter.h"

#include <QPaintEvent>
#include <QPainter>

namespace horavia::ui {

OutlineCutter::OutlineCutter(QWidget* window) : QWidget(window) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setGeometry(window->rect());
}

void OutlineCutter::setOutline(const QRegion& outline) {
  setGeometry(parentWidget()->rect());
  mask_ = QImage();
  if (!outline.isEmpty()) {
    mask_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    mask_.fill(Qt::transparent);
    QPainter painter(&mask_);
    painter.setClipRegion(outline);
    painter.fillRect(mask_.rect(), Qt::black);
  }
  raise();
  update();
}

// The units below have painted this rectangle already: the toolkit paints
// the widgets that share a dirty rectangle bottom to top.
void OutlineCutter::paintEvent(QPaintEvent* event) {
  if (mask_.isNull()) return;
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
  painter.drawImage(event->rect().topLeft(), mask_, event->rect());
}

}  // namespace horavia::ui
