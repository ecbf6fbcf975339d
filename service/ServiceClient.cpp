#include "service/ServiceClient.h"

#include "service/ServiceDescription.h"
#include "service/ServiceError.h"
#include "service/SoapDecoder.h"
#include "service/SoapEncoder.h"

#include <QMutexLocker>

namespace korvel {

ServiceClient::ServiceClient(std::unique_ptr<Transport> transport)
    : m_transport(transport ? std::move(transport) : std::make_unique<HttpTransport>()),
      m_service(QLatin1String(kServiceName)), m_port(QLatin1String(kPortName))
{
}

ServiceClient::~ServiceClient() = default;

void ServiceClient::configure(const QString& descriptionUrl, const QString& service, const QString& port)
{
    QMutexLocker lock(&m_stateMutex);
    m_descriptionUrl = descriptionUrl.trimmed();
    m_service = service;
    m_port = port;
    m_endpoint.clear();
}

void ServiceClient::configure(const QString& descriptionUrl)
{
    configure(descriptionUrl, QLatin1String(kServiceName), QLatin1String(kPortName));
}

void ServiceClient::setEndpoint(const QUrl& endpoint)
{
    QMutexLocker lock(&m_stateMutex);
    m_endpoint = endpoint;
}

QUrl ServiceClient::endpoint() const
{
    QMutexLocker lock(&m_stateMutex);
    return m_endpoint;
}

QString ServiceClient::descriptionUrl() const
{
    QMutexLocker lock(&m_stateMutex);
    return m_descriptionUrl;
}

void ServiceClient::setTimeouts(int connectMs, int receiveMs)
{
    QMutexLocker lock(&m_stateMutex);
    m_transport->setTimeouts(connectMs, receiveMs);
}

void ServiceClient::loadDescription()
{
    QMutexLocker call(&m_callMutex);
    loadDescriptionLocked();
}

void ServiceClient::loadDescriptionLocked()
{
    QString address, service, port;
    {
        QMutexLocker lock(&m_stateMutex);
        address = m_descriptionUrl;
        service = m_service;
        port = m_port;
    }
    auto fail = [&](const QString& why) {
        throw ServiceError(ServiceError::Kind::Description,
                           QStringLiteral("Unable to load WSDL from %1: %2").arg(address, why));
    };
    const QUrl url = QUrl::fromUserInput(address);
    if (address.isEmpty() || !url.isValid())
        fail(QStringLiteral("invalid address"));
    HttpReply reply;
    try {
        reply = m_transport->get(url);
    } catch (const ServiceError& e) {
        fail(e.message());
    }
    {
        QMutexLocker lock(&m_stateMutex);
        m_lastResponse = reply.body;
    }
    if (reply.status != 200)
        fail(QStringLiteral("HTTP %1 %2").arg(reply.status).arg(QString::fromLatin1(reply.reason)));
    QString why;
    const QUrl endpoint = endpointFromDescription(reply.body, url, service, port, &why);
    if (endpoint.isEmpty())
        fail(why);
    QMutexLocker lock(&m_stateMutex);
    m_endpoint = endpoint;
}

void ServiceClient::invoke(const OperationInfo& op, const void* request, void* response)
{
    QMutexLocker call(&m_callMutex);
    if (endpoint().isEmpty())
        loadDescriptionLocked();
    const QByteArray body = soap::encodeRequest(op, request);
    const QUrl target = endpoint();
    {
        QMutexLocker lock(&m_stateMutex);
        m_lastRequest = body;
    }
    HttpReply reply = m_transport->post(target, op.soapAction(), body);
    {
        QMutexLocker lock(&m_stateMutex);
        m_lastResponse = reply.body;
    }
    if (reply.status == 200) {
        soap::decodeResponse(reply.body, op, response);
        return;
    }
    // Servers answer a Fault with status 500; any other error status, or a
    // 500 without a readable Fault, is reported as the HTTP error it is.
    const QString httpText = QStringLiteral("HTTP %1 %2").arg(reply.status).arg(QString::fromLatin1(reply.reason)).trimmed();
    try {
        soap::decodeResponse(reply.body, op, response);
    } catch (const ServiceError& e) {
        if (e.kind() == ServiceError::Kind::Fault)
            throw;
    }
    throw ServiceError(ServiceError::Kind::Transport, httpText);
}

QByteArray ServiceClient::lastRequest() const
{
    QMutexLocker lock(&m_stateMutex);
    return m_lastRequest;
}

QByteArray ServiceClient::lastResponse() const
{
    QMutexLocker lock(&m_stateMutex);
    return m_lastResponse;
}

} // namespace korvel
