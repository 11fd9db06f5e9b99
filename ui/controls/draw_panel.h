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

namespace draw_panel_property {
constexpr std::int32_t kBorder = 8, kBackColour = 9, kPicture = 10, kPictureMode = 11, kKeepPicture = 12,
                       kPositionX = 13, kPositionY = 14;
}

class DrawPanelUnit : public QFrame {
 public:
  // Numbers 15-24 are not used by this runtime's draw panels.
  static constexpr auto kProperties = PropertyTable(std::array<PropertySlot, 17>{{
      {"border", property_kind::kChoice},       // 0 none, 1 sunken, 2 raised, 3 single line
      {"backColour", property_kind::kColour},
      {"picture", property_kind::kPicture},
      {"pictureMode", property_kind::kChoice},  // 0 top-left, 1 tiled, 2 centred, 3 stretched
      {"keepPicture", property_kind::kBoolean},
      {"positionX", property_kind::kInteger},   // the current drawing position
      {"positionY", property_kind::kInteger},
  }});

  static QWidget* Create(const UnitCreateParams& params);
  ~DrawPanelUnit() override;

  RawProperty getProperty(std::int32_t number) const;
  std::int32_t setProperty(std::int32_t number, const RawProperty& value);
  Bytes writeBack() const { return writeDrawPanelData(data_); }
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
  DrawPanelUnit(const UnitCreateParams& params, DrawPanelData data);
  void applyBorder();
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
