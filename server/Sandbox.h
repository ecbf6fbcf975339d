#pragma once
// What every group of operations of the sandbox works with: the store, the
// registry to add its handlers to, the options of this run, and the text of
// the last failure (what `UltimoError` answers).

#include "server/OperationRegistry.h"
#include "server/Store.h"

#include <QByteArray>
#include <QMutex>
#include <QString>

#include <functional>

namespace korvel::sandbox {

struct SandboxOptions {
    quint16 port = 0;
    QString database = QStringLiteral("korvel-sandbox.db");
    bool reset = false;
    int build = 20192;
    bool singleCompany = false;
};

class Sandbox {
public:
    Sandbox(const SandboxOptions& options, Store& store) : m_options(options), m_store(store) {}

    Store& store() { return m_store; }
    OperationRegistry& operations() { return m_operations; }
    const SandboxOptions& options() const { return m_options; }

    // http://127.0.0.1:PORT, known once the server listens.
    QString baseUrl() const { return m_baseUrl; }
    void setBaseUrl(const QString& url) { m_baseUrl = url; }

    QString lastError() const { return m_lastError; }
    void setLastError(const QString& text) { m_lastError = text; }

    // Extra HTTP resources some groups serve besides the SOAP endpoint
    // (product photos, the delivery post endpoint): path prefix -> handler
    // that gets the rest of the path and the body and returns status + body.
    struct HttpAnswer {
        int status = 404;
        QByteArray contentType = "text/plain";
        QByteArray body;
    };
    using HttpHandler = std::function<HttpAnswer(const QString& rest, const QByteArray& body)>;
    void addGet(const QString& prefix, HttpHandler h) { m_gets.append({prefix, std::move(h)}); }
    void addPost(const QString& prefix, HttpHandler h) { m_posts.append({prefix, std::move(h)}); }
    const QList<QPair<QString, HttpHandler>>& gets() const { return m_gets; }
    const QList<QPair<QString, HttpHandler>>& posts() const { return m_posts; }

private:
    SandboxOptions m_options;
    Store& m_store;
    OperationRegistry m_operations;
    QString m_baseUrl;
    QString m_lastError;
    QList<QPair<QString, HttpHandler>> m_gets;
    QList<QPair<QString, HttpHandler>> m_posts;
};

} // namespace korvel::sandbox
