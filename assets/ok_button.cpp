#include "assets/ok_button.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>

#include "assets/canvas.h"

namespace horavia::assets {
namespace {

// The classic dialog face colour: the corners outside the rounded button.
const QColor kDialogFace(0xF0, 0xF0, 0xF0);

struct Colours {
  QColor top, bottom, border;
  double textDrop;  // pressed text sits one pixel lower
};

Colours ColoursFor(OkLook look) {
  switch (look) {
    case OkLook::Pressed: return {QColor(0x1F, 0x4C, 0xB0), QColor(0x2E, 0x64, 0xD4), QColor(0x16, 0x38, 0x85), 1};
    case OkLook::Hover: return {QColor(0x6A, 0xA4, 0xFA), QColor(0x36, 0x70, 0xE2), QColor(0x22, 0x55, 0xC0), 0};
    case OkLook::Normal: break;
  }
  return {QColor(0x4C, 0x88, 0xF0), QColor(0x28, 0x5E, 0xD0), QColor(0x1C, 0x48, 0xA6), 0};
}

}  // namespace

RgbPicture DrawOkButton(OkLook look) {
  const Colours c = ColoursFor(look);
  QImage layer = NewLayer(kOkWidth, kOkHeight);
  layer.fill(kDialogFace);
  QPainter painter;
  BeginPainting(painter, layer);
  const QRectF body(0.5, 0.5, kOkWidth - 1, kOkHeight - 1);
  QPainterPath shape;
  shape.addRoundedRect(body, 5, 5);
  QLinearGradient fill(body.topLeft(), body.bottomLeft());
  fill.setColorAt(0, c.top);
  fill.setColorAt(1, c.bottom);
  painter.fillPath(shape, fill);
  // A lit top edge when raised, a shadowed one when pressed.
  QPainterPath lip;
  lip.addRoundedRect(body.adjusted(1.2, 1.2, -1.2, -1.2), 4, 4);
  const QColor edge = look == OkLook::Pressed ? QColor(0, 0, 0, 60) : QColor(255, 255, 255, 70);
  painter.strokePath(lip, QPen(edge, 1));
  painter.strokePath(shape, QPen(c.border, 1));
  const QFont font = InstalledFont("WenQuanYi Micro Hei", 14);
  const QPointF middle(kOkWidth / 2.0, kOkHeight / 2.0 + c.textDrop);
  painter.fillPath(CentredText(QString::fromUtf8("确定"), font, middle + QPointF(0, 1)), QColor(0, 0, 0, 70));
  painter.fillPath(CentredText(QString::fromUtf8("确定"), font, middle), QColor(0xFF, 0xFF, 0xFF));
  painter.end();
  return RgbPicture{kOkWidth, kOkHeight, {RgbFrame{OpaquePixels(layer), 0}}};
}

}  // namespace horavia::assets
