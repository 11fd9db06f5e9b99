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

// The picture box's properties by number, for the code that names them.
namespace pic_box_property {
constexpr std::int32_t kPicture = base::NumberOf(kPicBoxProperties, "picture"),
                       kPlacement = base::NumberOf(kPicBoxProperties, "drawMode"),
                       kKeepBackground = base::NumberOf(kPicBoxProperties, "keepBackground"),
                       kAutoPlay = base::NumberOf(kPicBoxProperties, "autoPlay"),
                       kPlaying = base::NumberOf(kPicBoxProperties, "playing");
}  // namespace pic_box_property

class PicBoxUnit : public QFrame {
 public:
  static constexpr const auto& kTable = kPicBoxProperties;

  static QWidget* Create(const UnitCreateParams& params);
  ~PicBoxUnit() override;

  static void* OtherQuery(std::int32_t) { return nullptr; }

  GifPlayer& player() { return *player_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  friend struct ui::PropertyAccess;
  PicBoxUnit(const UnitCreateParams& params, PicBoxData data);
  PicBoxData& record() { return data_; }
  const PicBoxData& record() const { return data_; }
  std::int32_t apply(PicBoxHook hook);
  RawProperty liveValue(PicBoxHook hook) const;
  void setLive(PicBoxHook hook, const RawProperty& value);

  UnitIdentity id_;
  PicBoxData data_;
  GifPlayer* player_;  // a child: goes with this window
};

}  // namespace horavia::ui::controls
