// A translucent window's outline: whatever the units inside paint, the
// pixels outside the outline come out clear and those inside as painted,
// on the first paint and on each later one.
#include "ui/window/outline_cutter.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "tests/support/qt_application.h"

namespace horavia::ui::testing {
namespace {

// A unit that paints its whole rectangle opaque, as the animation box does.
class OpaqueUnit : public QWidget {
 public:
  using QWidget::QWidget;
  QColor colour = Qt::red;

 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), colour); }
};

struct CutWindow {
  QWidget window;
  OpaqueUnit* unit;
  OutlineCutter* cutter;
  CutWindow() {
    window.resize(100, 80);
    window.setAttribute(Qt::WA_TranslucentBackground);
    unit = new OpaqueUnit(&window);
    unit->setGeometry(window.rect());
    cutter = new OutlineCutter(&window);
  }
  QImage shot() { return window.grab().toImage().convertToFormat(QImage::Format_ARGB32); }
};

TEST(OutlineCutter, ClearsWhatLiesOutsideTheOutlineAndKeepsWhatLiesInside) {
  horavia::testing::TestApplication();
  CutWindow w;
  w.cutter->setOutline(QRegion(QRect(0, 0, 100, 80), QRegion::Ellipse));
  QImage shot = w.shot();
  EXPECT_EQ(qAlpha(shot.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(shot.pixel(99, 79)), 0);
  EXPECT_EQ(shot.pixel(50, 40), qRgba(255, 0, 0, 255));
  EXPECT_EQ(shot.pixel(2, 40), qRgba(255, 0, 0, 255));  // the ellipse's left end
  // A unit painted again, over the toolkit's own clear: still cut.
  w.unit->colour = Qt::blue;
  shot = w.shot();
  EXPECT_EQ(qAlpha(shot.pixel(0, 0)), 0);
  EXPECT_EQ(shot.pixel(50, 40), qRgba(0, 0, 255, 255));
}

TEST(OutlineCutter, WithoutAnOutlineKeepsEveryPixelAndFollowsTheWindowsSize) {
  horavia::testing::TestApplication();
  CutWindow w;
  w.cutter->setOutline(QRegion());
  EXPECT_EQ(w.shot().pixel(0, 0), qRgba(255, 0, 0, 255));
  w.window.resize(200, 160);
  w.unit->setGeometry(w.window.rect());
  w.cutter->setOutline(QRegion(QRect(100, 0, 100, 160)));
  EXPECT_EQ(w.cutter->size(), QSize(200, 160));
  const QImage shot = w.shot();
  EXPECT_EQ(qAlpha(shot.pixel(50, 80)), 0);
  EXPECT_EQ(shot.pixel(150, 150), qRgba(255, 0, 0, 255));
}

}  // namespace
}  // namespace horavia::ui::testing
