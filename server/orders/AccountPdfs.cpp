#include "server/orders/AccountPdfs.h"

#include "server/PdfDocument.h"
#include "server/Store.h"
#include "server/TextHelpers.h"
#include "server/orders/Company.h"

#include <QSqlQuery>

#include <algorithm>
#include <cmath>
#include <vector>

namespace korvel::sandbox {
namespace {

struct ClientHead {
    QString nombre;
    QString rfc;
    double limite = 0;
    int diasCredito = 0;
};

std::optional<ClientHead> clientOf(Store& store, int nuEmpresa, int nuCliente)
{
    QSqlQuery q = store.exec(QStringLiteral("SELECT Nombre, RFC, Limite, DiasCredito FROM clientes"
                                            " WHERE NuClienteKorvel = ? AND NuEmpresa = ?"),
                             {nuCliente, nuEmpresa});
    if (!q.next())
        return std::nullopt;
    return ClientHead{q.value(0).toString(), q.value(1).toString(), q.value(2).toDouble(), q.value(3).toInt()};
}

void header(PdfDocument& pdf, const CompanyInfo& company, int nuCliente, const ClientHead& client, int nuMoneda)
{
    pdf.addHeaderLine(company.nombre, true);
    if (!company.comercial.isEmpty())
        pdf.addHeaderLine(company.comercial);
    pdf.addHeaderLine(QStringLiteral("RFC: ") + company.rfc);
    pdf.addHeaderLine(QString());
    pdf.addHeaderLine(QStringLiteral("Cliente %1: %2").arg(nuCliente).arg(client.nombre), true);
    pdf.addHeaderLine(QStringLiteral("RFC: %1   Límite de crédito: %2   Días de crédito: %3   Moneda: %4")
                          .arg(client.rfc.isEmpty() ? QStringLiteral("-") : client.rfc, moneyText(client.limite))
                          .arg(client.diasCredito)
                          .arg(currencyCode(nuMoneda)));
}

struct Movement {
    QDate fecha;
    QString documento;
    QString concepto;
    double cargo = 0;
    double abono = 0;
    int order = 0;  // charges before payments of the same day
};

} // namespace

QByteArray accountStatementPdf(Store& store, int nuEmpresa, int nuCliente, int nuMoneda, int year, QString* reason)
{
    const std::optional<ClientHead> client = clientOf(store, nuEmpresa, nuCliente);
    if (!client) {
        *reason = QStringLiteral("El cliente %1 no existe en esta empresa").arg(nuCliente);
        return {};
    }
    std::vector<Movement> all;
    QSqlQuery charges = store.exec(
        QStringLiteral("SELECT Fecha, FolioUnico, Descripcion, ImporteOriginal FROM cliente_movs"
                       " WHERE NuCliente = ? AND NuMoneda = ? AND NuEmpresa = ?"),
        {nuCliente, nuMoneda, nuEmpresa});
    while (charges.next())
        all.push_back({dateFromStore(charges.value(0).toString()), charges.value(1).toString(),
                       charges.value(2).toString(), charges.value(3).toDouble(), 0, 0});
    QSqlQuery payments = store.exec(
        QStringLiteral("SELECT a.FechaPago, a.SerieCobranza, a.FolioAbono, m.FolioUnico, am.Importe, a.NumOperacion"
                       " FROM abonos_mov am JOIN abonos a ON a.NuAbono = am.NuAbono"
                       " JOIN cliente_movs m ON m.NuCliente_Mov = am.NuCliente_Mov"
                       " WHERE m.NuCliente = ? AND m.NuMoneda = ? AND m.NuEmpresa = ? AND a.Cancelado = 0"),
        {nuCliente, nuMoneda, nuEmpresa});
    while (payments.next()) {
        const QString serie = payments.value(1).toString();
        QString concepto = QStringLiteral("Abono a ") + payments.value(3).toString();
        if (!payments.value(5).toString().isEmpty())
            concepto += QStringLiteral(", operación ") + payments.value(5).toString();
        all.push_back({dateFromStore(payments.value(0).toString()),
                       (serie.isEmpty() ? QString() : serie + QLatin1Char('-')) + payments.value(2).toString(), concepto,
                       0, payments.value(4).toDouble(), 1});
    }
    QSqlQuery notes = store.exec(QStringLiteral("SELECT Fecha, NuNota, Descripcion, Total, Tipo FROM notas_credito"
                                                " WHERE NuCliente = ? AND NuMoneda = ? AND NuEmpresa = ?"),
                                 {nuCliente, nuMoneda, nuEmpresa});
    while (notes.next()) {
        QString concepto = notes.value(4).toInt() == 1 ? QStringLiteral("Nota de crédito por devolución")
                                                       : QStringLiteral("Nota de crédito");
        if (!notes.value(2).toString().isEmpty())
            concepto += QStringLiteral(": ") + notes.value(2).toString();
        all.push_back({dateFromStore(notes.value(0).toString()), QStringLiteral("NC-") + notes.value(1).toString(),
                       concepto, 0, notes.value(3).toDouble(), 1});
    }
    std::stable_sort(all.begin(), all.end(), [](const Movement& a, const Movement& b) {
        return a.fecha != b.fecha ? a.fecha < b.fecha : a.order < b.order;
    });

    const QDate first(year, 1, 1);
    const QDate last(year, 12, 31);
    double opening = 0;
    bool any = false;
    for (const Movement& m : all) {
        if (m.fecha < first) {
            opening += m.cargo - m.abono;
            any = true;
        } else if (m.fecha <= last) {
            any = true;
        }
    }
    if (!any) {
        *reason = QStringLiteral("El cliente %1 no tiene movimientos en %2 hasta %3")
                      .arg(nuCliente)
                      .arg(currencyCode(nuMoneda))
                      .arg(year);
        return {};
    }
    const CompanyInfo company = loadCompany(store, nuEmpresa);
    PdfDocument pdf(QStringLiteral("Estado de Cuenta %1").arg(year));
    header(pdf, company, nuCliente, *client, nuMoneda);
    pdf.addHeaderLine(QStringLiteral("Periodo: %1 al %2").arg(dayText(first), dayText(last)));
    pdf.setColumns({{QStringLiteral("Fecha"), 60},
                    {QStringLiteral("Documento"), 70},
                    {QStringLiteral("Concepto"), 210},
                    {QStringLiteral("Cargo"), 70, PdfDocument::Align::Right},
                    {QStringLiteral("Abono"), 70, PdfDocument::Align::Right},
                    {QStringLiteral("Saldo"), 75, PdfDocument::Align::Right}});
    double saldo = opening;
    double cargos = 0;
    double abonos = 0;
    pdf.addRow({dayText(first), QString(), QStringLiteral("Saldo inicial"), QString(), QString(), moneyText(opening)});
    for (const Movement& m : all) {
        if (m.fecha < first || m.fecha > last)
            continue;
        saldo += m.cargo - m.abono;
        cargos += m.cargo;
        abonos += m.abono;
        pdf.addRow({dayText(m.fecha), m.documento, m.concepto, m.cargo != 0 ? moneyText(m.cargo) : QString(),
                    m.abono != 0 ? moneyText(m.abono) : QString(), moneyText(saldo)});
    }
    pdf.addTotal(QStringLiteral("Saldo inicial"), moneyText(opening));
    pdf.addTotal(QStringLiteral("Cargos"), moneyText(cargos));
    pdf.addTotal(QStringLiteral("Abonos"), moneyText(abonos));
    pdf.addTotal(QStringLiteral("Saldo final"), moneyText(saldo) + QLatin1Char(' ') + currencyCode(nuMoneda), true);
    pdf.setFooter(company.nombre + QStringLiteral(" - Estado de cuenta"));
    return pdf.toPdf();
}

QByteArray agedBalancesPdf(Store& store, int nuEmpresa, int nuCliente, int nuMoneda, const QDate& today, QString* reason)
{
    const std::optional<ClientHead> client = clientOf(store, nuEmpresa, nuCliente);
    if (!client) {
        *reason = QStringLiteral("El cliente %1 no existe en esta empresa").arg(nuCliente);
        return {};
    }
    QSqlQuery q = store.exec(
        QStringLiteral("SELECT FolioUnico, Descripcion, Fecha, FechaVence, ImporteOriginal, ImporteDeuda FROM cliente_movs"
                       " WHERE NuCliente = ? AND NuMoneda = ? AND NuEmpresa = ? AND ImporteDeuda > 0.005"
                       " ORDER BY FechaVence, NuCliente_Mov"),
        {nuCliente, nuMoneda, nuEmpresa});
    const CompanyInfo company = loadCompany(store, nuEmpresa);
    PdfDocument pdf(QStringLiteral("Antigüedad de Saldos"));
    header(pdf, company, nuCliente, *client, nuMoneda);
    pdf.addHeaderLine(QStringLiteral("Saldos al ") + dayText(today));
    pdf.setColumns({{QStringLiteral("Documento"), 70},
                    {QStringLiteral("Fecha"), 55},
                    {QStringLiteral("Vence"), 75},
                    {QStringLiteral("Saldo"), 65, PdfDocument::Align::Right},
                    {QStringLiteral("Por vencer"), 60, PdfDocument::Align::Right},
                    {QStringLiteral("1-30"), 55, PdfDocument::Align::Right},
                    {QStringLiteral("31-60"), 55, PdfDocument::Align::Right},
                    {QStringLiteral("61-90"), 55, PdfDocument::Align::Right},
                    {QStringLiteral("Más de 90"), 60, PdfDocument::Align::Right}});
    double buckets[5] = {};
    double total = 0;
    int rows = 0;
    while (q.next()) {
        const QDate vence = dateFromStore(q.value(3).toString());
        const double saldo = q.value(5).toDouble();
        const qint64 days = vence.isValid() ? vence.daysTo(today) : 0;
        const int bucket = days <= 0 ? 0 : days <= 30 ? 1 : days <= 60 ? 2 : days <= 90 ? 3 : 4;
        buckets[bucket] += saldo;
        total += saldo;
        ++rows;
        QStringList cells{q.value(0).toString().isEmpty() ? q.value(1).toString() : q.value(0).toString(),
                          dayText(dateFromStore(q.value(2).toString())),
                          days > 0 ? QStringLiteral("%1 (%2 d)").arg(dayText(vence)).arg(days) : dayText(vence),
                          moneyText(saldo)};
        for (int b = 0; b < 5; ++b)
            cells.append(b == bucket ? moneyText(saldo) : QString());
        pdf.addRow(cells);
    }
    if (rows == 0) {
        *reason = QStringLiteral("El cliente %1 no tiene saldos pendientes en %2").arg(nuCliente).arg(currencyCode(nuMoneda));
        return {};
    }
    static const char* const labels[] = {"Por vencer", "Vencido 1 a 30 días", "Vencido 31 a 60 días",
                                         "Vencido 61 a 90 días", "Vencido más de 90 días"};
    for (int b = 0; b < 5; ++b)
        pdf.addTotal(QString::fromUtf8(labels[b]), moneyText(buckets[b]));
    pdf.addTotal(QStringLiteral("Saldo total"), moneyText(total) + QLatin1Char(' ') + currencyCode(nuMoneda), true);
    pdf.setFooter(company.nombre + QStringLiteral(" - Antigüedad de saldos"));
    return pdf.toPdf();
}

} // namespace korvel::sandbox
