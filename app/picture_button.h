// Makes an animation-box object behave like a picture button with three
// looks: normal, pressed (while the left button is down on it) and hover.
#pragma once

#include <cstdint>
#include <optional>

#include "runtime/values.h"

namespace horavia::app {

class PictureButton {
 public:
  PictureButton() = default;
  PictureButton(const PictureButton& other);  // copies the pictures, keeps the ids
  PictureButton& operator=(const PictureButton&) = delete;
  virtual ~PictureButton();  // frees the pictures

  // Keeps copies of the three pictures (byte-sets) and the box; when the
  // object exists it shows the normal look, with `colour` transparent when
  // given.
  virtual void Init(const runtime::UnitRef& window, const runtime::UnitRef& box, const void* normal,
                    const void* pressed, const void* hover, std::int32_t objectId,
                    std::optional<std::int32_t> colour = {});
  virtual void Press(std::int32_t objectId);
  virtual void Release(std::int32_t objectId);
  // Entering with the button held on an object shows that object pressed.
  virtual void Enter(std::int32_t objectId, std::int32_t pressedObject);
  virtual void Leave(std::int32_t objectId);

 private:
  void Show(std::int32_t objectId, const void* picture, std::optional<std::int32_t> colour = {});

  void* normal_ = nullptr;  // owned byte-sets, null when absent
  void* pressed_ = nullptr;
  void* hover_ = nullptr;
  std::uint32_t windowId_ = 0;
  runtime::UnitRef box_;
};

}  // namespace horavia::app
