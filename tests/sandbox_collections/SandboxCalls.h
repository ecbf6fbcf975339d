#pragma once
// A sandbox on a fresh store in a temporary folder, called the way the app
// calls it: a SOAP envelope in, a SOAP answer out (SandboxServer::handleSoap),
// read back with the app's own codec. Fixture rows go straight to the store.

#include "server/SandboxServer.h"
#include "service/Ikorvel.h"
#include "service/SoapDecoder.h"
#include "service/SoapEncoder.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace korvel::testing {

class SandboxCalls {
public:
    // Builds the store (schema and demo data) once; false with `error` on failure.
    bool start(QString* error)
    {
        if (!m_dir.isValid()) {
            *error = QStringLiteral("no temporary folder");
            return false;
        }
        sandbox::SandboxOptions options;
        options.database = m_dir.filePath(QStringLiteral("sandbox.db"));
        options.reset = true;
        m_server = std::make_unique<sandbox::SandboxServer>(options);
        return m_server->start(error);
    }

    QString databaseFile() const { return m_dir.filePath(QStringLiteral("sandbox.db")); }
    sandbox::SandboxServer& server() { return *m_server; }
    sandbox::Store& store() { return m_server->sandbox().store(); }

    // A request of the demo user of company 0.
    template <class Op>
    static typename Op::Request request(const QString& user = QStringLiteral("demo"))
    {
        typename Op::Request rq;
        rq.User = user;
        rq.Pass = QStringLiteral("demo");
        return rq;
    }

    // The answer; a Fault throws ServiceError with its text.
    template <class Op>
    typename Op::Response call(const typename Op::Request& rq)
    {
        int status = 0;
        const QByteArray answer = m_server->handleSoap(soap::encodeRequest(Op::info(), &rq), &status);
        typename Op::Response rs;
        soap::decodeResponse(answer, Op::info(), &rs);
        return rs;
    }

    // The Fault text of a call, empty when it answered normally.
    template <class Op>
    QString fault(const typename Op::Request& rq)
    {
        try {
            call<Op>(rq);
        } catch (const ServiceError& e) {
            return e.message();
        }
        return {};
    }

    QString lastError()
    {
        return call<ops::UltimoError>({}).result;
    }

    // Inserts one row and returns its key.
    int insert(const QString& table, const QList<QPair<QString, QVariant>>& values)
    {
        QStringList columns, marks;
        QVariantList bound;
        for (const auto& [column, value] : values) {
            columns.append(column);
            marks.append(QStringLiteral("?"));
            bound.append(value);
        }
        store().exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, columns.join(u','), marks.join(u',')),
                     bound);
        return store().scalar(QStringLiteral("SELECT last_insert_rowid()")).toInt();
    }

    QVariant scalar(const QString& sql, const QVariantList& values = {})
    {
        return store().scalar(sql, values);
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<sandbox::SandboxServer> m_server;
};

inline bool isPdf(const QByteArray& bytes)
{
    return bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF");
}

} // namespace korvel::testing
