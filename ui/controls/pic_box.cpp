#include "ui/controls/pic_box.h"

#include <QResizeEvent>

namespace horavia::ui::controls {

using namespace pic_box_property;

QWidget* PicBoxUnit::Create(const UnitCreateParams& params) {
  PicBoxData data;
  if (readPicBoxData(params.typeData, data) != StoredStatus::Ok) return nullptr;
  return new PicBoxUnit(params, std::move(data));
}

PicBoxUnit::PicBoxUnit(const UnitCreateParams& params, PicBoxData data)
    : QFrame(params.parent), id_{params.formId, params.unitId}, data_(std::move(data)), player_(new GifPlayer(this)) {
  applyBorder();
  ApplyCreateParams(*this, params);
  applySettings();
  player_->load(data_.picture);
}

// The player's worker stops with the player, before this frame goes.
PicBoxUnit::~PicBoxUnit() {
  player_->stopPlaying();
  ReportUnitDestroyed(id_);
}

void PicBoxUnit::applyBorder() {
  switch (data_.border) {
    case 1: setFrameStyle(QFrame::Panel | QFrame::Sunken); break;
    case 2: setFrameStyle(QFrame::Panel | QFrame::Raised); break;
    case 3: setFrameStyle(QFrame::Box | QFrame::Plain); break;
    default: setFrameStyle(QFrame::NoFrame); break;
  }
  player_->setGeometry(contentsRect());
}

void PicBoxUnit::applySettings() {
  player_->setPlacement(data_.drawMode);
  player_->setBackground(data_.backColour);
  player_->setKeepBackground(data_.keepBackground != 0);
  player_->setAutoPlay(data_.autoPlay != 0);
}

void PicBoxUnit::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  player_->setGeometry(contentsRect());
}

RawProperty PicBoxUnit::getProperty(std::int32_t number) const {
  RawProperty v;
  switch (number) {
    case kBorder: v.number = data_.border; break;
    case kPlacement: v.number = data_.drawMode; break;
    case kPicture: v.bytes = data_.picture; break;
    case kBackColour: v.number = data_.backColour; break;
    case kKeepBackground: v.number = data_.keepBackground; break;
    case kAutoPlay: v.number = data_.autoPlay; break;
    case kPlaying: v.number = player_->playing() ? 1 : 0; break;
    default: break;
  }
  return v;
}

std::int32_t PicBoxUnit::setProperty(std::int32_t number, const RawProperty& v) {
  switch (number) {
    case kBorder: data_.border = ClampChoice(v.number, 3); applyBorder(); return 0;
    case kPlacement: data_.drawMode = ClampChoice(v.number, 2); break;
    case kPicture:
      // Kept as written, whether or not it decodes and whether or not the box
      // is shown.
      data_.picture = v.bytes;
      player_->load(data_.picture);
      return 0;
    case kBackColour: data_.backColour = static_cast<std::uint32_t>(v.number); break;
    case kKeepBackground: data_.keepBackground = Flag(v); break;
    case kAutoPlay: data_.autoPlay = Flag(v); break;
    case kPlaying:
      if (v.number != 0) {
        player_->play();
      } else {
        player_->stopPlaying();
      }
      return 0;
    default: return 0;
  }
  applySettings();
  return 0;
}

}  // namespace horavia::ui::controls
