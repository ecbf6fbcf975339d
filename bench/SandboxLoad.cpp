// Many field clients against one sandbox at once: product searches, orders
// saved and some of them processed, payments over open debts. Prints calls/s
// and the p50/p99 latency per kind of call, first for one client alone (the
// reference) and then for the concurrent clients; afterwards the store is
// checked: every order and payment the calls reported is there exactly once,
// and no payment took more than a document owed.
//
//   bench-sandbox-load [clients=20] [calls-per-client=200]
//
// Exits 1 when the store check fails or the sandbox does not start.

#include "service/Ikorvel.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QProcess>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <QTime>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include <unistd.h>

using namespace korvel;

namespace {

const QString kUser = QStringLiteral("demo");
const QString kPass = QStringLiteral("demo");

enum Kind { Search, Save, Process, Pay, KindCount };
const char* const kKindNames[KindCount] = {"ListaProducto_Consulta", "Guardar_Carro", "Procesar_Carro",
                                           "Cliente_AbonoMultiple"};

struct Product {
    QString id;
    double precio = 0;
    double iva = 0;
    double ieps = 0;
    double tasa2 = 0;
    int medida = 0;
};

struct Debt {
    int movement = 0;
    double balance = 0;
};

// What the store holds before the load: ids to work with and the marks the
// check compares against.
struct DemoIds {
    std::vector<Product> products;
    QStringList words;
    std::vector<int> clients;                  // with a delivery address
    std::vector<std::vector<Debt>> debtors;    // open peso documents per client, oldest first
    QHash<int, int> debtorClient;              // index in debtors -> client
    QHash<int, double> balanceBefore;          // movement -> ImporteDeuda
    int lastCarro = 0;
    int lastVenta = 0;
    int lastAbono = 0;
    int lastAbonoMov = 0;
    int nuUser = 0;
    int nuAlmacen = 0;
};

struct SavedOrder {
    int nuCarro = 0;
    int client = 0;
    int lines = 0;
    double quantity = 0;
};

struct ProcessedOrder {
    int nuCarro = 0;
    int folioVenta = 0;
};

struct Payment {
    int folioAbono = 0;
    int folioInterno = 0;
    int client = 0;
    double amount = 0;
    QList<int> movements;
};

struct Sample {
    Kind kind;
    qint64 ns;
    bool ok;
};

// Everything the clients reported, gathered under one lock at the end of each client.
struct Ledger {
    QMutex mutex;
    std::vector<Sample> samples;
    std::vector<SavedOrder> saved;
    std::vector<ProcessedOrder> processed;
    std::vector<Payment> payments;
    int twins = 0;                  // Guardar_Carro answered 1 (same order already there)
    QHash<QString, int> refusals;   // kind + text -> count
};

bool openStore(const QString& file, const QString& connection, bool readOnly)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(file);
    if (readOnly)
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open()) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(file), qPrintable(db.lastError().text()));
        return false;
    }
    return true;
}

QSqlQuery query(const QString& connection, const QString& sql, const QVariantList& values = {})
{
    QSqlQuery q(QSqlDatabase::database(connection));
    q.prepare(sql);
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        std::fprintf(stderr, "query failed: %s\n  %s\n", qPrintable(q.lastError().text()), qPrintable(sql));
    return q;
}

QVariant scalar(const QString& connection, const QString& sql, const QVariantList& values = {})
{
    QSqlQuery q = query(connection, sql, values);
    return q.next() ? q.value(0) : QVariant();
}

