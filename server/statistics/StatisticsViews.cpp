#include "server/statistics/StatisticsViews.h"

#include "server/SandboxFault.h"
#include "server/Store.h"
#include "server/statistics/Periods.h"

#include <QMap>
#include <QSet>
#include <QSqlQuery>

#include <algorithm>

namespace korvel::sandbox {
namespace {

struct Sum {
    qint64 contado = 0;
    qint64 credito = 0;
    double units = 0;
    QSet<int> documents;
    QTime last;

    void add(const MovementLine& l, bool withTaxes)
    {
        (l.credit ? credito : contado) += l.amount(withTaxes);
        units += l.baseUnits;
        documents.insert(l.document);
        if (!last.isValid() || l.time > last)
            last = l.time;
    }
    qint64 total() const { return contado + credito; }
};

double money(qint64 cents)
{
    return double(cents) / 100.0;
}

template <class Row>
double& field(Row& row, const char* prefix, int period)
{
    const QByteArray name = QByteArray(prefix) + QByteArray::number(period);
    const RecordInfo& info = Row::info();
    const int index = info.fieldIndex(std::string_view(name.constData(), size_t(name.size())));
    if (index < 0 || info.fields[index].kind != FieldKind::Double)
        throw SandboxFault(QStringLiteral("Periodo fuera de rango: %1").arg(QString::fromLatin1(name)));
    return *static_cast<double*>(info.fields[index].member(&row));
}

// Categories in descending order of their total, then by name.
template <class Row>
void sortByTotal(std::vector<Row>& rows)
{
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        if (a.Total != b.Total)
            return a.Total > b.Total;
        return a.Categoria < b.Categoria;
    });
}

template <class Row>
Row scopedRow(const ViewScope& scope, const QString& categoria)
{
    Row r;
    r.DB = scope.db;
    r.NuAlmacen = scope.almacen;
    r.Nombre = scope.almacenName;
    r.Sucursal = scope.branchName;
    r.Categoria = categoria;
    return r;
}

// One row per category, periods from `periodOf` (1..periods).
template <class Row, class PeriodOf>
std::vector<Row> periodRows(const QList<MovementLine>& lines, const QHash<int, QString>& categories,
                            const ViewScope& scope, bool withTaxes, int periods, PeriodOf periodOf)
{
    struct Acc {
        QList<Sum> byPeriod;
        qint64 total = 0;
    };
    QMap<int, Acc> acc;
    for (const MovementLine& l : lines) {
        Acc& a = acc[l.category];
        if (a.byPeriod.isEmpty())
            a.byPeriod.resize(periods);
        const int p = std::clamp(periodOf(l.date), 1, periods);
        a.byPeriod[p - 1].add(l, withTaxes);
        a.total += l.amount(withTaxes);
    }
    std::vector<Row> rows;
    for (auto it = acc.cbegin(); it != acc.cend(); ++it) {
        Row r = scopedRow<Row>(scope, categoryName(categories, it.key()));
        r.Total = money(it.value().total);
        for (int p = 1; p <= periods; ++p) {
            const Sum& s = it.value().byPeriod[p - 1];
            field(r, "Sem", p) = money(s.total());
            field(r, "SemN", p) = money(s.contado);
            field(r, "SemR", p) = money(s.credito);
            field(r, "SemC", p) = s.units;
        }
        rows.push_back(r);
    }
    sortByTotal(rows);
    return rows;
}

} // namespace

double& periodField(TInfo3& row, const char* prefix, int period)
{
    return field(row, prefix, period);
}

double& periodField(TInfo4& row, const char* prefix, int period)
{
    return field(row, prefix, period);
}

QHash<int, QString> warehouseNames(Store& store)
{
    QHash<int, QString> names;
    QSqlQuery q = store.exec(QStringLiteral("SELECT NuAlmacen, Nombre FROM almacenes"));
    while (q.next())
        names.insert(q.value(0).toInt(), q.value(1).toString());
    return names;
}

TListaInfo1 dayByBranch(const QList<MovementLine>& lines, const QList<Branch>& branches,
                        const QHash<int, QString>& warehouses, const QDate& day, bool withTaxes)
{
    // (branch position, warehouse) in order.
    QMap<QPair<int, int>, Sum> sums;
    for (const MovementLine& l : lines)
        if (const Branch* b = branchOfCompany(branches, l.company))
            sums[{b->position, l.almacen}].add(l, withTaxes);
    TListaInfo1 out;
    for (auto it = sums.cbegin(); it != sums.cend(); ++it) {
        const Sum& s = it.value();
        TInfo1 r;
        r.DB = it.key().first;
        r.NuAlmacen = it.key().second;
        r.Nombre = warehouses.value(r.NuAlmacen);
        r.Sucursal = branches[r.DB].nombre;
        r.Total = money(s.total());
        r.Contado = money(s.contado);
        r.Credito = money(s.credito);
        r.Cant = s.units;
        r.Fecha = XsDateTime{day, QTime(0, 0), XsZone::none()};
        r.Hora = XsDateTime{day, s.last.isValid() ? s.last : QTime(0, 0), XsZone::none()};
        r.Nota = QStringLiteral("%1 documentos").arg(s.documents.size());
        out.ArrayInfo1.push_back(r);
    }
    out.Count = qint32(out.ArrayInfo1.size());
    return out;
}

TListaInfo2 byCategory(const QList<MovementLine>& lines, const QHash<int, QString>& categories, const ViewScope& scope,
                       bool withTaxes)
{
    QMap<int, Sum> sums;
    for (const MovementLine& l : lines)
        sums[l.category].add(l, withTaxes);
    TListaInfo2 out;
    for (auto it = sums.cbegin(); it != sums.cend(); ++it) {
        TInfo2 r = scopedRow<TInfo2>(scope, categoryName(categories, it.key()));
        r.Total = money(it.value().total());
        r.Contado = money(it.value().contado);
        r.Credito = money(it.value().credito);
        r.Cant = it.value().units;
        out.ArrayInfo2.push_back(r);
    }
    sortByTotal(out.ArrayInfo2);
    out.Count = qint32(out.ArrayInfo2.size());
    return out;
}

TListaInfo3 yearByWeek(const QList<MovementLine>& lines, const QHash<int, QString>& categories, const ViewScope& scope,
                       int year, bool withTaxes)
{
    TListaInfo3 out;
    out.ArrayInfo3 = periodRows<TInfo3>(lines, categories, scope, withTaxes, 53,
                                        [year](const QDate& d) { return weekOfYear(d, year); });
    out.Count = qint32(out.ArrayInfo3.size());
    return out;
}

TListaInfo4 yearByMonth(const QList<MovementLine>& lines, const QHash<int, QString>& categories,
                        const ViewScope& scope, bool withTaxes)
{
    TListaInfo4 out;
    out.ArrayInfo4 = periodRows<TInfo4>(lines, categories, scope, withTaxes, 12, [](const QDate& d) { return d.month(); });
    out.Count = qint32(out.ArrayInfo4.size());
    return out;
}

} // namespace korvel::sandbox
