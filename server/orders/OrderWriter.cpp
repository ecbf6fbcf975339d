#include "server/orders/OrderWriter.h"

#include "server/Access.h"
#include "server/SandboxFault.h"
#include "server/Store.h"
#include "server/TextHelpers.h"
#include "server/orders/Company.h"
#include "server/orders/OrderMath.h"
#include "server/orders/OrderRecords.h"
#include "server/orders/ProductInfo.h"
#include "server/orders/Refusal.h"
#include "server/orders/StoreValues.h"

#include <QDateTime>
#include <QSqlQuery>

#include <cmath>
#include <optional>

namespace korvel::sandbox {
namespace {

// Which code each kind of refusal gets in each operation.
struct Codes {
    int noLines;
    int badLine;
    int unknownProduct;
    int header;
    int client;
};
constexpr Codes kGuardarCodes{GuardarNoGuardado, GuardarNoGuardado, GuardarProductoNoExiste, GuardarSinCabecera,
                              GuardarSinCliente};
constexpr Codes kModificarCodes{ModificarNoModificado, ModificarProductoNoAgregado, ModificarProductoNoAgregado,
                                ModificarNoModificado, ModificarNoModificado};

constexpr double kMaxCantidad = 1e7;
constexpr double kMaxPrecio = 1e9;
constexpr double kCent = 0.005;

// Steps an order may be saved in, and the steps in which it can still change.
bool savableStep(int paso)
{
    return paso == 0 || paso == 1 || paso == 8 || paso == 9;
}
bool modifiableStep(int paso)
{
    return paso == 0 || paso == 8 || paso == 9;
}

QString stepName(int paso)
{
    static const char* const names[] = {"En Captura", "En Proceso", "Facturado", "Denegado", "Con Error",
                                        "Cancelado X A", "Cancelado X V", "Cancelado X C", "En Cap/Local",
                                        "Cotización"};
    return paso >= 0 && paso <= 9 ? QString::fromUtf8(names[paso]) : QString::fromUtf8(names[0]);
}

bool finite(double v)
{
    return std::isfinite(v);
}

struct Header {
    int nuCliente = 0;
    TCliente cliente;
    QDate fecha;
    QTime hora;
    QDate entrega;
    double tipoCambio = 1;
};

struct Line {
    TDetalle d;
    double precioLista = 0;  // price of the seller's letter for the unit sold, before taxes
};

// An approved request a re-sent line may keep: same product, unit and prices.
struct Approval {
    QString producto;
    double precio = 0;
    double pacto = 0;
    double factor = 1;
    QString fecha;
    int nuUser = 0;
};

Header checkHeader(Store& store, const CompanyInfo& company, const TPedido& p, const Codes& codes)
{
    Header h;
    h.nuCliente = p.NuCliente > 0 ? p.NuCliente : p.Cliente.NuClienteKorvel;
    if (h.nuCliente <= 0)
        throw Refusal(codes.client, QStringLiteral("El pedido no indica el cliente"));
    std::optional<TCliente> c = loadCliente(store, company.nuEmpresa, h.nuCliente, p.NuMoneda);
    if (!c)
        throw Refusal(codes.client, QStringLiteral("El cliente %1 no existe en esta empresa").arg(h.nuCliente));
    h.cliente = *c;

    if (p.NuMoneda != 1 && p.NuMoneda != 2)
        throw Refusal(codes.header, QStringLiteral("Moneda inválida: %1 (1 pesos, 2 dólares)").arg(p.NuMoneda));
    if (!savableStep(p.NuPaso))
        throw Refusal(codes.header,
                      QStringLiteral("Un pedido no puede guardarse en el paso %1 (%2)").arg(p.NuPaso).arg(stepName(p.NuPaso)));
    if (!p.MetodoPago.isEmpty() && p.MetodoPago != u"PUE" && p.MetodoPago != u"PPD")
        throw Refusal(codes.header, QStringLiteral("Método de pago inválido: %1").arg(p.MetodoPago));
    if (p.FormaPago.size() > 2 || p.UsoCFDI.size() > 4)
        throw Refusal(codes.header, QStringLiteral("Forma de pago o uso de CFDI inválidos"));
    if (p.Notas.size() > 4000)
        throw Refusal(codes.header, QStringLiteral("Las notas del pedido son demasiado largas"));
    const QDateTime now = QDateTime::currentDateTime();
    h.fecha = p.Fecha.date.isValid() ? p.Fecha.date : now.date();
    h.hora = p.Hora.time.isValid() ? p.Hora.time : now.time();
    h.entrega = p.Fecha_Entrega.date.isValid() ? p.Fecha_Entrega.date : h.fecha;
    if (h.entrega < h.fecha)
        throw Refusal(codes.header, QStringLiteral("La fecha de entrega no puede ser menor a la fecha de captura"));
    h.tipoCambio = p.NuMoneda == 2 && company.tcVenta > 0 ? company.tcVenta : 1.0;
    return h;
}

double listPrice(const ProductInfo& product, const TDetalle& d, const SessionUser& user, const TCliente& cliente,
                 int nuMoneda, const CompanyInfo& company)
{
    const int level = product.levelOf(d.VNuMedida, d.VUnidades);
    const QString clientLetter = cliente.NuPrecio.trimmed();
    const QString letter = clientLetter.isEmpty() ? user.precio[std::min(level, 4) - 1] : clientLetter;
    double price = product.precioXLetra(letter) * d.VUnidades;
    if (nuMoneda == 1 && product.nuMoneda == 2)
        price *= company.tcVenta;
    else if (nuMoneda == 2 && product.nuMoneda == 1 && price > 0 && company.tcVenta > 0)
        price /= company.tcVenta;
    if (company.taxes.ivaIncluido)
        price = precioSinImpuestos(price, d.TasaIVA, d.TasaIEPS, d.TasaTasa2, company.taxes);
    return price;
}

std::vector<Line> checkLines(Store& store, const CompanyInfo& company, const SessionUser& user, const Header& h,
                             const TPedido& p, const Codes& codes)
{
    const int count = rowCount(p);
    if (count <= 0)
        throw Refusal(codes.noLines, QStringLiteral("El pedido no tiene productos"));
    std::vector<Line> lines;
    lines.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        Line line;
        line.d = p.ArrayDetalle[size_t(i)];
        TDetalle& d = line.d;
        const QString id = d.NuProducto.trimmed();
        if (id.isEmpty())
            throw Refusal(codes.unknownProduct, QStringLiteral("El renglón %1 no indica el producto").arg(i + 1));
        std::optional<ProductInfo> product = loadProduct(store, id);
        if (!product)
            throw Refusal(codes.unknownProduct, QStringLiteral("El producto %1 no existe").arg(id));
        if (product->nuEstado == 2)
            throw Refusal(codes.badLine, QStringLiteral("El producto %1 está bloqueado y no puede venderse").arg(id));
        if (product->nuEstado == 3)
            throw Refusal(codes.badLine, QStringLiteral("El producto %1 es nuevo y aún no está en venta").arg(id));
        if (!finite(d.Cantidad) || d.Cantidad <= 0 || d.Cantidad > kMaxCantidad)
            throw Refusal(codes.badLine, QStringLiteral("La cantidad del producto %1 debe ser mayor a cero").arg(id));
        if (!finite(d.Precio) || d.Precio < 0 || d.Precio > kMaxPrecio)
            throw Refusal(codes.badLine, QStringLiteral("El precio del producto %1 no es válido").arg(id));
        if (!finite(d.PrecioPacto) || d.PrecioPacto < 0 || d.PrecioPacto > kMaxPrecio)
            throw Refusal(codes.badLine, QStringLiteral("El precio pactado del producto %1 no es válido").arg(id));
        for (double rate : {d.TasaIVA, d.TasaIEPS, d.TasaTasa2}) {
            if (!finite(rate) || rate < 0 || rate > 100)
                throw Refusal(codes.badLine, QStringLiteral("Las tasas de impuesto del producto %1 no son válidas").arg(id));
        }
        if (!finite(d.VUnidades) || d.VUnidades <= 0)
            d.VUnidades = 1;
        d.NuProducto = product->id;
        if (d.Producto.trimmed().isEmpty())
            d.Producto = product->descripcion;
        if (d.Unidad.trimmed().isEmpty())
            d.Unidad = product->unidad[product->levelOf(d.VNuMedida, d.VUnidades) - 1];
        if (d.NuDetalle <= 0)
            d.NuDetalle = i + 1;
        d.Descuento = 0;
        calcularDetalle(d, company.taxes);
        line.precioLista = listPrice(*product, d, user, h.cliente, p.NuMoneda, company);
        if (!finite(d.PreOri) || d.PreOri <= 0)
            d.PreOri = line.precioLista;
        lines.push_back(std::move(line));
    }
    return lines;
}

// Values of the header columns shared by a new order and a changed one.
const QString kHeaderColumns = QStringLiteral(
    "NuCliente, NuEstado, ReferenciaPago, NuImpreso, Fecha, Hora, Fecha_Entrega, SubTotal, IVA, IEPS, TASA2, Total,"
    " Notas, TipoFolioCliente, NuMoneda, TipoCambio, NuPaso, NuChofer, Horario, UsoCFDI, MetodoPago, FormaPago,"
    " Facilidad271, NuTipoOpera, NuEmpresaPago, Envio, TokenPago, URLPago, CteNombre, CteTelefono, CteCorreo,"
    " CteCalle, CteNumero, CteNumeroint, CteCP, CteColonia, CteCiudad, CteEstado, CteCalles, CteReferencia, CteRFC,"
    " CtePais, AHORRO, TOTAL_SINENVIO, CteLatitud, CteLongitud, Modificado");

QVariantList headerValues(const TPedido& p, const Header& h, const Totals& t)
{
    auto num = [](double v) { return finite(v) ? v : 0.0; };
    return {h.nuCliente, p.NuEstado, p.ReferenciaPago, p.NuImpreso, storeDate(h.fecha),
            h.hora.toString(QStringLiteral("HH:mm:ss")), storeDate(h.entrega), t.subTotal, t.iva, t.ieps, t.tasa2,
            t.total, p.Notas, p.TipoFolioCliente, p.NuMoneda, h.tipoCambio, p.NuPaso, p.NuChofer, p.Horario,
            p.UsoCFDI, p.MetodoPago, p.FormaPago, p.Facilidad271, p.NuTipoOpera, p.NuEmpresaPago, num(p.Envio),
            p.TokenPago, p.URLPago, p.CteNombre, p.CteTelefono, p.CteCorreo, p.CteCalle, p.CteNumero,
            p.CteNumeroint, p.CteCP, p.CteColonia, p.CteCiudad, p.CteEstado, p.CteCalles, p.CteReferencia,
            p.CteRFC, p.CtePais, num(p.AHORRO), num(p.TOTAL_SINENVIO), num(p.CteLatitud), num(p.CteLongitud),
            storeDateTime(QDateTime::currentDateTime())};
}

QString placeholders(int n)
{
    QStringList marks;
    for (int i = 0; i < n; ++i)
        marks.append(QStringLiteral("?"));
    return marks.join(QStringLiteral(", "));
}

std::vector<Approval> approvalsOf(Store& store, int nuCarro)
{
    QSqlQuery q = store.exec(QStringLiteral("SELECT NuProducto, Precio, Pacto, VUnidades, Resolucion, NuUserResuelve"
                                            " FROM autorizaciones_precio WHERE NuCarro = ? AND Estado = 'A'"),
                             {nuCarro});
    std::vector<Approval> out;
    while (q.next())
        out.push_back({q.value(0).toString(), q.value(1).toDouble(), q.value(2).toDouble(), q.value(3).toDouble(),
                       q.value(4).toString(), q.value(5).toInt()});
    return out;
}

// Writes the lines of an order and the price requests they need.
void writeLines(Store& store, const CompanyInfo& company, const SessionUser& user, int nuCarro, int nuMoneda,
                std::vector<Line>& lines, const std::vector<Approval>& approvals)
{
    const QString now = storeDateTime(QDateTime::currentDateTime());
    for (Line& line : lines) {
        TDetalle& d = line.d;
        QString mark = d.REQ_AUTH.trimmed().toUpper();
        QString fechaAuth;
        int userAuth = 0;
        bool request = false;
        const Approval* kept = nullptr;
        if (mark == u"A") {
            for (const Approval& a : approvals) {
                if (a.producto.compare(d.NuProducto, Qt::CaseInsensitive) == 0 && std::fabs(a.precio - d.Precio) < kCent &&
                    std::fabs(a.pacto - d.PrecioPacto) < kCent && std::fabs(a.factor - d.VUnidades) < 1e-9) {
                    kept = &a;
                    break;
                }
            }
        }
        if (kept) {
            fechaAuth = kept->fecha;
            userAuth = kept->nuUser;
        } else if (mark == u"R" || mark == u"A" || d.PrecioPacto > 0) {
            mark = QStringLiteral("R");
            request = true;
        } else if (mark != u"D") {
            mark.clear();
        }
        QSqlQuery q = store.exec(
            QStringLiteral("INSERT INTO carros_mov (NuCarro, NuDetalle, NuProducto, Producto, Observacion, Cantidad,"
                           " Precio, Descuento, TasaIVA, TasaIEPS, TasaTasa2, SubTotal, IVA, IEPS, Total_Tasa2, Total,"
                           " PreOri, Esp1, Esp2, Esp3, Esp4, Esp5, Esp6, UsarMultiUnidad, VNuMedida, VUnidades, Unidad,"
                           " RFECHA_AUTH, FECHA_AUTH, REQ_AUTH, NUUSER_AUTH, PrecioPacto, BarCode)"
                           " VALUES (") + placeholders(33) + QStringLiteral(")"),
            notNull({nuCarro, d.NuDetalle, d.NuProducto, d.Producto, d.Observacion, d.Cantidad, d.Precio, d.Descuento,
             d.TasaIVA, d.TasaIEPS, d.TasaTasa2, d.SubTotal, d.IVA, d.IEPS, d.Total_Tasa2, d.Total,
             d.PreOri, d.Esp1, d.Esp2, d.Esp3, d.Esp4, d.Esp5, d.Esp6,
             d.UsarMultiUnidad ? 1 : 0, d.VNuMedida, d.VUnidades, d.Unidad, request ? now : QString(), fechaAuth,
             mark, userAuth, d.PrecioPacto, d.BarCode}));
        const int nuCarroMov = q.lastInsertId().toInt();
        if (request) {
            store.exec(QStringLiteral("INSERT INTO autorizaciones_precio (NuEmpresa, NuCarro, NuCarro_Mov, NuProducto,"
                                      " PrecioLista, Precio, Pacto, Cantidad, Unidad, VUnidades, NuMoneda, Estado,"
                                      " Solicitud, NuUserSolicita) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'R', ?, ?)"),
                       notNull({company.nuEmpresa, nuCarro, nuCarroMov, d.NuProducto, line.precioLista, d.Precio,
                        d.PrecioPacto, d.Cantidad, d.Unidad, d.VUnidades, nuMoneda, now, user.nuUser}));
        }
        d.REQ_AUTH = mark;
    }
}

QString orderMark(const std::vector<Line>& lines)
{
    for (const Line& l : lines) {
        if (l.d.REQ_AUTH == u"R")
            return QStringLiteral("R");
    }
    return {};
}

Totals totalsOf(const std::vector<Line>& lines)
{
    Totals t;
    for (const Line& l : lines)
        t.add(l.d);
    return t;
}

} // namespace

