// A window that shows alpha (a compositing manager runs) is transparent
// outside its outline only if every paint leaves those pixels so: the units
// inside paint their whole rectangles opaque. The cutter lies over all of
// them, lets the mouse through, and after each repaint keeps the pixels of
// the outline and clears the rest, with one blit of a mask made once per
// outline (no clipping of the units' own paints to the outline's many
// rectangles).
#pragma once

#include <QImage>
#include <QRegion>
#include <QWidget>

namespace horavia::ui {

class OutlineCutter : public QWidget {
 public:
  explicit OutlineCutter(QWidget* window);
  // The outline in the window's coordinates; empty keeps every pixel.
  void setOutline(const QRegion& outline);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage mask_;  // opaque inside the outline, clear outside; null: keep all
};

}  // namespace horavia::ui
