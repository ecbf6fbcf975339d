#include "service/SoapEncoder.h"

#include "service/XsdTypes.h"

#include <charconv>
#include <cmath>
#include <deque>
#include <optional>

namespace korvel::soap {
namespace {

constexpr const char kEnvelopeOpen[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<SOAP-ENV:Envelope xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\""
    " xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\""
    " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
    " xmlns:SOAP-ENC=\"http://schemas.xmlsoap.org/soap/encoding/\""
    " xmlns:NS2=\"urn:korvelIntf\">"
    "<SOAP-ENV:Body SOAP-ENV:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\">";
constexpr const char kEnvelopeClose[] = "</SOAP-ENV:Body></SOAP-ENV:Envelope>";

// Appends UTF-8 text escaped for element content. Carriage returns travel as
// references (a reader would otherwise fold "\r\n" into "\n"); control
// characters that XML 1.0 cannot carry at all are left out.
void appendEscaped(QByteArray& out, QByteArrayView utf8)
{
    const char* p = utf8.data();
    const qsizetype n = utf8.size();
    qsizetype run = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(p[i]);
        const char* replacement = nullptr;
        bool drop = false;
        switch (c) {
        case '&': replacement = "&amp;"; break;
        case '<': replacement = "&lt;"; break;
        case '>': replacement = "&gt;"; break;
        case '\r': replacement = "&#13;"; break;
        case '\t':
        case '\n': break;
        default: drop = c < 0x20; break;
        }
        if (replacement || drop) {
            out.append(p + run, i - run);
            if (replacement)
                out.append(replacement);
            run = i + 1;
        }
    }
    out.append(p + run, n - run);
}

void appendInt(QByteArray& out, qint64 v)
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr - buf);
}

class Writer {
public:
    explicit Writer(Style style) : m_style(style) { m_out.reserve(4096); }

    QByteArray message(const char* element, const RecordInfo& info, const void* record)
    {
        m_out.append(kEnvelopeOpen);
        m_out.append("<NS1:").append(element).append(" xmlns:NS1=\"").append(kServiceNamespace).append("\">");
        fields(info, record);
        m_out.append("</NS1:").append(element).append('>');
        while (!m_pending.empty()) {
            const Pending p = m_pending.front();
            m_pending.pop_front();
            m_out.append("<NS2:").append(p.info->xmlName).append(" id=\"");
            appendInt(m_out, p.id);
            m_out.append("\" xsi:type=\"NS2:").append(p.info->xmlName).append("\">");
            fields(*p.info, p.record);
            m_out.append("</NS2:").append(p.info->xmlName).append('>');
        }
        m_out.append(kEnvelopeClose);
        return std::move(m_out);
    }

private:
    struct Pending {
        const RecordInfo* info;
        const void* record;
        int id;
    };

    void fields(const RecordInfo& info, const void* record)
    {
        for (const FieldInfo& f : info.fieldList())
            value(f, f.member(record));
    }

    void open(std::string_view name, const char* type)
    {
        m_out.append('<').append(name.data(), qsizetype(name.size())).append(" xsi:type=\"").append(type).append("\">");
    }
    void close(std::string_view name)
    {
        m_out.append("</").append(name.data(), qsizetype(name.size())).append('>');
    }
    void nil(std::string_view name, const char* type)
    {
        m_out.append('<').append(name.data(), qsizetype(name.size())).append(" xsi:type=\"").append(type);
        m_out.append("\" xsi:nil=\"true\"/>");
    }
    void scalar(std::string_view name, const char* type, QByteArrayView text, bool escape)
    {
        open(name, type);
        if (escape)
            appendEscaped(m_out, text);
        else
            m_out.append(text);
        close(name);
    }

    void record(std::string_view name, const RecordInfo& info, const void* rec)
    {
        if (m_style == Style::MultiRef) {
            const int id = m_nextId++;
            m_out.append('<').append(name.data(), qsizetype(name.size())).append(" href=\"#");
            appendInt(m_out, id);
            m_out.append("\"/>");
            m_pending.push_back({&info, rec, id});
            return;
        }
        m_out.append('<').append(name.data(), qsizetype(name.size())).append(" xsi:type=\"NS2:").append(info.xmlName);
        m_out.append("\">");
        fields(info, rec);
        close(name);
    }

