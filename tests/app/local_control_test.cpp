// Local control on the real program, with the control interface itself
// left out (a recording service stands in): "控制端口" and "控制令牌" as the
// check box writes them, the interface started and stopped as they say, a
// port that cannot be had told on standard error and in the settings
// window, and the overlay's address shown and copied.
#include <QClipboard>
#include <QGuiApplication>

#include "app/call.h"
#include "app/control_token.h"
#include "app/operations.h"
#include "app/subroutines.h"
#include "app/units.h"
#include "platform/text_codec.h"
#include "runtime/runtime_app.h"
#include "tests/app/app_fixture.h"
#include "ui/window/engine.h"

namespace horavia::app::testing {
namespace {

using namespace settings_window;

class RecordingService : public ControlService {
 public:
  ControlListening listen(std::uint16_t port, const std::string& token) override {
    listens.push_back({port, token});
    ControlListening result{true, "http://127.0.0.1:" + std::to_string(port) + "/overlay?token=" + token, ""};
    if (refuse) result = {false, result.address, "cannot listen on 127.0.0.1 port " + std::to_string(port)};
    return result;
  }
  void stop() override { ++stops; }

  std::vector<std::pair<std::uint16_t, std::string>> listens;
  int stops = 0;
  bool refuse = false;
};

class LocalControlTest : public AppTest {
 protected:
  void StartWithService() {
    State().control = &service_;
    Start();
  }
  void OpenSettings() {
    auto* engine = static_cast<ui::WindowEngine*>(runtime::Runtime().windowHost());
    ASSERT_TRUE(engine->buildWindowFromForm(kForm, false, nullptr));
  }
  std::string TextProperty(const runtime::UnitRef& unit, std::int32_t property) {
    char* text = reinterpret_cast<char*>(static_cast<std::uintptr_t>(Read(unit, property)));
    std::string value = platform::Cp936ToUtf8(TextOf(text));
    FreeBlock(text);
    return value;
  }
  RecordingService service_;
};

TEST_F(LocalControlTest, OffUntilTheStreamerTurnsItOn) {
  StartWithService();
  EXPECT_TRUE(service_.listens.empty());
  EXPECT_FALSE(LocalControl().on);
  EXPECT_EQ(Setting("控制端口"), "");  // nothing written at start-up
  EXPECT_EQ(Setting("控制令牌"), "");
  OpenSettings();
  EXPECT_EQ(ReadProperty(kLocalControl, property::kChecked), 0);
  EXPECT_EQ(TextProperty(kOverlayAddress, property::kEditText), "");
  EXPECT_NE(ReadProperty(kCopyAddress, property::kDisabled), 0);
}

// The check box: on writes the usual port and, once, a token; off writes 0
// and keeps the token for the next time.
TEST_F(LocalControlTest, TheCheckBoxWritesThePortAndMakesTheTokenOnce) {
  StartWithService();
  OpenSettings();
  Write(kLocalControl, property::kChecked, 1);
  onLocalControlClicked({});
  EXPECT_EQ(Setting("控制端口"), "39801");
  const std::string token = Setting("控制令牌");
  EXPECT_TRUE(IsWellFormedToken(token)) << token;
  ASSERT_EQ(service_.listens.size(), 1u);
  EXPECT_EQ(service_.listens[0], (std::pair<std::uint16_t, std::string>{39801, token}));
  const std::string address = "http://127.0.0.1:39801/overlay?token=" + token;
  EXPECT_EQ(TextProperty(kOverlayAddress, property::kEditText), address);
  EXPECT_EQ(ReadProperty(kCopyAddress, property::kDisabled), 0);
  EXPECT_EQ(TextProperty(kControlNote, property::kLabelCaption), "");
  copyOverlayAddress({});
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), address);

  Write(kLocalControl, property::kChecked, 0);
  const int stopsBefore = service_.stops;
  onLocalControlClicked({});
  EXPECT_EQ(Setting("控制端口"), "0");
  EXPECT_EQ(Setting("控制令牌"), token);
  EXPECT_EQ(service_.stops, stopsBefore + 1);
  EXPECT_EQ(TextProperty(kOverlayAddress, property::kEditText), "");
  EXPECT_NE(ReadProperty(kCopyAddress, property::kDisabled), 0);

  AllowLocalControl(true);
  EXPECT_EQ(Setting("控制令牌"), token);
  EXPECT_EQ(service_.listens.back().second, token);
}

// A port and a token in the file are used as they stand; a token that
// could not be one is replaced; anything that is no port is off.
TEST_F(LocalControlTest, StartUpListensAsTheSettingsSay) {
  WriteSetting("控制端口", "40123");
  WriteSetting("控制令牌", "00112233445566778899AABBCCDDEEFF");
  StartWithService();
  ASSERT_EQ(service_.listens.size(), 1u);
  EXPECT_EQ(service_.listens[0], (std::pair<std::uint16_t, std::string>{40123, "00112233445566778899AABBCCDDEEFF"}));
  EXPECT_TRUE(LocalControl().interface.listening);
}

TEST_F(LocalControlTest, ATokenThatCouldNotBeOneIsMadeAnew) {
  WriteSetting("控制端口", "40123");
  WriteSetting("控制令牌", "not a token");
  StartWithService();
  ASSERT_EQ(service_.listens.size(), 1u);
  EXPECT_TRUE(IsWellFormedToken(Setting("控制令牌")));
  EXPECT_EQ(service_.listens[0].second, Setting("控制令牌"));
}

TEST_F(LocalControlTest, APortOutsideThePortsIsOff) {
  WriteSetting("控制端口", "70000");
  StartWithService();
  EXPECT_TRUE(service_.listens.empty());
  EXPECT_FALSE(LocalControl().on);
  WriteSetting("控制端口", "-1");
  StartLocalControl();
  WriteSetting("控制端口", "port");
  StartLocalControl();
  EXPECT_TRUE(service_.listens.empty());
  EXPECT_FALSE(LocalControl().on);
}

// A port in use: one line on standard error, a note in the settings window,
// and the program goes on (the clock keeps ticking, the wheel still spins).
TEST_F(LocalControlTest, APortThatCannotBeHadIsToldAndTheProgramGoesOn) {
  WriteSetting("控制端口", "39801");
  service_.refuse = true;
  ::testing::internal::CaptureStderr();
  StartWithService();
  // The toolkit's own warnings may come besides; the program says one line.
  const std::string errors = ::testing::internal::GetCapturedStderr();
  std::vector<std::string> ours;
  for (std::size_t at = errors.find("horavia:"); at != std::string::npos; at = errors.find("horavia:", at + 1)) {
    ours.push_back(errors.substr(at, errors.find('\n', at) - at));
  }
  EXPECT_EQ(ours, std::vector<std::string>{"horavia: cannot listen on 127.0.0.1 port 39801"});
  EXPECT_TRUE(LocalControl().on);
  EXPECT_FALSE(LocalControl().interface.listening);
  OpenSettings();
  EXPECT_EQ(ReadProperty(kLocalControl, property::kChecked), 1);
  EXPECT_EQ(TextProperty(kControlNote, property::kLabelCaption), "端口 39801 无法使用，本机控制未开启");
  EXPECT_NE(TextProperty(kOverlayAddress, property::kEditText), "");

  ShowWheel();
  EXPECT_TRUE(RequestSpin("mouse").accepted);
  RunSpin();
  EXPECT_TRUE(Snapshot().lastResult.has_value());
}

}  // namespace
}  // namespace horavia::app::testing
