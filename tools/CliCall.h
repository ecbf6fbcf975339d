#pragma once
// The pieces of korvel-cli that tests can drive without a process.

#include "service/RecordInfo.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace korvel::cli {

// "TProducto", "int", "TArrayDBS"...: the contract type of a parameter.
QString parameterType(const OperationInfo& op, const ParamInfo& param);
// One line per operation: its name, then each parameter as direction:name:type,
// then "-> type" when it has a result.
QByteArray operationList();

// Fills a request from --user/--pass and Name=value arguments; parameters not
// given stay empty. Throws ServiceError(Kind::Usage) for an unknown name or a
// value that does not fit.
void fillRequest(const OperationInfo& op, void* request, const QString& user, const QString& pass,
                 const QStringList& assignments);
// {"result": R, "out": {...}}; "result" is absent when the operation has none.
QByteArray responseJson(const OperationInfo& op, const void* response);

} // namespace korvel::cli
