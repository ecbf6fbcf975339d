#pragma once
// Fills any contract record with distinct, awkward, non-empty values by
// walking its descriptor, so codec tests cover every field of every type.

#include "service/RecordInfo.h"
#include "service/XsdTypes.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace korvel::testing {

class RecordFiller {
public:
    explicit RecordFiller(int arrayLength = 2) : m_arrayLength(arrayLength) {}

    void fill(const RecordInfo& info, void* record, int depth = 0)
    {
        for (const FieldInfo& f : info.fieldList())
            fillField(f, f.member(record), depth);
        if (info.isList()) {
            const FieldInfo& a = info.fields[info.arrayField];
            *static_cast<qint32*>(info.fields[info.countField].member(record)) =
                qint32(a.element->vectorSize(a.member(record)));
        }
    }

private:
    void fillField(const FieldInfo& f, void* m, int depth)
    {
        const int n = ++m_counter;
        switch (f.kind) {
        case FieldKind::Int: *static_cast<qint32*>(m) = (n % 3 == 0) ? -n * 1000003 : n * 7; break;
        case FieldKind::Double: {
            static const double values[] = {1234.5678, -0.001, 1e-300, 1.7976931348623157e308, 0.1 + 0.2, -42.0, 3.0};
            *static_cast<double*>(m) = values[n % 7] * (1 + n % 5);
            break;
        }
        case FieldKind::Boolean: *static_cast<bool*>(m) = true; break;
        case FieldKind::String: {
            static const char* const values[] = {
                "  espacios al inicio y al final  ", "Tornillo & tuerca <3/8\"> 'acero'", "Ñandú café Peña",
                "línea 1\r\nlínea 2\nlínea 3\r", "tab\there", "#;= no es comentario", "emoji \xF0\x9F\x98\x80"};
            *static_cast<QString*>(m) = QString::fromUtf8(values[n % 7]) + QString::number(n);
            break;
        }
        case FieldKind::Char: *static_cast<QChar*>(m) = (n % 2) ? QChar(u'ñ') : QChar(u'A'); break;
        case FieldKind::DateTime:
            *static_cast<XsDateTime*>(m) = dateTime(n);
            break;
        case FieldKind::Date:
            *static_cast<XsDate*>(m) = XsDate{QDate(2024, 1 + n % 12, 1 + n % 28),
                                              (n % 2) ? XsZone::offset(-6 * 3600) : XsZone::none()};
            break;
        case FieldKind::Time:
            *static_cast<XsTime*>(m) = XsTime{QTime(n % 24, n % 60, (n * 7) % 60, (n % 2) ? 250 : 0),
                                              (n % 3 == 0) ? XsZone::utc() : XsZone::none()};
            break;
        case FieldKind::DateTimeObject:
            *static_cast<std::optional<XsDateTime>*>(m) = dateTime(n);
            break;
        case FieldKind::Bytes: {
            QByteArray b;
            for (int i = 0; i < 40 + n % 9; ++i)
                b.append(char((i * 37 + n) & 0xFF));
            *static_cast<QByteArray*>(m) = b;
            break;
        }
        case FieldKind::Record:
            fill(*f.element, m, depth + 1);
            break;
        case FieldKind::Array:
            f.element->vectorResize(m, depth < 3 ? std::size_t(m_arrayLength) : 0);
            for (std::size_t i = 0; i < f.element->vectorSize(m); ++i)
                fill(*f.element, f.element->vectorAt(m, i), depth + 1);
            break;
        }
    }

    static XsDateTime dateTime(int n)
    {
        const XsZone zones[] = {XsZone::none(), XsZone::utc(), XsZone::offset(-6 * 3600), XsZone::offset(5 * 3600 + 1800)};
        return XsDateTime{QDate(2023 + n % 3, 1 + n % 12, 1 + n % 28), QTime(n % 24, (n * 3) % 60, n % 60, (n % 4) * 125),
                          zones[n % 4]};
    }

    int m_arrayLength;
    int m_counter = 0;
};

} // namespace korvel::testing
