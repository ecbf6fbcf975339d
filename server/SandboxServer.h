#pragma once
// The sandbox back office over HTTP on 127.0.0.1: the service description,
// the SOAP endpoint, and the extra resources of the operation groups.

#include "server/Sandbox.h"

#include <QByteArray>
#include <QHttpServer>
#include <QString>

#include <memory>

namespace korvel::sandbox {

class SandboxServer {
public:
    explicit SandboxServer(const SandboxOptions& options);
    ~SandboxServer();

    // Opens the store and listens; false with `error` set on failure.
    bool start(QString* error);
    quint16 port() const { return m_port; }
    QString descriptionUrl() const;
    QString endpointUrl() const;

    // One SOAP exchange: the envelope in, the answer (and its HTTP status) out.
    QByteArray handleSoap(const QByteArray& body, int* status);

    Sandbox& sandbox() { return *m_sandbox; }

private:
    SandboxOptions m_options;
    Store m_store;
    std::unique_ptr<Sandbox> m_sandbox;
    QHttpServer m_http;
    quint16 m_port = 0;
};

} // namespace korvel::sandbox
