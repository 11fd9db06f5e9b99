// What the combo box and the list box share: their stored item lists (one
// item per line, "\r\n" between) and where a new item goes in a sorted list.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <string>

namespace horavia::ui::controls {

QStringList ItemsFromStored(const std::string& items);
std::string StoredFromItems(const QStringList& items);

// The position of `text` among `count` items read by `itemAt`: after every
// item that is not greater, comparing without regard to case, so equal items
// keep the order they were added in.
int SortedPosition(int count, const std::function<QString(int)>& itemAt, const QString& text);

}  // namespace horavia::ui::controls
