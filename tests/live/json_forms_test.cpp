// The events a chat bot receives: each kind under its own name with its
// fields, texts as UTF-8.
#include "live/json_forms.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <set>

namespace horavia::live {
namespace {

QJsonObject Parsed(const AppEvent& event) {
  return QJsonDocument::fromJson(QByteArray::fromStdString(CompactJson(EventJson(event)))).object();
}

TEST(EventJson, EachKindHasItsNameAndFields) {
  EXPECT_EQ(Parsed(SpinStarted{12, "chat bot"}),
            (QJsonObject{{"event", "spinStarted"}, {"spin", 12}, {"source", "chat bot"}}));
  EXPECT_EQ(Parsed(SpinEnded{{12, 5, "谢谢参与", 137.25}}),
            (QJsonObject{{"event", "spinEnded"}, {"spin", 12}, {"segment", 5}, {"label", "谢谢参与"}, {"angle", 137.25}}));
  EXPECT_EQ(Parsed(ModeChanged{DisplayMode::Wheel}), (QJsonObject{{"event", "modeChanged"}, {"mode", "wheel"}}));
  EXPECT_EQ(Parsed(SkinChanged{"喜庆"}), (QJsonObject{{"event", "skinChanged"}, {"skin", "喜庆"}}));
  EXPECT_EQ(Parsed(ChimeRang{21}), (QJsonObject{{"event", "chime"}, {"hour", 21}}));
  EXPECT_EQ(Parsed(SettingsChanged{"音量", "35"}),
            (QJsonObject{{"event", "settingsChanged"}, {"key", "音量"}, {"value", "35"}}));
}

TEST(EventJson, NamesAreUnique) {
  std::set<std::string_view> names;
  std::apply([&](auto... kind) { (names.insert(decltype(kind)::kName), ...); },
             std::tuple<SpinStarted, SpinEnded, ModeChanged, SkinChanged, ChimeRang, SettingsChanged>{});
  EXPECT_EQ(names.size(), std::variant_size_v<AppEvent>);
}

TEST(ModeNames, RoundTripAndRejectOthers) {
  for (DisplayMode mode : {DisplayMode::Clock, DisplayMode::Wheel}) EXPECT_EQ(ModeNamed(ModeName(mode)), mode);
  EXPECT_EQ(ModeNamed("Clock"), std::nullopt);
  EXPECT_EQ(ModeNamed(""), std::nullopt);
}

TEST(ErrorResponse, IsJsonWithTheMessage) {
  const HttpResponse response = ErrorResponse(Status::NotFound, "no skin named \"x\"");
  EXPECT_EQ(response.status, Status::NotFound);
  EXPECT_EQ(response.body, R"({"error":"no skin named \"x\""})");
}

}  // namespace
}  // namespace horavia::live
