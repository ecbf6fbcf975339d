#include "service/ServiceDescription.h"

#include "service/RecordInfo.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <set>
#include <string>

namespace korvel {

const char* const kServiceName = "Ikorvelservice";
const char* const kPortName = "IkorvelPort";

namespace {

constexpr auto kWsdlNs = "http://schemas.xmlsoap.org/wsdl/";
constexpr auto kSoapNs = "http://schemas.xmlsoap.org/wsdl/soap/";
constexpr auto kXsNs = "http://www.w3.org/2001/XMLSchema";
constexpr auto kEncNs = "http://schemas.xmlsoap.org/soap/encoding/";

QString typeRef(const FieldInfo& f)
{
    switch (f.kind) {
    case FieldKind::Record: return QStringLiteral("ns1:") + QLatin1String(f.element->xmlName);
    case FieldKind::Array: return QStringLiteral("ns1:") + QLatin1String(f.arrayXmlName);
    default: return QStringLiteral("xs:") + QLatin1String(xsdTypeName(f.kind));
    }
}

void writeSchema(QXmlStreamWriter& w)
{
    w.writeStartElement(kXsNs, "schema");
    w.writeAttribute("targetNamespace", kTypesNamespace);
    std::set<std::string> arraysWritten;
    for (const RecordInfo* r : allRecords()) {
        for (const FieldInfo& f : r->fieldList()) {
            if (f.kind != FieldKind::Array || !arraysWritten.insert(f.arrayXmlName).second)
                continue;
            w.writeStartElement(kXsNs, "complexType");
            w.writeAttribute("name", f.arrayXmlName);
            w.writeStartElement(kXsNs, "complexContent");
            w.writeStartElement(kXsNs, "restriction");
            w.writeAttribute("base", "soapenc:Array");
            w.writeEmptyElement(kXsNs, "sequence");
            w.writeEmptyElement(kXsNs, "attribute");
            w.writeAttribute("ref", "soapenc:arrayType");
            w.writeAttribute(kWsdlNs, "arrayType", QStringLiteral("ns1:%1[]").arg(QLatin1String(f.element->xmlName)));
            w.writeEndElement();
            w.writeEndElement();
            w.writeEndElement();
        }
        w.writeStartElement(kXsNs, "complexType");
        w.writeAttribute("name", r->xmlName);
        w.writeStartElement(kXsNs, "sequence");
        for (const FieldInfo& f : r->fieldList()) {
            w.writeEmptyElement(kXsNs, "element");
            w.writeAttribute("name", QString::fromLatin1(f.name, f.nameLength));
            w.writeAttribute("type", typeRef(f));
        }
        w.writeEndElement();
        w.writeEndElement();
    }
    w.writeEndElement();
}

void writeMessage(QXmlStreamWriter& w, const QString& name, const RecordInfo& info)
{
    w.writeStartElement(kWsdlNs, "message");
    w.writeAttribute("name", name);
    for (const FieldInfo& f : info.fieldList()) {
        w.writeEmptyElement(kWsdlNs, "part");
        w.writeAttribute("name", QString::fromLatin1(f.name, f.nameLength));
        w.writeAttribute("type", typeRef(f));
    }
    w.writeEndElement();
}

void writeBody(QXmlStreamWriter& w, const char* direction)
{
    w.writeStartElement(kWsdlNs, direction);
    w.writeEmptyElement(kSoapNs, "body");
    w.writeAttribute("use", "encoded");
    w.writeAttribute("encodingStyle", kEncNs);
    w.writeAttribute("namespace", kServiceNamespace);
    w.writeEndElement();
}

} // namespace

QByteArray generateServiceDescription(const QString& endpoint)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(1);
    w.writeStartDocument();
    w.writeNamespace(kWsdlNs, "wsdl");
    w.writeNamespace(kXsNs, "xs");
    w.writeNamespace(kSoapNs, "soap");
    w.writeNamespace(kEncNs, "soapenc");
    w.writeNamespace(kTypesNamespace, "ns1");
    w.writeNamespace("http://tempuri.org/", "tns");
    w.writeStartElement(kWsdlNs, "definitions");
    w.writeAttribute("name", kServiceName);
    w.writeAttribute("targetNamespace", "http://tempuri.org/");

