#pragma once
// A sandbox on a temporary demo store for tests of its operations: calls go
// through the server's SOAP handling (the same envelopes the proxy sends), and
// a fault comes back as its text.

#include "server/SandboxServer.h"
#include "service/Ikorvel.h"
#include "service/SoapDecoder.h"
#include "service/SoapEncoder.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

namespace korvel::sandbox::testing {

template <class Op>
struct Answer {
    std::optional<typename Op::Response> response;  // empty after a fault
    QString fault;
    int status = 0;
};

class SandboxFixture {
public:
    // Builds the demo store once in a temporary folder; later servers reuse it.
    bool start(SandboxOptions options = {})
    {
        if (!m_dir.isValid())
            return false;
        options.database = m_dir.filePath(QStringLiteral("sandbox.db"));
        auto server = std::make_unique<SandboxServer>(options);
        QString error;
        if (!server->start(&error)) {
            qWarning("sandbox did not start: %s", qPrintable(error));
            return false;
        }
        m_servers.push_back(std::move(server));
        return true;
    }

    SandboxServer& server(size_t i = 0) { return *m_servers.at(i); }
    Store& store() { return server().sandbox().store(); }
    QString databasePath() const { return m_dir.filePath(QStringLiteral("sandbox.db")); }

    template <class Op>
    Answer<Op> call(const typename Op::Request& rq, size_t serverIndex = 0)
    {
        Answer<Op> a;
        const QByteArray body = soap::encodeRequest(Op::info(), &rq);
        const QByteArray reply = server(serverIndex).handleSoap(body, &a.status);
        typename Op::Response rs;
        try {
            soap::decodeResponse(reply, Op::info(), &rs);
            a.response = rs;
        } catch (const ServiceError& e) {
            a.fault = e.message();
        }
        return a;
    }

    // The first column of the first row of a query on the store.
    QVariant scalar(const QString& sql, const QVariantList& values = {}) { return store().scalar(sql, values); }

private:
    QTemporaryDir m_dir;
    std::vector<std::unique_ptr<SandboxServer>> m_servers;
};

} // namespace korvel::sandbox::testing
