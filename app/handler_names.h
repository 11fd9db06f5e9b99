// The application's subroutines that forms bind to events and menu items: one
// list, shared by the form compiler (names -> offsets) and the application
// code (offsets -> functions), so the two cannot drift.
//
// The runtime's code base is a number in the image header; a handler's code
// address is code base + offset, and a handler's offset is its index in this
// list. openSettings comes first: the menu item "设置...(&S)" is bound at
// offset 0, which the fix-up must keep as a real binding.
#pragma once

#include <cstdint>
#include <iterator>
#include <string_view>

#define HORAVIA_APP_HANDLERS(X) \
  X(openSettings)               \
  X(onMainWindowCreated)        \
  X(onClockTick)                \
  X(showPopupMenu)              \
  X(spinWheel)                  \
  X(showClock)                  \
  X(showWheel)                  \
  X(resetWheel)                 \
  X(toggleChime)                \
  X(exitProgram)                \
  X(onSettingsWindowCreated)    \
  X(applySelectedSkin)          \
  X(previewEndEffect)           \
  X(onAutostartClicked)         \
  X(onDeviceSelected)           \
  X(onVolumeChanged)            \
  X(okButtonPress)              \
  X(okButtonEnter)              \
  X(okButtonLeave)              \
  X(okButtonRelease)            \
  X(onLocalControlClicked)      \
  X(copyOverlayAddress)         \
  X(onMainWindowMoved)          \
  X(toggleClickThrough)         \
  X(toggleSecondHand)           \
  X(onOpacityChanged)           \
  X(onSizeChanged)

namespace horavia::app {

// Handler offsets from the code base.
enum class HandlerId : std::int32_t {
#define HORAVIA_HANDLER_ENUM(name) name,
  HORAVIA_APP_HANDLERS(HORAVIA_HANDLER_ENUM)
#undef HORAVIA_HANDLER_ENUM
};

inline constexpr std::string_view kHandlerNames[] = {
#define HORAVIA_HANDLER_NAME(name) #name,
    HORAVIA_APP_HANDLERS(HORAVIA_HANDLER_NAME)
#undef HORAVIA_HANDLER_NAME
};

inline constexpr std::int32_t kHandlerCount = static_cast<std::int32_t>(std::size(kHandlerNames));

// The offset of the handler called `name`, or -1 when there is none.
constexpr std::int32_t handlerOffset(std::string_view name) {
  for (std::int32_t i = 0; i < kHandlerCount; ++i) {
    if (kHandlerNames[i] == name) return i;
  }
  return -1;
}

// The name of the handler at `offset`, or empty.
constexpr std::string_view handlerName(std::int32_t offset) {
  if (offset < 0 || offset >= kHandlerCount) return {};
  return kHandlerNames[offset];
}

static_assert(handlerOffset("openSettings") == 0, "the settings item is bound at offset 0");

}  // namespace horavia::app
