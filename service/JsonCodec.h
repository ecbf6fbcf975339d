#pragma once
// Contract records as JSON, for the command-line companion and diagnostics.
// Objects list every field of their type in wire order; dates and times are
// ISO 8601 texts that keep the zone sent; bytes are base64; a nil date-time
// object is null.

#include "service/RecordInfo.h"

#include <QByteArray>
#include <QJsonValue>
#include <QString>

namespace korvel::json {

void appendRecord(QByteArray& out, const RecordInfo& info, const void* record);
void appendField(QByteArray& out, const FieldInfo& field, const void* member);
void appendString(QByteArray& out, QStringView text);
QByteArray recordToJson(const RecordInfo& info, const void* record);

// Fill from JSON; throw ServiceError(Kind::Usage) naming the field that does
// not fit. Fields absent from the JSON keep their values.
void recordFromJson(const RecordInfo& info, void* record, const QJsonValue& value);
void fieldFromJson(const FieldInfo& field, void* member, const QJsonValue& value);
// A parameter typed on a command line: scalars as plain text, records and
// arrays as JSON text.
void fieldFromText(const FieldInfo& field, void* member, const QString& text);

} // namespace korvel::json
