// Fuzz entry point for the form block loader: any bytes, read as a form block
// and, when they read, walked as the window engine would walk them (fix-up,
// lookups, menu run, every unit's stored data), then written and read again.
// Nothing may crash, read out of bounds or allocate without bound, and a
// block that reads must write out as one that reads back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <span>

#include "anim/cartoonbox/stored_data.h"
#include "ui/controls/stored_data.h"
#include "ui/forms/form_table.h"
#include "ui/forms/window_data.h"

namespace {

using namespace horavia;

void readTypeData(const ui::Unit& unit) {
  namespace t = ui::unit_type;
  const std::span<const std::uint8_t> data = ui::unitTypeData(unit);
  switch (unit.type) {
    case t::kWindow: { ui::WindowData d; ui::readWindowData(data, d); break; }
    case t::kCheckBox: { ui::CheckBoxData d; ui::readCheckBoxData(data, d); break; }
    case t::kSliderBar: { ui::SliderBarData d; ui::readSliderBarData(data, d); break; }
    case t::kLabel: { ui::LabelData d; ui::readLabelData(data, d); break; }
    case t::kButton: { ui::ButtonData d; ui::readButtonData(data, d); break; }
    case t::kComboBox: { ui::ComboBoxData d; ui::readComboBoxData(data, d); break; }
    case t::kListBox: { ui::ListBoxData d; ui::readListBoxData(data, d); break; }
    case t::kPicBox: { ui::PicBoxData d; ui::readPicBoxData(data, d); break; }
    case t::kEditBox: { ui::EditBoxData d; ui::readEditBoxData(data, d); break; }
    case t::kCartoonBox: { anim::CartoonBoxData d; anim::readCartoonBoxData(data, d); break; }
    case t::kCartoonObject: { anim::CartoonObjectData d; anim::readCartoonObjectData(data, d); break; }
    default: break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ui::FormTable table;
  if (!table.loadFormBlock(std::span(data, size), 0x400000)) {
    if (!table.empty()) __builtin_trap();  // a failed load keeps nothing
    return 0;
  }
  for (const ui::Form& form : table.forms()) {
    if (table.findForm(form.id) == nullptr && ui::isValidId(form.id)) __builtin_trap();
    const ui::MenuRun run = ui::firstMenuRun(form);
    if (run.first + run.count > form.units.size()) __builtin_trap();
    for (const ui::Unit& unit : form.units) {
      (void)ui::findUnit(form, unit.id);
      (void)unit.mousePointerKind();
      readTypeData(unit);
    }
    (void)ui::findEventSource(form.units, 0);
  }
  const base::Bytes written = ui::writeFormBlock(table.forms());
  const std::optional<std::vector<ui::Form>> again = ui::parseFormBlock(written);
  if (!again || ui::writeFormBlock(*again) != written) __builtin_trap();
  return 0;
}
