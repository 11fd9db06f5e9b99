#include "ui/controls/controls.h"

#include "runtime/libraries/library_records.h"
#include "ui/controls/button.h"
#include "ui/controls/check_box.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/draw_panel.h"
#include "ui/controls/edit_box.h"
#include "ui/controls/label.h"
#include "ui/controls/list_box.h"
#include "ui/controls/pic_box.h"
#include "ui/controls/slider_bar.h"
#include "ui/forms/form_table.h"

namespace horavia::ui {
namespace {

template <class U>
void Install(std::uint32_t type) {
  runtime::InstallUnitType(type, &controls::UnitInterface<U>, U::kProperties.data());
}

}  // namespace

void InstallControls() {
  using namespace controls;
  Install<EditBoxUnit>(unit_type::kEditBox);
  Install<PicBoxUnit>(unit_type::kPicBox);
  Install<DrawPanelUnit>(unit_type::kDrawPanel);
  Install<LabelUnit>(unit_type::kLabel);
  Install<ButtonUnit>(unit_type::kButton);
  Install<CheckBoxUnit>(unit_type::kCheckBox);
  Install<ComboBoxUnit>(unit_type::kComboBox);
  Install<ListBoxUnit>(unit_type::kListBox);
  Install<SliderBarUnit>(unit_type::kSliderBar);
}

}  // namespace horavia::ui
