// Labels, buttons and edit boxes with the window's keyboard conventions:
// a label's mnemonic, the default button on Enter, an edit box that keeps
// Enter for itself.
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "runtime/memory.h"
#include "tests/ui/controls/controls_fixture.h"
#include "ui/controls/stored_data.h"

namespace horavia::ui::testing {
namespace {

constexpr std::uint32_t kFirst = 0x16010010;
constexpr std::uint32_t kSecond = 0x16010011;

class CaptionUnitsTest : public ControlsTest {
 protected:
  // A window with two units; handler 0 is bound to event 0 of the second.
  void LoadPair(Unit first, Unit second) {
    Bind(second, 0, 0);
    Start({MakeForm(kControlsForm, {WindowUnit(kControlsWindow, PlainWindowData()), first, second})});
    ASSERT_TRUE(engine().loadStartWindow(kControlsForm));
    QApplication::setActiveWindow(Window(kControlsForm));
    Calls().clear();
  }
  static Unit Make(std::uint32_t id, std::uint32_t type, const Bytes& data, int top,
                   std::uint32_t flags = unit_flags::kVisible) {
    Unit u = ChildUnit(id, type, 10, top, 150, 40, flags);
    u.typeData = data;
    return u;
  }
  // Keys go to the focus widget of the active window, or to the window.
  QWidget* KeyTarget() {
    QWidget* focus = QApplication::focusWidget();
    return focus != nullptr ? focus : Window(kControlsForm);
  }
  void Press(QWidget* to, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
    QKeyEvent event(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(to, &event);
  }
};

TEST_F(CaptionUnitsTest, ALabelsMnemonicMovesTheFocusOnToTheNextUnit) {
  LabelData label;
  label.caption = "&Volume";
  LoadPair(Make(kFirst, unit_type::kLabel, writeLabelData(label), 10),
           Make(kSecond, unit_type::kSliderBar, writeSliderBarData({}), 60,
                unit_flags::kVisible | unit_flags::kTabStop));
  QWidget* labelWidget = Widget(kControlsForm, kFirst);
  ASSERT_NE(labelWidget, nullptr);
  EXPECT_EQ(labelWidget->property("text").toString(), QStringLiteral("&Volume"));
  Press(KeyTarget(), Qt::Key_V, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget(), Widget(kControlsForm, kSecond));
}

TEST_F(CaptionUnitsTest, EnterPressesTheDefaultButtonAndAClickAnyButton) {
  ButtonData plain, preferred;
  preferred.style = 1;
  LoadPair(Make(kFirst, unit_type::kButton, writeButtonData(plain), 10),
           Make(kSecond, unit_type::kButton, writeButtonData(preferred), 60));
  Press(KeyTarget(), Qt::Key_Return);
  EXPECT_EQ(EventZeroCount(), 1);
  auto* button = dynamic_cast<QPushButton*>(Widget(kControlsForm, kSecond));
  ASSERT_NE(button, nullptr);
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(EventZeroCount(), 2);
}

TEST_F(CaptionUnitsTest, AMultiLineEditKeepsEnterForItsOwnLines) {
  EditBoxData edit;
  edit.multiLine = 1;
  edit.text = "a";
  ButtonData preferred;
  preferred.style = 1;
  LoadPair(Make(kFirst, unit_type::kEditBox, writeEditBoxData(edit), 10, unit_flags::kVisible | unit_flags::kTabStop),
           Make(kSecond, unit_type::kButton, writeButtonData(preferred), 60));
  auto* lines = dynamic_cast<QPlainTextEdit*>(Widget(kControlsForm, kFirst));
  ASSERT_NE(lines, nullptr);
  lines->setFocus();
  lines->moveCursor(QTextCursor::End);
  Press(lines, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  Press(lines, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"));
  EXPECT_EQ(EventZeroCount(), 0);  // the default button was not pressed
  // Lines end in CR LF for the program.
  auto text = reinterpret_cast<char*>(engine().readProperty(kControlsForm, kFirst, 8, -1));
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, "a\r\nb");
  runtime::Free(text);
}

}  // namespace
}  // namespace horavia::ui::testing
