// Form sources: the readable text from which the build writes the form block.
//
// One line per statement; "#" starts a comment outside quotes; texts are
// UTF-8 in double quotes (escapes \" \\ \n \r \t) and are stored in code page
// 936. Integers are decimal or 0x hexadecimal, optionally negative.
//
//   form ID                          a new form; its units follow
//   reserved A B                     the form's two reserved values (default 0)
//   window ID                        the window unit, entry 0 of the form
//   unit ID TYPE NAME                a unit; TYPE is a type name (CheckBox,
//                                    CartoonObject, ...) or a type code
//   menu ID                          a menu item
//
// Statements about the unit above:
//   rect LEFT TOP WIDTH HEIGHT
//   flags WORD...                    units: visible disabled tabstop;
//                                    menu items: hidden disabled checked;
//                                    or one number
//   tab N                            tab order
//   parent ID                        the container holding the unit
//   children ID...                   a container's units (0 separates pages)
//   cursor N | file:PATH             system cursor id, or a cursor file
//   tag "TEXT"   remark "TEXT"
//   on EVENT HANDLER                 an event binding; HANDLER is a name from
//                                    the application's handler list or none
//   data KEY VALUE                   one field of the type's stored data;
//                                    fields not named keep their defaults
//   nodata                           the unit stores no type data at all
// Menu items only:
//   level N   shortcut N   caption "TEXT"   handler HANDLER
//
// Blob values are "" (empty), file:PATH (relative to the source file),
// asset:PATH (relative to the asset folder the compiler is given: content
// the build generates, such as the chime animation) or hex:BYTES.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/forms/type_data.h"
#include "ui/forms/form_table.h"

namespace horavia::tools {

struct SourceContext {
  // The offset of a named handler, or -1 when the name is unknown.
  std::function<std::int32_t(std::string_view name)> handlerOffset;
  ValueResolver values;
};

// Appends the forms of one source to `forms`. False, with "line N: why" in
// `error`, on the first statement that cannot be compiled.
bool compileFormSource(std::string_view text, const SourceContext& context, std::vector<ui::Form>& forms,
                       std::string& error);

// The resolver the tool uses: texts through the code-page-936 converter,
// file: paths relative to `folder`, asset: paths relative to `assetFolder`
// (an asset: value fails when it is empty), hex bytes inline. When
// `filesRead` is given, the path of every file read is appended to it (for
// the build's dependency list).
ValueResolver standardResolver(const std::string& folder, std::vector<std::string>* filesRead = nullptr,
                               const std::string& assetFolder = "");

}  // namespace horavia::tools
