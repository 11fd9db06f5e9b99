// Keyboard and mouse pre-processing, an application-wide filter in front of
// every window: window drags, accelerators and the window's own keys (Tab,
// Enter, Esc, F1, arrows, mnemonics), then the common input events of the
// unit under the message, whose handler may swallow it.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <cstdint>
#include <optional>

class QWidget;

namespace horavia::ui {

class CWinFormUnit;
class EventDelivery;
class LiveForms;
class Loops;
class Menus;

class InputFilter : public QObject {
 public:
  InputFilter(LiveForms& forms, EventDelivery& events, Loops& loops, Menus& menus);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A left-button drag of the window: the platform moves the window once the
  // mouse moves, or, where it cannot, the filter follows the mouse itself.
  struct WindowDrag {
    QPointer<QWidget> window;
    QPoint pressGlobal;
    QPoint windowStart;
    bool followingMouse = false;
  };

  bool preprocessMouse(CWinFormUnit& window, QWidget* receiver, QEvent* event);
  bool followDrag(QEvent* event, QPoint global);
  bool preprocessKey(CWinFormUnit& window, QWidget* receiver, QEvent* event);

  // [dialog keys] (dialog_keys.cpp)
  bool handleDialogKeys(CWinFormUnit& window, QWidget* focus, int vk, std::uint32_t modifiers);
  bool moveFocus(CWinFormUnit& window, QWidget* focus, bool forward);
  bool offerDefaultButton(CWinFormUnit& window, QWidget* focus);
  bool handleMnemonic(CWinFormUnit& window, QChar letter);

  LiveForms& forms_;
  EventDelivery& events_;
  Loops& loops_;
  Menus& menus_;
  std::optional<WindowDrag> drag_;
  bool synthesizing_ = false;  // a replaced character is being delivered
};

}  // namespace horavia::ui
