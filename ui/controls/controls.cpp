#include "ui/controls/controls.h"

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

void InstallControls() {
  using namespace controls;
  InstallUnit<EditBoxUnit>(unit_type::kEditBox);
  InstallUnit<PicBoxUnit>(unit_type::kPicBox);
  InstallUnit<DrawPanelUnit>(unit_type::kDrawPanel);
  InstallUnit<LabelUnit>(unit_type::kLabel);
  InstallUnit<ButtonUnit>(unit_type::kButton);
  InstallUnit<CheckBoxUnit>(unit_type::kCheckBox);
  InstallUnit<ComboBoxUnit>(unit_type::kComboBox);
  InstallUnit<ListBoxUnit>(unit_type::kListBox);
  InstallUnit<SliderBarUnit>(unit_type::kSliderBar);
}

}  // namespace horavia::ui
