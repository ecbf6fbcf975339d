#include "server/Access.h"

#include "server/Sandbox.h"
#include "server/SandboxFault.h"

#include <QSqlQuery>

namespace korvel::sandbox {

LoginName parseLoginName(const QString& text)
{
    const QString trimmed = text.trimmed();
    const qsizetype at = trimmed.indexOf(QLatin1Char('@'));
    if (at > 0 && at <= 4) {
        bool digits = true;
        for (qsizetype i = 0; i < at; ++i)
            digits = digits && trimmed.at(i).isDigit() && trimmed.at(i).unicode() < 128;
        if (digits)
            return {trimmed.left(at).toInt(), trimmed.mid(at + 1).trimmed()};
    }
    return {0, trimmed};
}

bool SessionUser::hasModule(int position) const
{
    return position >= 1 && position <= modulos.size() && modulos.at(position - 1) == QLatin1Char('T');
}

bool companyOffered(Sandbox& sandbox, int company)
{
    if (company < 0 || (sandbox.options().singleCompany && company != 0))
        return false;
    return sandbox.store().scalar(QStringLiteral("SELECT COUNT(*) FROM empresas WHERE NuEmpresa = ?"), {company}).toInt() > 0;
}

std::optional<SessionUser> authenticate(Sandbox& sandbox, const QString& loginName, const QString& pass,
                                        QString* reason)
{
    auto refuse = [&](const QString& why) -> std::optional<SessionUser> {
        if (reason)
            *reason = why;
        return std::nullopt;
    };
    const LoginName name = parseLoginName(loginName);
    if (name.user.isEmpty())
        return refuse(QStringLiteral("Debe indicar el usuario y la contraseña"));
    if (!companyOffered(sandbox, name.company))
        return refuse(QStringLiteral("La empresa %1 no existe en este servidor").arg(name.company));

    QSqlQuery q = sandbox.store().exec(
        QStringLiteral("SELECT u.NuUser, u.Login, u.Pass, u.Nombre, u.NuAlmacen, IFNULL(a.Nombre, ''), u.Modulos,"
                       " u.Precio1, u.Precio2, u.Precio3, u.Precio4, u.NivelPrecios, u.OP_KORVELMOVIL, u.Activo"
                       " FROM usuarios u LEFT JOIN almacenes a ON a.NuAlmacen = u.NuAlmacen"
                       " WHERE u.NuEmpresa = ? AND u.Login = ?"),
        {name.company, name.user});
    // The same text for an unknown user and a wrong password: it tells nothing
    // about which user names exist.
    if (!q.next() || q.value(2).toString() != pass)
        return refuse(QStringLiteral("Usuario o contraseña incorrectos"));
    if (q.value(13).toInt() != 1)
        return refuse(QStringLiteral("El usuario %1 está dado de baja").arg(q.value(1).toString()));

    SessionUser u;
    u.nuUser = q.value(0).toInt();
    u.company = name.company;
    u.login = q.value(1).toString();
    u.nombre = q.value(3).toString();
    u.nuAlmacen = q.value(4).toInt();
    u.almacen = q.value(5).toString();
    u.modulos = q.value(6).toString();
    for (int i = 0; i < 4; ++i)
        u.precio[i] = q.value(7 + i).toString();
    u.nivelPrecios = q.value(11).toString();
    u.movil = q.value(12).toString() == u"T";
    return u;
}

SessionUser requireUser(Sandbox& sandbox, const QString& loginName, const QString& pass)
{
    QString reason;
    std::optional<SessionUser> user = authenticate(sandbox, loginName, pass, &reason);
    if (!user)
        throw SandboxFault(reason);
    if (!user->movil)
        throw SandboxFault(QStringLiteral("El usuario %1 no tiene acceso a Korvel Móvil").arg(user->login));
    return *user;
}

} // namespace korvel::sandbox