bool pickIds(const QString& file, DemoIds& ids)
{
    const QString c = QStringLiteral("pick");
    if (!openStore(file, c, true))
        return false;
    {
        QSqlQuery u = query(c, QStringLiteral("SELECT NuUser, NuAlmacen FROM usuarios WHERE NuEmpresa = 0 AND Login = ?"), {kUser});
        if (u.next()) {
            ids.nuUser = u.value(0).toInt();
            ids.nuAlmacen = u.value(1).toInt();
        }
        QSqlQuery p = query(c, QStringLiteral("SELECT ID, Precio01, TasaIVA, TasaIEPS, Tasa2, NuUnidadMedida, BuscaDescripcion"
                                              " FROM productos WHERE NuEstado IN (0, 1) AND NuMoneda = 1 AND Precio01 > 0"
                                              " AND NuUnidadMedida > 0 ORDER BY ID"));
        QSet<QString> words;
        while (p.next()) {
            ids.products.push_back({p.value(0).toString(), p.value(1).toDouble(), p.value(2).toDouble(),
                                    p.value(3).toDouble(), p.value(4).toDouble(), p.value(5).toInt()});
            const QString first = p.value(6).toString().section(QLatin1Char(' '), 0, 0);
            if (first.size() >= 4)
                words.insert(first);
        }
        ids.words = QStringList(words.begin(), words.end());
        ids.words.sort();
        QSqlQuery cl = query(c, QStringLiteral("SELECT NuClienteKorvel FROM clientes WHERE NuEmpresa = 0"
                                               " AND (DomicilioEntrega <> '' OR Calle <> '') ORDER BY NuClienteKorvel"));
        while (cl.next())
            ids.clients.push_back(cl.value(0).toInt());
        // Open peso documents worth paying a little on, in the order the
        // debts list shows them.
        QSqlQuery d = query(c, QStringLiteral("SELECT m.NuCliente, m.NuCliente_Mov, m.ImporteDeuda FROM cliente_movs m"
                                              " LEFT JOIN ventas v ON v.FolioVenta = m.FolioVenta AND m.FolioVenta > 0"
                                              " WHERE m.NuEmpresa = 0 AND m.NuMoneda = 1 AND m.ImporteDeuda >= 1000"
                                              " AND IFNULL(v.Cancelada, 0) = 0"
                                              " ORDER BY m.NuCliente, m.FechaVence, m.Fecha, m.NuCliente_Mov"));
        QHash<int, int> indexOf;
        while (d.next()) {
            const int client = d.value(0).toInt();
            if (!indexOf.contains(client)) {
                indexOf.insert(client, int(ids.debtors.size()));
                ids.debtorClient.insert(int(ids.debtors.size()), client);
                ids.debtors.emplace_back();
            }
            ids.debtors[size_t(indexOf.value(client))].push_back({d.value(1).toInt(), d.value(2).toDouble()});
        }
        QSqlQuery b = query(c, QStringLiteral("SELECT NuCliente_Mov, ImporteDeuda FROM cliente_movs"));
        while (b.next())
            ids.balanceBefore.insert(b.value(0).toInt(), b.value(1).toDouble());
        ids.lastCarro = scalar(c, QStringLiteral("SELECT IFNULL(MAX(NuCarro), 0) FROM carros")).toInt();
        ids.lastVenta = scalar(c, QStringLiteral("SELECT IFNULL(MAX(FolioVenta), 0) FROM ventas")).toInt();
        ids.lastAbono = scalar(c, QStringLiteral("SELECT IFNULL(MAX(NuAbono), 0) FROM abonos")).toInt();
        ids.lastAbonoMov = scalar(c, QStringLiteral("SELECT IFNULL(MAX(NuAbono_Mov), 0) FROM abonos_mov")).toInt();
    }
    QSqlDatabase::removeDatabase(c);
    return !ids.products.empty() && !ids.words.isEmpty() && !ids.clients.empty() && !ids.debtors.empty()
        && ids.nuUser > 0;
}

// One field client: its own proxy, its own random mix.
class Client {
public:
    Client(int index, const QString& descriptionUrl, const DemoIds& ids, int calls, Ledger& ledger,
           std::atomic<bool>& go)
        : m_index(index), m_url(descriptionUrl), m_ids(ids), m_calls(calls), m_ledger(ledger), m_go(go),
          m_random(std::mt19937::result_type(1000 + index))
    {
    }

