#pragma once
// Saving an order sent by a client: a new one (`Guardar_Carro`) or a change
// of one still in capture or quotation (`Modificar_Carro`). The lines are
// checked against the catalogue and their amounts worked out again under the
// company's tax options, the header totals are the sums of the lines, and
// lines sold below the list price (or at an agreed price) open a price
// authorization request.

#include "service/Ikorvel.h"

#include <QString>

namespace korvel::sandbox {

class Store;
struct SessionUser;

// Result codes of Guardar_Carro.
enum GuardarCarroCode {
    GuardarNoGuardado = 0,
    GuardarYaExiste = 1,
    GuardarExitoso = 2,
    GuardarSinCliente = 3,
    GuardarSinCabecera = 4,
    GuardarProductoNoExiste = 5,
    GuardarSinAcceso = -1,
};

// Result codes of Modificar_Carro.
enum ModificarCarroCode {
    ModificarSinFolio = 0,
    ModificarNoEncontrado = 1,
    ModificarNoModificado = 2,
    ModificarProductoNoAgregado = 3,
    ModificarNoDepurado = 4,
    ModificarExitoso = 5,
    ModificarSinAcceso = -1,
};

// Both return the result code; on a refusal `reason` says why in Spanish and
// nothing was written.
int guardarCarro(Store& store, const SessionUser& user, const TPedido& pedido, int* nuCarro, QString* reason);
int modificarCarro(Store& store, const SessionUser& user, const TPedido& pedido, QString* reason);

// Sets the header totals and the authorization mark of an order from its stored lines.
void refreshOrderTotals(Store& store, int nuCarro);

// Module of the order screens in the grant string.
constexpr int kModuloPedidos = 4;

} // namespace korvel::sandbox
