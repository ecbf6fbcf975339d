#pragma once
// The WSDL of the Ikorvel service: generated from the contract tables (the
// sandbox serves it, `korvel-cli wsdl` prints it) and read by the proxy to
// find the endpoint of a service and port.

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace korvel {

extern const char* const kServiceName; // "Ikorvelservice"
extern const char* const kPortName;    // "IkorvelPort"

QByteArray generateServiceDescription(const QString& endpoint);

// The soap:address of the named service and port, resolved against the
// address the description came from. On failure returns an empty URL and
// sets `error` (for example when the document is not a service description).
QUrl endpointFromDescription(QByteArrayView document, const QUrl& descriptionUrl, const QString& service,
                             const QString& port, QString* error);

} // namespace korvel
