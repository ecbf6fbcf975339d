#pragma once
// An operation that answers with a result code instead of a Fault: the code
// it returns and the Spanish reason kept for `UltimoError`. Thrown inside a
// store transaction so that everything written so far is rolled back.

#include <QString>

#include <exception>

namespace korvel::sandbox {

class Refusal : public std::exception {
public:
    Refusal(int code, QString reason) : m_code(code), m_reason(std::move(reason)) {}
    int code() const { return m_code; }
    const QString& reason() const { return m_reason; }
    const char* what() const noexcept override { return "refusal"; }

private:
    int m_code;
    QString m_reason;
};

} // namespace korvel::sandbox
