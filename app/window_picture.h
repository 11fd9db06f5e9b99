// The main window's picture for whoever shows it elsewhere (the control
// interface's overlay): composed from the window's animation box and the
// outline the window was last cut to, never read back from the screen; and
// each repaint of the box told to the observers, as the clock's hands alone
// moving or anything else (overlay frames follow the first more slowly).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "anim/cartoonbox/window_frame.h"
#include "app/app_observer.h"

namespace horavia::app {

class WindowPicture {
 public:
  // Follows the main window's box from now on (start-up, once it exists).
  void follow();
  // The window was cut to the outline of this picture (white outside) at
  // `percent` of its size.
  void setOutline(std::span<const std::uint8_t> picture, int percent);
  // Runs `then` once the box's next frame is on screen (nothing when the
  // window is not loaded).
  void afterNextFrame(std::function<void()> then);
  anim::WindowFrame compose() const;

 private:
  // What a repaint may change, object by object; the hands are listed by
  // their pictures alone, so that their turning is no change.
  struct Item {
    std::int32_t id = 0;
    bool visible = false;
    int x = 0, y = 0;
    std::int32_t angle = 0;
    int frame = 0;
    const void* picture = nullptr;
    friend bool operator==(const Item&, const Item&) = default;
  };

  void repainted();
  std::vector<Item> scene() const;

  std::optional<anim::Region> outline_;
  std::optional<std::vector<Item>> lastScene_;  // none: not known (nobody followed)
};

}  // namespace horavia::app
