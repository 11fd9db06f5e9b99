#include "ui/cartoon/cartoon_units.h"

#include "runtime/libraries/library_records.h"
#include "ui/cartoon/box_commands.h"
#include "ui/cartoon/cartoon_box_unit.h"
#include "ui/cartoon/cartoon_object_unit.h"
#include "ui/units/property_table.h"

namespace horavia::ui {

const std::array<runtime::PropertyInfo, 21> kCartoonBoxProperties = PropertyInfos(anim::kBoxProperties);
const std::array<runtime::PropertyInfo, 32> kCartoonObjectProperties = PropertyInfos(anim::kTemplateProperties);

void InstallCartoonUnits() {
  runtime::InstallUnitType(runtime::unit_type::kCartoonBox, &UnitInterface<CartoonBoxUnit>,
                           kCartoonBoxProperties.data());
  runtime::InstallUnitType(runtime::unit_type::kCartoonObject, &UnitInterface<CartoonObjectUnit>,
                           kCartoonObjectProperties.data());
  for (int i = 0; i < box_command::kCount; ++i) {
    runtime::InstallCommand(runtime::kExtendedInterfaceLibrary, i, kBoxCommands[static_cast<std::size_t>(i)]);
  }
}

}  // namespace horavia::ui
