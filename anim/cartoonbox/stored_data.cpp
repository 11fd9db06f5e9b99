#include "anim/cartoonbox/stored_data.h"

namespace horavia::anim {

StoredStatus readCartoonBoxData(std::span<const std::uint8_t> bytes, CartoonBoxData& out) {
  return base::readStoredOrDefaults(bytes, out);
}

StoredStatus readCartoonObjectData(std::span<const std::uint8_t> bytes, CartoonObjectData& out) {
  return base::readStoredOrDefaults(bytes, out);
}

Bytes writeCartoonBoxData(const CartoonBoxData& data) { return base::writeStored(data); }

Bytes writeCartoonObjectData(const CartoonObjectData& data) { return base::writeStored(data); }

}  // namespace horavia::anim
