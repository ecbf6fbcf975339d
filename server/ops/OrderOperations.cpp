// Orders: the day's list, one order, save, change, processing into a sale,
// and the order, invoice and client account PDFs.

#include "server/Access.h"
#include "server/Operations.h"
#include "server/Sandbox.h"
#include "server/SandboxFault.h"
#include "server/orders/AccountPdfs.h"
#include "server/orders/DocumentPdfs.h"
#include "server/orders/OrderRecords.h"
#include "server/orders/OrderWriter.h"
#include "server/orders/SaleProcessing.h"

#include <QDateTime>

namespace korvel::sandbox {
namespace {

void checkCurrency(int nuMoneda)
{
    if (nuMoneda != 1 && nuMoneda != 2)
        throw SandboxFault(QStringLiteral("Moneda inválida: %1 (1 pesos, 2 dólares)").arg(nuMoneda));
}

} // namespace

void registerOrderOperations(Sandbox& sandbox)
{
    Sandbox* sb = &sandbox;
    auto& ops = sandbox.operations();

    ops.on<ops::Lista_CarroSinDetalle>([sb](const ops::Lista_CarroSinDetalle::Request& rq,
                                            ops::Lista_CarroSinDetalle::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        if (!rq.F1 || !rq.F2 || !rq.F1->date.isValid() || !rq.F2->date.isValid())
            throw SandboxFault(QStringLiteral("Debe indicar las fechas F1 y F2 de la lista de pedidos"));
        if (rq.NuPaso < -1 || rq.NuPaso > 9)
            throw SandboxFault(QStringLiteral("Paso de pedido inválido: %1").arg(rq.NuPaso));
        const QDate a = rq.F1->date;
        const QDate b = rq.F2->date;
        rs.result = listPedidos(sb->store(), user.company, std::min(a, b), std::max(a, b), rq.NuPaso);
    });

    ops.on<ops::Lista_CarroXID>([sb](const ops::Lista_CarroXID::Request& rq, ops::Lista_CarroXID::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        std::optional<TPedido> p = loadPedido(sb->store(), user.company, rq.NuCarro, true);
        if (!p)
            throw SandboxFault(QStringLiteral("No existe el pedido %1").arg(rq.NuCarro));
        rs.result.ArrayPedido.push_back(std::move(*p));
        rs.result.Count = 1;
    });

    ops.on<ops::Guardar_Carro>([sb](const ops::Guardar_Carro::Request& rq, ops::Guardar_Carro::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        QString reason;
        int nuCarro = 0;
        rs.result = guardarCarro(sb->store(), user, rq.Pedido, &nuCarro, &reason);
        rs.NuCarro = nuCarro;
        if (rs.result != GuardarExitoso)
            sb->setLastError(reason);
    });

    ops.on<ops::Modificar_Carro>([sb](const ops::Modificar_Carro::Request& rq, ops::Modificar_Carro::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        QString reason;
        rs.result = modificarCarro(sb->store(), user, rq.Pedido, &reason);
        if (rs.result != ModificarExitoso)
            sb->setLastError(reason);
    });

    ops.on<ops::Procesar_Carro>([sb](const ops::Procesar_Carro::Request& rq, ops::Procesar_Carro::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        const ProcessOutcome o = procesarCarro(sb->store(), user, rq.NuPedido, rq.Proceso);
        rs.result = o.code;
        rs.FolioVenta = o.folioVenta;
        if (o.code != ProcesarExitoso)
            sb->setLastError(o.reason);
    });

    ops.on<ops::GeneraPDF_Carro>([sb](const ops::GeneraPDF_Carro::Request& rq, ops::GeneraPDF_Carro::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        QString reason;
        rs.result = orderPdf(sb->store(), user.company, rq.NuPedido, &reason);
        if (rs.result.isEmpty())
            sb->setLastError(reason);
    });

    ops.on<ops::GeneraPDF_FacturaXFolioVenta>([sb](const ops::GeneraPDF_FacturaXFolioVenta::Request& rq,
                                                   ops::GeneraPDF_FacturaXFolioVenta::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        QString reason;
        rs.result = invoicePdf(sb->store(), user.company, rq.FolioVenta, &reason);
        if (rs.result.isEmpty())
            sb->setLastError(reason);
    });

    ops.on<ops::GeneraPDF_EstadoCuenta>([sb](const ops::GeneraPDF_EstadoCuenta::Request& rq,
                                             ops::GeneraPDF_EstadoCuenta::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        checkCurrency(rq.NuMoneda);
        if (rq.Year < 1900 || rq.Year > 9999)
            throw SandboxFault(QStringLiteral("Año inválido: %1").arg(rq.Year));
        QString reason;
        rs.result = accountStatementPdf(sb->store(), user.company, rq.NuCliente, rq.NuMoneda, rq.Year, &reason);
        if (rs.result.isEmpty())
            sb->setLastError(reason);
    });

    ops.on<ops::GeneraPDF_AntSaldos>([sb](const ops::GeneraPDF_AntSaldos::Request& rq,
                                          ops::GeneraPDF_AntSaldos::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        checkCurrency(rq.NuMoneda);
        QString reason;
        rs.result = agedBalancesPdf(sb->store(), user.company, rq.NuCliente, rq.NuMoneda, QDate::currentDate(), &reason);
        if (rs.result.isEmpty())
            sb->setLastError(reason);
    });
}

} // namespace korvel::sandbox
