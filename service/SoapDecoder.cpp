#include "service/SoapDecoder.h"

#include "service/XsdTypes.h"

#include <QString>

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>

namespace korvel::soap {
namespace {

using Node = XmlTree::Node;

constexpr int kMaxRecordDepth = 64;
constexpr int kMaxHrefHops = 32;

std::string_view trimmed(std::string_view t)
{
    auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!t.empty() && space(t.front()))
        t.remove_prefix(1);
    while (!t.empty() && space(t.back()))
        t.remove_suffix(1);
    return t;
}

QString latin(std::string_view t)
{
    return QString::fromUtf8(t.data(), qsizetype(t.size()));
}

class Reader {
public:
    Reader(const XmlTree& tree, const char* context) : m_tree(tree), m_context(context) {}

    [[noreturn]] void fail(const QString& what) const
    {
        throw ServiceError(ServiceError::Kind::Malformed,
                           QStringLiteral("Malformed %1: %2").arg(QLatin1String(m_context), what));
    }

    const Node& resolve(const Node& start) const
    {
        const Node* n = &start;
        for (int hops = 0; n->flags & XmlTree::HasHref; ++hops) {
            if (hops >= kMaxHrefHops)
                fail(QStringLiteral("references loop at #%1").arg(latin(m_tree.href(start))));
            const Node* target = m_tree.byId(m_tree.href(*n));
            if (!target)
                fail(QStringLiteral("reference #%1 has no element").arg(latin(m_tree.href(*n))));
            n = target;
        }
        return *n;
    }

    void record(const RecordInfo& info, void* rec, const Node& element, int depth)
    {
        if (depth > kMaxRecordDepth)
            fail(QStringLiteral("records nested too deeply in %1").arg(QLatin1String(info.name)));
        int hint = 0;
        for (const Node* child = m_tree.firstChild(element); child; child = m_tree.nextSibling(*child)) {
            const int index = info.fieldIndex(m_tree.name(*child), hint);
            if (index < 0)
                continue; // a field this client does not know
            hint = index + 1;
            const FieldInfo& f = info.fields[index];
            field(info, f, f.member(rec), resolve(*child), depth);
        }
        if (info.isList()) {
            // A Count larger than the array sent is taken as the array length.
            auto* count = static_cast<qint32*>(info.fields[info.countField].member(rec));
            const FieldInfo& arrayField = info.fields[info.arrayField];
            const std::size_t size = arrayField.element->vectorSize(arrayField.member(rec));
            if (*count < 0)
                *count = 0;
            if (std::size_t(*count) > size)
                *count = qint32(size);
        }
    }

    std::string_view text(const Node& n) { return m_tree.text(n, m_scratch); }

    [[noreturn]] void badValue(const RecordInfo& owner, const FieldInfo& f, std::string_view value, const char* type)
    {
        QString shown = latin(value.substr(0, 40));
        fail(QStringLiteral("%1.%2: '%3' is not a valid %4")
                 .arg(QLatin1String(owner.name), latin(f.wireName()), shown, QLatin1String(type)));
    }

    // A calendar value, empty when nil or blank. Some servers send a date-time
    // where a date or a time is declared; its part is taken.
    template <class T>
    std::optional<T> calendar(const RecordInfo& owner, const FieldInfo& f, const Node& node, bool nil, const char* type)
    {
        const std::string_view t = nil ? std::string_view() : trimmed(text(node));
        if (t.empty())
            return std::nullopt;
        if (const auto v = T::parse(t))
            return v;
        if constexpr (std::is_same_v<T, XsDate>) {
            if (const auto dt = XsDateTime::parse(t))
                return XsDate{dt->date, dt->zone};
        } else if constexpr (std::is_same_v<T, XsTime>) {
            if (const auto dt = XsDateTime::parse(t))
                return XsTime{dt->time, dt->zone};
        }
        badValue(owner, f, t, type);
    }

