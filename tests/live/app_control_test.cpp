// The control interface over the real program: what a stream deck or a
// chat bot sees is the application's own state, every change is the
// operation the menu or the settings window performs (the same settings
// written), spins are told over the events socket as the record keeps
// them, and the overlay's frames are the window's picture.
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>

#include "app/app_state.h"
#include "app/operations.h"
#include "app/settings.h"
#include "app/units.h"
#include "live/app_control.h"
#include "platform/text_codec.h"
#include "tests/app/app_fixture.h"
#include "tests/live/live_fixture.h"

namespace horavia::live {
namespace {

using testing::EventClient;
using testing::WaitUntil;

QJsonObject JsonOf(const QByteArray& text) { return QJsonDocument::fromJson(text).object(); }
QJsonObject JsonOf(const QString& text) { return JsonOf(text.toUtf8()); }

class AppControlTest : public app::testing::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    control_.install();
    Start();
    ASSERT_EQ(control_.server().start(0, token_), std::nullopt);
  }
  void TearDown() override {
    control_.withdraw();
    AppTest::TearDown();
  }

  std::string Base() { return "http://127.0.0.1:" + std::to_string(control_.server().port()); }
  testing::Answer Http(const QByteArray& method, const std::string& target, const QByteArray& body = {}) {
    return testing::Send(network_, method, QUrl(QString::fromStdString(Base() + target)), body,
                         {{"Authorization", "Bearer " + QByteArray::fromStdString(token_)}});
  }
  std::unique_ptr<EventClient> Events(const std::string& query = "") {
    auto client = testing::OpenEvents(QUrl(QString::fromStdString("ws://127.0.0.1:" +
                                                                   std::to_string(control_.server().port()) +
                                                                   "/api/v1/events?token=" + token_ + query)));
    EXPECT_EQ(client->socket.state(), QAbstractSocket::ConnectedState);
    return client;
  }

  AppControl control_;
  QNetworkAccessManager network_;
  std::string token_ = "0123456789abcdef0123456789abcdef";
};

TEST_F(AppControlTest, TheStateIsTheApplicationsAndChangesAreTheMenusOperations) {
  QJsonObject state = JsonOf(Http("GET", "/api/v1/state").body);
  EXPECT_EQ(state["mode"], "clock");
  EXPECT_EQ(state["skin"], "蓝色");
  EXPECT_EQ(state["chime"], false);
  EXPECT_EQ(state["volume"], 60);
  EXPECT_EQ(state["spinning"], false);
  EXPECT_EQ(state["lastResult"], QJsonValue());
  EXPECT_EQ(state["version"], HORAVIA_VERSION);

  EXPECT_EQ(JsonOf(Http("POST", "/api/v1/mode", R"({"mode":"wheel"})").body)["mode"], "wheel");
  EXPECT_EQ(app::State().mode, app::DisplayMode::Wheel);
  EXPECT_TRUE(Object(app::State().needle)->visible);
  EXPECT_EQ(JsonOf(Http("POST", "/api/v1/chime", R"({"on":true})").body)["chime"], true);
  EXPECT_EQ(Setting("是否整点报时"), "1");
  EXPECT_EQ(ReadProperty(app::main_window::kChimeItem, app::property::kMenuChecked), 1);

  const QJsonArray skins = JsonOf(Http("GET", "/api/v1/skins").body)["skins"].toArray();
  EXPECT_TRUE(skins.contains("喜庆"));
  EXPECT_TRUE(skins.contains("蓝色"));
  EXPECT_EQ(JsonOf(Http("POST", "/api/v1/skin", R"({"name":"喜庆"})").body)["skin"], "喜庆");
  EXPECT_EQ(Setting("皮肤文件名"), "喜庆");
  EXPECT_EQ(app::State().rotateWheel, 1);
  // A name code page 936 cannot hold is no skin, and not "??" either.
  CopySkin("蓝色", "??");
  EXPECT_EQ(Http("POST", "/api/v1/skin", R"({"name":"😀😀"})").status, 404);
  EXPECT_EQ(Http("POST", "/api/v1/skin", R"({"name":"没有"})").status, 404);
  EXPECT_EQ(Setting("皮肤文件名"), "喜庆");

  Box().setAngle(app::State().wheel, 90);
  EXPECT_EQ(Http("POST", "/api/v1/reset").status, 200);
  EXPECT_EQ(Object(app::State().wheel)->angle, 0);
}

