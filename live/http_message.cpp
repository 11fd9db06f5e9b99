#include "live/http_message.h"

#include "base/ascii.h"

namespace horavia::live {

std::string_view ReasonPhrase(Status status) {
  for (const StatusRow& row : kStatuses) {
    if (row.status == status) return row.reason;
  }
  return "";
}

HeaderLookup FindHeader(const std::vector<Header>& headers, std::string_view name) {
  HeaderLookup found;
  for (const Header& header : headers) {
    if (!base::EqualIgnoringAsciiCase(header.name, name)) continue;
    if (found.value) {
      found.repeated = true;
      return found;
    }
    found.value = header.value;
  }
  return found;
}

}  // namespace horavia::live
