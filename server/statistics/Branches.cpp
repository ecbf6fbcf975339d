#include "server/statistics/Branches.h"

#include "server/Access.h"
#include "server/Sandbox.h"
#include "server/SandboxFault.h"

#include <QSqlQuery>

namespace korvel::sandbox {

QList<Branch> branches(Sandbox& sandbox)
{
    QList<Branch> out;
    QSqlQuery q = sandbox.store().exec(QStringLiteral("SELECT NuEmpresa, Suc, Nombre, Ruta FROM empresas ORDER BY NuEmpresa"));
    while (q.next()) {
        const int company = q.value(0).toInt();
        if (sandbox.options().singleCompany && company != 0)
            continue;
        Branch b;
        b.position = int(out.size());
        b.company = company;
        b.suc = q.value(1).toInt();
        b.nombre = q.value(2).toString();
        b.ruta = q.value(3).toString();
        out.append(b);
    }
    return out;
}

TListaDBS branchList(const QList<Branch>& list)
{
    TListaDBS out;
    for (const Branch& b : list)
        out.ArrayDBS.push_back(TDBS{b.suc, b.nombre, b.ruta});
    out.Count = qint32(out.ArrayDBS.size());
    return out;
}

const Branch& branchAt(const QList<Branch>& list, int position)
{
    if (position < 0 || position >= list.size())
        throw SandboxFault(QStringLiteral("La sucursal %1 no existe").arg(position));
    return list[position];
}

const Branch* branchOfCompany(const QList<Branch>& list, int company)
{
    for (const Branch& b : list)
        if (b.company == company)
            return &b;
    return nullptr;
}

} // namespace korvel::sandbox
