#include "service/JsonCodec.h"

#include "service/ServiceError.h"
#include "service/SoapEncoder.h"
#include "service/XsdTypes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <limits>
#include <optional>

namespace korvel::json {
namespace {

[[noreturn]] void usage(const FieldInfo& f, const QString& why)
{
    throw ServiceError(ServiceError::Kind::Usage,
                       QStringLiteral("%1: %2").arg(QString::fromLatin1(f.name, f.nameLength), why));
}

qint32 toInt(const FieldInfo& f, const QJsonValue& v)
{
    if (v.isDouble()) {
        const double d = v.toDouble();
        if (d != std::floor(d) || d < std::numeric_limits<qint32>::min() || d > std::numeric_limits<qint32>::max())
            usage(f, QStringLiteral("not a 32-bit integer"));
        return qint32(d);
    }
    if (v.isString()) {
        bool ok = false;
        const int i = v.toString().trimmed().toInt(&ok);
        if (!ok)
            usage(f, QStringLiteral("'%1' is not an integer").arg(v.toString()));
        return i;
    }
    usage(f, QStringLiteral("an integer is expected"));
}

double toDouble(const FieldInfo& f, const QJsonValue& v)
{
    if (v.isDouble())
        return v.toDouble();
    if (v.isString()) {
        const QString t = v.toString().trimmed();
        if (t == u"INF")
            return std::numeric_limits<double>::infinity();
        if (t == u"-INF")
            return -std::numeric_limits<double>::infinity();
        if (t == u"NaN")
            return std::numeric_limits<double>::quiet_NaN();
        bool ok = false;
        const double d = t.toDouble(&ok);
        if (!ok)
            usage(f, QStringLiteral("'%1' is not a number").arg(t));
        return d;
    }
    usage(f, QStringLiteral("a number is expected"));
}

bool toBool(const FieldInfo& f, const QJsonValue& v)
{
    if (v.isBool())
        return v.toBool();
    const QString t = v.isString() ? v.toString().trimmed() : QString();
    if (t == u"true" || t == u"1")
        return true;
    if (t == u"false" || t == u"0")
        return false;
    if (v.isDouble() && (v.toDouble() == 0 || v.toDouble() == 1))
        return v.toDouble() == 1;
    usage(f, QStringLiteral("true or false is expected"));
}

QString toText(const FieldInfo& f, const QJsonValue& v)
{
    if (v.isString())
        return v.toString();
    if (v.isNull() || v.isUndefined())
        return {};
    usage(f, QStringLiteral("a text is expected"));
}

template <class T>
T parseCalendar(const FieldInfo& f, const QJsonValue& v, const char* what)
{
    const QString t = toText(f, v).trimmed();
    if (t.isEmpty())
        return {};
    const QByteArray latin = t.toLatin1();
    const auto parsed = T::parse(std::string_view(latin.constData(), std::size_t(latin.size())));
    if (!parsed)
        usage(f, QStringLiteral("'%1' is not an ISO 8601 %2").arg(t, QLatin1String(what)));
    return *parsed;
}

} // namespace

void appendString(QByteArray& out, QStringView text)
{
    const QByteArray utf8 = text.toUtf8();
    out.append('"');
    for (const char c : utf8) {
        switch (c) {
        case '"': out.append("\\\""); break;
        case '\\': out.append("\\\\"); break;
        case '\n': out.append("\\n"); break;
        case '\r': out.append("\\r"); break;
        case '\t': out.append("\\t"); break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", unsigned(static_cast<unsigned char>(c)));
                out.append(buf);
            } else {
                out.append(c);
            }
        }
    }
    out.append('"');
}

void appendField(QByteArray& out, const FieldInfo& f, const void* member)
{
    switch (f.kind) {
    case FieldKind::Int:
        out.append(QByteArray::number(*static_cast<const qint32*>(member)));
        break;
    case FieldKind::Double: {
        const double d = *static_cast<const double*>(member);
        if (std::isfinite(d))
            out.append(soap::doubleText(d));
        else
            out.append('"').append(soap::doubleText(d)).append('"');
        break;
    }
    case FieldKind::Boolean:
        out.append(*static_cast<const bool*>(member) ? "true" : "false");
        break;
    case FieldKind::String:
        appendString(out, *static_cast<const QString*>(member));
        break;
    case FieldKind::Char: {
        const QChar c = *static_cast<const QChar*>(member);
        appendString(out, c.isNull() ? QString() : QString(c));
        break;
    }
    case FieldKind::DateTime:
        appendString(out, static_cast<const XsDateTime*>(member)->toString());
        break;
    case FieldKind::Date:
        appendString(out, static_cast<const XsDate*>(member)->toString());
        break;
    case FieldKind::Time:
        appendString(out, static_cast<const XsTime*>(member)->toString());
        break;
    case FieldKind::DateTimeObject: {
        const auto& v = *static_cast<const std::optional<XsDateTime>*>(member);
        if (v)
            appendString(out, v->toString());
        else
            out.append("null");
        break;
    }
    case FieldKind::Bytes:
        out.append('"').append(static_cast<const QByteArray*>(member)->toBase64()).append('"');
        break;
    case FieldKind::Record:
        appendRecord(out, *f.element, member);
        break;
    case FieldKind::Array: {
        const RecordInfo& e = *f.element;
        const std::size_t n = e.vectorSize(member);
        out.append('[');
        for (std::size_t i = 0; i < n; ++i) {
            if (i)
                out.append(',');
            appendRecord(out, e, e.vectorAt(const_cast<void*>(member), i));
        }
        out.append(']');
        break;
    }
    }
}

