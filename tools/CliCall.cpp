#include "tools/CliCall.h"

#include "service/JsonCodec.h"
#include "service/ServiceError.h"

namespace korvel::cli {
namespace {

const FieldInfo* fieldOf(const RecordInfo& info, const char* name)
{
    const int i = info.fieldIndex(name);
    return i < 0 ? nullptr : &info.fields[i];
}

const char* directionText(ParamDirection d)
{
    switch (d) {
    case ParamDirection::In: return "in";
    case ParamDirection::Out: return "out";
    case ParamDirection::InOut: return "inout";
    }
    return "in";
}

QString typeOf(const FieldInfo& f)
{
    if (f.kind == FieldKind::Record)
        return QLatin1String(f.element->name);
    if (f.kind == FieldKind::Array)
        return QLatin1String(f.arrayXmlName);
    if (f.kind == FieldKind::Char)
        return QStringLiteral("char");
    if (f.kind == FieldKind::DateTimeObject)
        return QStringLiteral("dateTimeObject");
    return QLatin1String(xsdTypeName(f.kind));
}

} // namespace

QString parameterType(const OperationInfo& op, const ParamInfo& param)
{
    const RecordInfo& holder = param.direction == ParamDirection::Out ? *op.response : *op.request;
    const FieldInfo* f = fieldOf(holder, param.name);
    return f ? typeOf(*f) : QString();
}

QByteArray operationList()
{
    QByteArray out;
    for (const OperationInfo* op : allOperations()) {
        out.append(op->name);
        for (const ParamInfo& p : op->paramList())
            out.append(' ').append(directionText(p.direction)).append(':').append(p.name).append(':').append(
                parameterType(*op, p).toLatin1());
        if (op->hasResult)
            out.append(" -> ").append(typeOf(op->response->fields[0]).toLatin1());
        out.append('\n');
    }
    return out;
}

void fillRequest(const OperationInfo& op, void* request, const QString& user, const QString& pass,
                 const QStringList& assignments)
{
    const RecordInfo& info = *op.request;
    auto set = [&](const QString& name, const QString& value) {
        const QByteArray key = name.toUtf8();
        const int i = info.fieldIndex(std::string_view(key.constData(), std::size_t(key.size())));
        if (i < 0 || info.fields[i].wireName() != std::string_view(key.constData(), std::size_t(key.size())))
            throw ServiceError(ServiceError::Kind::Usage,
                               QStringLiteral("%1 has no parameter %2 that is sent").arg(QLatin1String(op.name), name));
        json::fieldFromText(info.fields[i], info.fields[i].member(request), value);
    };
    if (fieldOf(info, "User") && !user.isNull())
        set(QStringLiteral("User"), user);
    if (fieldOf(info, "Pass") && !pass.isNull())
        set(QStringLiteral("Pass"), pass);
    for (const QString& a : assignments) {
        const qsizetype eq = a.indexOf(QLatin1Char('='));
        if (eq <= 0)
            throw ServiceError(ServiceError::Kind::Usage, QStringLiteral("'%1' is not Name=value").arg(a));
        set(a.left(eq), a.mid(eq + 1));
    }
}

QByteArray responseJson(const OperationInfo& op, const void* response)
{
    const RecordInfo& info = *op.response;
    QByteArray out("{");
    int first = 0;
    if (op.hasResult) {
        out.append("\"result\":");
        json::appendField(out, info.fields[0], info.fields[0].member(response));
        out.append(',');
        first = 1;
    }
    out.append("\"out\":{");
    for (int i = first; i < info.fieldCount; ++i) {
        if (i > first)
            out.append(',');
        const FieldInfo& f = info.fields[i];
        out.append('"').append(f.name, f.nameLength).append("\":");
        json::appendField(out, f, f.member(response));
    }
    out.append("}}");
    return out;
}

} // namespace korvel::cli
