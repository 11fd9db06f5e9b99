// Event delivery: bindings at offset 0, results in the record, the blocked
// counter, event source links, the type check, the fatal messages, and how
// typed arguments are passed.
#include <string>

#include "platform/text_codec.h"
#include "runtime/messages.h"
#include "runtime/services.h"
#include "tests/ui/window/engine_fixture.h"
#include "ui/window/events.h"

namespace horavia::ui::testing {
namespace {

constexpr std::uint32_t kForm = 0x52010001;
constexpr std::uint32_t kWindowId = 0x06010000;
constexpr std::uint32_t kSource = 0x16000001;
constexpr std::uint32_t kCopy = 0x16000002;
constexpr std::uint32_t kOtherType = 0x16000003;
constexpr std::uint32_t kObject = 0x16000004;

class EventsTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Unit window = WindowUnit(kWindowId, PlainWindowData());
    Bind(window, 9, 0);  // bound at offset 0: the subroutine at the code base
    Unit source = ChildUnit(kSource, kTestUnitType, 0, 0, 10, 10);
    Bind(source, 5, 6);
    Unit copy = ChildUnit(kCopy, kTestUnitType, 0, 0, 10, 10);
    copy.eventSourceLink = kSource;
    Unit otherType = ChildUnit(kOtherType, unit_type::kListBox, 0, 0, 10, 10);
    otherType.eventSourceLink = kSource;
    Bind(otherType, 5, 7);
    // An object type raises no events (flags 0x80000000).
    Unit object = ChildUnit(kObject, 0x00010030, 0, 0, 10, 10);
    Start({MakeForm(kForm, {window, source, copy, otherType, object})});
  }
  std::int32_t Raise(std::uint32_t unit, std::int32_t event, std::vector<std::int32_t> args = {}) {
    record = {};
    record.formId = kForm;
    record.unitId = unit;
    record.event = event;
    record.argCount = static_cast<std::int32_t>(args.size());
    for (std::size_t i = 0; i < args.size(); ++i) record.args[i] = args[i];
    return static_cast<std::int32_t>(
        runtime::RuntimeApp::Service(runtime::kServiceRaiseEvent, reinterpret_cast<std::intptr_t>(&record), 0));
  }
  runtime::PlainEventRecord record;
};

TEST_F(EventsTest, AHandlerAtOffsetZeroRunsAndItsResultLandsInTheRecord) {
  Results()[0] = SubroutineResult::Value(42);
  EXPECT_EQ(Raise(0, 9, {7, 8}), 1);  // unit id 0: the window unit
  ASSERT_EQ(CalledHandlers(), (std::vector<int>{0}));
  EXPECT_EQ(Calls()[0].args, (std::vector<std::uint32_t>{7, 8}));
  EXPECT_EQ(Calls()[0].source.formId, kForm);
  EXPECT_EQ(Calls()[0].source.unitId, kWindowId);
  EXPECT_EQ(record.hasResult, 1);
  EXPECT_EQ(record.result, 42);
  // The form part of the event source is cleared once the handler returned.
  EXPECT_EQ(engine().currentEventSource().first, 0u);
}

TEST_F(EventsTest, AnUnboundEventOrAHandlerWithoutValueIsReportedSo) {
  EXPECT_EQ(Raise(0, 8), 0);
  EXPECT_EQ(Raise(0, 9), 1);
  EXPECT_EQ(record.hasResult, 0);
}

TEST_F(EventsTest, ACopyUsesTheBindingsOfTheUnitItLinksToOfTheSameType) {
  EXPECT_EQ(Raise(kCopy, 5), 1);
  ASSERT_EQ(CalledHandlers(), (std::vector<int>{6}));
  // The handler hears of the unit that raised the event.
  EXPECT_EQ(Calls()[0].source.unitId, kCopy);
  EXPECT_EQ(Raise(kOtherType, 5), 1);
  EXPECT_EQ(CalledHandlers(), (std::vector<int>{6, 7}));  // a link to another type is not followed
}

TEST_F(EventsTest, MissingFormsUnitsAndEventlessTypesAreFatal) {
  const auto& m = runtime::messages::kConstants;
  struct Case {
    std::uint32_t form;
    std::uint32_t unit;
    const char* message;
  };
  for (Case c : {Case{0x52099999, 0, m.EventWindowMissing}, Case{kForm, 0x16099999, m.EventUnitMissing},
                 Case{kForm, kObject, m.EventUnitInvalid}}) {
    runtime::Runtime().resetForTests();
    EngineTest::TearDown();
    SetUp();
    runtime::PlainEventRecord r;
    r.formId = c.form;
    r.unitId = c.unit;
    EXPECT_EQ(ExitCodeOf([&] { engine().raiseEvent(r); }), -1) << c.message;
    EXPECT_NE(LastDialogText().find(platform::Cp936ToUtf8(c.message)), std::string::npos) << c.message;
  }
}

TEST_F(EventsTest, TypedEventsPassTheirResultInTwoDwords) {
  Results()[6] = SubroutineResult::Value(1, 2);
  runtime::TypedEventRecord typed;
  typed.formId = kForm;
  typed.unitId = kSource;
  typed.event = 5;
  typed.argCount = 1;
  typed.args[0] = {9, 0, 0x80000301, 0};
  EXPECT_EQ(engine().raiseTypedEvent(typed), 1);
  EXPECT_EQ(Calls()[0].args, (std::vector<std::uint32_t>{9}));
  EXPECT_EQ(typed.hasResult, 1);
  EXPECT_EQ(typed.result[0], 1u);
  EXPECT_EQ(typed.result[1], 2u);
}

struct PushCase {
  const char* name;
  runtime::TypedEventArg arg;
  std::vector<std::uint32_t> pushed;
};

class PushedDwordsTest : public ::testing::TestWithParam<PushCase> {};

TEST_P(PushedDwordsTest, PassesEachArgumentAsItsTypeWants) {
  runtime::TypedEventRecord record;
  record.argCount = 1;
  record.args[0] = GetParam().arg;
  EXPECT_EQ(PushedDwords(record), GetParam().pushed);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PushedDwordsTest,
    ::testing::Values(PushCase{"ByteZeroExtended", {0x1FF, 7, 0x80000101, 0}, {0xFF}},
                      PushCase{"ShortSignExtended", {0xFFFE, 7, 0x80000201, 0}, {0xFFFFFFFEu}},
                      PushCase{"IntegerLowDword", {5, 7, 0x80000301, 0}, {5}},
                      PushCase{"DoubleTwoDwords", {5, 7, 0x80000601, 0}, {5, 7}},
                      PushCase{"DateTime", {5, 7, 0x80000003, 0}, {5, 7}},
                      PushCase{"UnitReference", {5, 7, 0x00010003, 0}, {5, 7}},
                      PushCase{"PassingBit0Wins", {5, 7, 0x80000601, 1}, {5}},
                      PushCase{"PassingBit1", {5, 7, 0x80000004, 2}, {5, 7}}),
    [](const ::testing::TestParamInfo<PushCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace horavia::ui::testing
