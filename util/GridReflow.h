#pragma once
// Packing of the visible tiles of a two-column grid (the main menu after login).

#include <QList>

#include <optional>

namespace korvel {

// A cell of the grid.
struct GridCell {
    int row = 0;
    int column = 0;
    friend bool operator==(const GridCell &, const GridCell &) = default;
};

// For controls in design order, the cell of each visible one (columns 0,1 alternate); hidden ones get none.
QList<std::optional<GridCell>> reflowGrid(const QList<bool> &visible);

} // namespace korvel
