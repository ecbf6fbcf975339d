#include "server/orders/Company.h"

#include "server/SandboxFault.h"
#include "server/Store.h"

namespace korvel::sandbox {

CompanyInfo loadCompany(Store& store, int nuEmpresa)
{
    QSqlQuery q = store.exec(
        QStringLiteral("SELECT Nombre, Comercial, RFC, Domicilio, Telefono, Correo, IVAIncluido, OP_IEPS_SOBRE_IVA,"
                       " TASA2_INC_BASEIVA, TC_VentaCredito, RegimenFiscal, LugarExpedicion, NuCertificado"
                       " FROM empresas WHERE NuEmpresa = ?"),
        {nuEmpresa});
    if (!q.next())
        throw SandboxFault(QStringLiteral("La empresa %1 no existe en este servidor").arg(nuEmpresa));
    CompanyInfo c;
    c.nuEmpresa = nuEmpresa;
    c.nombre = q.value(0).toString();
    c.comercial = q.value(1).toString();
    c.rfc = q.value(2).toString();
    c.domicilio = q.value(3).toString();
    c.telefono = q.value(4).toString();
    c.correo = q.value(5).toString();
    c.taxes.ivaIncluido = q.value(6).toInt() == 1;
    c.taxes.iepsSobreIva = q.value(7).toInt();
    c.taxes.tasa2IncBaseIva = q.value(8).toInt() == 1;
    c.tcVenta = q.value(9).toDouble();
    c.regimenFiscal = q.value(10).toString();
    c.lugarExpedicion = q.value(11).toString();
    c.nuCertificado = q.value(12).toString();
    return c;
}

QString currencyCode(int nuMoneda)
{
    return nuMoneda == 1 ? QStringLiteral("MXN") : QStringLiteral("USD");
}

} // namespace korvel::sandbox