    void run()
    {
        Ikorvel proxy;
        proxy.configure(m_url);
        while (!m_go.load())
            QThread::yieldCurrentThread();
        while (int(m_samples.size()) < m_calls) {
            const int roll = pick(100);
            if (roll < 35)
                search(proxy);
            else if (roll < 65 || (roll < 80 && m_pending.empty()))
                save(proxy);
            else if (roll < 80)
                process(proxy);
            else
                pay(proxy);
        }
        QMutexLocker lock(&m_ledger.mutex);
        m_ledger.samples.insert(m_ledger.samples.end(), m_samples.begin(), m_samples.end());
        m_ledger.saved.insert(m_ledger.saved.end(), m_saved.begin(), m_saved.end());
        m_ledger.processed.insert(m_ledger.processed.end(), m_processed.begin(), m_processed.end());
        m_ledger.payments.insert(m_ledger.payments.end(), m_payments.begin(), m_payments.end());
        m_ledger.twins += m_twins;
        for (auto it = m_refusals.cbegin(); it != m_refusals.cend(); ++it)
            m_ledger.refusals[it.key()] += it.value();
    }

private:
    int pick(int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(m_random)); }

    // Times one call; a refusal (exception or a result code) is kept by its text.
    template <class F>
    bool timed(Kind kind, F call)
    {
        QElapsedTimer t;
        t.start();
        QString refusal;
        try {
            refusal = call();
        } catch (const ServiceError& e) {
            refusal = e.message();
        }
        const bool ok = refusal.isEmpty();
        m_samples.push_back({kind, t.nsecsElapsed(), ok});
        if (!ok)
            ++m_refusals[QString::fromLatin1(kKindNames[kind]) + QStringLiteral(": ") + refusal.left(120)];
        return ok;
    }

    void search(Ikorvel& proxy)
    {
        const QString word = m_ids.words[pick(int(m_ids.words.size()))];
        timed(Search, [&] {
            const TListaProducto list = proxy.ListaProducto_Consulta(kUser, kPass, QStringLiteral("@") + word);
            return list.Count > 0 ? QString() : QStringLiteral("no products for ") + word;
        });
    }

    void save(Ikorvel& proxy)
    {
        TPedido p;
        p.NuCliente = m_ids.clients[size_t(pick(int(m_ids.clients.size())))];
        p.NuMoneda = 1;
        p.NuPaso = 0;
        const QDateTime now = QDateTime::currentDateTime();
        p.Fecha = XsDate{now.date(), {}};
        p.Fecha_Entrega = XsDate{now.date(), {}};
        p.Hora = XsTime{now.time(), {}};
        p.MetodoPago = QStringLiteral("PUE");
        p.FormaPago = QStringLiteral("01");
        p.UsoCFDI = QStringLiteral("G03");
        p.Notas = QStringLiteral("Carga %1").arg(m_index);
        const int lines = 1 + pick(4);
        double quantity = 0;
        for (int i = 0; i < lines; ++i) {
            const Product& product = m_ids.products[size_t(pick(int(m_ids.products.size())))];
            TDetalle d;
            d.NuDetalle = i + 1;
            d.NuProducto = product.id;
            d.Cantidad = 1 + pick(12);
            d.Precio = product.precio;
            d.TasaIVA = product.iva;
            d.TasaIEPS = product.ieps;
            d.TasaTasa2 = product.tasa2;
            d.VNuMedida = product.medida;
            d.VUnidades = 1;
            quantity += d.Cantidad;
            p.ArrayDetalle.push_back(d);
        }
        p.Count = lines;
        qint32 nuCarro = 0;
        qint32 code = -99;
        timed(Save, [&] {
            code = proxy.Guardar_Carro(kUser, kPass, p, nuCarro);
            if (code == 1)
                return QString();  // the same order is already there (counted apart)
            return code == 2 && nuCarro > 0 ? QString() : QStringLiteral("code %1").arg(code);
        });
        if (code == 2 && nuCarro > 0) {
            m_saved.push_back({nuCarro, p.NuCliente, lines, quantity});
            m_pending.push_back(nuCarro);
        } else if (code == 1) {
            ++m_twins;
        }
    }

    // The oldest order of this client still in capture: to process, then
    // invoiced or sold as a ticket.
    void process(Ikorvel& proxy)
    {
        const int nuCarro = m_pending.front();
        m_pending.erase(m_pending.begin());
        qint32 folio = 0;
        if (!timed(Process, [&] {
                const qint32 code = proxy.Procesar_Carro(kUser, kPass, nuCarro, 1, folio);
                return code == 2 ? QString() : QStringLiteral("to process: code %1").arg(code);
            }))
            return;
        const int proceso = pick(2) == 0 ? 2 : 5;
        qint32 code = -99;
        timed(Process, [&] {
            code = proxy.Procesar_Carro(kUser, kPass, nuCarro, proceso, folio);
            return code == 2 && folio > 0 ? QString() : QStringLiteral("process %1: code %2").arg(proceso).arg(code);
        });
        if (code == 2 && folio > 0)
            m_processed.push_back({nuCarro, folio});
    }

    // A small payment over one or two open documents of a client; so small
    // that all the clients together never pay a document off.
    void pay(Ikorvel& proxy)
    {
        const int debtor = pick(int(m_ids.debtors.size()));
        const std::vector<Debt>& docs = m_ids.debtors[size_t(debtor)];
        QList<int> movements{docs[size_t(pick(int(docs.size())))].movement};
        if (docs.size() > 1 && pick(2) == 0) {
            const int second = docs[size_t(pick(int(docs.size())))].movement;
            if (second != movements.first())
                movements.append(second);
        }
        QStringList places;
        for (int m : movements)
            places << QString::number(m);
        while (places.size() < 10)
            places << QStringLiteral("0");
        const double amount = (100 + pick(400)) / 100.0;
        qint32 folioAbono = 0;
        qint32 folioInterno = 0;
        bool ok = false;
        timed(Pay, [&] {
            ok = proxy.Cliente_AbonoMultiple(kUser, kPass, places.join(QLatin1Char(',')) + QLatin1Char(','), m_ids.nuUser, 0,
                                             m_ids.nuAlmacen, 1, amount, 0, XsDate{QDate::currentDate(), {}},
                                             QStringLiteral("F"), QStringLiteral("CARGA-%1").arg(m_index),
                                             QStringLiteral("Abono de carga"), folioAbono, folioInterno);
            return ok && folioAbono > 0 ? QString() : QStringLiteral("answered false");
        });
        if (ok && folioAbono > 0)
            m_payments.push_back({folioAbono, folioInterno, m_ids.debtorClient.value(debtor), amount, movements});
    }

    int m_index;
    QString m_url;
    const DemoIds& m_ids;
    int m_calls;
    Ledger& m_ledger;
    std::atomic<bool>& m_go;
    std::mt19937 m_random;
    std::vector<Sample> m_samples;
    std::vector<SavedOrder> m_saved;
    std::vector<ProcessedOrder> m_processed;
    std::vector<Payment> m_payments;
    std::vector<int> m_pending;
    QHash<QString, int> m_refusals;
    int m_twins = 0;
};

