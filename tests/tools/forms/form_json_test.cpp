#include "tools/forms/form_json.h"

#include <gtest/gtest.h>

#include "tools/forms/type_data.h"

namespace horavia::tools {
namespace {

TEST(FormJson, ListsUnitsAndMenuItemsInTheirOwnShapes) {
  ui::Form form;
  form.id = 0x52010001;
  ui::Unit window;
  window.id = 0x06010000;
  window.type = ui::unit_type::kWindow;
  window.left = 50;
  window.width = 300;
  window.flags = 1;
  window.events = {{0, 1, {}}};
  window.typeData = {9, 0, 0, 0};  // a version no reader knows: no window data
  ui::Unit item;
  item.id = 0x26010001;
  item.type = ui::unit_type::kMenuItem;
  item.menu.level = 1;
  item.menu.flags = 4;
  item.menu.shortcut = 19;
  item.menu.caption = "a\"b";
  item.menu.handlerOffset = -1;
  ui::Unit box;
  box.id = 0x16010008;
  box.type = ui::unit_type::kCartoonBox;
  box.name = "\xB1\xEA";  // "标" in code page 936
  box.parent = 7;
  box.events = {{15, 2, {}}, {3, -1, {}}};
  form.units = {window, item, box};

  EXPECT_EQ(formsJson(std::span(&form, 1)),
            "{\"forms\":[{\"id\":1375797249,\"units\":["
            "{\"index\":0,\"id\":100728832,\"type\":65537,\"name\":\"\",\"left\":50,\"top\":0,\"width\":300,"
            "\"height\":0,\"flags\":1,\"parent\":0,\"events\":[[0,1]],\"window\":null},"
            "{\"index\":1,\"id\":637599745,\"type\":65539,\"level\":1,\"flags\":4,\"shortcut\":19,"
            "\"caption\":\"a\\\"b\",\"handler\":-1},"
            "{\"index\":2,\"id\":369164296,\"type\":131080,\"name\":\"\xE6\xA0\x87\",\"left\":0,\"top\":0,"
            "\"width\":0,\"height\":0,\"flags\":0,\"parent\":7,\"events\":[[15,2],[3,-1]]}"
            "]}]}\n");
}

TEST(FormJson, EscapesControlCharacters) {
  EXPECT_EQ(jsonString("a\\b\n\x01"), "\"a\\\\b\\u000a\\u0001\"");
}

}  // namespace
}  // namespace horavia::tools
