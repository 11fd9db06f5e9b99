#include "tests/ui/window/engine_fixture.h"

#include "platform/process.h"
#include "ui/install.h"
#include "runtime/libraries/library_records.h"
#include "runtime/services.h"

namespace horavia::ui::testing {
namespace {

template <int N>
SubroutineResult Recorder(std::span<const std::uint32_t> args) {
  EventSource source;
  if (auto* engine = dynamic_cast<WindowEngine*>(runtime::Runtime().windowHost())) {
    source = engine->eventSource();
  }
  Calls().push_back({N, {args.begin(), args.end()}, source});
  if (auto action = Actions().find(N); action != Actions().end()) action->second();
  auto it = Results().find(N);
  return it != Results().end() ? it->second : SubroutineResult::None();
}

constexpr std::array<AppSubroutine, kTestHandlerCount> kHandlers = {
    &Recorder<0>, &Recorder<1>, &Recorder<2>, &Recorder<3>,
    &Recorder<4>, &Recorder<5>, &Recorder<6>, &Recorder<7>};

// [the test unit type] ----------------------------------------------------------

QWidget* CreateTestUnit(const UnitCreateParams& p) {
  Creations().push_back({p.unitId, p.controlId, p.style});
  auto* unit = new TestUnit(p.parent, p.formId, p.unitId);
  unit->setGeometry(p.left, p.top, p.width, p.height);
  unit->setFocusPolicy(Qt::StrongFocus);
  return unit;
}

RawProperty GetTestProperty(QWidget* w, std::int32_t index) {
  auto* unit = static_cast<TestUnit*>(w);
  RawProperty v;
  v.number = unit->number;
  v.text = unit->text;
  v.font = unit->font;
  (void)index;
  return v;
}

std::int32_t SetTestProperty(QWidget* w, std::int32_t index, const RawProperty& v) {
  auto* unit = static_cast<TestUnit*>(w);
  switch (index) {
    case 0: unit->number = v.number; return 0;
    case 1: unit->text = v.text; return v.text == "recreate" ? 1 : 0;
    case 2: unit->font = v.font; return 0;
    default: return 0;
  }
}

std::vector<std::uint8_t> WriteBackTestUnit(QWidget* w) {
  const std::string& text = static_cast<TestUnit*>(w)->text;
  return {text.begin(), text.end()};
}

void* TestInterface(std::int32_t query) {
  switch (query) {
    case kQueryCreate: return reinterpret_cast<void*>(&CreateTestUnit);
    case kQueryGetProperty: return reinterpret_cast<void*>(&GetTestProperty);
    case kQuerySetProperty: return reinterpret_cast<void*>(&SetTestProperty);
    case kQueryWriteBack: return reinterpret_cast<void*>(&WriteBackTestUnit);
    default: return nullptr;
  }
}

const runtime::PropertyInfo kTestProperties[11] = {
    {"left", "left", 1000},   {"top", "top", 1000},         {"width", "width", 1000},
    {"height", "height", 1000}, {"tag", "tag", 1005},       {"visible", "visible", 1003},
    {"disabled", "disabled", 1003}, {"pointer", "pointer", 1011}, {"number", "number", 1000},
    {"text", "text", 1005},   {"font", "font", 1013}};

}  // namespace

TestUnit::~TestUnit() {
  runtime::RuntimeApp::Service(runtime::kServiceUnitDestroyed, formId_, unitId_);
}

std::vector<HandlerCall>& Calls() {
  static std::vector<HandlerCall> calls;
  return calls;
}
std::map<int, SubroutineResult>& Results() {
  static std::map<int, SubroutineResult> results;
  return results;
}
std::map<int, std::function<void()>>& Actions() {
  static std::map<int, std::function<void()>> actions;
  return actions;
}
std::vector<Creation>& Creations() {
  static std::vector<Creation> creations;
  return creations;
}
std::vector<int> CalledHandlers() {
  std::vector<int> out;
  for (const HandlerCall& c : Calls()) out.push_back(c.handler);
  return out;
}

Unit WindowUnit(std::uint32_t id, const WindowData& data, std::uint32_t flags) {
  Unit u;
  u.id = id;
  u.type = unit_type::kWindow;
  u.left = 10;
  u.top = 20;
  u.width = 200;
  u.height = 150;
  u.flags = flags;
  u.typeData = writeWindowData(data);
  return u;
}

Unit ChildUnit(std::uint32_t id, std::uint32_t type, int left, int top, int width, int height, std::uint32_t flags) {
  Unit u;
  u.id = id;
  u.type = type;
  u.left = left;
  u.top = top;
  u.width = width;
  u.height = height;
  u.flags = flags;
  return u;
}

Unit MenuEntry(std::uint32_t id, std::uint32_t level, const std::string& caption, std::int32_t handler,
               std::uint32_t flags, std::uint32_t shortcut) {
  Unit u;
  u.id = id;
  u.type = unit_type::kMenuItem;
  u.menu.level = level;
  u.menu.caption = caption;
  u.menu.handlerOffset = handler;
  u.menu.flags = flags;
  u.menu.shortcut = shortcut;
  return u;
}

void Bind(Unit& unit, std::int32_t event, std::int32_t handler) { unit.events.push_back({event, handler, {}}); }

Form MakeForm(std::uint32_t id, std::vector<Unit> units) {
  Form form;
  form.id = id;
  form.units = std::move(units);
  return form;
}

WindowData PlainWindowData() {
  WindowData data;
  data.border = 0;
  return data;
}

void EngineTest::SetUp() {
  horavia::testing::TestApplication();
  InstallUserInterface();
  runtime::Runtime().resetForTests();
  horavia::testing::ThrowOnExit();
  platform::SetDialogResponder([this](const platform::DialogRequest& r) {
    dialogs_.push_back(r);
    return platform::DefaultButton(r.style);
  });
  Calls().clear();
  Results().clear();
  Actions().clear();
  Creations().clear();
  runtime::DataTypeInfo type;
  type.englishName = "TestUnit";
  type.stateFlags = runtime::kFlagsEditBox;
  type.propertyCount = 11;
  type.properties = kTestProperties;
  type.interface = &TestInterface;
  runtime::DefineUnitType(kTestUnitType, type);
}

void EngineTest::TearDown() {
  runtime::Runtime().resetForTests();
  FinishDeletes();
  runtime::DefineUnitType(kTestUnitType, {});
  platform::SetExitHook({});
  platform::SetDialogResponder({});
}

WindowEngine& EngineTest::Start(std::vector<Form> forms) { return StartWithBlock(writeFormBlock(forms)); }

WindowEngine& EngineTest::StartWithBlock(std::span<const std::uint8_t> block) {
  block_.assign(block.begin(), block.end());
  header_ = {};
  header_.codeBase = kTestCodeBase;
  header_.formStart = block_.data();
  header_.formLength = static_cast<std::uint32_t>(block_.size());
  header_.libraryCount = runtime::kLibraryCount;
  header_.libraries = runtime::RuntimeLibraries();
  auto engine = std::make_unique<WindowEngine>(HandlerTable{kTestCodeBase, kHandlers});
  engine_ = engine.get();
  runtime::RuntimeApp& app = runtime::Runtime();
  app.setWindowHost(std::move(engine));
  app.setImage(&header_);
  app.initializeImage();
  return *engine_;
}

Unit& EngineTest::LiveUnit(std::uint32_t formId, std::uint32_t unitId) {
  UnitTable* units = engine_->unitsOf(formId);
  auto found = findUnit(*units, unitId);
  if (!found) throw std::runtime_error("no such unit");
  return *found->record;
}

QWidget* EngineTest::Widget(std::uint32_t formId, std::uint32_t unitId) {
  return static_cast<QWidget*>(engine_->findUnit(formId, unitId));
}

void EngineTest::FinishDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace horavia::ui::testing
