#include "ui/forms/form_table.h"

#include <gtest/gtest.h>

#include "tests/base/test_bytes.h"

namespace horavia::ui {
namespace {

using base::test::TestBytes;

// A window unit record: events (0 -> offset 1), two bytes of type data "WD".
TestBytes windowRecord() {
  TestBytes r;
  r.dws({unit_type::kWindow, 0, 0, 0, 0, 0});  // type, event source link, 4 reserved
  r.z("").z("");                                // name, remark
  r.dw(0);                                      // window slot
  r.dws({50, 50, 300, 300});                    // left, top, width, height
  r.dws({0, 0, 0});                             // cursor slot, parent, child count
  r.counted("");                                // mouse pointer: default
  r.z("");                                      // tag
  r.dws({0, unit_flags::kVisible, 0});          // reserved, flags, tab order
  r.dws({1, 0, 1});                             // one binding: event 0 -> offset 1
  r.zeros(20);                                  // reserved
  r.bytes.push_back('W');                       // type data
  r.bytes.push_back('D');
  return r;
}

TestBytes menuRecord(std::uint32_t shortcut, std::uint32_t level, std::uint32_t flags, const std::string& caption,
                     std::int32_t handler) {
  TestBytes r;
  r.dws({unit_type::kMenuItem, 0, 0, 0, 0, 0});  // type, link, 4 reserved
  r.z("").z("");                                 // name, remark
  r.dws({shortcut, level, flags});
  r.z(caption);
  r.dw(static_cast<std::uint32_t>(handler));
  r.zeros(16);                                   // run-time slots
  return r;
}

// A box with the hand cursor, a tag, a child list and two bindings.
TestBytes boxRecord() {
  TestBytes r;
  r.dws({unit_type::kCartoonBox, 0, 0, 0, 0, 0});
  r.z("box").z("");
  r.dw(0);
  r.dws({1, 2, 30, 40});
  r.dws({0, 0});                       // cursor slot, parent
  r.dws({2, 0x16010009, 0});           // child count 2: one id, one page separator
  r.dw(4).dw(0x7F89);                  // mouse pointer block: hand
  r.z("t");                            // tag
  r.dws({0, unit_flags::kVisible | unit_flags::kTabStop, 1});
  r.dws({2, 15, 2, 3, 0xFFFFFFFF});    // bindings: 15 -> 2, 3 -> none
  r.zeros(20);
  return r;                            // no type data
}

// One form 0x52010001 holding the records above, in table order.
std::vector<std::uint8_t> smallBlock() {
  const std::vector<std::uint32_t> ids = {0x06010000, 0x26010001, 0x26010002, 0x16010008};
  const std::vector<TestBytes> records = {windowRecord(), menuRecord(0, 0, menu_flags::kHidden, "M", -1),
                                          menuRecord(19, 1, menu_flags::kChecked, "Go", 0), boxRecord()};
  TestBytes table;
  for (std::uint32_t id : ids) table.dw(id);
  std::uint32_t offset = 0;
  for (const TestBytes& r : records) {
    table.dw(offset);
    offset += 4 + static_cast<std::uint32_t>(r.size());
  }
  for (const TestBytes& r : records) table.dw(static_cast<std::uint32_t>(r.size())).append(r.bytes);

  TestBytes block;
  block.dws({8, 0x52010001, 0});     // index length, form id, ignored pointer
  block.dws({7, 0x19010002});        // reserved A, B
  block.counted("").counted("");     // first and second text
  block.dw(static_cast<std::uint32_t>(ids.size()));
  block.counted(std::string(table.bytes.begin(), table.bytes.end()));
  return block.bytes;
}

TEST(FormBlockReader, ReadsEveryStoredField) {
  const std::optional<std::vector<Form>> forms = parseFormBlock(smallBlock());
  ASSERT_TRUE(forms);
  ASSERT_EQ(forms->size(), 1u);
  const Form& form = (*forms)[0];
  EXPECT_EQ(form.id, 0x52010001u);
  EXPECT_EQ(form.reservedA, 7u);
  EXPECT_EQ(form.reservedB, 0x19010002u);
  ASSERT_EQ(form.units.size(), 4u);

  const Unit& window = form.units[0];
  EXPECT_EQ(window.type, unit_type::kWindow);
  EXPECT_EQ(window.left, 50);
  EXPECT_EQ(window.height, 300);
  EXPECT_TRUE(window.visible());
  ASSERT_EQ(window.events.size(), 1u);
  EXPECT_EQ(window.events[0].handlerOffset, 1);
  EXPECT_EQ(window.typeData, (Bytes{'W', 'D'}));

  const Unit& checked = form.units[2];
  EXPECT_TRUE(checked.isMenuItem());
  EXPECT_EQ(checked.menu.shortcut, 19u);
  EXPECT_EQ(checked.menu.level, 1u);
  EXPECT_EQ(checked.menu.flags, menu_flags::kChecked);
  EXPECT_EQ(checked.menu.caption, "Go");
  EXPECT_EQ(checked.menu.handlerOffset, 0);
  EXPECT_TRUE(checked.typeData.empty());

  const Unit& box = form.units[3];
  EXPECT_EQ(box.name, "box");
  EXPECT_EQ(box.left, 1);
  EXPECT_EQ(box.top, 2);
  EXPECT_EQ(box.width, 30);
  EXPECT_EQ(box.height, 40);
  EXPECT_EQ(box.children, (std::vector<std::uint32_t>{0x16010009, 0}));
  EXPECT_EQ(box.mousePointerKind(), 0x7F89);
  EXPECT_EQ(box.tag, "t");
  EXPECT_EQ(box.flags, unit_flags::kVisible | unit_flags::kTabStop);
  EXPECT_EQ(box.tabOrder, 1);
  ASSERT_EQ(box.events.size(), 2u);
  EXPECT_EQ(box.events[1].event, 3);
  EXPECT_EQ(box.events[1].handlerOffset, kNoHandler);
  EXPECT_TRUE(unitTypeData(box).empty());
}

TEST(FormBlockReader, RejectsTruncationAtEveryByte) {
  const std::vector<std::uint8_t> block = smallBlock();
  for (std::size_t length = 0; length < block.size(); ++length) {
    EXPECT_FALSE(parseFormBlock(std::span(block).first(length))) << "accepted a block cut to " << length << " bytes";
  }
}

TEST(FormTable, FailedLoadKeepsNothing) {
  const std::vector<std::uint8_t> block = smallBlock();
  FormTable table;
  ASSERT_TRUE(table.loadFormBlock(block, 0x1000));
  ASSERT_NE(table.findForm(0x52010001), nullptr);

  EXPECT_FALSE(table.loadFormBlock(std::span(block).first(block.size() - 1), 0x1000));
  EXPECT_TRUE(table.empty());
  EXPECT_EQ(table.findForm(0x52010001), nullptr);
}

// Patches one dword of the small block and expects the reader to refuse it.
void expectRejectedWith(std::size_t at, std::uint32_t value, const char* what) {
  std::vector<std::uint8_t> block = smallBlock();
  for (int i = 0; i < 4; ++i) block[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  EXPECT_FALSE(parseFormBlock(block)) << what;
}

TEST(FormBlockReader, RejectsCountsAndOffsetsThatDoNotFit) {
  // Block: index length 0, form id 4, pointer 8, A 12, B 16, texts 20 and 24,
  // unit count 28, table length 32, table from 36 (ids 36.., offsets 52..).
  expectRejectedWith(0, 12, "index length not a multiple of 8");
  expectRejectedWith(0, 0xFFFFFFF8, "index longer than the block");
  expectRejectedWith(20, 0x7FFFFFFF, "first text longer than the block");
  expectRejectedWith(28, 0x40000000, "unit count beyond the table");
  expectRejectedWith(28, 5, "unit count one more than the table holds");
  expectRejectedWith(32, 0xFFFFFFFF, "table longer than the block");
  expectRejectedWith(52 + 4, 0xFFFFFFF0, "record offset beyond the table");
  expectRejectedWith(52 + 4, 0, "two records sharing their bytes");
}

TEST(FormBlockReader, RejectsCountsInsideARecordThatDoNotFit) {
  // The first record starts at 36 + 32 (ids and offsets) + 4 (its length).
  constexpr std::size_t record = 36 + 32 + 4;
  // After type, link, 4 reserved (24 bytes), two empty z-strings (2), window
  // slot and rectangle (20), cursor slot and parent (8): the child count.
  expectRejectedWith(record + 54, 0x3FFFFFFF, "child count beyond the record");
  // Then the mouse-pointer block length.
  expectRejectedWith(record + 58, 0x1000, "mouse-pointer block beyond the record");
  // Tag (1), reserved, flags, tab order (12): the event count.
  expectRejectedWith(record + 75, 0x20000000, "event count beyond the record");
}

TEST(FormBlockReader, RejectsAZStringWithoutTerminator) {
  // A record whose name runs to the record's end.
  TestBytes r;
  r.dws({unit_type::kLabel, 0, 0, 0, 0, 0});
  r.bytes.push_back('x');
  TestBytes block;
  block.dws({8, 0x52010002, 0, 0, 0}).counted("").counted("").dw(1);
  TestBytes table;
  table.dws({0x16010001, 0}).dw(static_cast<std::uint32_t>(r.size())).append(r.bytes);
  block.counted(std::string(table.bytes.begin(), table.bytes.end()));
  EXPECT_FALSE(parseFormBlock(block.bytes));
}

TEST(FormBlockReader, AcceptsAnEmptyIndex) {
  const std::vector<std::uint8_t> block = {0, 0, 0, 0};  // index length 0
  const std::optional<std::vector<Form>> forms = parseFormBlock(block);
  ASSERT_TRUE(forms);
  EXPECT_TRUE(forms->empty());
}

TEST(FormBlockWriter, ReEmitsALoadedBlockByteForByte) {
  const std::vector<std::uint8_t> block = smallBlock();
  const std::optional<std::vector<Form>> forms = parseFormBlock(block);
  ASSERT_TRUE(forms);
  EXPECT_EQ(writeFormBlock(*forms), block);
}

TEST(FormBlockWriter, NeverStoresRunTimeSlots) {
  std::optional<std::vector<Form>> forms = parseFormBlock(smallBlock());
  ASSERT_TRUE(forms);
  int live = 0;
  for (Unit& unit : (*forms)[0].units) unit.window = unit.cursor = unit.submenu = &live;
  EXPECT_EQ(writeFormBlock(*forms), smallBlock());
}

TEST(HandlerFixup, NoneBecomesUnboundAndOffsetZeroStaysBound) {
  FormTable table;
  ASSERT_TRUE(table.loadFormBlock(smallBlock(), 0x400000));
  const Form* form = table.findForm(0x52010001);
  ASSERT_NE(form, nullptr);
  const MenuItemFields& title = form->units[1].menu;  // stored -1
  EXPECT_FALSE(title.handler.bound);
  EXPECT_EQ(title.handler.address, 0u);
  const MenuItemFields& item = form->units[2].menu;   // stored 0
  EXPECT_TRUE(item.handler.bound);
  EXPECT_EQ(item.handler.address, 0x400000u);
  EXPECT_EQ(form->units[0].events[0].handler.address, 0x400001u);
  const Unit& box = form->units[3];
  EXPECT_EQ(box.findBinding(15)->handler.address, 0x400002u);
  EXPECT_FALSE(box.findBinding(3)->handler.bound);
  EXPECT_EQ(box.findBinding(4), nullptr);
  // The stored offsets stay as they were, for writing and dumping.
  EXPECT_EQ(title.handlerOffset, kNoHandler);
  EXPECT_EQ(item.handlerOffset, 0);
}

TEST(HandlerFixup, OffsetZeroIsBoundEvenAtBaseZero) {
  EXPECT_TRUE(fixHandler(0, 0).bound);
  EXPECT_FALSE(fixHandler(kNoHandler, 0).bound);
  EXPECT_EQ(fixHandler(kNoHandler, 0x5000).address, 0u);
}

TEST(IdRules, ValidAndMenuItemIds) {
  EXPECT_TRUE(isValidId(0x52010001));
  EXPECT_TRUE(isValidId(0x06010000));
  EXPECT_FALSE(isValidId(0));
  EXPECT_FALSE(isValidId(0x16000000));  // low 24 bits zero
  EXPECT_FALSE(isValidId(0x50010001));  // bits 24-27 zero
  EXPECT_TRUE(isMenuItemId(0x26010001));
  EXPECT_FALSE(isMenuItemId(0x16010001));
  EXPECT_FALSE(isMenuItemId(0x36010001));
  EXPECT_FALSE(isMenuItemId(0x25010001));
}

TEST(UnitLookup, FindsByIdAndRefusesInvalidIds) {
  const std::optional<std::vector<Form>> forms = parseFormBlock(smallBlock());
  ASSERT_TRUE(forms);
  const Form& form = (*forms)[0];
  const std::optional<ConstUnitLookup> box = findUnit(form, 0x16010008);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->index, 3u);
  EXPECT_EQ(box->type, unit_type::kCartoonBox);
  EXPECT_EQ(box->record->name, "box");
  EXPECT_FALSE(findUnit(form, 0x16010007));  // absent
  EXPECT_FALSE(findUnit(form, 0));           // invalid, even though event lookups use it
  EXPECT_FALSE(findUnit(form, 0x00010008));  // bits 24-27 zero

  const std::optional<ConstUnitLookup> window = findEventSource(form.units, 0);
  ASSERT_TRUE(window);
  EXPECT_EQ(window->index, 0u);
  EXPECT_EQ(findEventSource(form.units, 0x26010002)->index, 2u);
}

TEST(FormLookup, RefusesInvalidAndAbsentIds) {
  FormTable table;
  ASSERT_TRUE(table.loadFormBlock(smallBlock(), 0));
  EXPECT_EQ(table.findForm(0x52010002), nullptr);
  EXPECT_EQ(table.findForm(0), nullptr);
  EXPECT_EQ(table.findForm(0x52000000), nullptr);
}

TEST(MenuRun, FindsTheConsecutiveMenuEntries) {
  const std::optional<std::vector<Form>> forms = parseFormBlock(smallBlock());
  ASSERT_TRUE(forms);
  const MenuRun run = firstMenuRun((*forms)[0]);
  EXPECT_EQ(run.first, 1u);
  EXPECT_EQ(run.count, 2u);
}

TEST(MenuRun, IsEmptyForAFormWithoutMenuItems) {
  UnitTable units(3);
  units[0].type = unit_type::kWindow;
  units[1].type = unit_type::kLabel;
  units[2].type = unit_type::kCartoonBox;
  EXPECT_EQ(firstMenuRun(units).count, 0u);
  EXPECT_EQ(firstMenuRun(UnitTable{}).count, 0u);
}

TEST(MenuRun, EndsAtTheFirstOtherUnit) {
  UnitTable units(5);
  units[0].type = unit_type::kWindow;
  units[1].type = unit_type::kMenuItem;
  units[2].type = unit_type::kLabel;
  units[3].type = unit_type::kMenuItem;  // a second run is not part of the menu
  units[4].type = unit_type::kMenuItem;
  const MenuRun run = firstMenuRun(units);
  EXPECT_EQ(run.first, 1u);
  EXPECT_EQ(run.count, 1u);
}

TEST(MousePointer, NamesThePointerByItsFirstDwordOrByte) {
  Unit unit;
  EXPECT_EQ(unit.mousePointerKind(), 0);
  unit.mousePointer = {0x02};  // shorter than a dword: its first byte
  EXPECT_EQ(unit.mousePointerKind(), 2);
  unit.mousePointer = {0xFF, 0xFF, 0xFF, 0xFF, 'C', 'U', 'R'};  // -1: a cursor file follows
  EXPECT_EQ(unit.mousePointerKind(), -1);
}

}  // namespace
}  // namespace horavia::ui
