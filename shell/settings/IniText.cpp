#include "shell/settings/IniText.h"

#include <QStringDecoder>

#include <cstring>

namespace korvel::ini {

namespace {

// Values that hold line breaks or other control characters are written as
// this marker followed by the value with "%", and every control character
// percent-encoded ("%0D", "%0A", "%25"...). A value that itself begins with
// the marker is encoded too, so every text round-trips.
constexpr char16_t EncodedMarker[] = u"%~";
constexpr qsizetype EncodedMarkerSize = 2;

// The blanks classic readers strip around names and values.
inline bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

inline bool isBlank(QChar c)
{
    return c.unicode() < 0x80 && isBlank(char(c.unicode()));
}

inline char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c;
}

void trim(const char *&begin, const char *&end)
{
    while (begin < end && isBlank(*begin))
        ++begin;
    while (end > begin && isBlank(end[-1]))
        --end;
}

// A section or key name to compare lines with, without regard to case.
class Name
{
public:
    explicit Name(const QString &text) : m_text(text)
    {
        m_ascii = true;
        for (QChar c : text) {
            if (c.unicode() >= 0x80) {
                m_ascii = false;
                break;
            }
        }
        if (m_ascii)
            m_lower = text.toLatin1().toLower();
    }

    bool matches(const char *begin, const char *end) const
    {
        const qsizetype size = end - begin;
        if (m_ascii) {
            // Lines are almost always ASCII: compare bytes, no decoding.
            if (size != m_lower.size())
                return false;
            for (qsizetype i = 0; i < size; ++i) {
                if (asciiLower(begin[i]) != m_lower[i])
                    return false;
            }
            return true;
        }
        return QString::fromUtf8(begin, size).compare(m_text, Qt::CaseInsensitive) == 0;
    }

private:
    QString m_text;
    QByteArray m_lower;
    bool m_ascii = false;
};

bool hasControl(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x20 && c != u'\t')
            return true;
    }
    return false;
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

QString percentDecode(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'%' && i + 2 < text.size()) {
            const int hi = hexDigit(text[i + 1]);
            const int lo = hexDigit(text[i + 2]);
            if (hi >= 0 && lo >= 0 && hi < 8) {
                out += QChar(char16_t(hi * 16 + lo));
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

QString percentEncode(const QString &text)
{
    static const char hex[] = "0123456789ABCDEF";
    QString out = QString::fromUtf16(EncodedMarker, EncodedMarkerSize);
    out.reserve(text.size() + 8);
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == u'%') {
            out += u'%';
            out += QLatin1Char(hex[u >> 4]);
            out += QLatin1Char(hex[u & 0xF]);
        } else {
            out += c;
        }
    }
    return out;
}

bool startsWithMarker(QStringView text)
{
    return text.startsWith(QStringView(EncodedMarker, EncodedMarkerSize));
}

// Classic readers drop one pair of matching surrounding quotes, single or double.
bool hasSurroundingQuotes(QStringView text)
{
    if (text.size() < 2)
        return false;
    const QChar first = text.front();
    return (first == u'"' || first == u'\'') && text.back() == first;
}

} // namespace

KeyLocation locate(const QByteArray &data, const QString &section, const QString &key)
{
    KeyLocation loc;
    const Name sectionName(section);
    const Name keyName(key);
    const char *const base = data.constData();
    const char *const end = base + data.size();
    const char *p = base;
    if (data.startsWith("\xEF\xBB\xBF"))
        p += 3;

    bool inSection = false;      // inside a section of that name
    bool inFirstSection = false; // inside the first one
    while (p < end) {
        const char *nl = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        const char *next = nl ? nl + 1 : end;
        const char *lineEnd = nl ? nl : end;
        if (lineEnd > p && lineEnd[-1] == '\r')
            --lineEnd;
        const char *s = p;
        const char *e = lineEnd;
        trim(s, e);

        if (s == e || *s == ';' || *s == '#') {
            // Blank lines and comments belong to no key.
        } else if (*s == '[') {
            // A header without "]" is not understood: its keys are nobody's,
            // rather than the previous section's.
            inSection = inFirstSection = false;
            const char *close = static_cast<const char *>(std::memchr(s + 1, ']', size_t(e - s - 1)));
            if (close) {
                const char *nb = s + 1;
                const char *ne = close;
                trim(nb, ne);
                if (sectionName.matches(nb, ne)) {
                    inSection = true;
                    if (!loc.sectionFound) {
                        loc.sectionFound = true;
                        inFirstSection = true;
                        loc.insertAt = next - base;
                        loc.insertNeedsBreak = !nl;
                    }
                }
            }
        } else if (inSection) {
            if (inFirstSection) {
                loc.insertAt = next - base;
                loc.insertNeedsBreak = !nl;
            }
            const char *eq = static_cast<const char *>(std::memchr(s, '=', size_t(e - s)));
            if (eq) {
                const char *kb = s;
                const char *ke = eq;
                trim(kb, ke);
                if (keyName.matches(kb, ke)) {
                    loc.keyFound = true;
                    loc.valueBegin = (eq + 1) - base;
                    loc.valueEnd = lineEnd - base;
                    return loc;
                }
            }
        }
        p = next;
    }
    return loc;
}

std::optional<QString> decodeValue(const char *begin, const char *end)
{
    trim(begin, end);
    bool ascii = true;
    for (const char *c = begin; c < end; ++c) {
        const auto u = static_cast<unsigned char>(*c);
        if (u < 0x20 && u != '\t')
            return std::nullopt; // our writer never leaves these raw
        if (u >= 0x80)
            ascii = false;
    }
    QString text;
    if (ascii) {
        text = QString::fromLatin1(begin, end - begin);
    } else {
        QStringDecoder decoder(QStringDecoder::Utf8,
                               QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        text = decoder.decode(QByteArrayView(begin, end - begin));
        if (decoder.hasError())
            return std::nullopt;
    }
    QStringView view(text);
    if (hasSurroundingQuotes(view))
        view = view.sliced(1, view.size() - 2);
    if (startsWithMarker(view))
        return percentDecode(view.sliced(EncodedMarkerSize));
    if (view.size() == text.size())
        return text;
    return view.toString();
}

QByteArray encodeValue(const QString &value)
{
    QString text = (hasControl(value) || startsWithMarker(value)) ? percentEncode(value) : value;
    if (!text.isEmpty() && (isBlank(text.front()) || isBlank(text.back()) || hasSurroundingQuotes(text)))
        text = u'"' + text + u'"';
    return text.toUtf8();
}

bool isValidSectionName(const QString &name)
{
    if (name.isEmpty() || isBlank(name.front()) || isBlank(name.back()))
        return false;
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c == u']')
            return false;
    }
    return true;
}

bool isValidKeyName(const QString &name)
{
    if (name.isEmpty() || isBlank(name.front()) || isBlank(name.back()))
        return false;
    const QChar first = name.front();
    if (first == u'[' || first == u';' || first == u'#')
        return false;
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c == u'=')
            return false;
    }
    return true;
}

QByteArray lineBreakOf(const QByteArray &data)
{
    const qsizetype nl = data.indexOf('\n');
    if (nl > 0 && data.at(nl - 1) == '\r')
        return QByteArrayLiteral("\r\n");
    if (nl >= 0)
        return QByteArrayLiteral("\n");
    return QByteArrayLiteral("\r\n");
}

} // namespace korvel::ini
