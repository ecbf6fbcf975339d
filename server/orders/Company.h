#pragma once
// What the order, sale and document code needs of a company record.

#include "server/orders/OrderMath.h"

#include <QString>

namespace korvel::sandbox {

class Store;

struct CompanyInfo {
    int nuEmpresa = 0;
    QString nombre;
    QString comercial;
    QString rfc;
    QString domicilio;
    QString telefono;
    QString correo;
    TaxOptions taxes;
    double tcVenta = 0;         // pesos per dollar for sales
    QString regimenFiscal;
    QString lugarExpedicion;    // postal code of the issuer
    QString nuCertificado;
};

// The company of that index; throws SandboxFault when it does not exist.
CompanyInfo loadCompany(Store& store, int nuEmpresa);

// "MXN" for 1, "USD" for anything else.
QString currencyCode(int nuMoneda);

} // namespace korvel::sandbox
