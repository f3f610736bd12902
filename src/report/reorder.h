// Internal to the report layer.
// The drop rule of the inspections list, shared by its rows and the inspection records so
// that row i always stays paired with record i.
#pragma once

#include <utility>
#include <vector>

namespace calivue {

// Where the row dragged from `source` ends up when dropped on `target` (−1: empty space
// below the rows) in a list of `count` rows: the copy goes in at the end for −1, after the
// target when the source lies before it, else at the target, and the old row is deleted.
// −1 when nothing changes (target == source, or either out of range).
inline int droppedIndex(int count, int source, int target)
{
    if (source < 0 || source >= count || target == source || target < -1 || target >= count)
        return -1;
    const int insertAt = target == -1 ? count : (source < target ? target + 1 : target);
    return insertAt > source ? insertAt - 1 : insertAt;
}

// Moves the element as droppedIndex says; false when nothing changed.
template <class T>
bool moveByDrop(std::vector<T>& items, int source, int target)
{
    const int to = droppedIndex(static_cast<int>(items.size()), source, target);
    if (to < 0 || to == source) return false;
    T moved = std::move(items[source]);
    items.erase(items.begin() + source);
    items.insert(items.begin() + to, std::move(moved));
    return true;
}

}  // namespace calivue
