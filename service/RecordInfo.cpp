#include "service/RecordInfo.h"

#include <QByteArray>

#include <algorithm>
#include <cstring>

namespace korvel {

const char* const kServiceNamespace = "urn:korvelIntf-Ikorvel";
const char* const kTypesNamespace = "urn:korvelIntf";

const char* xsdTypeName(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Int: return "int";
    case FieldKind::Double: return "double";
    case FieldKind::Boolean: return "boolean";
    case FieldKind::String: return "string";
    case FieldKind::Char: return "string";
    case FieldKind::DateTime: return "dateTime";
    case FieldKind::Date: return "date";
    case FieldKind::Time: return "time";
    case FieldKind::DateTimeObject: return "dateTime";
    case FieldKind::Bytes: return "base64Binary";
    case FieldKind::Record:
    case FieldKind::Array: return nullptr;
    }
    return nullptr;
}

int RecordInfo::fieldIndex(std::string_view wireName, int hint) const
{
    if (hint >= 0 && hint < fieldCount && fields[hint].wireName() == wireName)
        return hint;
    const quint16* begin = fieldsByName;
    const quint16* end = fieldsByName + fieldCount;
    const quint16* it = std::lower_bound(begin, end, wireName,
                                         [this](quint16 i, std::string_view n) { return fields[i].wireName() < n; });
    if (it != end && fields[*it].wireName() == wireName)
        return *it;
    // Servers of this kind read names without regard to case; be as lenient.
    for (int i = 0; i < fieldCount; ++i) {
        const std::string_view f = fields[i].wireName();
        if (f.size() == wireName.size() && qstrnicmp(f.data(), wireName.data(), f.size()) == 0)
            return i;
    }
    return -1;
}

QByteArray OperationInfo::soapAction() const
{
    QByteArray action("urn:korvelIntf-Ikorvel#%operationName%");
    return action.replace("%operationName%", name);
}

} // namespace korvel
