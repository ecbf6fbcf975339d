#pragma once
// Values for the store's NOT NULL text columns: a null QString (an empty
// field of a record) binds as SQL NULL, so it is turned into "" first.

#include <QString>
#include <QVariant>
#include <QVariantList>

namespace korvel::sandbox {

inline QVariantList notNull(QVariantList values)
{
    for (QVariant& v : values) {
        if (v.typeId() == QMetaType::QString && v.toString().isNull())
            v = QStringLiteral("");
    }
    return values;
}

} // namespace korvel::sandbox
