#pragma once
// The statistics lists built from movement lines: the day by branch and
// warehouse (TInfo1), the day or a year by category (TInfo2, TInfo3 weekly,
// TInfo4 monthly). Amounts are in pesos, before or with taxes.
//
// Per row: Total = Contado + Credito; Cant is the quantity in base units.
// The weekly and monthly rows carry per period: Sem = the amount, SemN = the
// part sold (or bought) in cash, SemR = the part on credit, SemC = the
// quantity in base units.

#include "server/statistics/Branches.h"
#include "server/statistics/Movements.h"

#include "service/Ikorvel.h"

namespace korvel::sandbox {

struct ViewScope {
    int db = -1;             // branch position, -1 all
    int almacen = -1;        // warehouse, -1 all
    QString branchName;      // shown in Sucursal
    QString almacenName;     // shown in Nombre
};

// Warehouse names by NuAlmacen.
QHash<int, QString> warehouseNames(Store& store);

TListaInfo1 dayByBranch(const QList<MovementLine>& lines, const QList<Branch>& branches,
                        const QHash<int, QString>& warehouses, const QDate& day, bool withTaxes);
TListaInfo2 byCategory(const QList<MovementLine>& lines, const QHash<int, QString>& categories, const ViewScope& scope,
                       bool withTaxes);
TListaInfo3 yearByWeek(const QList<MovementLine>& lines, const QHash<int, QString>& categories, const ViewScope& scope,
                       int year, bool withTaxes);
TListaInfo4 yearByMonth(const QList<MovementLine>& lines, const QHash<int, QString>& categories,
                        const ViewScope& scope, bool withTaxes);

// The period fields of the weekly and monthly rows: prefix "Sem", "SemN",
// "SemR" or "SemC", period from 1.
double& periodField(TInfo3& row, const char* prefix, int period);
double& periodField(TInfo4& row, const char* prefix, int period);

} // namespace korvel::sandbox
