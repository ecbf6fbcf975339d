#pragma once
// How a payment is spread over the documents the collector checked: the
// movement list as the collections screen writes it ("501,502,0,0,...,") and
// the allocation of the amount, in cents, in the order the documents were
// given (the order of the debts list, oldest due date first).

#include <QList>
#include <QString>

namespace korvel::sandbox {

// Most documents one payment may pay (the screen sends ten slots).
constexpr int kMaxDocumentsPerPayment = 10;

struct MovementList {
    QList<int> movements; // non-zero movement numbers, in the order given
    QString error;        // why the text was refused; empty when it was read
};

// Comma-separated non-negative integers; zeros are empty slots and empty
// items (the trailing comma) are skipped. Refused: anything that is not a
// plain integer, a repeated movement, no movement at all, too many.
MovementList parseMovementList(const QString& text);

struct DebtToPay {
    int nuClienteMov = 0;
    int nuMoneda = 1;     // currency of the document
    double balance = 0;   // what it still owes, in its currency
};

struct Allocation {
    int nuClienteMov = 0;
    double applied = 0;          // in the document currency
    double appliedInPayment = 0; // the same in the payment currency
    double before = 0;           // balance before, document currency
    double after = 0;            // balance after, document currency
};

struct AllocationResult {
    QList<Allocation> lines; // only documents that receive something
    double totalDebt = 0;    // what the documents owe, in the payment currency
    QString refusal;         // empty when the payment can be applied
};

// `exchangeRate` is pesos per dollar; it is needed only when a document is in
// another currency than the payment. Every document must owe something.
AllocationResult allocatePayment(const QList<DebtToPay>& documents, int paymentCurrency, double amount,
                                 double exchangeRate);

} // namespace korvel::sandbox
