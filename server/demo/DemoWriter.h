#pragma once
// What the demo data generators share: a fixed pseudo-random sequence (the
// same store on every run of the same day), prepared inserts, the day the
// data is built around, and the rows earlier steps produced that later
// steps refer to.

#include "server/SandboxFault.h"
#include "server/Store.h"

#include <QDate>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <vector>

namespace korvel::sandbox::demo {

// xorshift64*: tiny, fast and identical on every platform.
class Random {
public:
    explicit Random(std::uint64_t state = 0x4b6f7276656c3230ULL) : m_state(state) {}
    std::uint64_t next()
    {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return m_state * 0x2545F4914F6CDD1DULL;
    }
    // Whole number in [lo, hi].
    int range(int lo, int hi) { return hi <= lo ? lo : lo + int(next() % std::uint64_t(hi - lo + 1)); }
    // Real number in [lo, hi).
    double real(double lo, double hi) { return lo + (hi - lo) * double(next() >> 11) / double(1ULL << 53); }
    bool chance(double p) { return real(0, 1) < p; }
    template <class T>
    const T& pick(const std::vector<T>& v) { return v[size_t(range(0, int(v.size()) - 1))]; }
    template <class T, size_t N>
    const T& pick(const T (&v)[N]) { return v[size_t(range(0, int(N) - 1))]; }
    QString digits(int count)
    {
        QString s;
        for (int i = 0; i < count; ++i)
            s.append(QChar(u'0' + range(0, 9)));
        return s;
    }

private:
    std::uint64_t m_state;
};

// One prepared INSERT reused for many rows.
class Inserter {
public:
    Inserter(Store& store, const QString& table, const QStringList& columns) : m_query(store.db())
    {
        QStringList marks;
        for (qsizetype i = 0; i < columns.size(); ++i)
            marks.append(QStringLiteral("?"));
        const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns.join(u','), marks.join(u','));
        if (!m_query.prepare(sql))
            throw SandboxFault(QStringLiteral("Datos de demostración: ") + m_query.lastError().text());
        m_columns = int(columns.size());
    }
    // Returns the new row's key.
    qint64 insert(const QVariantList& values)
    {
        for (int i = 0; i < m_columns; ++i) {
            QVariant v = i < values.size() ? values[i] : QVariant();
            // A null QString would bind as SQL NULL; text columns want ''.
            if (v.typeId() == QMetaType::QString && v.toString().isNull())
                v = QString(QLatin1String(""));
            m_query.bindValue(i, v);
        }
        if (!m_query.exec())
            throw SandboxFault(QStringLiteral("Datos de demostración: ") + m_query.lastError().text());
        return m_query.lastInsertId().toLongLong();
    }

private:
    QSqlQuery m_query;
    int m_columns = 0;
};

// What the catalogue step leaves for the others.
struct DemoProduct {
    QString id;
    QString descripcion;
    QString unidad[5];
    int nuUnidad[5] = {};
    double uxc[5] = {1, 1, 1, 1, 1};
    QString clave[5];        // SAT unit key per unit
    QString claveProdServ;
    int nuCategoria = 0;
    int nuEstado = 0;
    int nuMoneda = 1;
    int opUnidadVenta = 0;
    int nuProveedor = 0;
    double precio[20] = {};
    double costo = 0;
    double iva = 16, ieps = 0, tasa2 = 0;
    double popularity = 1;   // weight when picking products for sales
};

struct DemoClient {
    int nu = 0;
    int company = 0;
    QString nombre, rfc, letra, domicilio, email, telefono;
    QString calle, numero, colonia, ciudad, estado, cp;
    bool credito = false;
    bool publico = false;
    int dias = 0;
    double limite = 0;
    double lat = 0, lon = 0;
    int vendedor = 0;
    QString usoCfdi, regimen;
};

struct DemoCompany {
    int index = 0;
    QString nombre, rfc, lugar, regimen, certificado;
    bool ivaIncluido = false;
    int iepsSobreIva = 0;
    bool tasa2IncBase = false;
    double tcVenta = 18.5;
    QList<int> almacenes;
    QStringList nombresAlmacen;
    int demoUser = 0, vendedor = 0, chofer = 0, gerente = 0;
    QList<int> vendedores;  // users who capture orders
};

struct DemoContext {
    Store& store;
    Random rnd;
    QDate today;
    QDate historyStart;      // first day of the sales and purchase history
    std::vector<DemoCompany> companies;
    std::vector<DemoProduct> products;
    std::vector<DemoClient> clients;
    QHash<QString, int> productIndex;
    int nextFolio(int company, const QString& documento);  // folios table
    QHash<QString, int> folios;                             // "company/documento" -> last issued
    int nextFolioVenta = 100001;

    explicit DemoContext(Store& s) : store(s) {}
};

// Tax amounts of a line under a company's options, as the client computes them.
struct LineTaxes {
    double subTotal = 0, iva = 0, ieps = 0, tasa2 = 0, total = 0;
};
LineTaxes lineTaxes(const DemoCompany& company, double price, double quantity, double iva, double ieps, double tasa2);
double withTaxes(const DemoCompany& company, double price, double iva, double ieps, double tasa2);
double round2(double v);

// The steps, in this order.
void writeCompanies(DemoContext& ctx);
void writeCatalogue(DemoContext& ctx);
void writeClients(DemoContext& ctx);
void writeHistory(DemoContext& ctx);
void writeRecentOrders(DemoContext& ctx);
void writeInventoryCounts(DemoContext& ctx);
void writeFolios(DemoContext& ctx);
// Series of a document kind (FACTURA, TICKET, REMISION, RECIBO, INTERNO) of a company.
QString folioSerie(int company, const QString& documento);

// Photo (JPEG bytes) and technical sheet (RTF) of a product.
QByteArray productPhoto(const DemoProduct& product, int variant);
QString productSheet(const DemoProduct& product, const QString& fabricante, const QString& modelo, const QString& detalle);
// A signature drawn as a delivery would capture it, as JPEG.
QByteArray signatureJpeg(Random& rnd);
// A fiscal stamp for a document (tipo "I" invoice, "P" payment); returns the
// timbres row key and the UUID.
qint64 stampDocument(DemoContext& ctx, Inserter& timbres, const DemoCompany& company, const QString& rfcReceptor,
                     const QString& serie, int folio, double total, const QDateTime& when, const QString& tipo,
                     QString* uuid);

} // namespace korvel::sandbox::demo
