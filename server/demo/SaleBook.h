#pragma once
// Writes sales with everything that hangs from them (lines, fiscal stamp,
// the client's account document) and the payments against those documents,
// so the history and the recent orders produce the same shapes of data.

#include "server/demo/DemoWriter.h"

#include <QDateTime>

#include <memory>

namespace korvel::sandbox::demo {

struct SaleLine {
    int product = 0;     // index into ctx.products
    int unit = 0;        // 0..4
    double quantity = 1; // in the unit
    int carroMov = 0;
    double price = -1;   // unit price before taxes; negative: the client's letter
};

struct SaleSpec {
    int company = 0;
    int almacen = 0;
    int client = 0;      // index into ctx.clients
    int user = 0;
    int tipo = 5;        // 2 factura, 5 ticket, 6 remisión
    QString origen = QStringLiteral("POS");
    QDateTime fecha;
    int moneda = 1;
    double tc = 18.5;
    bool credito = false;
    QString metodo = QStringLiteral("PUE"), forma = QStringLiteral("01"), uso = QStringLiteral("G03");
    bool stamp = true;   // invoices only
    int nuCarro = 0;
    QString notas, entrega;
    int estatusEntrega = 3;
    int chofer = 0;
    double lat = 0, lon = 0;
    std::vector<SaleLine> lines;
};

struct SaleResult {
    int folioVenta = 0;
    QString serie;
    int folio = 0;
    int clienteMov = 0;  // the account document of a sale on credit
    double total = 0;
    QString uuid;
};

class SaleBook {
public:
    explicit SaleBook(DemoContext& ctx);
    ~SaleBook();

    // Exchange rate of a day: moves between about 17 and 20 pesos per dollar.
    static double exchangeRate(const QDate& day);

    // Unit price before taxes, in the sale currency, of a product in a unit
    // for a client (the client's letter, else "A").
    double unitPrice(const DemoCompany& company, const DemoClient& client, const DemoProduct& product, int unit,
                     int moneda, double tc) const;

    SaleResult writeSale(const SaleSpec& wanted);

    // A payment of `amount` (document currency) against an account document,
    // on `day`; returns the receipt folio. `stamp`: emit the payment CFDI.
    int pay(int company, int clientIndex, int clienteMov, int moneda, double amount, double saldoAnterior,
            int parcialidad, const QDateTime& when, int user, int almacen, bool stamp);
    // A credit note against an account document.
    void creditNote(int company, int almacen, int clientIndex, int clienteMov, int tipo, int moneda, double total,
                    const QDateTime& when, const QString& descripcion);
    void setDebt(int clienteMov, double remaining);

    Inserter& timbres() { return *m_timbres; }

private:
    DemoContext& m_ctx;
    std::unique_ptr<Inserter> m_ventas, m_lineas, m_timbres, m_movs, m_abonos, m_abonosMov, m_notas;
    std::unique_ptr<QSqlQuery> m_setDebt;
};

} // namespace korvel::sandbox::demo
