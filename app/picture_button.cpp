#include "app/picture_button.h"

#include "app/call.h"

namespace horavia::app {
namespace {

void* CopyByteSet(const void* block) {
  runtime::ByteSetView bytes = runtime::ByteSetBytes(block);
  return runtime::MakeByteSet(bytes.data, bytes.size);
}

}  // namespace

PictureButton::PictureButton(const PictureButton& other)
    : normal_(CopyByteSet(other.normal_)),
      pressed_(CopyByteSet(other.pressed_)),
      hover_(CopyByteSet(other.hover_)),
      windowId_(other.windowId_),
      box_(other.box_) {}

PictureButton::~PictureButton() {
  FreeBlock(normal_);
  FreeBlock(pressed_);
  FreeBlock(hover_);
}

void PictureButton::Init(const runtime::UnitRef& window, const runtime::UnitRef& box, const void* normal,
                         const void* pressed, const void* hover, std::int32_t objectId,
                         std::optional<std::int32_t> colour) {
  windowId_ = window.unitId;
  box_ = box;
  for (auto [mine, given] : {std::pair{&normal_, normal}, {&pressed_, pressed}, {&hover_, hover}}) {
    FreeBlock(*mine);
    *mine = CopyByteSet(given);
  }
  if (Call(BoxCommand::ObjectExists, {Unit(box_), Int(objectId)}).boolean()) Show(objectId, normal_, colour);
}

void PictureButton::Press(std::int32_t objectId) {
  if (objectId > 0) Show(objectId, pressed_);
}

void PictureButton::Release(std::int32_t objectId) {
  if (objectId > 0) Show(objectId, normal_);
}

void PictureButton::Enter(std::int32_t objectId, std::int32_t pressedObject) {
  if (pressedObject >= 1) {
    Show(pressedObject, pressed_);
    return;
  }
  Show(objectId, hover_);
}

void PictureButton::Leave(std::int32_t objectId) { Show(objectId, normal_); }

void PictureButton::Show(std::int32_t objectId, const void* picture, std::optional<std::int32_t> colour) {
  Call(BoxCommand::SetObjectPicture,
       {Unit(box_), Int(objectId), ByteSet(picture), colour ? Int(*colour) : Omitted()});
}

}  // namespace horavia::app
