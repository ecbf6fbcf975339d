#include "server/demo/SaleBook.h"

#include "server/TextHelpers.h"

#include <cmath>

namespace korvel::sandbox::demo {
namespace {

const char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

QString base64Noise(Random& rnd, int length)
{
    QString s;
    s.reserve(length);
    for (int i = 0; i < length - 2; ++i)
        s.append(QLatin1Char(kBase64[rnd.next() % 64]));
    return s + QStringLiteral("==");
}

QString hex(Random& rnd, int n)
{
    static const char digits[] = "0123456789ABCDEF";
    QString s;
    for (int i = 0; i < n; ++i)
        s.append(QLatin1Char(digits[rnd.next() % 16]));
    return s;
}

QString totalField(double total)
{
    // tt of the verification address: 10 integer digits, 6 decimals.
    return QString::number(total, 'f', 6).rightJustified(17, QLatin1Char('0'));
}

} // namespace

qint64 stampDocument(DemoContext& ctx, Inserter& timbres, const DemoCompany& company, const QString& rfcReceptor,
                     const QString& serie, int folio, double total, const QDateTime& when, const QString& tipo,
                     QString* uuid)
{
    Random& rnd = ctx.rnd;
    const QString id = hex(rnd, 8) + u'-' + hex(rnd, 4) + u'-' + hex(rnd, 4) + u'-' + hex(rnd, 4) + u'-' + hex(rnd, 12);
    const QString sello = base64Noise(rnd, 344);
    const QString selloSat = base64Noise(rnd, 344);
    const QDateTime timbrado = when.addSecs(rnd.range(20, 600));
    const QString fecha = storeDateTime(when);
    const QString fechaTimbrado = storeDateTime(timbrado);
    const QString pac = QStringLiteral("SPR190613I52");
    const QString certSat = QStringLiteral("00001000000505142236");
    const QString cadena = QStringLiteral("||4.0|%1|%2|%3|%4|%5|%6|%7|%8||")
                               .arg(serie).arg(folio).arg(fecha, company.certificado, tipo == u"P" ? QStringLiteral("0") : QString::number(total, 'f', 2),
                                    company.rfc, rfcReceptor, company.lugar);
    const QString cadenaTim = QStringLiteral("||1.1|%1|%2|%3|%4|%5||").arg(id, fechaTimbrado, pac, sello, certSat);
    const QString qr = QStringLiteral("https://verificacfdi.facturaelectronica.sat.gob.mx/default.aspx?id=%1&re=%2&rr=%3&tt=%4&fe=%5")
                           .arg(id, company.rfc, rfcReceptor, totalField(tipo == u"P" ? 0 : total), sello.right(10).left(8));
    if (uuid)
        *uuid = id;
    return timbres.insert({id, QStringLiteral("4.0"), QStringLiteral("1.1"), fecha, fechaTimbrado, tipo,
                           company.certificado, certSat, pac, sello, selloSat, sello, cadena, cadenaTim, qr, qr, 0});
}

SaleBook::SaleBook(DemoContext& ctx) : m_ctx(ctx)
{
    Store& s = ctx.store;
    m_ventas = std::make_unique<Inserter>(
        s, QStringLiteral("ventas"),
        QStringList{"FolioVenta", "NuEmpresa", "NuAlmacen", "NuCarro", "NuCliente", "NuUser", "Tipo", "Origen", "Serie",
                    "Folio", "Fecha", "NuMoneda", "TipoCambio", "SubTotal", "Descuento", "IVA", "IEPS", "Tasa2", "Total",
                    "Credito", "MetodoPago", "FormaPago", "UsoCFDI", "NuTimbre", "Receptor", "RFCReceptor", "PedNotas",
                    "PedEntrega", "PedDomicilio", "PedCorreo", "PedTelefono", "Latitud", "Longitud", "NuChofer",
                    "EstatusEntrega"});
    m_lineas = std::make_unique<Inserter>(
        s, QStringLiteral("ventas_mov"),
        QStringList{"FolioVenta", "NuCarro_Mov", "ID", "ClaveProdServ", "ClaveUnidad", "Unidad", "VUnidades",
                    "Descripcion", "Cantidad", "CantidadEnt", "ValorUnitario", "Importe", "Descuento", "TasaIVA", "IVA",
                    "TasaIEPS", "IEPS", "Tasa2", "Total_Tasa2", "Total", "Costo"});
    m_timbres = std::make_unique<Inserter>(
        s, QStringLiteral("timbres"),
        QStringList{"UUID", "Version", "VersionTim", "Fecha", "FechaTimbrado", "TipoDeComprobante", "NuCertificado",
                    "NuCertificadoSAT", "RFCPAC", "Sello", "SelloSAT", "SelloCFD", "Cadena", "CadenaTim", "QRCode",
                    "QRCodeMin", "Cancelado"});
    m_movs = std::make_unique<Inserter>(
        s, QStringLiteral("cliente_movs"),
        QStringList{"NuEmpresa", "NuCliente", "Tipo", "FolioVenta", "NuPedido", "Fecha", "FechaVence", "NuMoneda",
                    "TipoCambio", "Descripcion", "FolioUnico", "SerieFactura", "FolioFactura", "SerieTicket",
                    "FolioTicket", "SerieRemision", "FolioRemision", "ImporteOriginal", "ImporteDeuda", "UUID"});
    m_abonos = std::make_unique<Inserter>(
        s, QStringLiteral("abonos"),
        QStringList{"NuEmpresa", "NuCliente", "SerieCobranza", "FolioAbono", "FolioInterno", "Fecha", "FechaPago",
                    "NuUser", "NuAlmacen", "NuCorte", "NuMoneda", "TipoCambio", "Importe", "MetodoPagoCob", "FormaPago",
                    "NumOperacion", "Descripcion", "NuTimbre"});
    m_abonosMov = std::make_unique<Inserter>(
        s, QStringLiteral("abonos_mov"),
        QStringList{"NuAbono", "NuCliente_Mov", "Importe", "ImporteAbono", "NumParcialidad", "ImpSaldoAnt",
                    "ImpSaldoInsoluto"});
    m_notas = std::make_unique<Inserter>(
        s, QStringLiteral("notas_credito"),
        QStringList{"NuEmpresa", "NuAlmacen", "NuCliente", "NuCliente_Mov", "Tipo", "Fecha", "NuMoneda", "TipoCambio",
                    "SubTotal", "Impuestos", "Total", "Descripcion"});
    m_setDebt = std::make_unique<QSqlQuery>(s.db());
    m_setDebt->prepare(QStringLiteral("UPDATE cliente_movs SET ImporteDeuda = ? WHERE NuCliente_Mov = ?"));
}

SaleBook::~SaleBook() = default;

double SaleBook::exchangeRate(const QDate& day)
{
    const double t = double(day.toJulianDay() % 100000);
    return round2(18.45 + 1.05 * std::sin(t / 70.0) + 0.3 * std::sin(t / 11.0)) ;
}

double SaleBook::unitPrice(const DemoCompany& company, const DemoClient& client, const DemoProduct& product, int unit,
                           int moneda, double tc) const
{
    int letter = 0;
    if (client.letra.size() == 1)
        letter = std::clamp(client.letra.at(0).unicode() - u'A', 0, 19);
    double price = product.precio[letter] > 0 ? product.precio[letter] : product.precio[0];
    if (company.ivaIncluido)
        price /= withTaxes(company, 1, product.iva, product.ieps, product.tasa2);
    price *= product.uxc[unit];
    if (product.nuMoneda == 2 && moneda == 1)
        price *= tc;
    else if (product.nuMoneda == 1 && moneda == 2)
        price /= tc;
    return round2(price * 1000) / 1000;  // prices keep three decimals after conversion
}

SaleResult SaleBook::writeSale(const SaleSpec& wanted)
{
    const DemoCompany& company = m_ctx.companies[size_t(wanted.company)];
    const DemoClient& client = m_ctx.clients[size_t(wanted.client)];
    SaleResult r;
    r.folioVenta = m_ctx.nextFolioVenta++;
    const QString documento = wanted.tipo == 2 ? QStringLiteral("FACTURA")
                              : wanted.tipo == 6 ? QStringLiteral("REMISION") : QStringLiteral("TICKET");
    r.serie = folioSerie(wanted.company, documento);
    r.folio = m_ctx.nextFolio(wanted.company, documento);

    struct Computed {
        LineTaxes t;
        double price;
        double cost;
    };
    std::vector<Computed> lines;
    double sub = 0, iva = 0, ieps = 0, tasa2 = 0, total = 0;
    for (const SaleLine& l : wanted.lines) {
        const DemoProduct& p = m_ctx.products[size_t(l.product)];
        Computed c;
        c.price = l.price >= 0 ? l.price : unitPrice(company, client, p, l.unit, wanted.moneda, wanted.tc);
        c.t = lineTaxes(company, c.price, l.quantity, p.iva, p.ieps, p.tasa2);
        c.cost = round2(p.costo * p.uxc[l.unit] * (p.nuMoneda == 2 ? wanted.tc : 1));
        sub += c.t.subTotal;
        iva += c.t.iva;
        ieps += c.t.ieps;
        tasa2 += c.t.tasa2;
        total += c.t.total;
        lines.push_back(c);
    }
    r.total = round2(total);

    QVariant timbre(QMetaType(QMetaType::LongLong));
    if (wanted.tipo == 2 && wanted.stamp)
        timbre = stampDocument(m_ctx, *m_timbres, company, client.rfc, r.serie, r.folio, r.total, wanted.fecha,
                               QStringLiteral("I"), &r.uuid);
    m_ventas->insert({r.folioVenta, wanted.company, wanted.almacen, wanted.nuCarro, client.nu, wanted.user, wanted.tipo,
                      wanted.origen, r.serie, r.folio, storeDateTime(wanted.fecha), wanted.moneda,
                      wanted.moneda == 2 ? wanted.tc : 1.0, round2(sub), 0.0, round2(iva), round2(ieps), round2(tasa2),
                      r.total, wanted.credito ? 1 : 0, wanted.metodo, wanted.forma, wanted.uso, timbre, client.nombre,
                      client.rfc, wanted.notas, wanted.entrega, client.domicilio, client.email, client.telefono, wanted.lat,
                      wanted.lon, wanted.chofer, wanted.estatusEntrega});
    for (size_t i = 0; i < wanted.lines.size(); ++i) {
        const SaleLine& l = wanted.lines[i];
        const DemoProduct& p = m_ctx.products[size_t(l.product)];
        const Computed& c = lines[i];
        QString descripcion = p.descripcion;
        if (l.unit > 0)
            descripcion += QStringLiteral(" (%1 C/%2)").arg(p.unidad[l.unit].toUpper()).arg(p.uxc[l.unit]);
        m_lineas->insert({r.folioVenta, l.carroMov, p.id, p.claveProdServ, p.clave[l.unit], p.unidad[l.unit],
                          p.uxc[l.unit], descripcion, l.quantity,
                          wanted.estatusEntrega == 3 || wanted.origen == u"POS" ? l.quantity : 0.0, c.price,
                          round2(c.t.subTotal), 0.0, p.iva, round2(c.t.iva), p.ieps, round2(c.t.ieps), p.tasa2,
                          round2(c.t.tasa2), round2(c.t.total), c.cost});
    }

    if (wanted.credito) {
        const QDate vence = wanted.fecha.date().addDays(std::max(client.dias, 7));
        const QString desc = wanted.tipo == 2 ? QStringLiteral("Factura %1-%2").arg(r.serie).arg(r.folio)
                             : wanted.tipo == 6 ? QStringLiteral("Remisión %1-%2").arg(r.serie).arg(r.folio)
                                              : QStringLiteral("Ticket %1-%2").arg(r.serie).arg(r.folio);
        r.clienteMov = int(m_movs->insert(
            {wanted.company, client.nu, 1, r.folioVenta, wanted.nuCarro, storeDate(wanted.fecha.date()), storeDate(vence),
             wanted.moneda, wanted.moneda == 2 ? wanted.tc : 1.0, desc, QStringLiteral("%1%2").arg(r.serie).arg(r.folio),
             wanted.tipo == 2 ? r.serie : QString(), wanted.tipo == 2 ? r.folio : 0,
             wanted.tipo == 5 ? r.serie : QString(), wanted.tipo == 5 ? r.folio : 0,
             wanted.tipo == 6 ? r.serie : QString(), wanted.tipo == 6 ? r.folio : 0, r.total, r.total, r.uuid}));
    }
    return r;
}

int SaleBook::pay(int company, int clientIndex, int clienteMov, int moneda, double amount, double saldoAnterior,
                  int parcialidad, const QDateTime& when, int user, int almacen, bool stamp)
{
    Random& rnd = m_ctx.rnd;
    const DemoClient& client = m_ctx.clients[size_t(clientIndex)];
    const int folio = m_ctx.nextFolio(company, QStringLiteral("RECIBO"));
    const int interno = m_ctx.nextFolio(company, QStringLiteral("INTERNO"));
    const double r = rnd.real(0, 1);
    // Method letters of the collections screen and their SAT payment forms.
    const char* metodo = r < 0.45 ? "R" : r < 0.65 ? "F" : r < 0.83 ? "T" : r < 0.89 ? "D" : r < 0.95 ? "J"
                         : r < 0.97 ? "V" : r < 0.985 ? "M" : r < 0.995 ? "E" : "C";
    static const QHash<QString, QString> forma = {{"F", "01"}, {"T", "02"}, {"R", "03"}, {"J", "04"}, {"D", "28"},
                                                  {"V", "08"}, {"M", "05"}, {"E", "06"}, {"C", "15"}};
    const QString m = QString::fromLatin1(metodo);
    const QString serie = folioSerie(company, QStringLiteral("RECIBO"));
    QVariant timbre(QMetaType(QMetaType::LongLong));
    if (stamp)
        timbre = stampDocument(m_ctx, *m_timbres, m_ctx.companies[size_t(company)], client.rfc, serie, folio, amount,
                               when, QStringLiteral("P"), nullptr);
    const double tc = exchangeRate(when.date());
    const qint64 abono = m_abonos->insert(
        {company, client.nu, serie, folio, interno, storeDateTime(when), storeDate(when.date()), user, almacen, 0,
         moneda, moneda == 2 ? tc : 1.0, round2(amount), m, forma.value(m),
         m == u"F" ? QString::number(interno) : rnd.digits(m == u"R" ? 10 : 6), QStringLiteral("Abono"), timbre});
    m_abonosMov->insert({abono, clienteMov, round2(amount), round2(amount), parcialidad, round2(saldoAnterior),
                         round2(saldoAnterior - amount)});
    return folio;
}

void SaleBook::creditNote(int company, int almacen, int clientIndex, int clienteMov, int tipo, int moneda,
                          double total, const QDateTime& when, const QString& descripcion)
{
    const double sub = round2(total / 1.16);
    m_notas->insert({company, almacen, m_ctx.clients[size_t(clientIndex)].nu, clienteMov, tipo, storeDateTime(when),
                     moneda, moneda == 2 ? exchangeRate(when.date()) : 1.0, sub, round2(total - sub), round2(total),
                     descripcion});
}

void SaleBook::setDebt(int clienteMov, double remaining)
{
    m_setDebt->bindValue(0, round2(std::max(0.0, remaining)));
    m_setDebt->bindValue(1, clienteMov);
    if (!m_setDebt->exec())
        throw SandboxFault(QStringLiteral("Datos de demostración: ") + m_setDebt->lastError().text());
}

} // namespace korvel::sandbox::demo
