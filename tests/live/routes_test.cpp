// The routes as a Stream Deck, a chat bot or a script meets them: every
// route reaches the application's operation it names with the arguments it
// was given, answers in the documented shape, and refuses bad input with a
// 400 that names the field; the events socket speaks the same routes.
#include "live/routes.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <set>

#include "tests/live/fake_port.h"
#include "tests/live/live_requests.h"

namespace horavia::live {
namespace {

using testing::FakePort;
using testing::Request;

QJsonObject JsonOf(const std::string& text) {
  return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
}

class Routing : public ::testing::Test {
 protected:
  HttpResponse Send(std::string method, std::string target, std::string body = "") {
    return HandleHttpRequest(Request(std::move(method), std::move(target), std::move(body)), testing::TestServer(), port);
  }
  QJsonObject Ask(std::string_view message) { return JsonOf(HandleSocketMessage(message, port)); }
  FakePort port;
};

TEST(RouteTable, PathsAndRequestNamesAreUniqueAndEachRowHasOneHandler) {
  std::set<std::string_view> paths, names;
  for (const Route& route : Routes()) {
    EXPECT_TRUE(paths.insert(route.path).second) << route.path;
    EXPECT_TRUE(route.method == "GET" || route.method == "POST") << route.path;
    EXPECT_NE(route.json == nullptr, route.raw == nullptr) << route.path;
    if (route.request.empty()) continue;
    EXPECT_TRUE(names.insert(route.request).second) << route.request;
    // The events socket answers in JSON only.
    EXPECT_NE(route.json, nullptr) << route.request;
  }
  EXPECT_EQ(names, (std::set<std::string_view>{"state", "spin", "mode", "reset", "chime", "skin", "skins", "history"}));
}

TEST_F(Routing, StateReportsEveryFieldOfTheSnapshot) {
  port.snapshot = {.mode = DisplayMode::Wheel, .skin = "喜庆", .chime = true, .volume = 35, .spinning = true,
                   .queued = 2, .lastResult = SpinResult{7, 3, "一等奖", 101.5}, .version = "0.1"};
  const HttpResponse response = Send("GET", "/api/v1/state");
  EXPECT_EQ(response.status, Status::Ok);
  EXPECT_EQ(response.contentType, "application/json; charset=utf-8");
  const QJsonObject state = JsonOf(response.body);
  EXPECT_EQ(state["mode"], "wheel");
  EXPECT_EQ(state["skin"], "喜庆");
  EXPECT_EQ(state["chime"], true);
  EXPECT_EQ(state["volume"], 35);
  EXPECT_EQ(state["spinning"], true);
  EXPECT_EQ(state["queued"], 2);
  EXPECT_EQ(state["version"], "0.1");
  const QJsonObject last = state["lastResult"].toObject();
  EXPECT_EQ(last["spin"], 7);
  EXPECT_EQ(last["segment"], 3);
  EXPECT_EQ(last["label"], "一等奖");
  EXPECT_EQ(last["angle"], 101.5);

  port.snapshot.lastResult.reset();
  EXPECT_TRUE(JsonOf(Send("GET", "/api/v1/state").body)["lastResult"].isNull());
}

TEST_F(Routing, SpinAnswers202WithItsPlaceAnd429WhenTheQueueIsFull) {
  port.queueCapacity = 1;
  const HttpResponse first = Send("POST", "/api/v1/spin", R"({"source":"chat bot"})");
  EXPECT_EQ(first.status, Status::Accepted);
  EXPECT_EQ(JsonOf(first.body), (QJsonObject{{"spin", 1}, {"position", 0}}));
  const HttpResponse second = Send("POST", "/api/v1/spin");
  EXPECT_EQ(JsonOf(second.body), (QJsonObject{{"spin", 2}, {"position", 1}}));
  const HttpResponse full = Send("POST", "/api/v1/spin");
  EXPECT_EQ(full.status, Status::TooManyRequests);
  EXPECT_EQ(JsonOf(full.body)["error"], "the spin queue is full");
  // Without a source the record says the interface started it.
  EXPECT_EQ(port.calls, (std::vector<std::string>{"spin:chat bot", "spin:api", "spin:api"}));
}

TEST_F(Routing, AMissingSkinIs404AndChangesNothing) {
  const HttpResponse response = Send("POST", "/api/v1/skin", R"({"name":"紫色"})");
  EXPECT_EQ(response.status, Status::NotFound);
  EXPECT_EQ(JsonOf(response.body)["error"], "no skin named \"紫色\"");
  EXPECT_EQ(port.snapshot.skin, "蓝色");
}

TEST_F(Routing, SkinsAndHistoryList) {
  EXPECT_EQ(JsonOf(Send("GET", "/api/v1/skins").body)["skins"], (QJsonArray{"蓝色", "喜庆"}));

  port.records = {{"2024-05-01T20:00:05+08:00", "蓝色", 4, "再来一次", 95.25, "api"},
                  {"2024-05-01T19:58:00+08:00", "蓝色", 1, "一等奖", 12.0, "mouse"}};
  const QJsonArray spins = JsonOf(Send("GET", "/api/v1/history?limit=1").body)["spins"].toArray();
  EXPECT_EQ(port.lastHistoryLimit, 1);
  ASSERT_EQ(spins.size(), 1);
  EXPECT_EQ(spins[0].toObject(), (QJsonObject{{"time", "2024-05-01T20:00:05+08:00"}, {"skin", "蓝色"}, {"segment", 4},
                                              {"label", "再来一次"}, {"angle", 95.25}, {"source", "api"}}));
  Send("GET", "/api/v1/history");
  EXPECT_EQ(port.lastHistoryLimit, 50);
  Send("GET", "/api/v1/history?limit=500");
  EXPECT_EQ(port.lastHistoryLimit, 500);
}

// One bad input per row, and the words the error must hold.
struct BadInput {
  const char* method;
  const char* target;
  const char* body;
  const char* says;
};
class BadInputs : public Routing, public ::testing::WithParamInterface<BadInput> {};

TEST_P(BadInputs, Are400NamingTheProblemAndReachNoOperation) {
  const BadInput& input = GetParam();
  const HttpResponse response = Send(input.method, input.target, input.body);
  EXPECT_EQ(response.status, Status::BadRequest) << input.target << " " << input.body;
  const std::string error = JsonOf(response.body)["error"].toString().toStdString();
  EXPECT_NE(error.find(input.says), std::string::npos) << "have: " << error << "\nwant: " << input.says;
  EXPECT_TRUE(port.calls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Routes, BadInputs,
    ::testing::Values(BadInput{"POST", "/api/v1/spin", "{", "not JSON"},
                      BadInput{"POST", "/api/v1/spin", "[1]", "must be a JSON object"},
                      BadInput{"POST", "/api/v1/spin", R"({"source":5})", "\"source\" must be text"},
                      BadInput{"POST", "/api/v1/spin", R"({"source":""})", "\"source\" must be 1 to 32 bytes"},
                      BadInput{"POST", "/api/v1/spin", R"({"source":"a\nb"})", "control characters"},
                      BadInput{"POST", "/api/v1/spin", R"({"sorce":"x"})", "unknown field \"sorce\""},
                      BadInput{"POST", "/api/v1/mode", "", "missing field \"mode\""},
                      BadInput{"POST", "/api/v1/mode", R"({"mode":"disco"})", "\"mode\" must be \"clock\" or \"wheel\""},
                      BadInput{"POST", "/api/v1/chime", R"({"on":"yes"})", "\"on\" must be true or false"},
                      BadInput{"POST", "/api/v1/skin", R"({"name":null})", "\"name\" must be text"},
                      BadInput{"POST", "/api/v1/reset", R"({"now":true})", "unknown field \"now\""},
                      BadInput{"GET", "/api/v1/history?limit=0", "", "\"limit\" must be a whole number from 1 to 500"},
                      BadInput{"GET", "/api/v1/history?limit=501", "", "from 1 to 500"},
                      BadInput{"GET", "/api/v1/history?limit=ten", "", "\"limit\" must be a whole number"}));

TEST_F(Routing, UnknownPathsAre404AndWrongMethods405WithAllow) {
  EXPECT_EQ(Send("GET", "/api/v1/nothing").status, Status::NotFound);
  EXPECT_EQ(Send("GET", "/api/v1/state/").status, Status::NotFound);
  const HttpResponse wrong = Send("GET", "/api/v1/spin");
  EXPECT_EQ(wrong.status, Status::MethodNotAllowed);
  EXPECT_EQ(FindHeader(wrong.headers, "Allow").value, "POST");
  EXPECT_EQ(Send("DELETE", "/api/v1/state").status, Status::MethodNotAllowed);
  EXPECT_TRUE(port.calls.empty());
}

TEST_F(Routing, EveryResponseStaysOutOfCachesAndReferrers) {
  for (const HttpResponse& response :
       {Send("GET", "/api/v1/state"), Send("GET", "/nothing"),
        HandleHttpRequest(Request("GET", "/api/v1/state", "", {.token = testing::TokenIn::None}), testing::TestServer(),
                          port)}) {
    EXPECT_EQ(FindHeader(response.headers, "Cache-Control").value, "no-store");
    EXPECT_EQ(FindHeader(response.headers, "Referrer-Policy").value, "no-referrer");
  }
}

TEST_F(Routing, FrameIsTheCurrentFrameAsPng) {
  const HttpResponse response = Send("GET", "/api/v1/frame.png");
  EXPECT_EQ(response.status, Status::Ok);
  EXPECT_EQ(response.contentType, "image/png");
  EXPECT_EQ(response.body.substr(0, 8), "\x89PNG\r\n\x1a\n");
  port.picture = {};
  EXPECT_EQ(Send("GET", "/api/v1/frame.png").status, Status::NotFound);
}

TEST_F(Routing, OverlayIsAPageWhoseOnlyScriptIsItsOwn) {
  const HttpResponse response = Send("GET", "/overlay");
  EXPECT_EQ(response.status, Status::Ok);
  EXPECT_EQ(response.contentType, "text/html; charset=utf-8");
  EXPECT_NE(response.body.find("<canvas"), std::string::npos);
  EXPECT_NE(response.body.find("/api/v1/events"), std::string::npos);
  const std::string policy(FindHeader(response.headers, "Content-Security-Policy").value.value_or(""));
  EXPECT_NE(policy.find("default-src 'none'"), std::string::npos) << policy;
  EXPECT_NE(policy.find("script-src 'sha256-"), std::string::npos) << policy;
  EXPECT_EQ(policy.find("unsafe-inline"), std::string::npos) << policy;
}

TEST_F(Routing, TheEventsPathWithoutAnUpgradeIs426) {
  const HttpResponse response = Send("GET", "/api/v1/events");
  EXPECT_EQ(response.status, Status::UpgradeRequired);
  EXPECT_EQ(FindHeader(response.headers, "Upgrade").value, "websocket");
}

TEST(EventsAdmission, AdmitsWithTheSameChecksAndTakesFramesFromTheQuery) {
  const ServerIdentity server = testing::TestServer();
  EXPECT_FALSE(AdmitEventsSocket(Request("GET", "/api/v1/events", "", {.token = testing::TokenIn::Query}), server).refusal);
  EXPECT_FALSE(AdmitEventsSocket(Request("GET", "/api/v1/events"), server).frames);
  const EventsAdmission frames = AdmitEventsSocket(Request("GET", "/api/v1/events?frames=1"), server);
  EXPECT_FALSE(frames.refusal);
  EXPECT_TRUE(frames.frames);

  HttpRequest foreign = Request("GET", "/api/v1/events");
  foreign.headers.push_back({"Origin", "https://evil.example"});
  EXPECT_EQ(AdmitEventsSocket(foreign, server).refusal->status, Status::Forbidden);
  EXPECT_EQ(AdmitEventsSocket(Request("GET", "/api/v1/events", "", {.token = testing::TokenIn::None}), server)
                .refusal->status,
            Status::Unauthorized);
  EXPECT_EQ(AdmitEventsSocket(Request("GET", "/api/v1/state"), server).refusal->status, Status::NotFound);
  EXPECT_EQ(AdmitEventsSocket(Request("GET", "/api/v1/events?frames=maybe"), server).refusal->status,
            Status::BadRequest);
}

TEST_F(Routing, SocketRequestsAnswerWithTheirIdAndTheRoutesFields) {
  EXPECT_EQ(Ask(R"({"request":"spin","id":"x"})"),
            (QJsonObject{{"id", "x"}, {"status", "ok"}, {"spin", 1}, {"position", 0}}));
  EXPECT_EQ(Ask(R"({"request":"mode","id":7,"mode":"wheel"})")["mode"], "wheel");
  EXPECT_EQ(Ask(R"({"request":"mode","id":7,"mode":"wheel"})")["id"], 7);
  EXPECT_EQ(Ask(R"({"request":"history","limit":2})")["status"], "ok");
  EXPECT_EQ(port.lastHistoryLimit, 2);
  EXPECT_EQ(port.calls, (std::vector<std::string>{"spin:api", "mode:wheel", "mode:wheel"}));
}

TEST_F(Routing, SocketRequestsThatFailSayWhyWithTheHttpCode) {
  port.queueCapacity = 0;
  port.snapshot.spinning = true;
  EXPECT_EQ(Ask(R"({"request":"spin","id":"a"})"),
            (QJsonObject{{"id", "a"}, {"status", "error"}, {"code", 429}, {"error", "the spin queue is full"}}));
  const QJsonObject unknown = Ask(R"({"request":"frame.png","id":"b"})");
  EXPECT_EQ(unknown["code"], 404);
  EXPECT_EQ(unknown["id"], "b");
  EXPECT_EQ(Ask(R"({"request":"mode","mode":"disco"})")["code"], 400);
  EXPECT_EQ(Ask(R"({"id":"c"})")["error"], "missing field \"request\"");
  EXPECT_EQ(Ask("not json")["code"], 400);
  EXPECT_EQ(Ask("[]")["code"], 400);
  const QJsonObject badId = Ask(R"({"request":"state","id":{"x":1}})");
  EXPECT_EQ(badId["code"], 400);
  EXPECT_FALSE(badId.contains("id"));
}

}  // namespace
}  // namespace horavia::live