    void field(const RecordInfo& owner, const FieldInfo& f, void* member, const Node& node, int depth)
    {
        const bool nil = m_tree.isNil(node);
        switch (f.kind) {
        case FieldKind::Int: {
            auto& out = *static_cast<qint32*>(member);
            const std::string_view t = nil ? std::string_view() : trimmed(text(node));
            out = 0;
            if (t.empty())
                return;
            std::string_view digits = t;
            if (digits.front() == '+')
                digits.remove_prefix(1);
            qint64 v = 0;
            const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), v);
            if (r.ec != std::errc() || r.ptr != digits.data() + digits.size() || v < std::numeric_limits<qint32>::min()
                || v > std::numeric_limits<qint32>::max())
                badValue(owner, f, t, "int");
            out = qint32(v);
            return;
        }
        case FieldKind::Double: {
            auto& out = *static_cast<double*>(member);
            const std::string_view t = nil ? std::string_view() : trimmed(text(node));
            out = 0;
            if (t.empty())
                return;
            if (t == "INF" || t == "+INF") {
                out = std::numeric_limits<double>::infinity();
                return;
            }
            if (t == "-INF") {
                out = -std::numeric_limits<double>::infinity();
                return;
            }
            if (t == "NaN") {
                out = std::numeric_limits<double>::quiet_NaN();
                return;
            }
            std::string_view digits = t;
            if (digits.front() == '+')
                digits.remove_prefix(1);
            double v = 0;
            const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), v);
            if (r.ec != std::errc() || r.ptr != digits.data() + digits.size() || std::isnan(v) || std::isinf(v))
                badValue(owner, f, t, "double");
            out = v;
            return;
        }
        case FieldKind::Boolean: {
            auto& out = *static_cast<bool*>(member);
            const std::string_view t = nil ? std::string_view() : trimmed(text(node));
            if (t.empty() || t == "false" || t == "0")
                out = false;
            else if (t == "true" || t == "1")
                out = true;
            else
                badValue(owner, f, t, "boolean");
            return;
        }
        case FieldKind::String: {
            auto& out = *static_cast<QString*>(member);
            if (nil) {
                out.clear();
                return;
            }
            const std::string_view t = text(node);
            out = QString::fromUtf8(t.data(), qsizetype(t.size()));
            return;
        }
        case FieldKind::Char: {
            auto& out = *static_cast<QChar*>(member);
            const std::string_view t = nil ? std::string_view() : text(node);
            const QString s = QString::fromUtf8(t.data(), qsizetype(t.size()));
            out = s.isEmpty() ? QChar() : s.front();
            return;
        }
        case FieldKind::DateTime:
            *static_cast<XsDateTime*>(member) = calendar<XsDateTime>(owner, f, node, nil, "dateTime").value_or(XsDateTime{});
            return;
        case FieldKind::Date:
            *static_cast<XsDate*>(member) = calendar<XsDate>(owner, f, node, nil, "date").value_or(XsDate{});
            return;
        case FieldKind::Time:
            *static_cast<XsTime*>(member) = calendar<XsTime>(owner, f, node, nil, "time").value_or(XsTime{});
            return;
        case FieldKind::DateTimeObject:
            *static_cast<std::optional<XsDateTime>*>(member) = calendar<XsDateTime>(owner, f, node, nil, "dateTime");
            return;
        case FieldKind::Bytes: {
            auto& out = *static_cast<QByteArray*>(member);
            out.clear();
            if (nil)
                return;
            const std::string_view t = text(node);
            QByteArray compact;
            compact.reserve(qsizetype(t.size()));
            for (char c : t)
                if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
                    compact.append(c);
            auto decoded = QByteArray::fromBase64Encoding(compact, QByteArray::AbortOnBase64DecodingErrors);
            if (!decoded)
                badValue(owner, f, t, "base64Binary");
            out = std::move(decoded.decoded);
            return;
        }
        case FieldKind::Record: {
            f.element->assign(member, emptyRecord(*f.element));
            if (!nil)
                record(*f.element, member, node, depth + 1);
            return;
        }
        case FieldKind::Array: {
            const RecordInfo& element = *f.element;
            element.vectorResize(member, 0);
            if (nil)
                return;
            std::size_t count = 0;
            for (const Node* item = m_tree.firstChild(node); item; item = m_tree.nextSibling(*item))
                ++count;
            element.vectorResize(member, count);
            std::size_t i = 0;
            for (const Node* item = m_tree.firstChild(node); item; item = m_tree.nextSibling(*item), ++i) {
                const Node& target = resolve(*item);
                if (!m_tree.isNil(target))
                    record(element, element.vectorAt(member, i), target, depth + 1);
            }
            return;
        }
        }
    }

    // A default-constructed value of a record type, kept for resets.
    static const void* emptyRecord(const RecordInfo& info)
    {
        thread_local std::vector<std::pair<const RecordInfo*, std::unique_ptr<void, void (*)(void*)>>> cache;
        for (const auto& [i, p] : cache)
            if (i == &info)
                return p.get();
        cache.emplace_back(&info, std::unique_ptr<void, void (*)(void*)>(info.create(), info.destroy));
        return cache.back().second.get();
    }

