// PicBox: a picture box. Property 10 is a plain byte store: what is written
// reads back the same, shown or hidden. The picture shows through the GIF
// player child, with the four player settings as properties 9, 11, 12 and
// 13; property 14 starts and stops an animation. No events of its own.
#pragma once

#include <QFrame>

#include "ui/controls/gif_player.h"
#include "ui/controls/stored_data.h"
#include "ui/controls/unit_support.h"

namespace horavia::ui::controls {

// The picture box's properties; 9 and 11-13 feed its player.
namespace pic_box_property {
constexpr std::int32_t kBorder = 8;
constexpr std::int32_t kPlacement = 9;        // 0 top-left, 1 stretched, 2 centred
constexpr std::int32_t kPicture = 10;
constexpr std::int32_t kBackColour = 11;      // 0xFF000000: the button face
constexpr std::int32_t kKeepBackground = 12;  // not filled before drawing
constexpr std::int32_t kAutoPlay = 13;        // an animation starts when first shown
constexpr std::int32_t kPlaying = 14;         // an animation plays (not stored)
}  // namespace pic_box_property

class PicBoxUnit : public QFrame {
 public:
  static constexpr auto kProperties = PropertyTable(std::array<PropertySlot, 7>{{
      {"border", property_kind::kChoice},  // 0 none, 1 sunken, 2 raised, 3 single line
      {"placement", property_kind::kChoice},
      {"picture", property_kind::kPicture},
      {"backColour", property_kind::kColour},
      {"keepBackground", property_kind::kBoolean},
      {"autoPlay", property_kind::kBoolean},
      {"playing", property_kind::kBoolean},
  }});

  static QWidget* Create(const UnitCreateParams& params);
  ~PicBoxUnit() override;

  RawProperty getProperty(std::int32_t number) const;
  std::int32_t setProperty(std::int32_t number, const RawProperty& value);
  Bytes writeBack() const { return writePicBoxData(data_); }
  static void* OtherQuery(std::int32_t) { return nullptr; }

  GifPlayer& player() { return *player_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  PicBoxUnit(const UnitCreateParams& params, PicBoxData data);
  void applyBorder();
  void applySettings();

  UnitIdentity id_;
  PicBoxData data_;
  GifPlayer* player_;  // a child: goes with this window
};

}  // namespace horavia::ui::controls
