#include "base/stored_fields.h"

namespace horavia::base {

const char* ToString(StoredStatus status) {
  switch (status) {
    case StoredStatus::Ok: return "ok";
    case StoredStatus::Truncated: return "truncated";
    case StoredStatus::UnsupportedVersion: return "unsupported version";
  }
  return "unknown";
}

}  // namespace horavia::base
