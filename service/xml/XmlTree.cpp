#include "service/xml/XmlTree.h"

#include <QStringDecoder>

#include <cstring>

namespace korvel {
namespace {

inline bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

inline bool endsName(char c)
{
    return isSpace(c) || c == '/' || c == '>' || c == '=' || c == '<' || c == '"' || c == '\'';
}

bool allSpace(const char* p, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        if (!isSpace(p[i]))
            return false;
    return true;
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(char(cp));
    } else if (cp < 0x800) {
        out.push_back(char(0xC0 | (cp >> 6)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(char(0xE0 | (cp >> 12)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (cp >> 18)));
        out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    }
}

// The encoding named in the XML declaration, lower-cased; empty when none.
std::string declaredEncoding(std::string_view doc)
{
    if (doc.substr(0, 5) != "<?xml")
        return {};
    const auto end = doc.find("?>");
    const std::string_view decl = doc.substr(0, end == std::string_view::npos ? doc.size() : end);
    const auto at = decl.find("encoding");
    if (at == std::string_view::npos)
        return {};
    std::size_t i = at + 8;
    while (i < decl.size() && (isSpace(decl[i]) || decl[i] == '='))
        ++i;
    if (i >= decl.size() || (decl[i] != '"' && decl[i] != '\''))
        return {};
    const char quote = decl[i++];
    const auto close = decl.find(quote, i);
    if (close == std::string_view::npos)
        return {};
    std::string name(decl.substr(i, close - i));
    for (char& c : name)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return name;
}

} // namespace

bool decodeXmlText(std::string_view raw, std::string& out)
{
    out.clear();
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '\r') {
            out.push_back('\n');
            if (i + 1 < raw.size() && raw[i + 1] == '\n')
                ++i;
            continue;
        }
        if (c != '&') {
            out.push_back(c);
            continue;
        }
        const auto semi = raw.find(';', i + 1);
        if (semi == std::string_view::npos || semi - i > 12)
            return false;
        const std::string_view ref = raw.substr(i + 1, semi - i - 1);
        if (ref == "lt")
            out.push_back('<');
        else if (ref == "gt")
            out.push_back('>');
        else if (ref == "amp")
            out.push_back('&');
        else if (ref == "quot")
            out.push_back('"');
        else if (ref == "apos")
            out.push_back('\'');
        else if (ref.size() >= 2 && ref[0] == '#') {
            char32_t cp = 0;
            const bool hex = ref[1] == 'x';
            const std::string_view digits = ref.substr(hex ? 2 : 1);
            if (digits.empty())
                return false;
            for (char d : digits) {
                int v;
                if (d >= '0' && d <= '9')
                    v = d - '0';
                else if (hex && d >= 'a' && d <= 'f')
                    v = d - 'a' + 10;
                else if (hex && d >= 'A' && d <= 'F')
                    v = d - 'A' + 10;
                else
                    return false;
                cp = cp * (hex ? 16 : 10) + char32_t(v);
                if (cp > 0x10FFFF)
                    return false;
            }
            if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF))
                return false;
            appendUtf8(out, cp);
        } else {
            return false;
        }
        i = semi;
    }
    return true;
}

bool XmlTree::fail(const char* what, std::size_t at)
{
    m_error = QStringLiteral("%1 at byte %2").arg(QLatin1String(what)).arg(at);
    m_nodes.clear();
    m_ids.clear();
    return false;
}

bool XmlTree::addText(quint32 index, std::size_t begin, std::size_t end, bool cdata)
{
    Node& n = m_nodes[index];
    if (n.flags & HasElementChildren)
        return true; // text between child elements carries no value here
    const std::size_t len = end - begin;
    if (len == 0)
        return true;
    const char* p = m_data + begin;
    const bool hasReferences = !cdata && std::memchr(p, '&', len);
    const bool needsDecoding = hasReferences || (!cdata && std::memchr(p, '\r', len));
    std::string piece;
    if (hasReferences && !decodeXmlText(std::string_view(p, len), piece))
        return false;
    if (n.textLength == 0 && !(n.flags & TextInSideBuffer)) {
        n.text = quint32(begin);
        n.textLength = quint32(len);
        if (needsDecoding)
            n.flags |= TextNeedsDecoding;
        return true;
    }
    // A second piece (after a comment or CDATA section): assemble the decoded
    // text in the side buffer.
    if (!(n.flags & TextInSideBuffer)) {
        std::string first;
        const std::string_view raw(m_data + n.text, n.textLength);
        if (n.flags & TextNeedsDecoding)
            decodeXmlText(raw, first);
        else
            first.assign(raw);
        n.text = quint32(m_side.size());
        m_side += first;
        n.flags = quint16((n.flags | TextInSideBuffer) & ~TextNeedsDecoding);
    } else if (n.text + n.textLength != m_side.size()) {
        // Another node wrote to the side buffer since; move this text to the end.
        const std::string moved = m_side.substr(n.text, n.textLength);
        n.text = quint32(m_side.size());
        m_side += moved;
    }
    if (needsDecoding)
        decodeXmlText(std::string_view(p, len), piece);
    else
        piece.assign(p, len);
    m_side += piece;
    if (m_side.size() >= 0xFFFFFFF0u)
        return false;
    n.textLength = quint32(m_side.size() - n.text);
    return true;
}

