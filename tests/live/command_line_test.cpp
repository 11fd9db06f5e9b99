// `horavia spin|clock|wheel|reset|state|chime on|chime off` against a
// running interface: what a shell script or streamdeck-ui sees (the exit
// code, the JSON on standard output, one reason on standard error), with
// port and token taken from the settings file.
#include "live/command_line.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <sstream>

#include "platform/text_codec.h"
#include "tests/live/live_fixture.h"
#include "tests/platform/temp_folder.h"

namespace horavia::live {
namespace {

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

class CommandLine : public testing::LiveFixture {
 protected:
  Outcome Call(std::vector<std::string> words, std::optional<ClientSettings> settings = std::nullopt) {
    std::ostringstream out, err;
    const int code = RunClientCommand(words, settings.value_or(ClientSettings{server.port(), token}), out, err);
    return {code, out.str(), err.str()};
  }
};

TEST_F(CommandLine, EachCommandCallsItsOperation) {
  for (const char* words : {"clock", "wheel", "reset", "chime on", "chime off"}) {
    std::vector<std::string> split;
    std::istringstream in(words);
    for (std::string word; in >> word;) split.push_back(word);
    const Outcome run = Call(split);
    EXPECT_EQ(run.code, kClientDone) << words << ": " << run.err;
    EXPECT_EQ(run.out, "") << words;
  }
  EXPECT_EQ(port.calls, (std::vector<std::string>{"mode:clock", "mode:wheel", "reset", "chime:on", "chime:off"}));
}

TEST_F(CommandLine, StateAndSpinPrintTheirJson) {
  const Outcome state = Call({"state"});
  EXPECT_EQ(state.code, kClientDone);
  EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(state.out)).object()["skin"], "蓝色");
  const Outcome spin = Call({"spin"});
  EXPECT_EQ(spin.code, kClientDone);
  EXPECT_EQ(spin.out, "{\"position\":0,\"spin\":1}\n");
  EXPECT_EQ(port.calls, (std::vector<std::string>{"spin:command line"}));
}

TEST_F(CommandLine, UsageErrorsExit2) {
  for (std::vector<std::string> words : std::vector<std::vector<std::string>>{
           {}, {"chime"}, {"chime", "maybe"}, {"spin", "twice"}, {"dance"}}) {
    const Outcome run = Call(words);
    EXPECT_EQ(run.code, kClientUsage);
    EXPECT_NE(run.err.find("usage: horavia spin|clock|wheel|reset|state|chime on|chime off"), std::string::npos);
  }
  EXPECT_TRUE(port.calls.empty());
}

TEST_F(CommandLine, RefusalsAndSilenceExit1WithTheReason) {
  const Outcome wrongToken = Call({"spin"}, ClientSettings{server.port(), "ffffffffffffffffffffffffffffffff"});
  EXPECT_EQ(wrongToken.code, kClientFailed);
  EXPECT_EQ(wrongToken.err, "horavia: refused (401): the token is wrong\n");

  port.queueCapacity = 0;
  port.snapshot.spinning = true;
  EXPECT_EQ(Call({"spin"}).err, "horavia: refused (429): the spin queue is full\n");

  const Outcome off = Call({"state"}, ClientSettings{0, token});
  EXPECT_EQ(off.code, kClientFailed);
  EXPECT_NE(off.err.find("the control interface is off"), std::string::npos);

  const std::uint16_t listening = server.port();
  server.stop();
  const Outcome nobody = Call({"state"}, ClientSettings{listening, token});
  EXPECT_EQ(nobody.code, kClientFailed);
  EXPECT_NE(nobody.err.find("no instance answers on 127.0.0.1 port " + std::to_string(listening)), std::string::npos)
      << nobody.err;
}

TEST(ClientSettingsFile, PortAndTokenComeFromTheSettingsFile) {
  horavia::testing::TempFolder folder;
  const std::string path = folder.file("settings.ini");
  const std::string section = platform::Utf8ToCp936("配置");
  const std::string portKey = platform::Utf8ToCp936("控制端口");
  const std::string tokenKey = platform::Utf8ToCp936("控制令牌");
  horavia::testing::WriteBytes(path, "[" + section + "]\r\n" + portKey + "=39801\r\n" + tokenKey +
                                         "=00112233445566778899aabbccddeeff\r\n");
  const ClientSettings settings = ReadClientSettings(path, section, portKey, tokenKey);
  EXPECT_EQ(settings.port, 39801);
  EXPECT_EQ(settings.token, "00112233445566778899aabbccddeeff");

  for (const char* bad : {"0", "65536", "-1", "80x", ""}) {
    horavia::testing::WriteBytes(path, "[" + section + "]\r\n" + portKey + "=" + bad + "\r\n");
    EXPECT_EQ(ReadClientSettings(path, section, portKey, tokenKey).port, 0) << bad;
  }
  EXPECT_EQ(ReadClientSettings(folder.file("missing.ini"), section, portKey, tokenKey).port, 0);
}

TEST(ClientCommandWords, AreTheFirstWordsOfTheCommands) {
  for (const char* word : {"spin", "clock", "wheel", "reset", "state", "chime"}) EXPECT_TRUE(IsClientCommandWord(word));
  for (const char* word : {"on", "--overlay-only", "", "Spin"}) EXPECT_FALSE(IsClientCommandWord(word));
}

}  // namespace
}  // namespace horavia::live
