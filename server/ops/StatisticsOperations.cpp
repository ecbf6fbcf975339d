// Business statistics: branches, the company status of a day, the day by
// branch and by category, the year by week and by month, for sales and for
// purchases, in pesos, before or with taxes, optionally for one product.

#include "server/Access.h"
#include "server/Operations.h"
#include "server/Sandbox.h"
#include "server/SandboxFault.h"
#include "server/statistics/Branches.h"
#include "server/statistics/CompanyStatus.h"
#include "server/statistics/Movements.h"
#include "server/statistics/StatisticsViews.h"

#include <QSqlQuery>

namespace korvel::sandbox {
namespace {

QDate requireDay(int y, int m, int d)
{
    const QDate day(y, m, d);
    if (!day.isValid() || y < 1900 || y > 9999)
        throw SandboxFault(QStringLiteral("La fecha %1/%2/%3 no es válida").arg(d).arg(m).arg(y));
    return day;
}

void requireYear(int year)
{
    if (year < 1900 || year > 9999)
        throw SandboxFault(QStringLiteral("El año %1 no es válido").arg(year));
}

// Branch and warehouse of a request (-1: all) as a filter and the names
// the rows show.
struct Scope {
    MovementFilter filter;
    ViewScope view;
};

Scope scopeOf(Sandbox& sb, const QList<Branch>& list, int db, int almacen, const QString& product)
{
    Scope s;
    s.filter.product = product;
    s.view.db = db < 0 ? -1 : db;
    s.view.branchName = QStringLiteral("Todas las sucursales");
    if (db >= 0) {
        const Branch& b = branchAt(list, db);
        s.filter.company = b.company;
        s.view.branchName = b.nombre;
    } else if (db != -1) {
        throw SandboxFault(QStringLiteral("La sucursal %1 no existe").arg(db));
    }
    s.view.almacen = almacen > 0 ? almacen : -1;
    s.view.almacenName = QStringLiteral("Todos los almacenes");
    if (almacen > 0) {
        QSqlQuery q = sb.store().exec(QStringLiteral("SELECT NuEmpresa, Nombre FROM almacenes WHERE NuAlmacen = ?"), {almacen});
        const bool known = q.next();
        const int company = known ? q.value(0).toInt() : -1;
        if (!known || (db >= 0 && company != s.filter.company) || !branchOfCompany(list, company))
            throw SandboxFault(db >= 0 ? QStringLiteral("El almacén %1 no es de la sucursal %2").arg(almacen).arg(db)
                                       : QStringLiteral("El almacén %1 no existe").arg(almacen));
        s.filter.almacen = almacen;
        s.view.almacenName = q.value(1).toString();
    }
    return s;
}

// Lines of companies that this run offers only.
QList<MovementLine> offered(QList<MovementLine> lines, const QList<Branch>& list)
{
    lines.removeIf([&](const MovementLine& l) { return !branchOfCompany(list, l.company); });
    return lines;
}

template <class Op>
void dayByBranchOp(Sandbox& sandbox, Flow flow)
{
    Sandbox* sb = &sandbox;
    sandbox.operations().on<Op>([sb, flow](const typename Op::Request& rq, typename Op::Response& rs) {
        requireUser(*sb, rq.User, rq.Pass);
        const QDate day = requireDay(rq.Y, rq.M, rq.D);
        const QList<Branch> list = branches(*sb);
        MovementFilter f;
        f.from = day;
        f.to = day;
        f.product = rq.FiltroXN123;
        rs.result = dayByBranch(offered(movementLines(sb->store(), flow, f), list), list, warehouseNames(sb->store()), day,
                                rq.ConImpuesto);
    });
}

template <class Op>
void dayByCategoryOp(Sandbox& sandbox, Flow flow)
{
    Sandbox* sb = &sandbox;
    sandbox.operations().on<Op>([sb, flow](const typename Op::Request& rq, typename Op::Response& rs) {
        requireUser(*sb, rq.User, rq.Pass);
        const QDate day = requireDay(rq.Y, rq.M, rq.D);
        const QList<Branch> list = branches(*sb);
        Scope s = scopeOf(*sb, list, rq.DB, rq.NuAlmacen, rq.FiltroXN123);
        s.filter.from = day;
        s.filter.to = day;
        rs.result = byCategory(offered(movementLines(sb->store(), flow, s.filter), list), categoryNames(sb->store()),
                               s.view, rq.ConImpuesto);
    });
}

template <class Op, bool Weekly>
void yearOp(Sandbox& sandbox, Flow flow)
{
    Sandbox* sb = &sandbox;
    sandbox.operations().on<Op>([sb, flow](const typename Op::Request& rq, typename Op::Response& rs) {
        requireUser(*sb, rq.User, rq.Pass);
        requireYear(rq.Year);
        const QList<Branch> list = branches(*sb);
        Scope s = scopeOf(*sb, list, rq.DB, -1, rq.FiltroXN123);
        s.filter.from = QDate(rq.Year, 1, 1);
        s.filter.to = QDate(rq.Year, 12, 31);
        const QList<MovementLine> lines = offered(movementLines(sb->store(), flow, s.filter), list);
        if constexpr (Weekly)
            rs.result = yearByWeek(lines, categoryNames(sb->store()), s.view, rq.Year, rq.ConImpuesto);
        else
            rs.result = yearByMonth(lines, categoryNames(sb->store()), s.view, rq.ConImpuesto);
    });
}

} // namespace

void registerStatisticsOperations(Sandbox& sandbox)
{
    Sandbox* sb = &sandbox;
    auto& registry = sandbox.operations();

    registry.on<ops::GM_ListaSucursales>([sb](const ops::GM_ListaSucursales::Request& rq, ops::GM_ListaSucursales::Response& rs) {
        requireUser(*sb, rq.User, rq.Pass);
        rs.result = branchList(branches(*sb));
    });

    // The branch is the company of the login name ("N@user").
    registry.on<ops::GM_EstatusEmpresa>([sb](const ops::GM_EstatusEmpresa::Request& rq, ops::GM_EstatusEmpresa::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        rs.result = salesStatus(sb->store(), user.company, requireDay(rq.Y, rq.M, rq.D), rq.ConImpuesto);
    });
    registry.on<ops::GM_EstatusEmpresaCompra>(
        [sb](const ops::GM_EstatusEmpresaCompra::Request& rq, ops::GM_EstatusEmpresaCompra::Response& rs) {
            const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
            rs.result = purchaseStatus(sb->store(), user.company, requireDay(rq.Y, rq.M, rq.D), rq.ConImpuesto);
        });

    dayByBranchOp<ops::GM_IngresoXDia2>(sandbox, Flow::Sales);
    dayByBranchOp<ops::GM_CompraXDia2>(sandbox, Flow::Purchases);
    dayByCategoryOp<ops::GM_IngresoXDiaXCategoria2>(sandbox, Flow::Sales);
    dayByCategoryOp<ops::GM_CompraXDiaXCategoria2>(sandbox, Flow::Purchases);
    yearOp<ops::GM_EjercicioXSem, true>(sandbox, Flow::Sales);
    yearOp<ops::GM_EjercicioXMes, false>(sandbox, Flow::Sales);
    yearOp<ops::GM_CompraEjercicioXSem, true>(sandbox, Flow::Purchases);
    yearOp<ops::GM_CompraEjercicioXMes, false>(sandbox, Flow::Purchases);
}

} // namespace korvel::sandbox
