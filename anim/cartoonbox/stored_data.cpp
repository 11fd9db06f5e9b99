#include "anim/cartoonbox/stored_data.h"

namespace horavia::anim {

StoredStatus readCartoonBoxData(std::span<const std::uint8_t> bytes, CartoonBoxData& out) {
  return ui::readStoredOrDefaults(bytes, out);
}

StoredStatus readCartoonObjectData(std::span<const std::uint8_t> bytes, CartoonObjectData& out) {
  return ui::readStoredOrDefaults(bytes, out);
}

Bytes writeCartoonBoxData(const CartoonBoxData& data) { return ui::writeStored(data); }

Bytes writeCartoonObjectData(const CartoonObjectData& data) { return ui::writeStored(data); }

}  // namespace horavia::anim
