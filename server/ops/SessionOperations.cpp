// Session operations: the service build, the companies hosted, the login
// (in its four generations) and the company record.

#include "server/Access.h"
#include "server/Operations.h"
#include "server/Sandbox.h"
#include "server/SandboxFault.h"

#include <QSqlQuery>

namespace korvel::sandbox {
namespace {

// What every generation of the login answers; older ones return a prefix of it.
struct LoginAnswer {
    bool ok = false;
    QString msg;
    SessionUser user;
};

LoginAnswer login(Sandbox& sandbox, const QString& loginName, const QString& pass, const QString& field)
{
    LoginAnswer a;
    QString reason;
    std::optional<SessionUser> user = authenticate(sandbox, loginName, pass, &reason);
    if (!user) {
        a.msg = reason;
    } else if (!field.isEmpty() && field.compare(QLatin1String("OP_KORVELMOVIL"), Qt::CaseInsensitive) != 0) {
        a.msg = QStringLiteral("Permiso desconocido: %1").arg(field);
    } else if (!user->movil) {
        a.msg = QStringLiteral("El usuario %1 no tiene acceso a Korvel Móvil").arg(user->login);
    } else {
        a.ok = true;
        a.user = *user;
        a.msg = QStringLiteral("Bienvenido, %1").arg(user->nombre);
    }
    if (!a.ok)
        sandbox.setLastError(a.msg);
    return a;
}

int companyCount(Sandbox& sandbox)
{
    if (sandbox.options().singleCompany)
        return 1;
    return sandbox.store().scalar(QStringLiteral("SELECT COUNT(*) FROM empresas")).toInt();
}

TEmpresa companyRecord(Sandbox& sandbox, int id)
{
    if (!companyOffered(sandbox, id))
        throw SandboxFault(QStringLiteral("No existe la empresa %1").arg(id));
    QSqlQuery q = sandbox.store().exec(
        QStringLiteral("SELECT Nombre, Comercial, RFC, Domicilio, Telefono, Correo, Printer1, Printer2, Printer3,"
                       " Printer4, Printer5, ProTitulo1, ProTitulo2, ProTitulo3, IVAIncluido, OP_IEPS_SOBRE_IVA,"
                       " TC_VentaCredito, TC_CobranzaCredito, OP_AUTHPEDIDOPRECIO, OP_MOSTRARPIEZAS,"
                       " OP_AUTOGEN_PRECIOPACTO, FOLIOTRUPERLINEA, TASA2_INC_BASEIVA, PublicaFotosWeb,"
                       " PublicaEntregasWeb FROM empresas WHERE NuEmpresa = ?"),
        {id});
    if (!q.next())
        throw SandboxFault(QStringLiteral("No existe la empresa %1").arg(id));
    TEmpresa e;
    e.Nombre = q.value(0).toString();
    e.Comercial = q.value(1).toString();
    e.RFC = q.value(2).toString();
    e.Domicilio = q.value(3).toString();
    e.Telefono = q.value(4).toString();
    e.Correo = q.value(5).toString();
    e.Printer1 = q.value(6).toString();
    e.Printer2 = q.value(7).toString();
    e.Printer3 = q.value(8).toString();
    e.Printer4 = q.value(9).toString();
    e.Printer5 = q.value(10).toString();
    e.ProTitulo1 = q.value(11).toString();
    e.ProTitulo2 = q.value(12).toString();
    e.ProTitulo3 = q.value(13).toString();
    e.IVAIncluido = q.value(14).toInt() == 1;
    e.OP_IEPS_SOBRE_IVA = q.value(15).toInt();
    e.TC_VentaCredito = q.value(16).toDouble();
    e.TC_CobranzaCredito = q.value(17).toDouble();
    e.OP_AUTHPEDIDOPRECIO = q.value(18).toString();
    e.OP_MOSTRARPIEZAS = q.value(19).toString();
    e.OP_AUTOGEN_PRECIOPACTO = q.value(20).toString();
    e.FOLIOTRUPERLINEA = q.value(21).toInt();
    e.TASA2_INC_BASEIVA = q.value(22).toInt() == 1;
    // Photos and the delivery post are served by this same sandbox.
    e.URL_PHOTO = q.value(23).toInt() == 1 ? sandbox.baseUrl() + QStringLiteral("/fotos/") : QString();
    e.URL_Post = q.value(24).toInt() == 1 ? sandbox.baseUrl() + QStringLiteral("/entregas/registro") : QString();
    return e;
}

template <class Op>
void registerLogin(Sandbox& sandbox)
{
    sandbox.operations().on<Op>([&sandbox](const typename Op::Request& rq, typename Op::Response& rs) {
        const LoginAnswer a = login(sandbox, rq.User, rq.Pass, rq.Field);
        rs.result = a.ok;
        rs.Msg = a.msg;
        rs.NuUser = a.user.nuUser;
        rs.Modulos = a.user.modulos;
        if constexpr (requires { rs.Almacen; }) {
            rs.NuAlmacen = a.user.nuAlmacen;
            rs.Almacen = a.user.almacen;
        }
        if constexpr (requires { rs.Precio1; }) {
            rs.Precio1 = a.user.precio[0];
            rs.Precio2 = a.user.precio[1];
            rs.Precio3 = a.user.precio[2];
            rs.Precio4 = a.user.precio[3];
        }
        if constexpr (requires { rs.NivelPrecios; })
            rs.NivelPrecios = a.user.nivelPrecios;
    });
}

} // namespace

void registerSessionOperations(Sandbox& sandbox)
{
    OperationRegistry& reg = sandbox.operations();

    reg.on<ops::VersionWS>([&sandbox](const ops::VersionWS::Request&, ops::VersionWS::Response& rs) {
        rs.result = sandbox.options().build;
    });
    reg.on<ops::VersionWSPos>([&sandbox](const ops::VersionWSPos::Request&, ops::VersionWSPos::Response& rs) {
        rs.result = sandbox.options().build;
    });

    reg.on<ops::EsMultiEmpresa>([&sandbox](const ops::EsMultiEmpresa::Request&, ops::EsMultiEmpresa::Response& rs) {
        rs.result = companyCount(sandbox) > 1;
    });

    reg.on<ops::GetSucursales>([&sandbox](const ops::GetSucursales::Request&, ops::GetSucursales::Response& rs) {
        QSqlQuery q = sandbox.store().exec(
            QStringLiteral("SELECT Suc, Nombre, Ruta FROM empresas ORDER BY NuEmpresa LIMIT ?"), {companyCount(sandbox)});
        while (q.next())
            rs.result.ArrayDBS.push_back({q.value(0).toInt(), q.value(1).toString(), q.value(2).toString()});
        rs.result.Count = qint32(rs.result.ArrayDBS.size());
    });

    reg.on<ops::GetEmpresa>([&sandbox](const ops::GetEmpresa::Request& rq, ops::GetEmpresa::Response& rs) {
        rs.result = companyRecord(sandbox, rq.ID);
    });

    reg.on<ops::VerificaConexion>([&sandbox](const ops::VerificaConexion::Request& rq, ops::VerificaConexion::Response& rs) {
        const LoginAnswer a = login(sandbox, rq.User, rq.Pass, QString());
        rs.result = a.ok;
        rs.Msg = a.ok ? QStringLiteral("Conexión correcta") : a.msg;
    });

    // The four login variants answer the same check with more or fewer of its values.
    registerLogin<ops::AccesoUserXModulo>(sandbox);
    registerLogin<ops::AccesoUserXModuloXAlmacen>(sandbox);
    registerLogin<ops::AccesoUserXModuloXAlmacenPrecios>(sandbox);
    registerLogin<ops::AccesoUserXModuloXAlmacenPreciosNivel>(sandbox);
}

} // namespace korvel::sandbox
