// The engine's private messages, carried by one custom event type.
#pragma once

#include <QEvent>
#include <cstdint>

namespace horavia::ui {

namespace private_message {
constexpr std::int32_t kCommand = 0x0111;         // a menu or accelerator command; param = command id
constexpr std::int32_t kCloseRequest = 0x8065;    // the window: close once the current event is done
constexpr std::int32_t kInitialise = 0x806F;      // a unit: initialise after creation
constexpr std::int32_t kWindowCreated = 0x8004;   // the window: creation finished
constexpr std::int32_t kWindowShown = 0x8076;     // a unit: its window has been shown
constexpr std::int32_t kSelectionEnded = 0xA711;  // a combo box: the user ended a selection
constexpr std::int32_t kForwardedExit = 0x83E7;   // the helper window: end the program; param = exit code
}  // namespace private_message

class PrivateMessageEvent : public QEvent {
 public:
  PrivateMessageEvent(std::int32_t number, std::intptr_t param = 0)
      : QEvent(Type()), number_(number), param_(param) {}
  static QEvent::Type Type() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
  }
  std::int32_t number() const { return number_; }
  std::intptr_t param() const { return param_; }

 private:
  std::int32_t number_;
  std::intptr_t param_;
};

}  // namespace horavia::ui
