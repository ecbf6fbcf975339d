#include "server/statistics/CompanyStatus.h"

#include "server/Store.h"
#include "server/TextHelpers.h"
#include "server/collections/PaymentForms.h"
#include "server/statistics/Movements.h"

#include <QMap>
#include <QSqlQuery>

#include <algorithm>
#include <cmath>

namespace korvel::sandbox {
namespace {

double money(qint64 cents)
{
    return double(cents) / 100.0;
}

void setTopProducts(TEstatusEmpresa& s, const QList<MovementLine>& lines, bool withTaxes)
{
    QMap<QString, QPair<QString, qint64>> byProduct;
    for (const MovementLine& l : lines) {
        auto& entry = byProduct[l.product.toUpper()];
        entry.first = l.descripcion;
        entry.second += l.amount(withTaxes);
    }
    QList<QPair<QString, qint64>> ranked(byProduct.cbegin(), byProduct.cend());
    std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    QString* names[] = {&s.Mas1VendidoProducto, &s.Mas2VendidoProducto, &s.Mas3VendidoProducto, &s.Mas4VendidoProducto,
                        &s.Mas5VendidoProducto, &s.Mas6VendidoProducto, &s.Mas7VendidoProducto, &s.Mas8VendidoProducto,
                        &s.Mas9VendidoProducto, &s.Mas10VendidoProducto};
    double* totals[] = {&s.Mas1VendidoProductoT, &s.Mas2VendidoProductoT, &s.Mas3VendidoProductoT,
                        &s.Mas4VendidoProductoT, &s.Mas5VendidoProductoT, &s.Mas6VendidoProductoT,
                        &s.Mas7VendidoProductoT, &s.Mas8VendidoProductoT, &s.Mas9VendidoProductoT,
                        &s.Mas10VendidoProductoT};
    for (qsizetype i = 0; i < ranked.size() && i < 10; ++i) {
        *names[i] = ranked[i].first;
        *totals[i] = money(ranked[i].second);
    }
}

void addToSplit(TEstatusEmpresa& s, const QString& satForm, double amount)
{
    const QString f = satForm.trimmed();
    if (f == u"01")
        s.CobradoEfectivo += amount;
    else if (f == u"04")
        s.CobradoTarjetaCred += amount;
    else if (f == u"28")
        s.CobradoTarjetaDeb += amount;
    else if (f == u"03")
        s.CobradoTransfer += amount;
    else if (f == u"02")
        s.CobradoCheque += amount;
    else if (f == u"08")
        s.CobradoVales += amount;
    else if (f == u"05")
        s.CobradoMonedero += amount;
    else if (f == u"06")
        s.CobradoDinero += amount;
    else if (f == u"15")
        s.CobradoCondonacion += amount;
}

void addCollection(TEstatusEmpresa& s, const QString& code, double amount)
{
    const auto method = collectionMethod(code);
    if (!method)
        return;
    switch (*method) {
    case CollectionMethod::Efectivo: s.CobranzaEfectivo += amount; break;
    case CollectionMethod::Cheque: s.CobranzaCheque += amount; break;
    case CollectionMethod::TarjetaCredito: s.CobranzaTarjetaCred += amount; break;
    case CollectionMethod::TarjetaDebito: s.CobranzaTarjetaDeb += amount; break;
    case CollectionMethod::Transferencia: s.CobranzaTransfer += amount; break;
    case CollectionMethod::Vales: s.CobranzaVales += amount; break;
    case CollectionMethod::Monedero: s.CobranzaMonedero += amount; break;
    case CollectionMethod::Dinero: s.CobranzaDinero += amount; break;
    case CollectionMethod::Condonacion: s.CobranzaCondonacion += amount; break;
    case CollectionMethod::PorDefinir: break;
    }
}

double rounded(double amount)
{
    return std::round(amount * 100.0) / 100.0;
}

} // namespace

TEstatusEmpresa salesStatus(Store& store, int company, const QDate& day, bool withTaxes)
{
    TEstatusEmpresa s;
    MovementFilter f;
    f.from = day;
    f.to = day;
    f.company = company;
    const QList<MovementLine> lines = movementLines(store, Flow::Sales, f);
    qint64 contado = 0, credito = 0;
    QMap<QString, qint64> cashByForm;
    for (const MovementLine& l : lines) {
        (l.credit ? credito : contado) += l.amount(withTaxes);
        if (!l.credit)
            cashByForm[l.formaPago] += l.grossCents;
    }
    s.VentasContado = money(contado);
    s.VentasCredito = money(credito);
    for (auto it = cashByForm.cbegin(); it != cashByForm.cend(); ++it)
        addToSplit(s, it.key(), money(it.value()));

    const QString from = storeDate(day);
    const QString next = storeDate(day.addDays(1));
    QSqlQuery nc = store.exec(
        QStringLiteral("SELECT Tipo, SUM((CASE WHEN ? THEN Total ELSE SubTotal END)"
                       " * (CASE WHEN NuMoneda = 1 THEN 1 ELSE TipoCambio END))"
                       " FROM notas_credito WHERE NuEmpresa = ? AND Fecha >= ? AND Fecha < ? GROUP BY Tipo"),
        {withTaxes ? 1 : 0, company, from, next});
    while (nc.next())
        (nc.value(0).toInt() == 1 ? s.NC_Devolucion : s.NC_Manual) += rounded(nc.value(1).toDouble());

    QSqlQuery ab = store.exec(
        QStringLiteral("SELECT MetodoPagoCob, SUM(Importe * (CASE WHEN NuMoneda = 1 THEN 1 ELSE TipoCambio END))"
                       " FROM abonos WHERE NuEmpresa = ? AND Cancelado = 0 AND FechaPago >= ? AND FechaPago < ?"
                       " GROUP BY MetodoPagoCob"),
        {company, from, next});
    while (ab.next()) {
        const double amount = rounded(ab.value(1).toDouble());
        s.Cobranza += amount;
        addCollection(s, ab.value(0).toString(), amount);
    }

    // What each document owed at the end of the day: today's balance plus
    // what was paid or credited to it afterwards.
    QSqlQuery cx = store.exec(
        QStringLiteral("SELECT m.NuMoneda, SUM(MAX(0, m.ImporteDeuda"
                       " + IFNULL((SELECT SUM(am.Importe) FROM abonos_mov am JOIN abonos a ON a.NuAbono = am.NuAbono"
                       "   WHERE am.NuCliente_Mov = m.NuCliente_Mov AND a.Cancelado = 0 AND a.FechaPago >= ?), 0)"
                       " + IFNULL((SELECT SUM(n.Total) FROM notas_credito n"
                       "   WHERE n.NuCliente_Mov = m.NuCliente_Mov AND n.Fecha >= ?), 0)))"
                       " FROM cliente_movs m WHERE m.NuEmpresa = ? AND m.Fecha < ? GROUP BY m.NuMoneda"),
        {next, next, company, next});
    while (cx.next())
        (cx.value(0).toInt() == 1 ? s.CtaXCobrarMXN : s.CtaXCobrarUSD) += rounded(cx.value(1).toDouble());

    setTopProducts(s, lines, withTaxes);
    return s;
}

TEstatusEmpresa purchaseStatus(Store& store, int company, const QDate& day, bool withTaxes)
{
    TEstatusEmpresa s;
    MovementFilter f;
    f.from = day;
    f.to = day;
    f.company = company;
    const QList<MovementLine> lines = movementLines(store, Flow::Purchases, f);
    qint64 contado = 0, credito = 0;
    for (const MovementLine& l : lines)
        (l.credit ? credito : contado) += l.amount(withTaxes);
    s.VentasContado = money(contado);
    s.VentasCredito = money(credito);
    QSqlQuery cx = store.exec(QStringLiteral("SELECT NuMoneda, SUM(Saldo) FROM compras"
                                             " WHERE NuEmpresa = ? AND Fecha < ? AND Saldo > 0 GROUP BY NuMoneda"),
                              {company, storeDate(day.addDays(1))});
    while (cx.next())
        (cx.value(0).toInt() == 1 ? s.CtaXCobrarMXN : s.CtaXCobrarUSD) += rounded(cx.value(1).toDouble());
    setTopProducts(s, lines, withTaxes);
    return s;
}

} // namespace korvel::sandbox
