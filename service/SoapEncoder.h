#pragma once
// Writes SOAP 1.1 RPC/encoded envelopes from contract records: the operation
// element in the service namespace with one child per parameter, xsi:type on
// every value, SOAP-encoded arrays, and records either as multi-reference
// elements after the operation element (what servers of this kind send and
// expect) or inline.

#include "service/RecordInfo.h"

#include <QByteArray>
#include <QString>

namespace korvel::soap {

enum class Style { MultiRef, Inline };

QByteArray encodeRequest(const OperationInfo& op, const void* request, Style style = Style::MultiRef);
QByteArray encodeResponse(const OperationInfo& op, const void* response, Style style = Style::MultiRef);
// Any record as the fields of a message element named `element`.
QByteArray encodeMessage(const char* element, const RecordInfo& info, const void* record,
                         Style style = Style::MultiRef);
QByteArray encodeFault(const QString& faultCode, const QString& faultString);

// Text of a scalar as it travels (shortest round-trip form for doubles).
QByteArray doubleText(double value);

} // namespace korvel::soap
