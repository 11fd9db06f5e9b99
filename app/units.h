// The application's windows and the units its handlers act on, as the form
// sources in app/forms/ define them (a test checks each against the compiled
// form block by name), and the property and event numbers it uses.
#pragma once

#include <cstdint>

#include "runtime/values.h"

namespace horavia::app {

namespace type = runtime::unit_type;
using runtime::UnitRef;

// [main window] ---------------------------------------------------------------

namespace main_window {
inline constexpr std::uint32_t kForm = 0x52010001;
inline constexpr UnitRef kWindow{kForm, 0x06010000, type::kWindow};
inline constexpr UnitRef kBox{kForm, 0x16010008, type::kCartoonBox};                 // 动画框_背景
inline constexpr UnitRef kHourTemplate{kForm, 0x16010009, type::kCartoonObject};     // 动画物体_时针
inline constexpr UnitRef kMinuteTemplate{kForm, 0x1601000A, type::kCartoonObject};   // 动画物体_分针
inline constexpr UnitRef kSecondTemplate{kForm, 0x1601000B, type::kCartoonObject};   // 动画物体_秒针
inline constexpr UnitRef kWheelTemplate{kForm, 0x16010256, type::kCartoonObject};    // 动画物体_转盘
inline constexpr UnitRef kNeedleTemplate{kForm, 0x16010207, type::kCartoonObject};   // 动画物体_选择针
inline constexpr UnitRef kChimeTemplate{kForm, 0x16010185, type::kCartoonObject};    // 动画物体_整点报时
inline constexpr UnitRef kEnd1Template{kForm, 0x160106C4, type::kCartoonObject};     // 动画物体_结束1
inline constexpr UnitRef kEnd2Template{kForm, 0x160106C5, type::kCartoonObject};     // 动画物体_结束2
inline constexpr UnitRef kFacePicture{kForm, 0x16010267, type::kPicBox};             // 图片框_表盘
inline constexpr UnitRef kWheelPicture{kForm, 0x16010268, type::kPicBox};            // 图片框_转盘
inline constexpr UnitRef kMenu{kForm, 0x26010001, type::kMenuItem};                  // 隐藏菜单
inline constexpr UnitRef kChimeItem{kForm, 0x26010006, type::kMenuItem};             // 整点报时(&Z)
inline constexpr UnitRef kClickThroughItem{kForm, 0x26010009, type::kMenuItem};      // 鼠标穿透
inline constexpr UnitRef kSecondHandItem{kForm, 0x2601000A, type::kMenuItem};        // 显示秒针
}  // namespace main_window

// [settings window] -----------------------------------------------------------

namespace settings_window {
inline constexpr std::uint32_t kForm = 0x5201009E;
inline constexpr UnitRef kWindow{kForm, 0x0601009E, type::kWindow};
inline constexpr UnitRef kSkinList{kForm, 0x1601009F, type::kListBox};        // 列表框1
inline constexpr UnitRef kAutostart{kForm, 0x160100A0, type::kCheckBox};      // 选择框1
inline constexpr UnitRef kDevices{kForm, 0x160100A2, type::kComboBox};        // 组合框1
inline constexpr UnitRef kVolume{kForm, 0x160100A4, type::kSliderBar};        // 滑块条1
inline constexpr UnitRef kOkBox{kForm, 0x160100A5, type::kCartoonBox};        // 动画框1
inline constexpr UnitRef kOkTemplate{kForm, 0x160100A6, type::kCartoonObject};  // 动画物体_确定
inline constexpr UnitRef kLocalControl{kForm, 0x160100A7, type::kCheckBox};   // 选择框2
inline constexpr UnitRef kOverlayAddress{kForm, 0x160100A9, type::kEditBox};  // 编辑框1
inline constexpr UnitRef kCopyAddress{kForm, 0x160100AA, type::kButton};      // 按钮1
inline constexpr UnitRef kControlNote{kForm, 0x160100AB, type::kLabel};       // 标签4
inline constexpr UnitRef kOpacity{kForm, 0x160100AE, type::kSliderBar};       // 滑块条2
inline constexpr UnitRef kSize{kForm, 0x160100B0, type::kSliderBar};          // 滑块条3
}  // namespace settings_window

// [numbers] -------------------------------------------------------------------

// The properties the application reads and writes.
namespace property {
inline constexpr std::int32_t kVisible = 5;             // every unit
inline constexpr std::int32_t kDisabled = 6;            // every unit
inline constexpr std::int32_t kMenuChecked = 1;         // menu item
inline constexpr std::int32_t kBoxBackground = 10;      // CartoonBox: pic
inline constexpr std::int32_t kTemplatePicture = 11;    // CartoonObject: picture
inline constexpr std::int32_t kGifAutoDestroy = 16;     // CartoonObject: GIFAutoDestroy
inline constexpr std::int32_t kPicture = 10;            // PicBox
inline constexpr std::int32_t kChecked = 18;            // CheckBox
inline constexpr std::int32_t kComboSelection = 19;     // ComboBox
inline constexpr std::int32_t kListSelection = 16;      // ListBox
inline constexpr std::int32_t kSliderPosition = 19;     // SliderBar
inline constexpr std::int32_t kEditText = 8;            // EditBox
inline constexpr std::int32_t kLabelCaption = 8;        // Label
}  // namespace property

// The message-box style of the device failure: the exclamation icon.
inline constexpr std::int32_t kExclamationBox = 48;
// The registry root of the autostart value: the local machine.
inline constexpr std::int32_t kLocalMachine = 4;
// The file search mask of folders.
inline constexpr std::int32_t kFolderMask = 16;

}  // namespace horavia::app
