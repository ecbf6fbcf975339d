#include "util/GridReflow.h"

namespace korvel {

QList<std::optional<GridCell>> reflowGrid(const QList<bool> &visible)
{
    QList<std::optional<GridCell>> cells;
    cells.reserve(visible.size());
    GridCell next;
    for (bool shown : visible) {
        if (!shown) {
            cells.append(std::nullopt);
            continue;
        }
        cells.append(next);
        if (next.column == 0) {
            next.column = 1;
        } else {
            next.column = 0;
            ++next.row;
        }
    }
    return cells;
}

} // namespace korvel