double percentile(std::vector<qint64> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const double rank = std::ceil(p / 100.0 * double(v.size()));
    const size_t i = size_t(std::clamp(rank - 1, 0.0, double(v.size() - 1)));
    return double(v[i]) / 1e6;
}

// CPU seconds the process has used so far (Linux /proc), or -1.
double cpuSeconds(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = f.readAll();
    // Fields after the command name, which is in parentheses: utime and stime are the 12th and 13th.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    const long ticks = sysconf(_SC_CLK_TCK);
    return double(fields[11].toLongLong() + fields[12].toLongLong()) / double(ticks > 0 ? ticks : 100);
}

void report(const char* title, const std::vector<Sample>& samples, qint64 wallNs, int clients, double serverCpu)
{
    std::printf("\n%s: %d client(s), %zu calls in %.2f s", title, clients, samples.size(), double(wallNs) / 1e9);
    if (serverCpu >= 0)
        std::printf(", sandbox busy %.0f%% of one core (%.2f ms of its CPU per call)", 100 * serverCpu / (double(wallNs) / 1e9),
                    samples.empty() ? 0.0 : 1000 * serverCpu / double(samples.size()));
    std::printf("\n");
    std::printf("  %-24s %7s %7s %9s %9s %9s %9s\n", "kind", "calls", "refused", "calls/s", "p50 ms", "p99 ms", "max ms");
    auto line = [&](const char* name, const std::vector<Sample>& of) {
        std::vector<qint64> ns;
        int refused = 0;
        for (const Sample& s : of) {
            ns.push_back(s.ns);
            refused += s.ok ? 0 : 1;
        }
        const qint64 longest = ns.empty() ? 0 : *std::max_element(ns.begin(), ns.end());
        std::printf("  %-24s %7zu %7d %9.1f %9.2f %9.2f %9.2f\n", name, of.size(), refused,
                    double(of.size()) / (double(wallNs) / 1e9), percentile(ns, 50), percentile(ns, 99),
                    double(longest) / 1e6);
    };
    for (int k = 0; k < KindCount; ++k) {
        std::vector<Sample> of;
        for (const Sample& s : samples)
            if (s.kind == k)
                of.push_back(s);
        line(kKindNames[k], of);
    }
    line("all", samples);
}

