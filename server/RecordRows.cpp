#include "server/RecordRows.h"

#include "service/XsdTypes.h"

#include <QSqlRecord>

#include <optional>

namespace korvel::sandbox {
namespace {

template <class T>
T calendar(const QVariant& v)
{
    const QByteArray text = v.toString().toLatin1();
    return T::parse(std::string_view(text.constData(), std::size_t(text.size()))).value_or(T{});
}

} // namespace

void fillFromRow(const QSqlQuery& query, const RecordInfo& info, void* record)
{
    const QSqlRecord columns = query.record();
    for (int c = 0; c < columns.count(); ++c) {
        const QByteArray name = columns.fieldName(c).toLatin1();
        const int index = info.fieldIndex(std::string_view(name.constData(), std::size_t(name.size())));
        if (index < 0)
            continue;
        const FieldInfo& f = info.fields[index];
        void* m = f.member(record);
        const QVariant v = query.value(c);
        switch (f.kind) {
        case FieldKind::Int: *static_cast<qint32*>(m) = v.toInt(); break;
        case FieldKind::Double: *static_cast<double*>(m) = v.toDouble(); break;
        case FieldKind::Boolean: *static_cast<bool*>(m) = v.toInt() != 0; break;
        case FieldKind::String: *static_cast<QString*>(m) = v.toString(); break;
        case FieldKind::Char: {
            const QString s = v.toString();
            *static_cast<QChar*>(m) = s.isEmpty() ? QChar() : s.front();
            break;
        }
        case FieldKind::DateTime: *static_cast<XsDateTime*>(m) = calendar<XsDateTime>(v); break;
        case FieldKind::Date: *static_cast<XsDate*>(m) = calendar<XsDate>(v); break;
        case FieldKind::Time: *static_cast<XsTime*>(m) = calendar<XsTime>(v); break;
        case FieldKind::DateTimeObject: {
            const XsDateTime dt = calendar<XsDateTime>(v);
            *static_cast<std::optional<XsDateTime>*>(m) = dt.isNull() ? std::nullopt : std::optional<XsDateTime>(dt);
            break;
        }
        case FieldKind::Bytes: *static_cast<QByteArray*>(m) = v.toByteArray(); break;
        case FieldKind::Record:
        case FieldKind::Array: break; // not columns
        }
    }
}

} // namespace korvel::sandbox
