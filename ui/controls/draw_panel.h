// DrawPanel: a surface the program draws on with the draw-panel commands
// (clear, gradient, copy). What it shows is its picture: the background
// (colour, then picture in its layout) and everything drawn since. The
// picture follows the panel's size; with keepPicture the drawings survive a
// resize, without it a resize starts again from the background.
#pragma once

#include <QFrame>
#include <QImage>
#include <optional>

#include "ui/controls/stored_data.h"
#include "ui/controls/unit_support.h"

namespace horavia::ui::controls {

class DrawPanelUnit : public QFrame {
 public:
  static constexpr const auto& kTable = kDrawPanelProperties;

  static QWidget* Create(const UnitCreateParams& params);
  ~DrawPanelUnit() override;

  static void* OtherQuery(std::int32_t query);

  // The draw-panel commands, in client pixels.
  void clearArea(const PanelArea& area);
  void fillGradient(const PanelArea& area, std::int32_t mode, std::span<const std::uint32_t> colours);
  void copyAreaTo(const PanelArea& area, DrawPanelUnit& target, std::int32_t x, std::int32_t y, std::int32_t mode);

  const QImage& picture() const { return surface_; }
  QPoint position() const { return position_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  friend struct ui::PropertyAccess;
  DrawPanelUnit(const UnitCreateParams& params, DrawPanelData data);
  DrawPanelData& record() { return data_; }
  const DrawPanelData& record() const { return data_; }
  std::int32_t apply(DrawPanelHook hook);
  RawProperty liveValue(DrawPanelHook hook) const;
  void setLive(DrawPanelHook hook, const RawProperty& value);
  // Paints the background over `area` of the picture.
  void paintBackground(const QRect& area);
  void rebuildSurface(bool keepDrawings);

  UnitIdentity id_;
  DrawPanelData data_;
  std::optional<QImage> background_;
  QImage surface_;
  QPoint position_;
};

}  // namespace horavia::ui::controls
