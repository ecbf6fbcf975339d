#pragma once
// The sale an operation folio names: what a driver or a checker types or
// scans (the record of the sale itself is `saleCfdi` of the collections).

#include "service/Ikorvel.h"

#include <QString>

#include <optional>

namespace korvel::sandbox {

class Store;

struct OperationFolio {
    enum Kind { Invalid, Number, Uuid } kind = Invalid;
    int folioVenta = 0;
    QString uuid;
};

// "123", " 123 ", "123&x=..." (what is left of a "?ID=123&..." address) are
// sale folio 123; a folio fiscal (UUID), alone or inside the tax authority's
// verification address, names the sale of that invoice. Anything else is invalid.
OperationFolio readOperationFolio(const QString& text);

struct SaleHead {
    int folioVenta = 0;
    int nuEmpresa = 0;
    int tipo = 0;            // 2 factura, 5 ticket, 6 remisión
    QString origen;          // ADM, POS
    int estatusEntrega = 0;  // 0 En Espera, 1 En Ruta, 3 Entregado, 4 Devuelto, 5 ReAgendado
    bool cancelada = false;
    bool timbrada = false;
    int nuCarro = 0;
};

// The sale a folio names, in any company (the caller decides what another
// company's sale means).
std::optional<SaleHead> findSale(Store& store, const OperationFolio& folio);

} // namespace korvel::sandbox