bool XmlTree::parse(const QByteArray& document)
{
    m_error.clear();
    m_nodes.clear();
    m_side.clear();
    m_ids.clear();
    m_document = document;

    std::string_view doc(m_document.constData(), std::size_t(m_document.size()));
    if (doc.size() >= 3 && doc.substr(0, 3) == "\xEF\xBB\xBF")
        doc.remove_prefix(3);
    const std::string encoding = declaredEncoding(doc);
    if (!encoding.empty() && encoding != "utf-8" && encoding != "utf8" && encoding != "us-ascii") {
        QStringDecoder decoder(encoding.c_str());
        if (!decoder.isValid()) {
            m_error = QStringLiteral("unsupported encoding %1").arg(QString::fromStdString(encoding));
            return false;
        }
        const QString text = decoder.decode(QByteArrayView(doc.data(), qsizetype(doc.size())));
        m_document = text.toUtf8();
        doc = std::string_view(m_document.constData(), std::size_t(m_document.size()));
    }
    if (doc.size() >= 0xFFFFFFF0u)
        return fail("document too large", 0);

    m_data = doc.data();
    m_size = doc.size();
    const char* d = m_data;
    const std::size_t size = m_size;
    m_nodes.reserve(size / 64 + 16);
    m_nodes.emplace_back(); // slot 0: "no node"

    struct Open {
        quint32 node;
        quint32 qname;
        quint32 qnameLength;
        quint32 lastChild;
    };
    std::vector<Open> stack;
    stack.reserve(32);
    bool haveRoot = false;
    std::size_t pos = 0;

    while (pos < size) {
        const char* lt = static_cast<const char*>(std::memchr(d + pos, '<', size - pos));
        const std::size_t textEnd = lt ? std::size_t(lt - d) : size;
        if (textEnd > pos) {
            if (stack.empty()) {
                if (!allSpace(d + pos, textEnd - pos))
                    return fail("text outside the document element", pos);
            } else {
                if (!addText(stack.back().node, pos, textEnd, false))
                    return fail("malformed character or entity reference", pos);
            }
        }
        if (!lt)
            break;
        pos = textEnd;
        const std::string_view rest(d + pos, size - pos);

        if (rest.substr(0, 4) == "<!--") {
            const auto end = rest.find("-->", 4);
            if (end == std::string_view::npos)
                return fail("unterminated comment", pos);
            pos += end + 3;
            continue;
        }
        if (rest.substr(0, 9) == "<![CDATA[") {
            const auto end = rest.find("]]>", 9);
            if (end == std::string_view::npos)
                return fail("unterminated CDATA section", pos);
            if (stack.empty())
                return fail("CDATA outside the document element", pos);
            if (!addText(stack.back().node, pos + 9, pos + end, true))
                return fail("text too large", pos);
            pos += end + 3;
            continue;
        }
        if (rest.substr(0, 2) == "<?") {
            const auto end = rest.find("?>", 2);
            if (end == std::string_view::npos)
                return fail("unterminated processing instruction", pos);
            pos += end + 2;
            continue;
        }
        if (rest.substr(0, 2) == "<!")
            return fail("document type declarations are not accepted", pos);

        if (rest.substr(0, 2) == "</") {
            std::size_t i = pos + 2;
            const std::size_t nameStart = i;
            while (i < size && !endsName(d[i]))
                ++i;
            if (stack.empty())
                return fail("end tag without start tag", pos);
            const Open& top = stack.back();
            if (i - nameStart != top.qnameLength || std::memcmp(d + nameStart, d + top.qname, top.qnameLength) != 0)
                return fail("end tag does not match its start tag", pos);
            while (i < size && isSpace(d[i]))
                ++i;
            if (i >= size || d[i] != '>')
                return fail("'>' expected", i);
            pos = i + 1;
            stack.pop_back();
            continue;
        }

        // Start tag.
        if (stack.empty() && haveRoot)
            return fail("more than one document element", pos);
        if (stack.size() >= std::size_t(kMaxDepth))
            return fail("elements nested too deeply", pos);
        std::size_t i = pos + 1;
        const std::size_t nameStart = i;
        while (i < size && !endsName(d[i]))
            ++i;
        if (i == nameStart)
            return fail("element name expected", i);
        const std::size_t nameEnd = i;
        std::size_t local = nameStart;
        for (std::size_t k = nameStart; k < nameEnd; ++k)
            if (d[k] == ':')
                local = k + 1;
        if (local == nameEnd || nameEnd - local > 0xFFFF)
            return fail("bad element name", nameStart);

        const quint32 index = quint32(m_nodes.size());
        m_nodes.emplace_back();
        Node* node = &m_nodes.back();
        node->name = quint32(local);
        node->nameLength = quint16(nameEnd - local);

        bool selfClosing = false;
        for (;;) {
            const std::size_t before = i;
            while (i < size && isSpace(d[i]))
                ++i;
            if (i >= size)
                return fail("unterminated start tag", pos);
            if (d[i] == '>') {
                ++i;
                break;
            }
            if (d[i] == '/') {
                if (i + 1 >= size || d[i + 1] != '>')
                    return fail("'>' expected", i + 1);
                i += 2;
                selfClosing = true;
                break;
            }
            if (i == before)
                return fail("space expected between attributes", i);
            const std::size_t attrStart = i;
            while (i < size && !endsName(d[i]))
                ++i;
            const std::size_t attrEnd = i;
            if (attrEnd == attrStart)
                return fail("attribute name expected", i);
            while (i < size && isSpace(d[i]))
                ++i;
            if (i >= size || d[i] != '=')
                return fail("'=' expected", i);
            ++i;
            while (i < size && isSpace(d[i]))
                ++i;
            if (i >= size || (d[i] != '"' && d[i] != '\''))
                return fail("quoted attribute value expected", i);
            const char quote = d[i++];
            const char* close = static_cast<const char*>(std::memchr(d + i, quote, size - i));
            if (!close)
                return fail("unterminated attribute value", i);
            const std::size_t valueStart = i;
            const std::size_t valueEnd = std::size_t(close - d);
            if (std::memchr(d + valueStart, '<', valueEnd - valueStart))
                return fail("'<' in attribute value", valueStart);
            i = valueEnd + 1;

            std::size_t attrLocal = attrStart;
            for (std::size_t k = attrStart; k < attrEnd; ++k)
                if (d[k] == ':')
                    attrLocal = k + 1;
            const bool prefixed = attrLocal != attrStart;
            const std::string_view localName(d + attrLocal, attrEnd - attrLocal);
            const std::string_view value(d + valueStart, valueEnd - valueStart);
            if (prefixed && std::string_view(d + attrStart, attrEnd - attrStart).substr(0, 6) == "xmlns:")
                continue;
            if (localName == "href") {
                std::string_view ref = value;
                if (!ref.empty() && ref.front() == '#')
                    ref.remove_prefix(1);
                if (ref.size() > 0xFFFF)
                    return fail("reference too long", valueStart);
                node->href = quint32(ref.data() - d);
                node->hrefLength = quint16(ref.size());
                node->flags |= HasHref;
            } else if (localName == "id" && !prefixed) {
                if (!m_ids.emplace(value, index).second)
                    return fail("duplicate id", valueStart);
            } else if (localName == "type" && prefixed) {
                std::string_view t = value;
                const auto colon = t.rfind(':');
                if (colon != std::string_view::npos)
                    t.remove_prefix(colon + 1);
                if (t.size() > 0xFFFF)
                    return fail("type name too long", valueStart);
                node->type = quint32(t.data() - d);
                node->typeLength = quint16(t.size());
                node->flags |= HasType;
            } else if (localName == "nil" && prefixed) {
                if (value == "true" || value == "1")
                    node->flags |= Nil;
            }
        }

        if (stack.empty()) {
            haveRoot = true;
        } else {
            Open& parent = stack.back();
            Node& p = m_nodes[parent.node];
            if (!(p.flags & HasElementChildren)) {
                p.flags |= HasElementChildren;
                p.flags = quint16(p.flags & ~(TextNeedsDecoding | TextInSideBuffer));
                p.textLength = 0;
            }
            if (parent.lastChild)
                m_nodes[parent.lastChild].nextSibling = index;
            else
                p.firstChild = index;
            parent.lastChild = index;
        }
        if (!selfClosing)
            stack.push_back({index, quint32(nameStart), quint32(nameEnd - nameStart), 0});
        pos = i;
    }
    if (!stack.empty())
        return fail("unexpected end of document", size);
    if (!haveRoot)
        return fail("no document element", size);
    return true;
}

std::string_view XmlTree::text(const Node& n, std::string& scratch) const
{
    if (n.flags & TextInSideBuffer)
        return std::string_view(m_side).substr(n.text, n.textLength);
    const std::string_view raw(m_data + n.text, n.textLength);
    if (!(n.flags & TextNeedsDecoding))
        return raw;
    if (!decodeXmlText(raw, scratch))
        return {};
    return scratch;
}

QString XmlTree::textString(const Node& n) const
{
    std::string scratch;
    const std::string_view t = text(n, scratch);
    return QString::fromUtf8(t.data(), qsizetype(t.size()));
}

const XmlTree::Node* XmlTree::byId(std::string_view id) const
{
    const auto it = m_ids.find(id);
    return it == m_ids.end() ? nullptr : &m_nodes[it->second];
}

std::size_t XmlTree::memoryUsed() const
{
    return m_nodes.capacity() * sizeof(Node) + m_side.capacity() + m_ids.size() * 48;
}

} // namespace korvel
