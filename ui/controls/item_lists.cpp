#include "ui/controls/item_lists.h"

#include "ui/controls/unit_support.h"

namespace horavia::ui::controls {

QStringList ItemsFromStored(const std::string& items) {
  if (items.empty()) return {};
  return FromCp936(items).split(QStringLiteral("\r\n"));
}

std::string StoredFromItems(const QStringList& items) { return ToCp936(items.join(QStringLiteral("\r\n"))); }

int SortedPosition(int count, const std::function<QString(int)>& itemAt, const QString& text) {
  int low = 0, high = count;
  while (low < high) {
    const int mid = low + (high - low) / 2;
    if (QString::compare(itemAt(mid), text, Qt::CaseInsensitive) <= 0) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  return low;
}

}  // namespace horavia::ui::controls
