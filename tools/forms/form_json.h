// The JSON listing of a form block (UTF-8):
//   {"forms":[{"id":N,"units":[UNIT,...]},...]}
// where UNIT is, for a menu item,
//   {"index","id","type","level","flags","shortcut","caption","handler"}
// and for every other unit
//   {"index","id","type","name","left","top","width","height","flags",
//    "parent","events":[[EVENT,HANDLER],...]}
// plus, for the window unit, "window": its window data by field name.
// Ids and types are numbers; a handler is its offset from the code base, or
// -1 for none.
#pragma once

#include <span>
#include <string>

#include "ui/forms/form_table.h"

namespace horavia::tools {

std::string formsJson(std::span<const ui::Form> forms);

}  // namespace horavia::tools
