#pragma once
// Deliveries at the customer's door: finding the sale of an operation folio,
// registering its outcome with notes, signature and position, the company's
// web endpoint that receives the delivered sales, and the sale review list.

#include "server/Sandbox.h"
#include "service/Ikorvel.h"

#include <QByteArray>
#include <QString>

namespace korvel::sandbox {

class Store;
struct SessionUser;

// Result codes of BuscarFolioVentaCFDI.
enum BuscarFolioCode {
    BuscarNoEncontrado = 0,
    BuscarFolioIncorrecto = 1,
    BuscarEncontrado = 2,
    BuscarNoAdministrativo = 3,
    BuscarSinAcceso = -1,
};

// Result codes of the RegistrarEntrega operations.
enum RegistrarEntregaCode {
    EntregaNoEncontrada = 0,
    EntregaYaEntregada = 1,
    EntregaRegistrada = 2,
    EntregaNoEnRuta = 3,
    EntregaSinAcceso = -1,
};

// Delivery outcomes and sale delivery states (ventas.EstatusEntrega).
enum EstatusEntrega { EnEspera = 0, EnRuta = 1, Entregado = 3, Devuelto = 4, ReAgendado = 5 };

constexpr int kModuloEntregas = 10;
constexpr int kModuloRevision = 12;

int searchSale(Store& store, const SessionUser& user, const QString& folioOpera, int* folioVenta, int* estatus,
               TCFDI* cfdi, QString* reason);

struct DeliveryInput {
    int folioVenta = 0;
    int estatus = 0;
    QString notas;
    QByteArray firma;      // JPEG, empty without
    bool withPosition = false;
    double latitud = 0;
    double longitud = 0;
};

// Bad input (unknown outcome, a signature that is not a JPEG, impossible
// coordinates, no reason for not delivering) throws SandboxFault.
int registerDelivery(Store& store, const SessionUser& user, const DeliveryInput& input, QString* reason);

// POST <base>/entregas/<rest>: the JSON record of a delivered sale.
Sandbox::HttpAnswer receiveDeliveryPost(Store& store, const QString& rest, const QByteArray& body);

// The sale review text: per line "code1,code2,code3,unit,description,quantity,price,total,|".
// An empty `msg` means the sale was found.
QString saleReviewText(Store& store, const SessionUser& user, const QString& folio, QString* msg);

} // namespace korvel::sandbox