    w.writeStartElement(kWsdlNs, "types");
    writeSchema(w);
    w.writeEndElement();

    for (const OperationInfo* op : allOperations()) {
        const QString base = QString::fromLatin1(op->name) + QString::number(op->number - 1);
        writeMessage(w, base + QStringLiteral("Request"), *op->request);
        writeMessage(w, base + QStringLiteral("Response"), *op->response);
    }

    w.writeStartElement(kWsdlNs, "portType");
    w.writeAttribute("name", "Ikorvel");
    for (const OperationInfo* op : allOperations()) {
        const QString base = QStringLiteral("tns:") + QString::fromLatin1(op->name) + QString::number(op->number - 1);
        w.writeStartElement(kWsdlNs, "operation");
        w.writeAttribute("name", op->name);
        w.writeEmptyElement(kWsdlNs, "input");
        w.writeAttribute("message", base + QStringLiteral("Request"));
        w.writeEmptyElement(kWsdlNs, "output");
        w.writeAttribute("message", base + QStringLiteral("Response"));
        w.writeEndElement();
    }
    w.writeEndElement();

    w.writeStartElement(kWsdlNs, "binding");
    w.writeAttribute("name", "Ikorvelbinding");
    w.writeAttribute("type", "tns:Ikorvel");
    w.writeEmptyElement(kSoapNs, "binding");
    w.writeAttribute("style", "rpc");
    w.writeAttribute("transport", "http://schemas.xmlsoap.org/soap/http");
    for (const OperationInfo* op : allOperations()) {
        w.writeStartElement(kWsdlNs, "operation");
        w.writeAttribute("name", op->name);
        w.writeEmptyElement(kSoapNs, "operation");
        w.writeAttribute("soapAction", QString::fromLatin1(op->soapAction()));
        w.writeAttribute("style", "rpc");
        writeBody(w, "input");
        writeBody(w, "output");
        w.writeEndElement();
    }
    w.writeEndElement();

    w.writeStartElement(kWsdlNs, "service");
    w.writeAttribute("name", kServiceName);
    w.writeStartElement(kWsdlNs, "port");
    w.writeAttribute("name", kPortName);
    w.writeAttribute("binding", "tns:Ikorvelbinding");
    w.writeEmptyElement(kSoapNs, "address");
    w.writeAttribute("location", endpoint);
    w.writeEndElement();
    w.writeEndElement();

    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

QUrl endpointFromDescription(QByteArrayView document, const QUrl& descriptionUrl, const QString& service,
                             const QString& port, QString* error)
{
    auto failWith = [&](const QString& why) {
        if (error)
            *error = why;
        return QUrl();
    };
    QXmlStreamReader r(document.toByteArray());
    if (!r.readNextStartElement())
        return failWith(r.hasError() ? QStringLiteral("not a service description (%1)").arg(r.errorString())
                                     : QStringLiteral("not a service description (empty document)"));
    if (r.name() != u"definitions" || r.namespaceUri() != QLatin1String(kWsdlNs))
        return failWith(QStringLiteral("not a service description (document element <%1>)").arg(r.qualifiedName()));

    bool inService = false, inPort = false;
    QString location;
    bool found = false;
    while (!r.atEnd() && !found) {
        const auto token = r.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (r.name() == u"service" && r.namespaceUri() == QLatin1String(kWsdlNs))
                inService = r.attributes().value(QLatin1String("name")) == service;
            else if (inService && r.name() == u"port" && r.namespaceUri() == QLatin1String(kWsdlNs))
                inPort = r.attributes().value(QLatin1String("name")) == port;
            else if (inPort && r.name() == u"address") {
                location = r.attributes().value(QLatin1String("location")).toString().trimmed();
                found = true;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (r.name() == u"service")
                inService = false;
            else if (r.name() == u"port")
                inPort = false;
        }
    }
    if (r.hasError() && !found)
        return failWith(QStringLiteral("not a service description (%1)").arg(r.errorString()));
    if (!found)
        return failWith(QStringLiteral("service %1 port %2 not found in the description").arg(service, port));
    const QUrl endpoint = descriptionUrl.resolved(QUrl(location));
    if (location.isEmpty() || !endpoint.isValid())
        return failWith(QStringLiteral("the description names no valid address for %1").arg(port));
    return endpoint;
}

} // namespace korvel
