#pragma once
// A lean, non-validating XML reader for SOAP messages. One pass over the UTF-8
// bytes builds a flat array of element nodes that point back into the input
// (no copies of names or texts), plus the table of multi-reference
// identifiers. It keeps only what the SOAP codec needs: local names, character
// content, and the attributes id, href, xsi:type and xsi:nil. Documents with a
// DTD are refused; depth and size are bounded, so hostile input costs at most
// linear time and memory.

#include <QByteArray>
#include <QString>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace korvel {

class XmlTree {
public:
    struct Node {
        quint32 name = 0;        // local name (prefix removed), offset in the input
        quint32 text = 0;        // character content, offset in the input or in the side buffer
        quint32 textLength = 0;
        quint32 firstChild = 0;  // element children; 0 = none
        quint32 nextSibling = 0;
        quint32 href = 0;        // href value without its leading '#'
        quint32 type = 0;        // local part of the xsi:type value
        quint16 nameLength = 0;
        quint16 hrefLength = 0;
        quint16 typeLength = 0;
        quint16 flags = 0;
    };

    enum Flag : quint16 {
        TextNeedsDecoding = 1 << 0, // raw text holds entity references or carriage returns
        TextInSideBuffer = 1 << 1,  // text was assembled from several pieces and is already decoded
        Nil = 1 << 2,               // xsi:nil="true"
        HasHref = 1 << 3,
        HasType = 1 << 4,
        HasElementChildren = 1 << 5,
    };

    static constexpr int kMaxDepth = 256;

    // Parses the document; on failure returns false and error() tells why.
    // The tree keeps a (shared, not copied) reference to the document.
    bool parse(const QByteArray& document);
    const QString& error() const { return m_error; }

    // The document element, or nullptr before a successful parse.
    const Node* root() const { return m_nodes.size() > 1 ? &m_nodes[1] : nullptr; }
    const Node* firstChild(const Node& n) const { return n.firstChild ? &m_nodes[n.firstChild] : nullptr; }
    const Node* nextSibling(const Node& n) const { return n.nextSibling ? &m_nodes[n.nextSibling] : nullptr; }

    std::string_view name(const Node& n) const { return {m_data + n.name, n.nameLength}; }
    std::string_view href(const Node& n) const { return {m_data + n.href, n.hrefLength}; }
    std::string_view type(const Node& n) const { return {m_data + n.type, n.typeLength}; }
    bool isNil(const Node& n) const { return n.flags & Nil; }
    bool hasHref(const Node& n) const { return n.flags & HasHref; }

    // Character content with entities decoded, as UTF-8 bytes; `scratch`
    // holds the decoded copy when one is needed.
    std::string_view text(const Node& n, std::string& scratch) const;
    QString textString(const Node& n) const;

    // The element carrying id="<id>", or nullptr.
    const Node* byId(std::string_view id) const;

    std::size_t nodeCount() const { return m_nodes.size() - 1; }
    std::size_t memoryUsed() const; // bytes held beyond the input document

private:
    bool fail(const char* what, std::size_t at);
    bool addText(quint32 node, std::size_t begin, std::size_t end, bool cdata);

    const char* m_data = nullptr;
    std::size_t m_size = 0;
    std::vector<Node> m_nodes;
    std::string m_side;
    std::unordered_map<std::string_view, quint32> m_ids;
    QByteArray m_document;  // the parsed bytes (UTF-8; re-encoded when declared otherwise)
    QString m_error;
};

// Decodes the five predefined entities and character references; returns
// false on an unknown or malformed reference. Line ends are normalised as XML
// requires ("\r\n" and a lone "\r" become "\n").
bool decodeXmlText(std::string_view raw, std::string& out);

} // namespace korvel
