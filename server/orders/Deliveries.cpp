#include "server/orders/Deliveries.h"

#include "server/Access.h"
#include "server/SandboxFault.h"
#include "server/Store.h"
#include "server/TextHelpers.h"
#include "server/orders/StoreValues.h"
#include "server/collections/CfdiRecords.h"
#include "server/orders/DocumentPdfs.h"
#include "server/orders/ProductInfo.h"
#include "server/orders/SaleRecord.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>

#include <cmath>

namespace korvel::sandbox {
namespace {

constexpr qsizetype kMaxFirma = 2 * 1024 * 1024;
constexpr qsizetype kMaxNotas = 2000;
constexpr qsizetype kMaxPost = 1024 * 1024;

QString estatusName(int estatus)
{
    switch (estatus) {
    case EnEspera: return QStringLiteral("En Espera");
    case EnRuta: return QStringLiteral("En Ruta");
    case Entregado: return QStringLiteral("Entregado");
    case Devuelto: return QStringLiteral("Devuelto");
    case ReAgendado: return QStringLiteral("ReAgendado");
    default: return QStringLiteral("estado %1").arg(estatus);
    }
}

// A field of the review text: its separators cannot appear inside it.
QString reviewField(QString text)
{
    text.replace(QLatin1Char(','), QLatin1Char(' '));
    text.replace(QLatin1Char('|'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.trimmed();
}

QByteArray jsonAnswer(const QJsonObject& o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

} // namespace

int searchSale(Store& store, const SessionUser& user, const QString& folioOpera, int* folioVenta, int* estatus,
               TCFDI* cfdi, QString* reason)
{
    *folioVenta = 0;
    *estatus = 0;
    *cfdi = TCFDI{};
    if (!user.hasModule(kModuloEntregas)) {
        *reason = QStringLiteral("El usuario %1 no tiene acceso a entregas").arg(user.login);
        return BuscarSinAcceso;
    }
    const OperationFolio folio = readOperationFolio(folioOpera);
    if (folio.kind == OperationFolio::Invalid) {
        *reason = QStringLiteral("Folio de operación incorrecto: \"%1\"").arg(folioOpera.left(60));
        return BuscarFolioIncorrecto;
    }
    const std::optional<SaleHead> sale = findSale(store, folio);
    if (!sale || sale->nuEmpresa != user.company || sale->cancelada) {
        *reason = sale && sale->nuEmpresa == user.company
                      ? QStringLiteral("La venta %1 está cancelada").arg(sale->folioVenta)
                      : QStringLiteral("No existe la venta del folio %1").arg(folioOpera.trimmed().left(60));
        return BuscarNoEncontrado;
    }
    if (sale->origen != u"ADM") {
        *reason = QStringLiteral("La venta %1 es de punto de venta, no administrativa").arg(sale->folioVenta);
        return BuscarNoAdministrativo;
    }
    *folioVenta = sale->folioVenta;
    *estatus = sale->estatusEntrega;
    *cfdi = saleCfdi(store, sale->folioVenta);
    return BuscarEncontrado;
}

int registerDelivery(Store& store, const SessionUser& user, const DeliveryInput& in, QString* reason)
{
    if (!user.hasModule(kModuloEntregas)) {
        *reason = QStringLiteral("El usuario %1 no tiene acceso a entregas").arg(user.login);
        return EntregaSinAcceso;
    }
    if (in.estatus != Entregado && in.estatus != Devuelto && in.estatus != ReAgendado)
        throw SandboxFault(QStringLiteral("Estatus de entrega inválido: %1 (3 Entregado, 4 Devuelto, 5 ReAgendar)").arg(in.estatus));
    if (in.estatus != Entregado && in.notas.trimmed().isEmpty())
        throw SandboxFault(QStringLiteral("Debe especificar la razón para no entregar"));
    if (in.notas.size() > kMaxNotas)
        throw SandboxFault(QStringLiteral("Las notas de entrega son demasiado largas"));
    if (in.firma.size() > kMaxFirma)
        throw SandboxFault(QStringLiteral("La imagen de la firma es demasiado grande"));
    if (!in.firma.isEmpty() && !in.firma.startsWith("\xFF\xD8"))
        throw SandboxFault(QStringLiteral("La firma no es una imagen JPEG"));
    if (in.withPosition && (!std::isfinite(in.latitud) || !std::isfinite(in.longitud) || std::fabs(in.latitud) > 90 ||
                            std::fabs(in.longitud) > 180))
        throw SandboxFault(QStringLiteral("Coordenadas inválidas"));

    QSqlQuery q = store.exec(QStringLiteral("SELECT EstatusEntrega, Cancelada, NuChofer FROM ventas"
                                            " WHERE FolioVenta = ? AND NuEmpresa = ?"),
                             {in.folioVenta, user.company});
    if (!q.next() || q.value(1).toInt() != 0) {
        *reason = QStringLiteral("No existe la venta %1").arg(in.folioVenta);
        return EntregaNoEncontrada;
    }
    const int current = q.value(0).toInt();
    if (current == Entregado || current == Devuelto) {
        *reason = QStringLiteral("La venta %1 ya tiene registrada su entrega (%2)").arg(in.folioVenta).arg(estatusName(current));
        return EntregaYaEntregada;
    }
    if (current != EnRuta && current != ReAgendado) {
        *reason = QStringLiteral("La venta %1 está %2, no en ruta").arg(in.folioVenta).arg(estatusName(current));
        return EntregaNoEnRuta;
    }
    const bool hasPosition = in.withPosition && (in.latitud != 0 || in.longitud != 0);
    store.transaction([&] {
        const QString now = storeDateTime(QDateTime::currentDateTime());
        store.exec(QStringLiteral("INSERT INTO entregas (FolioVenta, Estatus, Notas, Firma, Latitud, Longitud, NuUser, Fecha)"
                                  " VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                   notNull({in.folioVenta, in.estatus, in.notas,
                    in.firma.isEmpty() ? QVariant(QMetaType(QMetaType::QByteArray)) : QVariant(in.firma),
                    in.withPosition ? in.latitud : 0.0, in.withPosition ? in.longitud : 0.0, user.nuUser, now}));
        store.exec(QStringLiteral("UPDATE ventas SET EstatusEntrega = ?, NuChofer = CASE WHEN NuChofer = 0 THEN ? ELSE NuChofer END"
                                  " WHERE FolioVenta = ?"),
                   {in.estatus, user.nuUser, in.folioVenta});
        if (hasPosition)
            store.exec(QStringLiteral("UPDATE ventas SET Latitud = ?, Longitud = ? WHERE FolioVenta = ?"),
                       {in.latitud, in.longitud, in.folioVenta});
        if (in.estatus == Entregado)
            store.exec(QStringLiteral("UPDATE ventas_mov SET CantidadEnt = Cantidad WHERE FolioVenta = ?"), {in.folioVenta});
    });
    return EntregaRegistrada;
}

Sandbox::HttpAnswer receiveDeliveryPost(Store& store, const QString& rest, const QByteArray& body)
{
    Sandbox::HttpAnswer a;
    a.contentType = "application/json; charset=utf-8";
    auto fail = [&](int status, const QString& error) {
        a.status = status;
        a.body = jsonAnswer({{QStringLiteral("ok"), false}, {QStringLiteral("error"), error}});
        return a;
    };
    if (rest != u"registro")
        return fail(404, QStringLiteral("Recurso desconocido: /entregas/") + rest);
    if (body.size() > kMaxPost)
        return fail(413, QStringLiteral("El registro es demasiado grande"));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return fail(400, QStringLiteral("El cuerpo no es un objeto JSON: ") + error.errorString());
    const QJsonObject o = doc.object();
    // Every value travels as text.
    auto number = [&](const char* key) {
        const QJsonValue v = o.value(QLatin1String(key));
        return v.isString() ? v.toString().trimmed().toInt() : v.toInt();
    };
    // The record names the order (NuCarro) and the document (NuPedido); either tells the company.
    const int nuCarro = number("NuCarro");
    const int nuPedido = number("NuPedido");
    QVariant nuEmpresa;
    if (nuCarro > 0)
        nuEmpresa = store.scalar(QStringLiteral("SELECT NuEmpresa FROM carros WHERE NuCarro = ?"), {nuCarro});
    if (nuEmpresa.isNull() && nuPedido > 0)
        nuEmpresa = store.scalar(QStringLiteral("SELECT NuEmpresa FROM ventas WHERE FolioVenta = ?"), {nuPedido});
    int nuPost = 0;
    store.transaction([&] {
        QSqlQuery q = store.exec(QStringLiteral("INSERT INTO entregas_post (NuEmpresa, Fecha, NuPedido, Cuerpo) VALUES (?, ?, ?, ?)"),
                                 {nuEmpresa.isNull() ? 0 : nuEmpresa.toInt(), storeDateTime(QDateTime::currentDateTime()),
                                  std::max(nuPedido, 0),
                                  QString::fromUtf8(body)});
        nuPost = q.lastInsertId().toInt();
    });
    a.status = 200;
    a.body = jsonAnswer({{QStringLiteral("ok"), true}, {QStringLiteral("NuPost"), nuPost},
                         {QStringLiteral("Mensaje"), QStringLiteral("Entrega recibida")}});
    return a;
}

QString saleReviewText(Store& store, const SessionUser& user, const QString& folio, QString* msg)
{
    msg->clear();
    if (!user.hasModule(kModuloRevision)) {
        *msg = QStringLiteral("Usted no tiene acceso a la revisión de ventas");
        return {};
    }
    const OperationFolio f = readOperationFolio(folio);
    if (f.kind == OperationFolio::Invalid) {
        *msg = QStringLiteral("Folio de cuenta incorrecto: %1").arg(folio.trimmed().left(60));
        return {};
    }
    const std::optional<SaleHead> sale = findSale(store, f);
    if (!sale || sale->nuEmpresa != user.company) {
        *msg = QStringLiteral("No existe la cuenta %1").arg(folio.trimmed().left(60));
        return {};
    }
    if (sale->cancelada) {
        *msg = QStringLiteral("La cuenta %1 está cancelada").arg(sale->folioVenta);
        return {};
    }
    QSqlQuery q = store.exec(QStringLiteral("SELECT ID, Unidad, VUnidades, Descripcion, Cantidad, ValorUnitario, Total"
                                            " FROM ventas_mov WHERE FolioVenta = ? ORDER BY NuVenta_Mov"),
                             {sale->folioVenta});
    QString text;
    while (q.next()) {
        const QString id = q.value(0).toString();
        const std::optional<ProductInfo> product = loadProduct(store, id);
        QString code2;
        QString code3;
        if (product) {
            const int level = product->levelOf(0, q.value(2).toDouble());
            code2 = product->barcode[level - 1];
            code3 = level > 1 ? product->barcode[0] : QString();
        }
        const QStringList fields{reviewField(id),
                                 reviewField(code2),
                                 reviewField(code3),
                                 reviewField(q.value(1).toString()),
                                 reviewField(q.value(3).toString()),
                                 quantityText(q.value(4).toDouble()),
                                 QString::number(q.value(5).toDouble(), 'f', 2),
                                 QString::number(q.value(6).toDouble(), 'f', 2)};
        for (const QString& field : fields)
            text += field + QLatin1Char(',');
        text += QLatin1Char('|');
    }
    return text;
}

} // namespace korvel::sandbox