int guardarCarro(Store& store, const SessionUser& user, const TPedido& pedido, int* nuCarro, QString* reason)
{
    *nuCarro = 0;
    try {
        if (!user.hasModule(kModuloPedidos))
            throw Refusal(GuardarSinAcceso, QStringLiteral("El usuario %1 no tiene acceso a pedidos").arg(user.login));
        const CompanyInfo company = loadCompany(store, user.company);
        if (pedido.NuPedido > 0 &&
            store.scalar(QStringLiteral("SELECT COUNT(*) FROM carros WHERE NuCarro = ? AND NuEmpresa = ?"),
                         {pedido.NuPedido, user.company}).toInt() > 0) {
            *nuCarro = pedido.NuPedido;
            throw Refusal(GuardarYaExiste, QStringLiteral("Ya existe el pedido %1").arg(pedido.NuPedido));
        }
        const Header h = checkHeader(store, company, pedido, kGuardarCodes);
        std::vector<Line> lines = checkLines(store, company, user, h, pedido, kGuardarCodes);
        const Totals totals = totalsOf(lines);

        // The same order sent again (a retry after a lost answer) is not saved twice.
        const QVariant twin = store.scalar(
            QStringLiteral("SELECT NuCarro FROM carros WHERE NuEmpresa = ? AND NuUser = ? AND NuCliente = ?"
                           " AND Fecha = ? AND Hora = ? AND ABS(Total - ?) < 0.005 AND NuPaso NOT IN (5, 6, 7)"
                           " AND (SELECT COUNT(*) FROM carros_mov m WHERE m.NuCarro = carros.NuCarro) = ?"),
            {user.company, user.nuUser, h.nuCliente, storeDate(h.fecha), h.hora.toString(QStringLiteral("HH:mm:ss")),
             totals.total, int(lines.size())});
        if (twin.isValid() && pedido.Hora.time.isValid()) {
            *nuCarro = twin.toInt();
            throw Refusal(GuardarYaExiste, QStringLiteral("Ya existe el pedido %1 con los mismos datos").arg(*nuCarro));
        }

        int created = 0;
        try {
            store.transaction([&] {
                QVariantList values = headerValues(pedido, h, totals);
                values.prepend(user.nuAlmacen);
                values.prepend(user.nuUser);
                values.prepend(user.company);
                QSqlQuery q = store.exec(QStringLiteral("INSERT INTO carros (NuEmpresa, NuUser, NuAlmacen, ") +
                                             kHeaderColumns + QStringLiteral(") VALUES (") +
                                             placeholders(int(values.size())) + QStringLiteral(")"),
                                         notNull(values));
                created = q.lastInsertId().toInt();
                if (created <= 0)
                    throw Refusal(GuardarSinCabecera, QStringLiteral("No se pudo generar la cabecera del pedido"));
                writeLines(store, company, user, created, pedido.NuMoneda, lines, {});
                store.exec(QStringLiteral("UPDATE carros SET REQ_AUTH = ? WHERE NuCarro = ?"), notNull({orderMark(lines), created}));
            });
        } catch (const SandboxFault& f) {
            throw Refusal(GuardarNoGuardado, f.text());
        }
        *nuCarro = created;
        return GuardarExitoso;
    } catch (const Refusal& r) {
        if (reason)
            *reason = r.reason();
        return r.code();
    }
}

