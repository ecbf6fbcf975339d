#include "server/SandboxServer.h"

#include "server/Operations.h"
#include "server/SandboxFault.h"
#include "service/ServiceDescription.h"
#include "service/SoapDecoder.h"
#include "service/SoapEncoder.h"

#include <QHostAddress>
#include <QHttpServerRequest>
#include <QHttpServerResponse>

#include <memory>

namespace korvel::sandbox {
namespace {

constexpr auto kDescriptionPath = "/WSKorvel.dll/wsdl/Ikorvel";
constexpr auto kEndpointPath = "/WSKorvel.dll/soap/Ikorvel";

QHttpServerResponse answer(const Sandbox::HttpAnswer& a)
{
    return QHttpServerResponse(a.contentType, a.body, QHttpServerResponder::StatusCode(a.status));
}

} // namespace

SandboxServer::SandboxServer(const SandboxOptions& options) : m_options(options) {}

SandboxServer::~SandboxServer() = default;

QString SandboxServer::descriptionUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(QLatin1String(kDescriptionPath));
}

QString SandboxServer::endpointUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(QLatin1String(kEndpointPath));
}

bool SandboxServer::start(QString* error)
{
    if (!m_store.open(m_options.database, m_options.reset, error))
        return false;
    m_sandbox = std::make_unique<Sandbox>(m_options, m_store);
    m_sandbox->operations().on<ops::UltimoError>(
        [this](const ops::UltimoError::Request&, ops::UltimoError::Response& rs) { rs.result = m_sandbox->lastError(); });
    registerAllOperations(*m_sandbox);

    m_http.route(QLatin1String(kDescriptionPath), QHttpServerRequest::Method::Get, [this] {
        return QHttpServerResponse("text/xml; charset=utf-8", generateServiceDescription(endpointUrl()));
    });
    m_http.route(QLatin1String(kEndpointPath), QHttpServerRequest::Method::Post, [this](const QHttpServerRequest& request) {
        int status = 200;
        const QByteArray body = handleSoap(request.body(), &status);
        return QHttpServerResponse("text/xml; charset=utf-8", body, QHttpServerResponder::StatusCode(status));
    });
    for (const auto& [prefix, handler] : m_sandbox->gets()) {
        const Sandbox::HttpHandler h = handler;
        m_http.route(prefix + QStringLiteral("<arg>"), QHttpServerRequest::Method::Get,
                     [h](const QString& rest, const QHttpServerRequest& request) { return answer(h(rest, request.body())); });
    }
    for (const auto& [prefix, handler] : m_sandbox->posts()) {
        const Sandbox::HttpHandler h = handler;
        m_http.route(prefix + QStringLiteral("<arg>"), QHttpServerRequest::Method::Post,
                     [h](const QString& rest, const QHttpServerRequest& request) { return answer(h(rest, request.body())); });
    }

    const int port = m_http.listen(QHostAddress::LocalHost, m_options.port);
    if (port <= 0) {
        if (error)
            *error = QStringLiteral("cannot listen on 127.0.0.1:%1").arg(m_options.port);
        return false;
    }
    m_port = quint16(port);
    m_sandbox->setBaseUrl(QStringLiteral("http://127.0.0.1:%1").arg(m_port));
    return true;
}

QByteArray SandboxServer::handleSoap(const QByteArray& body, int* status)
{
    auto fault = [&](const QString& code, const QString& text) {
        m_sandbox->setLastError(text);
        *status = 500;
        return soap::encodeFault(code, text);
    };
    XmlTree tree;
    if (!tree.parse(body))
        return fault(QStringLiteral("SOAP-ENV:Client"), QStringLiteral("Solicitud mal formada: ") + tree.error());
    try {
        const XmlTree::Node& element = soap::messageElement(tree);
        const std::string_view name = tree.name(element);
        const OperationInfo* op = findOperation(name);
        const QString opName = QString::fromUtf8(name.data(), qsizetype(name.size()));
        if (!op)
            return fault(QStringLiteral("SOAP-ENV:Client"), QStringLiteral("Operación desconocida: ") + opName);
        const OperationRegistry::Handler* handler = m_sandbox->operations().find(opName);
        if (!handler)
            return fault(QStringLiteral("SOAP-ENV:Server"),
                         QStringLiteral("La operación %1 no es ofrecida por el sandbox").arg(opName));
        std::unique_ptr<void, void (*)(void*)> request(op->request->create(), op->request->destroy);
        std::unique_ptr<void, void (*)(void*)> response(op->response->create(), op->response->destroy);
        soap::decodeRequest(tree, *op, request.get());
        (*handler)(request.get(), response.get());
        *status = 200;
        return soap::encodeResponse(*op, response.get());
    } catch (const ServiceError& e) {
        return fault(QStringLiteral("SOAP-ENV:Client"), e.message());
    } catch (const SandboxFault& f) {
        return fault(f.code(), f.text());
    } catch (const std::exception& e) {
        return fault(QStringLiteral("SOAP-ENV:Server"), QString::fromUtf8(e.what()));
    }
}

} // namespace korvel::sandbox
