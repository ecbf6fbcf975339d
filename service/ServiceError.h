#pragma once
// The one error type of the service layer. Its message is what the user sees
// after "Error: " (a fault text, a transport text, or why an answer could not
// be read).

#include <QByteArray>
#include <QString>

#include <exception>

namespace korvel {

class ServiceError : public std::exception {
public:
    enum class Kind {
        Description, // the service description could not be loaded
        Transport,   // connection, HTTP status, time-out
        Fault,       // the server answered with a SOAP Fault
        Malformed,   // the answer is not a readable SOAP message of the expected shape
        Usage,       // the caller passed something the contract does not allow
    };

    ServiceError(Kind kind, QString message, QString faultCode = {})
        : m_kind(kind), m_message(std::move(message)), m_faultCode(std::move(faultCode)), m_utf8(m_message.toUtf8())
    {
    }

    Kind kind() const { return m_kind; }
    const QString& message() const { return m_message; }
    const QString& faultCode() const { return m_faultCode; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    Kind m_kind;
    QString m_message;
    QString m_faultCode;
    QByteArray m_utf8;
};

} // namespace korvel