private:
    const XmlTree& m_tree;
    const char* m_context;
    std::string m_scratch;
};

const Node& bodyOf(const XmlTree& tree, const char* context)
{
    Reader r(tree, context);
    const Node* envelope = tree.root();
    if (!envelope || tree.name(*envelope) != "Envelope")
        r.fail(QStringLiteral("not a SOAP envelope"));
    for (const Node* n = tree.firstChild(*envelope); n; n = tree.nextSibling(*n))
        if (tree.name(*n) == "Body")
            return *n;
    r.fail(QStringLiteral("the envelope has no Body"));
}

const Node& firstBodyElement(const XmlTree& tree, const char* context)
{
    const Node& body = bodyOf(tree, context);
    const Node* first = tree.firstChild(body);
    if (!first)
        Reader(tree, context).fail(QStringLiteral("the Body is empty"));
    return *first;
}

[[noreturn]] void throwFault(const XmlTree& tree, const Node& fault)
{
    QString code, text;
    for (const Node* n = tree.firstChild(fault); n; n = tree.nextSibling(*n)) {
        const std::string_view name = tree.name(*n);
        if (name == "faultcode" || name == "Code")
            code = tree.textString(*n).trimmed();
        else if (name == "faultstring" || name == "Reason")
            text = tree.textString(*n).trimmed();
    }
    if (text.isEmpty())
        text = code.isEmpty() ? QStringLiteral("SOAP Fault without a text") : code;
    throw ServiceError(ServiceError::Kind::Fault, text, code);
}

// Fills a message record (the parameters of a request or response) from the
// operation element. The result may arrive under another name than "return".
void message(const XmlTree& tree, const Node& element, const RecordInfo& info, void* record, bool resultFirst,
             const char* context)
{
    Reader r(tree, context);
    int hint = 0;
    bool resultSeen = false;
    for (const Node* child = tree.firstChild(element); child; child = tree.nextSibling(*child)) {
        const std::string_view name = tree.name(*child);
        int index = info.fieldIndex(name, hint);
        if (index < 0 && resultFirst && !resultSeen
            && (name == "result" || name == "Result"
                || (name.size() > 6 && name.substr(name.size() - 6) == "Result")))
            index = 0;
        if (index < 0)
            continue;
        if (resultFirst && index == 0)
            resultSeen = true;
        hint = index + 1;
        const FieldInfo& f = info.fields[index];
        r.field(info, f, f.member(record), r.resolve(*child), 0);
    }
}

} // namespace

void decodeRecord(const XmlTree& tree, const XmlTree::Node& element, const RecordInfo& info, void* record,
                  const char* context)
{
    Reader r(tree, context);
    r.record(info, record, r.resolve(element), 0);
}

namespace {

void decodeInto(const QByteArray& document, const char* element, const RecordInfo& info, void* record, bool resultFirst)
{
    if (document.trimmed().isEmpty())
        throw ServiceError(ServiceError::Kind::Malformed, QStringLiteral("Malformed answer: the server sent nothing"));
    XmlTree tree;
    if (!tree.parse(document))
        throw ServiceError(ServiceError::Kind::Malformed, QStringLiteral("Malformed answer: %1").arg(tree.error()));
    const Node& first = firstBodyElement(tree, "answer");
    if (tree.name(first) == "Fault")
        throwFault(tree, first);
    if (tree.name(first) != std::string_view(element))
        Reader(tree, "answer")
            .fail(QStringLiteral("expected %1, received %2").arg(QLatin1String(element), latin(tree.name(first))));
    message(tree, first, info, record, resultFirst, "answer");
}

} // namespace

void decodeResponse(const QByteArray& document, const OperationInfo& op, void* response)
{
    decodeInto(document, op.response->name, *op.response, response, op.hasResult);
}

void decodeMessage(const QByteArray& document, const char* element, const RecordInfo& info, void* record)
{
    decodeInto(document, element, info, record, false);
}

const XmlTree::Node& messageElement(const XmlTree& tree)
{
    return firstBodyElement(tree, "request");
}

void decodeRequest(const XmlTree& tree, const OperationInfo& op, void* request)
{
    const Node& element = messageElement(tree);
    if (tree.name(element) != std::string_view(op.name))
        Reader(tree, "request").fail(QStringLiteral("expected %1").arg(QLatin1String(op.name)));
    message(tree, element, *op.request, request, false, "request");
}

} // namespace korvel::soap
