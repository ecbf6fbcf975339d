#pragma once
// An operation's refusal as a SOAP Fault: the handler throws it, the server
// answers with the text (and keeps it for `UltimoError`).

#include <QString>

#include <exception>

namespace korvel::sandbox {

class SandboxFault : public std::exception {
public:
    explicit SandboxFault(QString text, QString code = QStringLiteral("SOAP-ENV:Server"))
        : m_text(std::move(text)), m_code(std::move(code)), m_utf8(m_text.toUtf8())
    {
    }
    const QString& text() const { return m_text; }
    const QString& code() const { return m_code; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QString m_code;
    QByteArray m_utf8;
};

} // namespace korvel::sandbox