// The events in the order they happen, the spin's source kept, and the
// label and angle the record file holds.
TEST_F(AppControlTest, ASpinIsToldOverTheEventsSocketAsTheRecordKeepsIt) {
  auto client = Events();
  app::ShowWheel();
  const testing::Answer spin = Http("POST", "/api/v1/spin", R"({"source":"chat"})");
  EXPECT_EQ(spin.status, 202);
  EXPECT_EQ(JsonOf(spin.body), (QJsonObject{{"spin", 1}, {"position", 0}}));
  RunSpin();
  ASSERT_TRUE(WaitUntil([&] { return client->texts.size() >= 3; }));
  EXPECT_EQ(JsonOf(client->texts[0]), (QJsonObject{{"event", "modeChanged"}, {"mode", "wheel"}}));
  EXPECT_EQ(JsonOf(client->texts[1]), (QJsonObject{{"event", "spinStarted"}, {"spin", 1}, {"source", "chat"}}));
  const QJsonObject ended = JsonOf(client->texts[2]);
  EXPECT_EQ(ended["event"], "spinEnded");
  EXPECT_EQ(ended["spin"], 1);

  const std::vector<app::prizes::SpinRecord> records = app::RecentSpins(1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].source, "chat");
  EXPECT_EQ(ended["label"].toString().toStdString(), records[0].label);
  EXPECT_FALSE(records[0].label.empty());
  EXPECT_EQ(ended["segment"].toInt(), records[0].segment);
  EXPECT_EQ(ended["angle"].toInt(), records[0].angle);
  const QJsonObject last = JsonOf(Http("GET", "/api/v1/state").body)["lastResult"].toObject();
  EXPECT_EQ(last, (QJsonObject{{"spin", 1}, {"segment", ended["segment"]}, {"label", ended["label"]}, {"angle", ended["angle"]}}));
  const QJsonArray history = JsonOf(Http("GET", "/api/v1/history?limit=5").body)["spins"].toArray();
  ASSERT_EQ(history.size(), 1);
  EXPECT_EQ(history[0].toObject()["label"], ended["label"]);
}

QImage Decoded(const QByteArray& png) { return QImage::fromData(png, "PNG").convertToFormat(QImage::Format_ARGB32); }

bool IsWindowPicture(const QImage& image) {
  const anim::WindowFrame now = app::ComposeWindow();
  if (image.width() != now.width || image.height() != now.height) return false;
  for (int y = 0; y < now.height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
    for (int x = 0; x < now.width; ++x) {
      if (row[x] != now.pixels[static_cast<std::size_t>(y * now.width + x)]) return false;
    }
  }
  return true;
}

// The overlay gets the window's picture when it connects and again soon
// after anything changes; frame.png is the same picture.
TEST_F(AppControlTest, OverlayFramesAreTheWindowsPicture) {
  auto overlay = Events("&frames=1");
  ASSERT_TRUE(WaitUntil([&] { return overlay->frames.size() == 1; }));
  EXPECT_TRUE(IsWindowPicture(Decoded(overlay->frames[0])));
  EXPECT_TRUE(IsWindowPicture(Decoded(Http("GET", "/api/v1/frame.png").body)));

  EXPECT_EQ(Http("POST", "/api/v1/mode", R"({"mode":"wheel"})").status, 200);
  ticks_.advance(40);  // a change goes out within a thirtieth of a second
  ASSERT_TRUE(WaitUntil([&] { return overlay->frames.size() >= 2; }));
  EXPECT_TRUE(IsWindowPicture(Decoded(overlay->frames.back())));
  EXPECT_EQ(Decoded(overlay->frames.back()).pixelColor(0, 0).alpha(), 0);
}

// Settings are told as they are written, but never the token.
TEST_F(AppControlTest, SettingsAreToldButNeverTheToken) {
  auto client = Events();
  app::WriteSetting(app::Setting::ControlToken, "fedcba9876543210fedcba9876543210");
  app::WriteSetting(app::Setting::Volume, 35);
  // Events go out in order: the first to arrive is the one after the token.
  ASSERT_TRUE(WaitUntil([&] { return !client->texts.empty(); }));
  EXPECT_EQ(JsonOf(client->texts[0]), (QJsonObject{{"event", "settingsChanged"}, {"key", "音量"}, {"value", "35"}}));
}

// --overlay-only: the overlay is the only way to see the program, so local
// control off is turned on as the check box turns it on; the address goes
// to standard output, and a port that cannot be had is a failure. A
// stand-in for the interface keeps the usual port free.
class OverlayOnlyTest : public app::testing::AppTest {
 protected:
  struct Interface : app::ControlService {
    app::ControlListening listen(std::uint16_t port, const std::string& token) override {
      return {free, OverlayAddress(port, token), free ? "" : "cannot listen"};
    }
    void stop() override {}
    bool free = true;
  };
  Interface interface_;
};

TEST_F(OverlayOnlyTest, TurnsLocalControlOnAndTellsTheOverlaysAddress) {
  app::State().control = &interface_;
  Start();
  ::testing::internal::CaptureStdout();
  EXPECT_TRUE(StartOverlayOnly());
  const std::string printed = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(Setting("控制端口"), "39801");
  EXPECT_EQ(printed, "overlay: http://127.0.0.1:39801/overlay?token=" + Setting("控制令牌") + "\n");

  interface_.free = false;
  app::StartLocalControl();
  ::testing::internal::CaptureStdout();
  EXPECT_FALSE(StartOverlayOnly());
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
}

}  // namespace
}  // namespace horavia::live
