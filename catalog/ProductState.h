#pragma once
// Texts of the product states (`NuEstado` of `TProducto`) shown in the product list.

#include <QString>

namespace korvel {

// 0 "Vigente", 1 "Descontinuado", 2 "Bloqueado", 3 "Nuevo"; any other state returns `current`.
QString productStateText(int state, const QString &current);

} // namespace korvel