void appendRecord(QByteArray& out, const RecordInfo& info, const void* record)
{
    out.append('{');
    bool first = true;
    for (const FieldInfo& f : info.fieldList()) {
        if (!first)
            out.append(',');
        first = false;
        out.append('"').append(f.name, f.nameLength).append("\":");
        appendField(out, f, f.member(record));
    }
    out.append('}');
}

QByteArray recordToJson(const RecordInfo& info, const void* record)
{
    QByteArray out;
    appendRecord(out, info, record);
    return out;
}

void fieldFromJson(const FieldInfo& f, void* member, const QJsonValue& v)
{
    switch (f.kind) {
    case FieldKind::Int: *static_cast<qint32*>(member) = v.isNull() ? 0 : toInt(f, v); break;
    case FieldKind::Double: *static_cast<double*>(member) = v.isNull() ? 0 : toDouble(f, v); break;
    case FieldKind::Boolean: *static_cast<bool*>(member) = v.isNull() ? false : toBool(f, v); break;
    case FieldKind::String: *static_cast<QString*>(member) = toText(f, v); break;
    case FieldKind::Char: {
        const QString t = toText(f, v);
        if (t.size() > 1)
            usage(f, QStringLiteral("one character is expected"));
        *static_cast<QChar*>(member) = t.isEmpty() ? QChar() : t.front();
        break;
    }
    case FieldKind::DateTime: *static_cast<XsDateTime*>(member) = parseCalendar<XsDateTime>(f, v, "date-time"); break;
    case FieldKind::Date: *static_cast<XsDate*>(member) = parseCalendar<XsDate>(f, v, "date"); break;
    case FieldKind::Time: *static_cast<XsTime*>(member) = parseCalendar<XsTime>(f, v, "time"); break;
    case FieldKind::DateTimeObject: {
        auto& out = *static_cast<std::optional<XsDateTime>*>(member);
        const XsDateTime dt = parseCalendar<XsDateTime>(f, v, "date-time");
        out = dt.isNull() ? std::nullopt : std::optional<XsDateTime>(dt);
        break;
    }
    case FieldKind::Bytes: {
        auto decoded = QByteArray::fromBase64Encoding(toText(f, v).toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            usage(f, QStringLiteral("base64 text is expected"));
        *static_cast<QByteArray*>(member) = std::move(decoded.decoded);
        break;
    }
    case FieldKind::Record:
        recordFromJson(*f.element, member, v);
        break;
    case FieldKind::Array: {
        const RecordInfo& e = *f.element;
        if (v.isNull()) {
            e.vectorResize(member, 0);
            break;
        }
        if (!v.isArray())
            usage(f, QStringLiteral("a JSON array is expected"));
        const QJsonArray a = v.toArray();
        e.vectorResize(member, 0);
        e.vectorResize(member, std::size_t(a.size()));
        for (qsizetype i = 0; i < a.size(); ++i)
            recordFromJson(e, e.vectorAt(member, std::size_t(i)), a.at(i));
        break;
    }
    }
}

void recordFromJson(const RecordInfo& info, void* record, const QJsonValue& value)
{
    if (value.isNull())
        return;
    if (!value.isObject())
        throw ServiceError(ServiceError::Kind::Usage,
                           QStringLiteral("%1: a JSON object is expected").arg(QLatin1String(info.name)));
    const QJsonObject o = value.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        const QByteArray key = it.key().toUtf8();
        const int index = info.fieldIndex(std::string_view(key.constData(), std::size_t(key.size())));
        if (index < 0)
            throw ServiceError(ServiceError::Kind::Usage,
                               QStringLiteral("%1 has no field %2").arg(QLatin1String(info.name), it.key()));
        const FieldInfo& f = info.fields[index];
        fieldFromJson(f, f.member(record), it.value());
    }
}

void fieldFromText(const FieldInfo& f, void* member, const QString& text)
{
    if (f.kind == FieldKind::Record || f.kind == FieldKind::Array) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
        if (error.error != QJsonParseError::NoError)
            usage(f, QStringLiteral("invalid JSON: %1").arg(error.errorString()));
        fieldFromJson(f, member, doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object()));
        return;
    }
    fieldFromJson(f, member, QJsonValue(text));
}

} // namespace korvel::json
