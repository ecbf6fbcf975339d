// Product operations: searches by description, model, key or barcode, the
// stock query of the product file, and the photo with its technical sheet
// (also served over plain HTTP under /fotos/<ID>.jpg for URL_PHOTO).

#include "server/Access.h"
#include "server/Operations.h"
#include "server/Sandbox.h"
#include "server/SandboxFault.h"
#include "server/TextHelpers.h"

#include <QDate>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

namespace korvel::sandbox {
namespace {

// A broad filter ("@a", or just "@") still answers a list a phone can show.
constexpr int kMaxProducts = 500;

constexpr int kNotFound = -999999;
constexpr int kNoAccess = -888888;

struct TaxOptions {
    bool ivaIncluido = false;
    int iepsSobreIva = 0;
    bool tasa2IncBase = false;
};

TaxOptions taxOptions(Store& store, int company)
{
    QSqlQuery q = store.exec(
        QStringLiteral("SELECT IVAIncluido, OP_IEPS_SOBRE_IVA, TASA2_INC_BASEIVA FROM empresas WHERE NuEmpresa = ?"), {company});
    TaxOptions t;
    if (q.next()) {
        t.ivaIncluido = q.value(0).toInt() == 1;
        t.iepsSobreIva = q.value(1).toInt();
        t.tasa2IncBase = q.value(2).toInt() == 1;
    }
    return t;
}

// Price with taxes from a price without them, as the company stacks them.
double withTaxes(const TaxOptions& o, double price, double iva, double ieps, double tasa2)
{
    if (o.ivaIncluido)
        return price;
    const double t2 = price * tasa2 / 100;
    double ivaAmount = iva / 100 * (o.tasa2IncBase ? price + t2 : price);
    double iepsAmount = ieps / 100 * price;
    if (o.iepsSobreIva == 1)
        iepsAmount = ieps / 100 * (price + ivaAmount);
    else if (o.iepsSobreIva == 2)
        ivaAmount = iva / 100 * (price + iepsAmount + (o.tasa2IncBase ? t2 : 0));
    return price + ivaAmount + iepsAmount + t2;
}

int letterIndex(const QString& letter)
{
    if (letter.size() != 1 || letter.at(0) < u'A' || letter.at(0) > u'T')
        return 0;
    return letter.at(0).unicode() - u'A';
}

const QString kProductColumns = QStringLiteral(
    "p.*, IFNULL(e.Existencia, 0) AS ExistenciaAlmacen, IFNULL(c.Descripcion, '') AS NombreCategoria,"
    " IFNULL(s.Descripcion, '') AS NombreSubCategoria");
const QString kProductJoins = QStringLiteral(
    " FROM productos p LEFT JOIN existencias e ON e.ID = p.ID AND e.NuAlmacen = ?"
    " LEFT JOIN categorias c ON c.NuCategoria = p.NuCategoria"
    " LEFT JOIN subcategorias s ON s.NuSubCategoria = p.NuSubCategoria");

// One row of a product query as the record the client reads. The unit prices
// Precio..Precio5 are those of the user's letters for the unit levels (level
// 5 uses the fourth letter), PrecioConImp* the same with taxes.
TProducto productFrom(const QSqlQuery& q, const SessionUser& user, const TaxOptions& taxes)
{
    const QSqlRecord r = q.record();
    auto text = [&](const char* name) { return q.value(r.indexOf(QLatin1String(name))).toString(); };
    auto num = [&](const char* name) { return q.value(r.indexOf(QLatin1String(name))).toDouble(); };
    auto whole = [&](const char* name) { return q.value(r.indexOf(QLatin1String(name))).toInt(); };

    TProducto p;
    p.ID = text("ID");
    p.IDRem = text("IDRem");
    p.ClaveProdServ = text("ClaveProdServ");
    p.Descripcion = text("Descripcion");
    p.Fabricante = text("Fabricante");
    p.Modelo = text("Modelo");
    p.Modelo2 = text("Modelo2");
    p.Modelo3 = text("Modelo3");
    p.Modelo4 = text("Modelo4");
    p.Modelo5 = text("Modelo5");
    p.Detalle = text("Detalle");
    p.Existencia = num("ExistenciaAlmacen");
    p.NuEstado = whole("NuEstado");
    p.OP_UNIDADDEVENTA = whole("OP_UNIDADDEVENTA");
    p.NuCategoria = whole("NuCategoria");
    p.NuSubCategoria = whole("NuSubCategoria");
    p.NuUnidadMedida = whole("NuUnidadMedida");
    p.NuUnidadMedida2 = whole("NuUnidadMedida2");
    p.NuUnidadMedida3 = whole("NuUnidadMedida3");
    p.NuUnidadMedida4 = whole("NuUnidadMedida4");
    p.NuUnidadMedida5 = whole("NuUnidadMedida5");
    p.NuMoneda = whole("NuMoneda");
    p.Categoria = text("NombreCategoria");
    p.SubCategoria = text("NombreSubCategoria");
    p.Unidad = text("Unidad");
    p.Unidad2 = text("Unidad2");
    p.Unidad3 = text("Unidad3");
    p.Unidad4 = text("Unidad4");
    p.Unidad5 = text("Unidad5");
    p.UXC2 = num("UXC2");
    p.UXC3 = num("UXC3");
    p.UXC4 = num("UXC4");
    p.UXC5 = num("UXC5");
    double prices[20];
    for (int i = 0; i < 20; ++i)
        prices[i] = q.value(r.indexOf(QStringLiteral("Precio%1").arg(i + 1, 2, 10, QLatin1Char('0')))).toDouble();
    double* columns[20] = {&p.Precio01, &p.Precio02, &p.Precio03, &p.Precio04, &p.Precio05, &p.Precio06, &p.Precio07,
                           &p.Precio08, &p.Precio09, &p.Precio10, &p.Precio11, &p.Precio12, &p.Precio13, &p.Precio14,
                           &p.Precio15, &p.Precio16, &p.Precio17, &p.Precio18, &p.Precio19, &p.Precio20};
    for (int i = 0; i < 20; ++i)
        *columns[i] = prices[i];
    p.Costo = num("Costo");
    p.TasaIVA = num("TasaIVA");
    p.TasaIEPS = num("TasaIEPS");
    p.Tasa2 = num("Tasa2");

    const QString letters[5] = {user.precio[0], user.precio[1], user.precio[2], user.precio[3], user.precio[3]};
    double* unitPrice[5] = {&p.Precio, &p.Precio2, &p.Precio3, &p.Precio4, &p.Precio5};
    double* unitPriceTax[5] = {&p.PrecioConImp, &p.PrecioConImp2, &p.PrecioConImp3, &p.PrecioConImp4, &p.PrecioConImp5};
    QString* unitLetter[5] = {&p.NuPrecio1, &p.NuPrecio2, &p.NuPrecio3, &p.NuPrecio4, &p.NuPrecio5};
    for (int k = 0; k < 5; ++k) {
        const int l = letterIndex(letters[k]);
        *unitLetter[k] = QString(QChar(u'A' + l));
        *unitPrice[k] = prices[l];
        *unitPriceTax[k] = withTaxes(taxes, prices[l], p.TasaIVA, p.TasaIEPS, p.Tasa2);
    }
    p.Barcode1 = text("Barcode1");
    p.Barcode2 = text("Barcode2");
    p.Barcode3 = text("Barcode3");
    p.Barcode4 = text("Barcode4");
    p.Barcode5 = text("Barcode5");
    p.Descuento_Adicional = num("Descuento_Adicional");
    p.Descuento_AdicionalTP = text("Descuento_AdicionalTP");
    p.Promocion = num("Promocion");
    p.OP_PROMO_SINLIMITE = text("OP_PROMO_SINLIMITE");
    p.OP_PROMO_MIN_STOCK = num("OP_PROMO_MIN_STOCK");
    const QDateTime fin = dateTimeFromStore(text("FIN_PROMOCION"));
    if (fin.isValid())
        p.FIN_PROMOCION = XsDateTime{fin.date(), fin.time(), {}};
    p.NUPRECIO_PROMO = text("NUPRECIO_PROMO");
    return p;
}

TListaProducto productList(Sandbox& sandbox, const SessionUser& user, const QString& where, const QString& order,
                           const QVariantList& values)
{
    const TaxOptions taxes = taxOptions(sandbox.store(), user.company);
    QVariantList all = {user.nuAlmacen};
    all += values;
    all.append(kMaxProducts);
    QSqlQuery q = sandbox.store().exec(QStringLiteral("SELECT ") + kProductColumns + kProductJoins + QStringLiteral(" WHERE ")
                                           + where + QStringLiteral(" ORDER BY ") + order + QStringLiteral(" LIMIT ?"),
                                       all);
    TListaProducto list;
    while (q.next())
        list.ArrayProducto.push_back(productFrom(q, user, taxes));
    list.Count = qint32(list.ArrayProducto.size());
    return list;
}

// "@text" / "#text": the kind of search and the text; without a marker the
// whole filter is the text.
QPair<QChar, QString> splitFilter(const QString& filtro)
{
    if (filtro.startsWith(u'@') || filtro.startsWith(u'#'))
        return {filtro.at(0), filtro.mid(1)};
    return {QChar(u'@'), filtro};
}

// Every word of the text is contained in the column (normalized).
QString wordsCondition(const QString& column, const QString& text, QVariantList* values)
{
    QStringList parts;
    for (const QString& word : normalizeSearchText(text).split(u' ', Qt::SkipEmptyParts)) {
        parts.append(QStringLiteral("instr(%1, ?) > 0").arg(column));
        values->append(word);
    }
    return parts.isEmpty() ? QStringLiteral("1") : parts.join(QStringLiteral(" AND "));
}

const QString kKeyColumns[] = {QStringLiteral("upper(p.ID)"), QStringLiteral("upper(p.Barcode1)"),
                               QStringLiteral("upper(p.Barcode2)"), QStringLiteral("upper(p.Barcode3)"),
                               QStringLiteral("upper(p.Barcode4)"), QStringLiteral("upper(p.Barcode5)")};

QByteArray photoBytes(Store& store, const QString& id, QString* ficha)
{
    QSqlQuery q = store.exec(QStringLiteral("SELECT Foto, Ficha FROM producto_fotos WHERE ID = ?"), {id.trimmed()});
    if (!q.next())
        return {};
    if (ficha)
        *ficha = q.value(1).toString();
    return q.value(0).toByteArray();
}

} // namespace

void registerProductOperations(Sandbox& sandbox)
{
    OperationRegistry& reg = sandbox.operations();

    reg.on<ops::ListaProducto_Consulta>([&sandbox](const ops::ListaProducto_Consulta::Request& rq,
                                                   ops::ListaProducto_Consulta::Response& rs) {
        const SessionUser user = requireUser(sandbox, rq.User, rq.Pass);
        const auto [kind, text] = splitFilter(rq.Filtro);
        QVariantList values;
        const QString where = wordsCondition(kind == u'#' ? QStringLiteral("p.BuscaModelo") : QStringLiteral("p.BuscaDescripcion"),
                                             text, &values);
        rs.result = productList(sandbox, user, where, QStringLiteral("p.Descripcion, p.ID"), values);
    });

    reg.on<ops::ListaProducto_ConsultaXClave>([&sandbox](const ops::ListaProducto_ConsultaXClave::Request& rq,
                                                         ops::ListaProducto_ConsultaXClave::Response& rs) {
        const SessionUser user = requireUser(sandbox, rq.User, rq.Pass);
        const QString key = splitFilter(rq.Filtro).second.trimmed().toUpper();
        if (key.isEmpty()) {
            rs.result = productList(sandbox, user, QStringLiteral("1"), QStringLiteral("p.ID"), {});
            return;
        }
        // A key or barcode typed or scanned whole finds just its product;
        // otherwise every key and barcode containing the text.
        QStringList exact;
        QStringList contains;
        QVariantList exactValues;
        QVariantList containsValues;
        for (const QString& column : kKeyColumns) {
            exact.append(column + QStringLiteral(" = ?"));
            exactValues.append(key);
            contains.append(QStringLiteral("instr(%1, ?) > 0").arg(column));
            containsValues.append(key);
        }
        rs.result = productList(sandbox, user, exact.join(QStringLiteral(" OR ")), QStringLiteral("p.ID"), exactValues);
        if (rs.result.Count == 0)
            rs.result = productList(sandbox, user, contains.join(QStringLiteral(" OR ")), QStringLiteral("p.ID"), containsValues);
    });

    reg.on<ops::Producto_Consulta>([&sandbox](const ops::Producto_Consulta::Request& rq, ops::Producto_Consulta::Response& rs) {
        const SessionUser user = requireUser(sandbox, rq.User, rq.Pass);
        TListaProducto list = productList(sandbox, user, QStringLiteral("p.ID = ?"), QStringLiteral("p.ID"), {rq.ID.trimmed()});
        rs.Exito = list.Count > 0 ? 1 : 0;
        if (list.Count > 0)
            rs.result = list.ArrayProducto.front();
    });

    reg.on<ops::Producto_Existencia>([&sandbox](const ops::Producto_Existencia::Request& rq,
                                                ops::Producto_Existencia::Response& rs) {
        const SessionUser user = requireUser(sandbox, rq.User, rq.Pass);
        Store& store = sandbox.store();
        const QString id = rq.ID.trimmed();
        const int almacen = rq.NuAlmacen > 0 ? rq.NuAlmacen : user.nuAlmacen;
        if (store.scalar(QStringLiteral("SELECT COUNT(*) FROM productos WHERE ID = ?"), {id}).toInt() == 0) {
            rs.result = kNotFound;
            return;
        }
        const bool ownWarehouse =
            store.scalar(QStringLiteral("SELECT COUNT(*) FROM almacenes WHERE NuAlmacen = ? AND NuEmpresa = ?"),
                         {almacen, user.company}).toInt() > 0;
        if (!ownWarehouse || !user.hasModule(1)) {
            rs.result = kNoAccess;
            return;
        }
        rs.Expediente = store.scalar(QStringLiteral("SELECT IFNULL(SUM(Existencia), 0) FROM existencias WHERE ID = ? AND NuAlmacen = ?"),
                                     {id, almacen}).toDouble();
        // Counter sales of today are taken from stock when the day is closed.
        if (rq.IncPOS)
            rs.POS = store.scalar(QStringLiteral("SELECT IFNULL(SUM(m.Cantidad * m.VUnidades), 0) FROM ventas_mov m"
                                                 " JOIN ventas v ON v.FolioVenta = m.FolioVenta"
                                                 " WHERE m.ID = ? AND v.NuAlmacen = ? AND v.Origen = 'POS' AND v.Cancelada = 0"
                                                 " AND substr(v.Fecha, 1, 10) = ?"),
                                  {id, almacen, storeDate(QDate::currentDate())}).toDouble();
        QStringList steps;
        if (rq.IncPedPro)
            steps << QStringLiteral("1");
        if (rq.IncPedCap)
            steps << QStringLiteral("0") << QStringLiteral("8");
        if (!steps.isEmpty())
            rs.Pedidos = store.scalar(QStringLiteral("SELECT IFNULL(SUM(m.Cantidad * m.VUnidades), 0) FROM carros_mov m"
                                                     " JOIN carros c ON c.NuCarro = m.NuCarro"
                                                     " WHERE m.NuProducto = ? AND c.NuAlmacen = ? AND c.NuPaso IN (%1)")
                                          .arg(steps.join(u',')),
                                      {id, almacen}).toDouble();
        rs.Saldo = rs.Expediente - rs.POS - rs.Pedidos;
        rs.result = rs.Saldo;
    });

    reg.on<ops::ObtenerFotoProducto>([&sandbox](const ops::ObtenerFotoProducto::Request& rq,
                                                ops::ObtenerFotoProducto::Response& rs) {
        requireUser(sandbox, rq.User, rq.Pass);
        rs.result = photoBytes(sandbox.store(), rq.N123, &rs.Ficha);
    });

    // URL_PHOTO + ID + ".jpg": public like a web server's image folder.
    Store* store = &sandbox.store();
    sandbox.addGet(QStringLiteral("/fotos/"), [store](const QString& rest, const QByteArray&) {
        Sandbox::HttpAnswer a;
        QString id = QUrl::fromPercentEncoding(rest.toUtf8());
        if (id.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive))
            id.chop(4);
        const QByteArray bytes = id.isEmpty() ? QByteArray() : photoBytes(*store, id, nullptr);
        if (bytes.isEmpty()) {
            a.status = 404;
            a.body = "Foto no encontrada";
            return a;
        }
        a.status = 200;
        a.contentType = "image/jpeg";
        a.body = bytes;
        return a;
    });
}

} // namespace korvel::sandbox
