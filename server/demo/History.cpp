// Almost two years of business before today: counter and account sales per
// warehouse and day, their payments and credit notes, and the purchases from
// suppliers. The statistics, the histories and the open debts all come from
// these rows, so their sums agree across views.

#include "server/TextHelpers.h"
#include "server/demo/SaleBook.h"

#include <cmath>

namespace korvel::sandbox::demo {
namespace {

// Products by popularity, for drawing lines of a sale.
class ProductPicker {
public:
    explicit ProductPicker(const std::vector<DemoProduct>& products)
    {
        double sum = 0;
        for (size_t i = 0; i < products.size(); ++i) {
            if (products[i].popularity <= 0)
                continue;
            sum += products[i].popularity;
            m_cumulative.push_back(sum);
            m_index.push_back(int(i));
        }
    }
    int pick(Random& rnd) const
    {
        const double r = rnd.real(0, m_cumulative.back());
        const auto it = std::upper_bound(m_cumulative.begin(), m_cumulative.end(), r);
        return m_index[size_t(std::min<std::ptrdiff_t>(it - m_cumulative.begin(), std::ptrdiff_t(m_index.size()) - 1))];
    }

private:
    std::vector<double> m_cumulative;
    std::vector<int> m_index;
};

double dayFactor(const QDate& d)
{
    static const double month[] = {0.8, 0.85, 0.95, 1.0, 1.05, 1.0, 0.95, 1.0, 1.0, 1.05, 1.15, 1.35};
    const int dow = d.dayOfWeek();
    const double week = dow <= 5 ? 1.0 : dow == 6 ? 0.8 : 0.25;
    return month[d.month() - 1] * week;
}

QString cashForm(Random& rnd)
{
    const double r = rnd.real(0, 1);
    return QString::fromLatin1(r < 0.55 ? "01" : r < 0.67 ? "04" : r < 0.82 ? "28" : r < 0.92 ? "03"
                               : r < 0.96 ? "02" : r < 0.98 ? "08" : "05");
}

} // namespace

void writeHistory(DemoContext& ctx)
{
    SaleBook book(ctx);
    const ProductPicker picker(ctx.products);
    const QDateTime now = QDateTime::currentDateTime();

    Inserter compras(ctx.store, QStringLiteral("compras"),
                     {"NuEmpresa", "NuAlmacen", "NuProveedor", "Folio", "Fecha", "NuMoneda", "TC", "Credito", "SubTotal",
                      "IVA", "IEPS", "Total", "Saldo", "FechaVence"});
    Inserter comprasMov(ctx.store, QStringLiteral("compras_mov"),
                        {"NuCompra", "ID", "Unidad", "VUnidades", "Cant", "Costo", "CostoImp", "SubTotal", "Impuestos",
                         "Total"});
    // Suppliers' products and terms.
    QHash<int, std::vector<int>> bySupplier;
    for (size_t i = 0; i < ctx.products.size(); ++i)
        if (ctx.products[i].nuEstado != 3)
            bySupplier[ctx.products[i].nuProveedor].push_back(int(i));
    QHash<int, QPair<int, int>> supplierTerms;  // currency, days
    {
        QSqlQuery q = ctx.store.exec(QStringLiteral("SELECT NuProveedor, NuMoneda, DiasCredito FROM proveedores"));
        while (q.next())
            supplierTerms.insert(q.value(0).toInt(), {q.value(1).toInt(), q.value(2).toInt()});
    }
    const QList<int> suppliers = bySupplier.keys();

    const int totalDays = int(ctx.historyStart.daysTo(ctx.today)) + 1;
    for (const DemoCompany& company : ctx.companies) {
        std::vector<int> buyers;
        int publico = -1;
        for (size_t i = 0; i < ctx.clients.size(); ++i) {
            if (ctx.clients[i].company != company.index)
                continue;
            if (ctx.clients[i].publico)
                publico = int(i);
            else
                buyers.push_back(int(i));
        }
        for (qsizetype w = 0; w < company.almacenes.size(); ++w) {
            const int almacen = company.almacenes[w];
            const double size = (w == 0 ? 1.35 : 0.9) * (company.index == 0 ? 1.0 : 0.8);
            for (int dayIndex = 0; dayIndex < totalDays; ++dayIndex) {
                const QDate day = ctx.historyStart.addDays(dayIndex);
                // Each day draws from its own sequence: what today's clock
                // leaves out does not shift the days before it.
                Random rnd(0x9E3779B97F4A7C15ULL ^ (std::uint64_t(company.index + 1) << 48)
                           ^ (std::uint64_t(w + 1) << 40) ^ (std::uint64_t(dayIndex + 1) * 0x100000001B3ULL));
                const double tc = SaleBook::exchangeRate(day);
                const double growth = 0.85 + 0.3 * dayIndex / totalDays;
                const int sales = int(std::lround(3.6 * size * dayFactor(day) * growth * rnd.real(0.55, 1.45)));
                for (int s = 0; s < sales; ++s) {
                    const QDateTime when(day, QTime(9, 0).addSecs(rnd.range(0, 10 * 3600)));
                    if (when > now)
                        continue;
                    SaleSpec wanted;
                    wanted.company = company.index;
                    wanted.almacen = almacen;
                    wanted.fecha = when;
                    wanted.tc = tc;
                    const bool counter = rnd.chance(0.68) || buyers.empty();
                    wanted.client = counter ? publico : buyers[size_t(rnd.range(0, int(buyers.size()) - 1))];
                    const DemoClient& client = ctx.clients[size_t(wanted.client)];
                    wanted.user = counter ? company.demoUser : (client.vendedor ? client.vendedor : company.vendedor);
                    wanted.uso = client.usoCfdi;
                    if (counter) {
                        wanted.tipo = 5;
                        wanted.origen = QStringLiteral("POS");
                        wanted.forma = cashForm(rnd);
                    } else if (client.credito && rnd.chance(0.75)) {
                        wanted.tipo = rnd.chance(0.9) ? 2 : 6;
                        wanted.origen = QStringLiteral("ADM");
                        wanted.credito = true;
                        wanted.metodo = QStringLiteral("PPD");
                        wanted.forma = QStringLiteral("99");
                        if (client.nu % 9 == 0)
                            wanted.moneda = 2;  // these clients keep a dollar account
                    } else {
                        wanted.tipo = rnd.chance(0.6) ? 2 : 6;
                        wanted.origen = QStringLiteral("ADM");
                        wanted.forma = cashForm(rnd);
                    }
                    wanted.entrega = client.domicilio;
                    const int n = rnd.chance(0.45) ? 1 : rnd.range(2, counter ? 4 : 7);
                    for (int l = 0; l < n; ++l) {
                        SaleLine line;
                        line.product = picker.pick(rnd);
                        const DemoProduct& p = ctx.products[size_t(line.product)];
                        const bool package = p.opUnidadVenta == 2 || (p.uxc[1] != 1 && rnd.chance(counter ? 0.1 : 0.35));
                        line.unit = package ? 1 : 0;
                        line.quantity = package ? rnd.range(1, counter ? 2 : 6) : rnd.range(1, counter ? 6 : 24);
                        wanted.lines.push_back(line);
                    }
                    const SaleResult sale = book.writeSale(wanted);
                    if (!wanted.credito)
                        continue;

                    // The fate of the account document: old ones are paid, a few
                    // stay overdue, recent ones are open or partly paid.
                    const QDate vence = day.addDays(std::max(client.dias, 7));
                    const qint64 age = vence.daysTo(ctx.today);
                    double remaining = sale.total;
                    if (rnd.chance(0.03)) {
                        const double nc = round2(sale.total * rnd.real(0.05, 0.3));
                        book.creditNote(company.index, almacen, wanted.client, sale.clienteMov, rnd.chance(0.8) ? 1 : 2,
                                        wanted.moneda, nc, when.addDays(rnd.range(1, 10)),
                                        QStringLiteral("Devolución de mercancía %1-%2").arg(sale.serie).arg(sale.folio));
                        remaining -= nc;
                    }
                    const double payChance = age > 60 ? 0.998 : age > 10 ? 0.97 : age > -10 ? 0.4 : 0.12;
                    if (rnd.chance(payChance)) {
                        int parcialidad = 1;
                        QDate payDay = std::min(ctx.today, day.addDays(rnd.range(3, std::max(client.dias, 7) + 20)));
                        if (rnd.chance(0.25) && remaining > 200) {
                            const double first = round2(remaining * rnd.real(0.3, 0.6));
                            book.pay(company.index, wanted.client, sale.clienteMov, wanted.moneda, first, remaining, parcialidad++,
                                     QDateTime(payDay, QTime(10, 0).addSecs(rnd.range(0, 25000))), wanted.user, almacen,
                                     sale.uuid.size() > 0);
                            remaining -= first;
                            payDay = std::min(ctx.today, payDay.addDays(rnd.range(5, 30)));
                            if (age < 20 && rnd.chance(0.5)) {
                                book.setDebt(sale.clienteMov, remaining);
                                continue;  // the rest is still owed
                            }
                        }
                        book.pay(company.index, wanted.client, sale.clienteMov, wanted.moneda, remaining, remaining, parcialidad,
                                 QDateTime(payDay, QTime(10, 0).addSecs(rnd.range(0, 25000))), wanted.user, almacen,
                                 sale.uuid.size() > 0);
                        remaining = 0;
                    }
                    book.setDebt(sale.clienteMov, remaining);
                }

                // Purchases: a few deliveries a week per warehouse.
                if (day.dayOfWeek() <= 5 && rnd.chance(0.3 * size) && !suppliers.isEmpty()) {
                    const int supplier = suppliers[rnd.range(0, int(suppliers.size()) - 1)];
                    const auto [moneda, dias] = supplierTerms.value(supplier, {1, 30});
                    const std::vector<int>& items = bySupplier[supplier];
                    const QDateTime when(day, QTime(8, 0).addSecs(rnd.range(0, 6 * 3600)));
                    if (when > now)
                        continue;
                    const bool credito = dias > 0 && rnd.chance(0.8);
                    const QDate vence = day.addDays(dias);
                    struct L { int p; double cant, costo, costoImp, sub, imp; };
                    std::vector<L> lines;
                    double sub = 0, ivaSum = 0, iepsSum = 0;
                    const int n = std::min<int>(int(items.size()), rnd.range(2, 8));
                    for (int l = 0; l < n; ++l) {
                        const int pi = items[size_t(rnd.range(0, int(items.size()) - 1))];
                        const DemoProduct& p = ctx.products[size_t(pi)];
                        const int unit = p.uxc[1] != 1 ? 1 : 0;
                        double cost = p.costo * p.uxc[unit] * (0.92 + 0.08 * dayIndex / totalDays) * rnd.real(0.97, 1.03);
                        if (p.nuMoneda == 2 && moneda == 1)
                            cost *= tc;
                        else if (p.nuMoneda == 1 && moneda == 2)
                            cost /= tc;
                        cost = round2(cost);
                        const double cant = unit ? rnd.range(2, 20) : rnd.range(10, 120);
                        const double iva = round2(cost * cant * p.iva / 100);
                        const double ieps = round2(cost * cant * p.ieps / 100);
                        lines.push_back({pi, cant, cost, round2(cost * (1 + (p.iva + p.ieps) / 100)), round2(cost * cant), iva + ieps});
                        sub += round2(cost * cant);
                        ivaSum += iva;
                        iepsSum += ieps;
                    }
                    const double total = round2(sub + ivaSum + iepsSum);
                    const bool open = credito && vence >= ctx.today.addDays(-5) && !rnd.chance(0.3);
                    const qint64 compra = compras.insert(
                        {company.index, almacen, supplier, QStringLiteral("F-%1").arg(rnd.range(10000, 99999)),
                         storeDateTime(when), moneda, moneda == 2 ? tc : 1.0, credito ? 1 : 0, round2(sub), round2(ivaSum),
                         round2(iepsSum), total, open ? total : 0.0, credito ? storeDate(vence) : QString()});
                    for (const L& l : lines) {
                        const DemoProduct& p = ctx.products[size_t(l.p)];
                        const int unit = p.uxc[1] != 1 ? 1 : 0;
                        comprasMov.insert({compra, p.id, p.unidad[unit], p.uxc[unit], l.cant, l.costo, l.costoImp, l.sub,
                                           l.imp, round2(l.sub + l.imp)});
                    }
                }
            }
        }

        // Opening balances carried over from the previous system for a few clients.
        Random rnd(0x5A17D0C0FFEEULL + std::uint64_t(company.index));
        for (size_t k = 0; k < buyers.size(); k += 11) {
            const DemoClient& c = ctx.clients[size_t(buyers[k])];
            if (!c.credito)
                continue;
            const double amount = round2(rnd.real(800, 15000));
            const QDate fecha = ctx.historyStart.addDays(-rnd.range(30, 200));
            const bool paid = rnd.chance(0.8);
            ctx.store.exec(QStringLiteral("INSERT INTO cliente_movs (NuEmpresa, NuCliente, Tipo, Fecha, FechaVence, NuMoneda,"
                                          " TipoCambio, Descripcion, FolioUnico, SerieRemision, FolioRemision,"
                                          " ImporteOriginal, ImporteDeuda) VALUES (?, ?, 2, ?, ?, 1, 1, ?, ?, 'SI', ?, ?, ?)"),
                           {company.index, c.nu, storeDate(fecha), storeDate(fecha.addDays(c.dias)),
                            QStringLiteral("Saldo inicial"), QStringLiteral("SI%1").arg(c.nu), c.nu, amount,
                            paid ? 0.0 : amount});
        }
    }
}

} // namespace korvel::sandbox::demo