// Runs `clients` clients at once and returns the wall time of the run.
qint64 runClients(int clients, int calls, const QString& url, const DemoIds& ids, Ledger& ledger, int firstIndex)
{
    std::atomic<bool> go{false};
    std::vector<std::unique_ptr<Client>> workers;
    std::vector<std::unique_ptr<QThread>> threads;
    for (int i = 0; i < clients; ++i) {
        workers.push_back(std::make_unique<Client>(firstIndex + i, url, ids, calls, ledger, go));
        Client* w = workers.back().get();
        threads.emplace_back(QThread::create([w] { w->run(); }));
        threads.back()->start();
    }
    QElapsedTimer wall;
    wall.start();
    go.store(true);
    for (auto& t : threads)
        t->wait();
    return wall.nsecsElapsed();
}

// The store after the load: what the calls reported, exactly once.
bool checkStore(const QString& file, const DemoIds& ids, const Ledger& ledger)
{
    const QString c = QStringLiteral("check");
    if (!openStore(file, c, true))
        return false;
    QStringList problems;
    auto problem = [&](const QString& text) {
        if (problems.size() < 20)
            problems << text;
        else if (problems.size() == 20)
            problems << QStringLiteral("...");
    };
    {
        // Orders.
        QSet<int> carros;
        for (const SavedOrder& o : ledger.saved) {
            if (carros.contains(o.nuCarro))
                problem(QStringLiteral("order %1 was reported by two saves").arg(o.nuCarro));
            carros.insert(o.nuCarro);
            QSqlQuery q = query(c, QStringLiteral("SELECT COUNT(*), MAX(NuCliente), MAX(NuEmpresa) FROM carros WHERE NuCarro = ?"), {o.nuCarro});
            q.next();
            if (q.value(0).toInt() != 1 || q.value(1).toInt() != o.client || q.value(2).toInt() != 0)
                problem(QStringLiteral("order %1: %2 rows, client %3 (sent %4)").arg(o.nuCarro).arg(q.value(0).toInt())
                            .arg(q.value(1).toInt()).arg(o.client));
            QSqlQuery l = query(c, QStringLiteral("SELECT COUNT(*), IFNULL(SUM(Cantidad), 0) FROM carros_mov WHERE NuCarro = ?"), {o.nuCarro});
            l.next();
            if (l.value(0).toInt() != o.lines || std::fabs(l.value(1).toDouble() - o.quantity) > 1e-6)
                problem(QStringLiteral("order %1: %2 lines of %3 pieces stored, %4 of %5 sent").arg(o.nuCarro)
                            .arg(l.value(0).toInt()).arg(l.value(1).toDouble()).arg(o.lines).arg(o.quantity));
        }
        const int newCarros = scalar(c, QStringLiteral("SELECT COUNT(*) FROM carros WHERE NuCarro > ?"), {ids.lastCarro}).toInt();
        if (newCarros != int(ledger.saved.size()))
            problem(QStringLiteral("%1 orders were stored, %2 saves succeeded").arg(newCarros).arg(ledger.saved.size()));

        // Sales of the processed orders.
        QSet<int> folios;
        for (const ProcessedOrder& p : ledger.processed) {
            if (folios.contains(p.folioVenta))
                problem(QStringLiteral("sale %1 was reported twice").arg(p.folioVenta));
            folios.insert(p.folioVenta);
            QSqlQuery q = query(c, QStringLiteral("SELECT COUNT(*), MAX(FolioVenta) FROM ventas WHERE NuCarro = ?"), {p.nuCarro});
            q.next();
            const int carroFolio = scalar(c, QStringLiteral("SELECT FolioVenta FROM carros WHERE NuCarro = ?"), {p.nuCarro}).toInt();
            if (q.value(0).toInt() != 1 || q.value(1).toInt() != p.folioVenta || carroFolio != p.folioVenta)
                problem(QStringLiteral("order %1: %2 sales, folio %3, order says %4, call said %5").arg(p.nuCarro)
                            .arg(q.value(0).toInt()).arg(q.value(1).toInt()).arg(carroFolio).arg(p.folioVenta));
        }
        const int newVentas = scalar(c, QStringLiteral("SELECT COUNT(*) FROM ventas WHERE FolioVenta > ?"), {ids.lastVenta}).toInt();
        if (newVentas != int(ledger.processed.size()))
            problem(QStringLiteral("%1 sales were stored, %2 processings succeeded").arg(newVentas).arg(ledger.processed.size()));

        // Payments.
        QSet<int> receipts;
        for (const Payment& p : ledger.payments) {
            if (receipts.contains(p.folioAbono))
                problem(QStringLiteral("receipt %1 was reported by two payments").arg(p.folioAbono));
            receipts.insert(p.folioAbono);
            QSqlQuery q = query(c, QStringLiteral("SELECT COUNT(*), MAX(NuAbono), MAX(Importe), MAX(NuCliente), MAX(FolioInterno)"
                                                  " FROM abonos WHERE NuEmpresa = 0 AND FolioAbono = ?"),
                                {p.folioAbono});
            q.next();
            if (q.value(0).toInt() != 1 || std::fabs(q.value(2).toDouble() - p.amount) > 0.005 || q.value(3).toInt() != p.client
                || q.value(4).toInt() != p.folioInterno) {
                problem(QStringLiteral("receipt %1: %2 rows, amount %3 (paid %4)").arg(p.folioAbono).arg(q.value(0).toInt())
                            .arg(q.value(2).toDouble()).arg(p.amount));
                continue;
            }
            QSqlQuery m = query(c, QStringLiteral("SELECT NuCliente_Mov, ImporteAbono FROM abonos_mov WHERE NuAbono = ?"), {q.value(1)});
            double applied = 0;
            while (m.next()) {
                applied += m.value(1).toDouble();
                if (!p.movements.contains(m.value(0).toInt()))
                    problem(QStringLiteral("receipt %1 paid document %2, which it was not given").arg(p.folioAbono)
                                .arg(m.value(0).toInt()));
            }
            if (std::fabs(applied - p.amount) > 0.005)
                problem(QStringLiteral("receipt %1 applied %2 of %3").arg(p.folioAbono).arg(applied).arg(p.amount));
        }
        const int newAbonos = scalar(c, QStringLiteral("SELECT COUNT(*) FROM abonos WHERE NuAbono > ?"), {ids.lastAbono}).toInt();
        if (newAbonos != int(ledger.payments.size()))
            problem(QStringLiteral("%1 receipts were stored, %2 payments succeeded").arg(newAbonos).arg(ledger.payments.size()));

        // Allocations: never more than the balance, each starting from the
        // balance the previous one left, ending at the document's balance.
        QSqlQuery a = query(c, QStringLiteral("SELECT m.NuCliente_Mov, m.Importe, m.ImpSaldoAnt, m.ImpSaldoInsoluto, d.ImporteDeuda"
                                              " FROM abonos_mov m JOIN cliente_movs d ON d.NuCliente_Mov = m.NuCliente_Mov"
                                              " WHERE m.NuAbono_Mov > ? ORDER BY m.NuCliente_Mov, m.NuAbono_Mov"),
                            {ids.lastAbonoMov});
        int document = 0;
        double running = 0;
        double now = 0;
        int allocations = 0;
        auto closeDocument = [&] {
            if (document != 0 && std::fabs(running - now) > 0.005)
                problem(QStringLiteral("document %1 owes %2, its payments leave %3").arg(document).arg(now).arg(running));
        };
        while (a.next()) {
            ++allocations;
            const int movement = a.value(0).toInt();
            const double importe = a.value(1).toDouble();
            const double before = a.value(2).toDouble();
            const double after = a.value(3).toDouble();
            if (movement != document) {
                closeDocument();
                document = movement;
                running = ids.balanceBefore.value(movement);
                now = a.value(4).toDouble();
            }
            if (importe > before + 0.005 || importe <= 0)
                problem(QStringLiteral("document %1: %2 applied over a balance of %3").arg(movement).arg(importe).arg(before));
            if (std::fabs(before - running) > 0.005)
                problem(QStringLiteral("document %1: a payment read %2 while it owed %3 (lost update)").arg(movement)
                            .arg(before).arg(running));
            if (std::fabs(before - importe - after) > 0.005 || after < -0.005)
                problem(QStringLiteral("document %1: %2 - %3 left %4").arg(movement).arg(before).arg(importe).arg(after));
            running = after;
        }
        closeDocument();
        const int negative = scalar(c, QStringLiteral("SELECT COUNT(*) FROM cliente_movs WHERE ImporteDeuda < -0.005")).toInt();
        if (negative > 0)
            problem(QStringLiteral("%1 documents owe less than nothing").arg(negative));
        std::printf("\nstore check: %zu orders saved, %zu processed into sales, %zu payments (%d allocations)\n",
                    ledger.saved.size(), ledger.processed.size(), ledger.payments.size(), allocations);
    }
    QSqlDatabase::removeDatabase(c);
    for (const QString& p : problems)
        std::printf("  FAULT: %s\n", qPrintable(p));
    return problems.isEmpty();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int clients = args.size() > 1 ? std::max(1, args[1].toInt()) : 20;
    const int calls = args.size() > 2 ? std::max(1, args[2].toInt()) : 200;

    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("load.db"));
    QProcess server;
    server.setProgram(QStringLiteral(KORVEL_SANDBOX_PATH));
    server.setArguments({QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--db"), store, QStringLiteral("--reset")});
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server.start();
    QByteArray first;
    while (server.waitForStarted(10000) && !first.contains('\n') && server.waitForReadyRead(60000))
        first += server.readAllStandardOutput();
    first = first.left(first.indexOf('\n')).trimmed();
    if (!first.startsWith("listening on ")) {
        std::fprintf(stderr, "the sandbox did not start: %s\n", first.constData());
        return 1;
    }
    const QString url = QString::fromUtf8(first.mid(13));
    std::printf("sandbox %s\n", qPrintable(url));

    DemoIds ids;
    if (!pickIds(store, ids)) {
        std::fprintf(stderr, "the demo store lacks products, clients or open debts\n");
        return 1;
    }
    std::printf("demo ids: %zu products, %lld search words, %zu clients, %zu clients with open debts\n", ids.products.size(),
                qlonglong(ids.words.size()), ids.clients.size(), ids.debtors.size());
    std::printf("mix: 35%% product search, 30%% save an order, 15%% process one (two calls), 20%% payment\n");

    const qint64 pid = server.processId();
    Ledger reference;
    const double cpu0 = cpuSeconds(pid);
    const qint64 referenceNs = runClients(1, calls, url, ids, reference, 0);
    const double cpu1 = cpuSeconds(pid);
    Ledger load;
    const qint64 loadNs = runClients(clients, calls, url, ids, load, 1);
    const double cpu2 = cpuSeconds(pid);

    server.terminate();
    if (!server.waitForFinished(10000)) {
        server.kill();
        server.waitForFinished(5000);
    }

    report("reference", reference.samples, referenceNs, 1, cpu0 >= 0 && cpu1 >= 0 ? cpu1 - cpu0 : -1);
    report("load", load.samples, loadNs, clients, cpu1 >= 0 && cpu2 >= 0 ? cpu2 - cpu1 : -1);
    std::printf("\nGuardar_Carro answered 'already exists' (same client, time and total): %d in the reference, %d under load\n",
                reference.twins, load.twins);
    QHash<QString, int> refusals = reference.refusals;
    for (auto it = load.refusals.cbegin(); it != load.refusals.cend(); ++it)
        refusals[it.key()] += it.value();
    for (auto it = refusals.cbegin(); it != refusals.cend(); ++it)
        std::printf("  refused %dx: %s\n", it.value(), qPrintable(it.key()));

    Ledger all;
    for (Ledger* l : {&reference, &load}) {
        all.saved.insert(all.saved.end(), l->saved.begin(), l->saved.end());
        all.processed.insert(all.processed.end(), l->processed.begin(), l->processed.end());
        all.payments.insert(all.payments.end(), l->payments.begin(), l->payments.end());
    }
    const bool ok = checkStore(store, ids, all);
    std::printf("verdict: %s\n", ok ? "every order and payment reported is in the store exactly once; no document overpaid"
                                     : "FAILED");
    return ok ? 0 : 1;
}