    void array(std::string_view name, const FieldInfo& f, const void* vec)
    {
        const RecordInfo& element = *f.element;
        const std::size_t n = element.vectorSize(vec);
        m_out.append('<').append(name.data(), qsizetype(name.size()));
        m_out.append(" xsi:type=\"SOAP-ENC:Array\" SOAP-ENC:arrayType=\"NS2:").append(element.xmlName).append('[');
        appendInt(m_out, qint64(n));
        m_out.append("]\">");
        for (std::size_t i = 0; i < n; ++i)
            record("item", element, element.vectorAt(const_cast<void*>(vec), i));
        close(name);
    }

    void value(const FieldInfo& f, const void* member)
    {
        const std::string_view name = f.wireName();
        switch (f.kind) {
        case FieldKind::Int: {
            QByteArray t;
            appendInt(t, *static_cast<const qint32*>(member));
            scalar(name, "xsd:int", t, false);
            break;
        }
        case FieldKind::Double:
            scalar(name, "xsd:double", doubleText(*static_cast<const double*>(member)), false);
            break;
        case FieldKind::Boolean:
            scalar(name, "xsd:boolean", *static_cast<const bool*>(member) ? "true" : "false", false);
            break;
        case FieldKind::String:
            scalar(name, "xsd:string", static_cast<const QString*>(member)->toUtf8(), true);
            break;
        case FieldKind::Char: {
            const QChar c = *static_cast<const QChar*>(member);
            scalar(name, "xsd:string", c.isNull() ? QByteArray() : QString(c).toUtf8(), true);
            break;
        }
        case FieldKind::DateTime: {
            const auto& v = *static_cast<const XsDateTime*>(member);
            if (v.isNull())
                nil(name, "xsd:dateTime");
            else
                scalar(name, "xsd:dateTime", v.toString().toLatin1(), false);
            break;
        }
        case FieldKind::Date: {
            const auto& v = *static_cast<const XsDate*>(member);
            if (v.isNull())
                nil(name, "xsd:date");
            else
                scalar(name, "xsd:date", v.toString().toLatin1(), false);
            break;
        }
        case FieldKind::Time: {
            const auto& v = *static_cast<const XsTime*>(member);
            if (v.isNull())
                nil(name, "xsd:time");
            else
                scalar(name, "xsd:time", v.toString().toLatin1(), false);
            break;
        }
        case FieldKind::DateTimeObject: {
            const auto& v = *static_cast<const std::optional<XsDateTime>*>(member);
            if (!v || v->isNull())
                nil(name, "xsd:dateTime");
            else
                scalar(name, "xsd:dateTime", v->toString().toLatin1(), false);
            break;
        }
        case FieldKind::Bytes:
            scalar(name, "xsd:base64Binary", static_cast<const QByteArray*>(member)->toBase64(), false);
            break;
        case FieldKind::Record:
            record(name, *f.element, member);
            break;
        case FieldKind::Array:
            array(name, f, member);
            break;
        }
    }

    Style m_style;
    QByteArray m_out;
    std::deque<Pending> m_pending;
    int m_nextId = 1;
};

} // namespace

QByteArray doubleText(double value)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return QByteArray(buf, r.ptr - buf);
}

QByteArray encodeRequest(const OperationInfo& op, const void* request, Style style)
{
    return Writer(style).message(op.name, *op.request, request);
}

QByteArray encodeResponse(const OperationInfo& op, const void* response, Style style)
{
    return Writer(style).message(op.response->name, *op.response, response);
}

QByteArray encodeMessage(const char* element, const RecordInfo& info, const void* record, Style style)
{
    return Writer(style).message(element, info, record);
}

QByteArray encodeFault(const QString& faultCode, const QString& faultString)
{
    QByteArray out(kEnvelopeOpen);
    out.append("<SOAP-ENV:Fault><faultcode>");
    appendEscaped(out, faultCode.toUtf8());
    out.append("</faultcode><faultstring>");
    appendEscaped(out, faultString.toUtf8());
    out.append("</faultstring></SOAP-ENV:Fault>");
    out.append(kEnvelopeClose);
    return out;
}

} // namespace korvel::soap
