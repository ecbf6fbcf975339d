#pragma once
// A record filled from the current row of a query: each column whose name is
// a field of the record (case-insensitive) goes into that field, converted by
// the field's kind; other columns and fields are left alone. Select with
// `AS <Field>` where a column's name differs.

#include "service/RecordInfo.h"

#include <QSqlQuery>

namespace korvel::sandbox {

void fillFromRow(const QSqlQuery& query, const RecordInfo& info, void* record);

template <class T>
T recordFromRow(const QSqlQuery& query)
{
    T record;
    fillFromRow(query, T::info(), &record);
    return record;
}

} // namespace korvel::sandbox
