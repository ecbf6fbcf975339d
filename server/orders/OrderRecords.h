#pragma once
// Orders ("carros") of the store as service records.

#include "service/Ikorvel.h"

#include <QDate>

#include <optional>

namespace korvel::sandbox {

class Store;

// The client record as an order carries it: the catalogue client with its
// open balance in the currency given.
std::optional<TCliente> loadCliente(Store& store, int nuEmpresa, int nuClienteKorvel, int nuMoneda);

// One order of a company, with its client and, when asked, its lines.
std::optional<TPedido> loadPedido(Store& store, int nuEmpresa, int nuCarro, bool withLines);

// Orders of the days from..to (inclusive) in step `nuPaso` (-1 = every step), without lines.
TListaPedido listPedidos(Store& store, int nuEmpresa, const QDate& from, const QDate& to, int nuPaso);

// The lines of an order in their stored order.
std::vector<TDetalle> loadDetalles(Store& store, int nuCarro);

// Store text forms of the record dates.
XsDateTime xsDateTimeFromStore(const QString& text);

} // namespace korvel::sandbox
