#pragma once
// The sandbox's data: one SQLite file, created and filled with demo data on
// first start (or with --reset). Every write runs inside a transaction.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <functional>

namespace korvel::sandbox {

class Store {
public:
    Store();
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    // Opens (creating and filling when new or when `reset`); false with `error` set on failure.
    bool open(const QString& file, bool reset, QString* error);
    QSqlDatabase& db() { return m_db; }

    // Runs `work` in a transaction; an exception rolls it back and propagates.
    void transaction(const std::function<void()>& work);

    // A prepared query with positional values; throws SandboxFault on an SQL error.
    QSqlQuery exec(const QString& sql, const QVariantList& values = {});
    // The first column of the first row, or `fallback`.
    QVariant scalar(const QString& sql, const QVariantList& values = {}, const QVariant& fallback = {});

private:
    QString m_connection;
    QSqlDatabase m_db;
    int m_depth = 0;
};

} // namespace korvel::sandbox
