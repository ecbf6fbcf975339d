#include "server/collections/PaymentAllocation.h"

#include "server/TextHelpers.h"

#include <QSet>
#include <QStringList>

#include <cmath>

namespace korvel::sandbox {
namespace {

constexpr qsizetype kMaxListText = 1000;

qint64 cents(double amount)
{
    return qint64(std::llround(amount * 100.0));
}

bool isPesos(int currency)
{
    return currency == 1;
}

// A document amount in the payment currency, in cents.
qint64 inPaymentCents(double amount, int documentCurrency, int paymentCurrency, double rate)
{
    if (isPesos(documentCurrency) == isPesos(paymentCurrency))
        return cents(amount);
    return isPesos(paymentCurrency) ? cents(amount * rate) : cents(amount / rate);
}

// Payment cents back into the document currency.
double toDocument(qint64 paymentCents, int documentCurrency, int paymentCurrency, double rate)
{
    const double amount = double(paymentCents) / 100.0;
    if (isPesos(documentCurrency) == isPesos(paymentCurrency))
        return amount;
    const double converted = isPesos(paymentCurrency) ? amount / rate : amount * rate;
    return double(cents(converted)) / 100.0;
}

} // namespace

MovementList parseMovementList(const QString& text)
{
    MovementList out;
    if (text.size() > kMaxListText) {
        out.error = QStringLiteral("La lista de documentos es demasiado larga");
        return out;
    }
    QSet<int> seen;
    const QStringList items = text.split(QLatin1Char(','));
    for (const QString& raw : items) {
        const QString item = raw.trimmed();
        if (item.isEmpty())
            continue;
        bool digits = item.size() <= 9;
        for (const QChar c : item)
            digits = digits && c >= u'0' && c <= u'9';
        if (!digits) {
            out.movements.clear();
            out.error = QStringLiteral("La lista de documentos no es válida: \"%1\" no es un número de movimiento")
                            .arg(item.left(20));
            return out;
        }
        const int movement = item.toInt();
        if (movement == 0)
            continue;
        if (seen.contains(movement)) {
            out.movements.clear();
            out.error = QStringLiteral("El documento %1 está repetido en la lista").arg(movement);
            return out;
        }
        seen.insert(movement);
        out.movements.append(movement);
    }
    if (out.movements.isEmpty())
        out.error = QStringLiteral("Debe seleccionar al menos un documento a pagar");
    else if (out.movements.size() > kMaxDocumentsPerPayment) {
        out.error = QStringLiteral("Un abono puede pagar a lo más %1 documentos").arg(kMaxDocumentsPerPayment);
        out.movements.clear();
    }
    return out;
}

AllocationResult allocatePayment(const QList<DebtToPay>& documents, int paymentCurrency, double amount,
                                 double exchangeRate)
{
    AllocationResult out;
    if (!std::isfinite(amount) || cents(amount) <= 0) {
        out.refusal = QStringLiteral("El importe del abono debe ser mayor a cero");
        return out;
    }
    bool needsRate = false;
    for (const DebtToPay& d : documents)
        needsRate = needsRate || isPesos(d.nuMoneda) != isPesos(paymentCurrency);
    if (needsRate && (!std::isfinite(exchangeRate) || exchangeRate <= 0)) {
        out.refusal = QStringLiteral("Falta el tipo de cambio para aplicar el abono a documentos en otra moneda");
        return out;
    }

    QList<qint64> owed;
    qint64 total = 0;
    for (const DebtToPay& d : documents) {
        const qint64 c = inPaymentCents(d.balance, d.nuMoneda, paymentCurrency, exchangeRate);
        owed.append(c);
        total += c;
    }
    out.totalDebt = double(total) / 100.0;
    qint64 remaining = cents(amount);
    if (remaining > total) {
        out.refusal = QStringLiteral("El importe del abono (%1) es mayor a la deuda de los documentos (%2)")
                          .arg(moneyText(double(remaining) / 100.0), moneyText(out.totalDebt));
        return out;
    }

    for (qsizetype i = 0; i < documents.size() && remaining > 0; ++i) {
        const DebtToPay& d = documents[i];
        const qint64 take = std::min(remaining, owed[i]);
        if (take <= 0)
            continue;
        remaining -= take;
        Allocation a;
        a.nuClienteMov = d.nuClienteMov;
        a.before = d.balance;
        a.appliedInPayment = double(take) / 100.0;
        a.applied = take == owed[i] ? d.balance
                                    : std::min(d.balance, toDocument(take, d.nuMoneda, paymentCurrency, exchangeRate));
        // Micro-rounding only removes floating noise; a balance kept with
        // fractions of a cent (100.004) keeps them.
        a.after = std::round((d.balance - a.applied) * 1e6) / 1e6;
        if (a.after < 0.005) {
            a.applied = d.balance;
            a.after = 0;
        }
        out.lines.append(a);
    }
    return out;
}

} // namespace korvel::sandbox
