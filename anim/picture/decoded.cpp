#include "anim/picture/decoded.h"

namespace horavia::anim {

// Every reason has its own text; the compiler's switch warning catches one
// added without.
const char* DecodeErrorText(DecodeError error) {
  switch (error) {
    case DecodeError::None: return "it decodes";
    case DecodeError::UnknownFormat: return "its first bytes are not those of a GIF, JPEG, BMP, PNG, icon or PCX picture";
    case DecodeError::Truncated: return "the file ends before the picture does";
    case DecodeError::Malformed: return "its header or one of its blocks is damaged";
    case DecodeError::Unsupported: return "it is a kind of its format that the program does not read";
    case DecodeError::TooLarge: return "it has more pixels than the program decodes for one picture (4096 × 4096)";
    case DecodeError::DamagedData: return "its compressed pixel data is damaged";
    case DecodeError::NoImage: return "it holds no image";
  }
  return "it does not decode";
}

}  // namespace horavia::anim
