// Client operations: the client search by name, RFC, e-mail, telephone or
// number (Value is a LIKE pattern), one client by number, and the credit check.

#include "server/Access.h"
#include "server/Operations.h"
#include "server/RecordRows.h"
#include "server/Sandbox.h"
#include "server/SandboxFault.h"
#include "server/TextHelpers.h"

#include <QSqlQuery>

#include <cmath>

namespace korvel::sandbox {
namespace {

constexpr int kMaxClients = 500;

// The client and its balance in pesos (dollar documents at the collection rate).
const QString kClientSelect = QStringLiteral(
    "SELECT c.NuClienteKorvel, c.NuCliente, c.Nombre, c.Comercial, c.RFC, c.Calle, c.Numero, c.Interior, c.Colonia,"
    " c.Ciudad, c.Estado, c.Pais, c.CP, c.Email, c.Telefono, c.DomicilioEntrega, c.NuPrecio,"
    " IFNULL(s.SaldoMXN, 0) + IFNULL(s.SaldoUSD, 0) * e.TC_CobranzaCredito AS Saldo, c.Limite, c.NuTipoPago,"
    " c.Extra1, c.Extra2, c.Extra3, c.Latitud, c.Longitud"
    " FROM clientes c JOIN empresas e ON e.NuEmpresa = c.NuEmpresa"
    " LEFT JOIN saldos_clientes s ON s.NuCliente = c.NuClienteKorvel");

TCliente clientFrom(const QSqlQuery& q)
{
    TCliente c = recordFromRow<TCliente>(q);
    c.Saldo = std::round(c.Saldo * 100) / 100;
    return c;
}

// The column and the pattern of a search field. Names and telephones are
// compared in their normalized forms, so the pattern is normalized the same way.
QPair<QString, QString> searchColumn(int field, const QString& value)
{
    switch (field) {
    case 1:
        return {QStringLiteral("c.BuscaNombre"), normalizeSearchText(value)};
    case 2:
        return {QStringLiteral("upper(c.RFC)"), value.toUpper()};
    case 3:
        return {QStringLiteral("c.Email"), value};
    case 4: {
        QString digits;
        for (const QChar ch : value)
            if (ch.isDigit() || ch == u'%' || ch == u'_')
                digits.append(ch);
        return {QStringLiteral("c.Telefono"), digits};
    }
    case 5:
        return {QStringLiteral("CAST(c.NuClienteKorvel AS TEXT)"), value.trimmed()};
    default:
        throw SandboxFault(QStringLiteral("Campo de búsqueda no válido: %1 (1 Nombre, 2 RFC, 3 EMAIL, 4 Telefono, 5 Folio)").arg(field));
    }
}

} // namespace

void registerClientOperations(Sandbox& sandbox)
{
    OperationRegistry& reg = sandbox.operations();

    reg.on<ops::ListaCliente_Consulta>([&sandbox](const ops::ListaCliente_Consulta::Request& rq,
                                                  ops::ListaCliente_Consulta::Response& rs) {
        const SessionUser user = requireUser(sandbox, rq.User, rq.Pass);
        const auto [column, pattern] = searchColumn(rq.Field, rq.Value);
        QSqlQuery q = sandbox.store().exec(kClientSelect + QStringLiteral(" WHERE c.NuEmpresa = ? AND %1 LIKE ?"
                                                                          " ORDER BY c.Nombre, c.NuClienteKorvel LIMIT ?").arg(column),
                                           {user.company, pattern, kMaxClients});
        while (q.next())
            rs.result.ArrayCliente.push_back(clientFrom(q));
        rs.result.Count = qint32(rs.result.ArrayCliente.size());
    });

    reg.on<ops::Cliente_Consulta>([&sandbox](const ops::Cliente_Consulta::Request& rq, ops::Cliente_Consulta::Response& rs) {
        const SessionUser user = requireUser(sandbox, rq.User, rq.Pass);
        QSqlQuery q = sandbox.store().exec(kClientSelect + QStringLiteral(" WHERE c.NuEmpresa = ? AND c.NuClienteKorvel = ?"),
                                           {user.company, rq.NuCliente});
        rs.Exito = q.next() ? 1 : 0;
        if (rs.Exito)
            rs.result = clientFrom(q);
    });

    reg.on<ops::SelePuedeDarCredito>([&sandbox](const ops::SelePuedeDarCredito::Request& rq,
                                                ops::SelePuedeDarCredito::Response& rs) {
        const SessionUser user = requireUser(sandbox, rq.User, rq.Pass);
        QSqlQuery q = sandbox.store().exec(
            QStringLiteral("SELECT c.NuTipoPago, c.Limite, c.CreditoSuspendido, c.EsPublicoGeneral,"
                           " IFNULL(s.SaldoMXN, 0), IFNULL(s.SaldoUSD, 0),"
                           " (SELECT IFNULL(SUM(CASE WHEN m.NuMoneda = 1 THEN m.ImporteDeuda ELSE m.ImporteDeuda * e.TC_CobranzaCredito END), 0)"
                           "   FROM cliente_movs m WHERE m.NuCliente = c.NuClienteKorvel AND m.ImporteDeuda > 0.005"
                           "   AND m.FechaVence < date('now', 'localtime', '-' || e.DiasGraciaCredito || ' days')), 0,"
                           " e.TC_CobranzaCredito, e.DiasGraciaCredito,"
                           " (SELECT COUNT(*) FROM cliente_movs m WHERE m.NuCliente = c.NuClienteKorvel AND m.ImporteDeuda > 0.005"
                           "   AND m.FechaVence < date('now', 'localtime', '-' || e.DiasGraciaCredito || ' days')),"
                           " (SELECT MIN(m.FechaVence) FROM cliente_movs m WHERE m.NuCliente = c.NuClienteKorvel AND m.ImporteDeuda > 0.005"
                           "   AND m.FechaVence < date('now', 'localtime', '-' || e.DiasGraciaCredito || ' days'))"
                           " FROM clientes c JOIN empresas e ON e.NuEmpresa = c.NuEmpresa"
                           " LEFT JOIN saldos_clientes s ON s.NuCliente = c.NuClienteKorvel"
                           " WHERE c.NuClienteKorvel = ? AND c.NuEmpresa = ?"),
            {rq.NuCliente, user.company});
        rs.result = false;
        if (!q.next()) {
            rs.Ms = QStringLiteral("El cliente %1 no existe").arg(rq.NuCliente);
            return;
        }
        const double limite = q.value(1).toDouble();
        const double tc = q.value(8).toDouble() > 0 ? q.value(8).toDouble() : 1;
        const double saldo = q.value(4).toDouble() + q.value(5).toDouble() * tc;
        const double vencido = q.value(6).toDouble();
        const int docsVencidos = q.value(10).toInt();
        if (q.value(3).toInt() == 1 || q.value(0).toInt() != 2 || limite <= 0) {
            rs.Ms = QStringLiteral("El cliente no tiene crédito autorizado, solo puede comprar de contado");
        } else if (q.value(2).toInt() == 1) {
            rs.Ms = QStringLiteral("El crédito del cliente está suspendido, consulte al departamento de crédito y cobranza");
        } else if (docsVencidos > 0) {
            rs.Ms = QStringLiteral("El cliente tiene %1 documento(s) vencido(s) por %2; el más antiguo venció el %3")
                        .arg(docsVencidos)
                        .arg(moneyText(vencido), dayText(dateFromStore(q.value(11).toString())));
        } else if (saldo >= limite) {
            rs.Ms = QStringLiteral("El cliente rebasó su límite de crédito: saldo %1, límite %2").arg(moneyText(saldo), moneyText(limite));
        } else {
            rs.result = true;
            const double disponible = limite - saldo;
            rs.Ms = rq.NuMoneda == 2 ? QStringLiteral("Crédito disponible: %1 USD de %2 USD")
                                           .arg(moneyText(disponible / tc), moneyText(limite / tc))
                                     : QStringLiteral("Crédito disponible: %1 de %2").arg(moneyText(disponible), moneyText(limite));
        }
    });
}

} // namespace korvel::sandbox
