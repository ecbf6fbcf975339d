#include "server/Store.h"

#include "server/DemoData.h"
#include "server/SandboxFault.h"
#include "server/Schema.h"

#include <QFile>
#include <QSqlError>
#include <QUuid>

namespace korvel::sandbox {

Store::Store() : m_connection(QStringLiteral("sandbox-") + QUuid::createUuid().toString(QUuid::WithoutBraces)) {}

Store::~Store()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
}

bool Store::open(const QString& file, bool reset, QString* error)
{
    if (reset) {
        QFile::remove(file);
        QFile::remove(file + QStringLiteral("-wal"));
        QFile::remove(file + QStringLiteral("-shm"));
    }
    const bool fresh = !QFile::exists(file);
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_db.setDatabaseName(file);
    if (!m_db.open()) {
        if (error)
            *error = m_db.lastError().text();
        return false;
    }
    try {
        exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
        exec(QStringLiteral("PRAGMA foreign_keys=ON"));
        transaction([&] {
            createSchema(*this);
            if (fresh)
                fillDemoData(*this);
        });
    } catch (const SandboxFault& f) {
        if (error)
            *error = f.text();
        return false;
    }
    return true;
}

void Store::transaction(const std::function<void()>& work)
{
    if (m_depth > 0) {
        work();
        return;
    }
    if (!m_db.transaction())
        throw SandboxFault(QStringLiteral("No se pudo iniciar la transacción: ") + m_db.lastError().text());
    ++m_depth;
    try {
        work();
    } catch (...) {
        --m_depth;
        m_db.rollback();
        throw;
    }
    --m_depth;
    if (!m_db.commit()) {
        const QString text = m_db.lastError().text();
        m_db.rollback();
        throw SandboxFault(QStringLiteral("No se pudo guardar: ") + text);
    }
}

QSqlQuery Store::exec(const QString& sql, const QVariantList& values)
{
    QSqlQuery q(m_db);
    if (!q.prepare(sql))
        throw SandboxFault(QStringLiteral("Error de base de datos: ") + q.lastError().text());
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        throw SandboxFault(QStringLiteral("Error de base de datos: ") + q.lastError().text());
    return q;
}

QVariant Store::scalar(const QString& sql, const QVariantList& values, const QVariant& fallback)
{
    QSqlQuery q = exec(sql, values);
    return q.next() ? q.value(0) : fallback;
}

} // namespace korvel::sandbox
