#include "ui/forms/stored_fields.h"

namespace horavia::ui {

const char* ToString(StoredStatus status) {
  switch (status) {
    case StoredStatus::Ok: return "ok";
    case StoredStatus::Truncated: return "truncated";
    case StoredStatus::UnsupportedVersion: return "unsupported version";
  }
  return "unknown";
}

}  // namespace horavia::ui
