#include "ui/controls/pic_box.h"

#include <QResizeEvent>

namespace horavia::ui::controls {

QWidget* PicBoxUnit::Create(const UnitCreateParams& params) {
  PicBoxData data;
  if (readPicBoxData(params.typeData, data) != StoredStatus::Ok) return nullptr;
  return new PicBoxUnit(params, std::move(data));
}

PicBoxUnit::PicBoxUnit(const UnitCreateParams& params, PicBoxData data)
    : QFrame(params.parent), id_{params.formId, params.unitId}, data_(std::move(data)), player_(new GifPlayer(this)) {
  apply(PicBoxHook::Border);
  ApplyCreateParams(*this, params);
  apply(PicBoxHook::Player);
  apply(PicBoxHook::Picture);
}

// The player's worker stops with the player, before this frame goes.
PicBoxUnit::~PicBoxUnit() {
  player_->stopPlaying();
  ReportUnitDestroyed(id_);
}

std::int32_t PicBoxUnit::apply(PicBoxHook hook) {
  switch (hook) {
    case PicBoxHook::Border:
      setFrameStyle(FrameStyleOf(data_.border));
      player_->setGeometry(contentsRect());
      break;
    case PicBoxHook::Player:
      player_->setPlacement(data_.drawMode.number());
      player_->setBackground(data_.backColour);
      player_->setKeepBackground(data_.keepBackground != 0);
      player_->setAutoPlay(data_.autoPlay != 0);
      break;
    // Kept as written, whether or not it decodes and whether or not the box
    // is shown.
    case PicBoxHook::Picture: player_->load(data_.picture); break;
    default: break;
  }
  return 0;
}

RawProperty PicBoxUnit::liveValue(PicBoxHook) const {
  RawProperty v;
  v.number = player_->playing() ? 1 : 0;
  return v;
}

void PicBoxUnit::setLive(PicBoxHook, const RawProperty& value) {
  if (value.number != 0) {
    player_->play();
    return;
  }
  player_->stopPlaying();
}

void PicBoxUnit::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  player_->setGeometry(contentsRect());
}

}  // namespace horavia::ui::controls