int modificarCarro(Store& store, const SessionUser& user, const TPedido& pedido, QString* reason)
{
    try {
        if (!user.hasModule(kModuloPedidos))
            throw Refusal(ModificarSinAcceso, QStringLiteral("El usuario %1 no tiene acceso a pedidos").arg(user.login));
        if (pedido.NuPedido <= 0)
            throw Refusal(ModificarSinFolio, QStringLiteral("El pedido no indica su folio"));
        QSqlQuery current = store.exec(
            QStringLiteral("SELECT NuPaso, FolioVenta FROM carros WHERE NuCarro = ? AND NuEmpresa = ?"),
            {pedido.NuPedido, user.company});
        if (!current.next())
            throw Refusal(ModificarNoEncontrado, QStringLiteral("No existe el pedido %1").arg(pedido.NuPedido));
        const int paso = current.value(0).toInt();
        if (!modifiableStep(paso) || current.value(1).toInt() > 0)
            throw Refusal(ModificarNoModificado, QStringLiteral("El pedido %1 está %2 y ya no puede modificarse")
                                                     .arg(pedido.NuPedido)
                                                     .arg(stepName(paso)));
        const CompanyInfo company = loadCompany(store, user.company);
        const Header h = checkHeader(store, company, pedido, kModificarCodes);
        std::vector<Line> lines = checkLines(store, company, user, h, pedido, kModificarCodes);
        const Totals totals = totalsOf(lines);

        store.transaction([&] {
            try {
                QVariantList values = headerValues(pedido, h, totals);
                values.append(pedido.NuPedido);
                QString sets = kHeaderColumns;
                sets.replace(QStringLiteral(","), QStringLiteral(" = ?,"));
                store.exec(QStringLiteral("UPDATE carros SET ") + sets + QStringLiteral(" = ? WHERE NuCarro = ?"), notNull(values));
            } catch (const SandboxFault& f) {
                throw Refusal(ModificarNoModificado, f.text());
            }
            std::vector<Approval> approvals;
            try {
                // The lines are replaced; decided requests stay as history with
                // their old line keys, pending ones are asked again if still needed.
                approvals = approvalsOf(store, pedido.NuPedido);
                store.exec(QStringLiteral("DELETE FROM autorizaciones_precio WHERE NuCarro = ? AND Estado = 'R'"),
                           {pedido.NuPedido});
                store.exec(QStringLiteral("DELETE FROM carros_mov WHERE NuCarro = ?"), {pedido.NuPedido});
            } catch (const SandboxFault& f) {
                throw Refusal(ModificarNoDepurado, f.text());
            }
            try {
                writeLines(store, company, user, pedido.NuPedido, pedido.NuMoneda, lines, approvals);
                store.exec(QStringLiteral("UPDATE carros SET REQ_AUTH = ? WHERE NuCarro = ?"),
                           notNull({orderMark(lines), pedido.NuPedido}));
            } catch (const SandboxFault& f) {
                throw Refusal(ModificarProductoNoAgregado, f.text());
            }
        });
        return ModificarExitoso;
    } catch (const Refusal& r) {
        if (reason)
            *reason = r.reason();
        return r.code();
    }
}

