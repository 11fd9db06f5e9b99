#include "ui/controls/stored_data.h"

namespace horavia::ui {

using base::readStored;
using base::readStoredOrDefaults;
using base::writeStored;

StoredStatus readCheckBoxData(std::span<const std::uint8_t> bytes, CheckBoxData& out) { return readStored(bytes, out); }
StoredStatus readSliderBarData(std::span<const std::uint8_t> bytes, SliderBarData& out) { return readStored(bytes, out); }
StoredStatus readLabelData(std::span<const std::uint8_t> bytes, LabelData& out) { return readStored(bytes, out); }
StoredStatus readButtonData(std::span<const std::uint8_t> bytes, ButtonData& out) { return readStored(bytes, out); }
StoredStatus readComboBoxData(std::span<const std::uint8_t> bytes, ComboBoxData& out) { return readStored(bytes, out); }
StoredStatus readListBoxData(std::span<const std::uint8_t> bytes, ListBoxData& out) {
  return readStoredOrDefaults(bytes, out);
}
StoredStatus readPicBoxData(std::span<const std::uint8_t> bytes, PicBoxData& out) {
  return readStoredOrDefaults(bytes, out);
}
StoredStatus readEditBoxData(std::span<const std::uint8_t> bytes, EditBoxData& out) { return readStored(bytes, out); }
StoredStatus readDrawPanelData(std::span<const std::uint8_t> bytes, DrawPanelData& out) {
  return readStoredOrDefaults(bytes, out);
}

Bytes writeCheckBoxData(const CheckBoxData& data) { return writeStored(data); }
Bytes writeSliderBarData(const SliderBarData& data) { return writeStored(data); }
Bytes writeLabelData(const LabelData& data) { return writeStored(data); }
Bytes writeButtonData(const ButtonData& data) { return writeStored(data); }
Bytes writeComboBoxData(const ComboBoxData& data) { return writeStored(data); }
Bytes writeListBoxData(const ListBoxData& data) { return writeStored(data); }
Bytes writePicBoxData(const PicBoxData& data) { return writeStored(data); }
Bytes writeEditBoxData(const EditBoxData& data) { return writeStored(data); }
Bytes writeDrawPanelData(const DrawPanelData& data) { return writeStored(data); }

}  // namespace horavia::ui
