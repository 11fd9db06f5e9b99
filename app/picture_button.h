// Makes an animation-box object behave like a three-look picture button.
#pragma once

namespace horavia::app {

// Its pictures and methods arrive with the settings window.
class PictureButton {
 public:
  virtual ~PictureButton() = default;
};

}  // namespace horavia::app
