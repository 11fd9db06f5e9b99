#include "tools/forms/form_json.h"

#include "platform/text_codec.h"
#include "tools/forms/type_data.h"

namespace horavia::tools {
namespace {

std::string text(const std::string& cp936) { return jsonString(platform::Cp936ToUtf8(cp936)); }

std::string num(std::int64_t value) { return std::to_string(value); }

std::string menuItemJson(const ui::Unit& unit, std::size_t index) {
  const ui::MenuItemFields& m = unit.menu;
  return "{\"index\":" + num(index) + ",\"id\":" + num(unit.id) + ",\"type\":" + num(unit.type) +
         ",\"level\":" + num(m.level) + ",\"flags\":" + num(m.flags) + ",\"shortcut\":" + num(m.shortcut) +
         ",\"caption\":" + text(m.caption) + ",\"handler\":" + num(m.handlerOffset) + "}";
}

std::string placedUnitJson(const ui::Unit& unit, std::size_t index) {
  std::string out = "{\"index\":" + num(index) + ",\"id\":" + num(unit.id) + ",\"type\":" + num(unit.type) +
                    ",\"name\":" + text(unit.name) + ",\"left\":" + num(unit.left) + ",\"top\":" + num(unit.top) +
                    ",\"width\":" + num(unit.width) + ",\"height\":" + num(unit.height) +
                    ",\"flags\":" + num(unit.flags) + ",\"parent\":" + num(unit.parent) + ",\"events\":[";
  for (std::size_t i = 0; i < unit.events.size(); ++i) {
    out += (i ? ",[" : "[") + num(unit.events[i].event) + "," + num(unit.events[i].handlerOffset) + "]";
  }
  out += "]";
  if (unit.type == ui::unit_type::kWindow) {
    out += ",\"window\":" + typeDataJson(unit.type, unit.typeData, [](std::string_view s) {
      return platform::Cp936ToUtf8(s);
    });
  }
  return out + "}";
}

}  // namespace

std::string formsJson(std::span<const ui::Form> forms) {
  std::string out = "{\"forms\":[";
  for (std::size_t f = 0; f < forms.size(); ++f) {
    out += (f ? ",{" : "{") + std::string("\"id\":") + num(forms[f].id) + ",\"units\":[";
    const ui::UnitTable& units = forms[f].units;
    for (std::size_t i = 0; i < units.size(); ++i) {
      if (i) out += ",";
      out += units[i].isMenuItem() ? menuItemJson(units[i], i) : placedUnitJson(units[i], i);
    }
    out += "]}";
  }
  return out + "]}\n";
}

}  // namespace horavia::tools
