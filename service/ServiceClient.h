#pragma once
// The one connection to the server: where the service is (read from its
// description), how a call travels, and the raw text of the last answer for
// diagnostics. The typed Ikorvel proxy derives from it. A call blocks the
// calling thread, so callers run it on a worker; the mutex makes sure two
// tasks never use the proxy at once.

#include "service/RecordInfo.h"
#include "service/Transport.h"

#include <QByteArray>
#include <QMutex>
#include <QString>
#include <QUrl>

#include <memory>

namespace korvel {

class ServiceClient {
public:
    explicit ServiceClient(std::unique_ptr<Transport> transport = nullptr);
    virtual ~ServiceClient();
    ServiceClient(const ServiceClient&) = delete;
    ServiceClient& operator=(const ServiceClient&) = delete;

    // Points the proxy at a service description; it is read before the next call.
    void configure(const QString& descriptionUrl, const QString& service, const QString& port);
    void configure(const QString& descriptionUrl);
    // Skips the description and posts straight to this endpoint.
    void setEndpoint(const QUrl& endpoint);
    QUrl endpoint() const;
    QString descriptionUrl() const;

    void setTimeouts(int connectMs, int receiveMs);

    // Reads the description now; throws ServiceError(Kind::Description) with a
    // text that contains "Unable to load WSDL".
    void loadDescription();

    // Sends one operation; `request` and `response` are the operation's
    // generated Request and Response records. Throws ServiceError.
    void invoke(const OperationInfo& op, const void* request, void* response);

    QByteArray lastRequest() const;
    QByteArray lastResponse() const;

private:
    void loadDescriptionLocked();

    mutable QMutex m_callMutex;  // held for a whole call
    mutable QMutex m_stateMutex; // guards the fields below
    std::unique_ptr<Transport> m_transport;
    QString m_descriptionUrl;
    QString m_service;
    QString m_port;
    QUrl m_endpoint;
    QByteArray m_lastRequest;
    QByteArray m_lastResponse;
};

} // namespace korvel
