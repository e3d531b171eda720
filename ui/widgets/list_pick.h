#pragma once
// The name lists of the soil dialogs pick on every click: the list's own
// signals tell only of a change of row, so a click on the item already
// current would pick nothing, and the same name could not be given to two
// layers in a row.

#include <functional>

class QListWidget;

namespace vosk {

// Calls `pick` with the row of a click that leaves the current row as it
// was (a click that changes it already picks through the change).
void PickOnClickOfCurrentItem(QListWidget* list, std::function<void(int row)> pick);

}  // namespace vosk