void refreshOrderTotals(Store& store, int nuCarro)
{
    store.exec(QStringLiteral(
                   "UPDATE carros SET"
                   " SubTotal = IFNULL((SELECT SUM(SubTotal) FROM carros_mov m WHERE m.NuCarro = carros.NuCarro), 0),"
                   " IVA = IFNULL((SELECT SUM(IVA) FROM carros_mov m WHERE m.NuCarro = carros.NuCarro), 0),"
                   " IEPS = IFNULL((SELECT SUM(IEPS) FROM carros_mov m WHERE m.NuCarro = carros.NuCarro), 0),"
                   " TASA2 = IFNULL((SELECT SUM(Total_Tasa2) FROM carros_mov m WHERE m.NuCarro = carros.NuCarro), 0),"
                   " Total = IFNULL((SELECT SUM(Total) FROM carros_mov m WHERE m.NuCarro = carros.NuCarro), 0),"
                   " REQ_AUTH = CASE WHEN EXISTS (SELECT 1 FROM carros_mov m WHERE m.NuCarro = carros.NuCarro"
                   "   AND m.REQ_AUTH = 'R') THEN 'R' ELSE '' END,"
                   " Modificado = ?"
                   " WHERE NuCarro = ?"),
               {storeDateTime(QDateTime::currentDateTime()), nuCarro});
}

} // namespace korvel::sandbox
