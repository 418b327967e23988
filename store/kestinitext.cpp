// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/kestinitext.h"

#include <algorithm>
#include <cstring>

#include <QStringList>


namespace KestIniText {

const QString kGeneral = QStringLiteral("General");

bool isHexDigit(uint c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(uint c)
{
    if (c >= '0' && c <= '9')
        return int(c - '0');
    if (c >= 'a' && c <= 'f')
        return int(c - 'a' + 10);
    return int(c - 'A' + 10);
}

bool isPlainKeyChar(uint c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'
        || c == '-' || c == '.';
}

void appendHex(QByteArray &out, uint value, int width)
{
    static const char digits[] = "0123456789ABCDEF";
    for (int shift = (width - 1) * 4; shift >= 0; shift -= 4)
        out += digits[(value >> shift) & 0xF];
}

// Key characters outside [A-Za-z0-9_.-] are written as %XX or %UXXXX; "/" as "\".
void appendEscapedKey(QByteArray &out, const QString &key)
{
    bool plain = true;
    for (const QChar qc : key)
        plain = plain && (qc.unicode() == '/' || isPlainKeyChar(qc.unicode()));
    if (plain) {
        const int start = out.size();
        out += key.toLatin1();
        std::replace(out.begin() + start, out.end(), '/', '\\');
        return;
    }
    for (const QChar qc : key) {
        const uint c = qc.unicode();
        if (c == '/') {
            out += '\\';
        } else if (isPlainKeyChar(c)) {
            out += char(c);
        } else if (c <= 0xFF) {
            out += '%';
            appendHex(out, c, 2);
        } else {
            out += "%U";
            appendHex(out, c, 4);
        }
    }
}

QString unescapeKey(const char *s, int n)
{
    if (!memchr(s, '%', size_t(n)) && !memchr(s, '\\', size_t(n)))
        return QString::fromLatin1(s, n);
    QString key;
    key.reserve(n);
    for (int i = 0; i < n; ++i) {
        const uchar c = uchar(s[i]);
        if (c == '\\') {
            key += QLatin1Char('/');
        } else if (c == '%' && i + 1 < n) {
            const bool wide = s[i + 1] == 'U';
            const int width = wide ? 4 : 2;
            const int start = i + (wide ? 2 : 1);
            if (start + width > n) {
                key += QLatin1Char('%');
                continue;
            }
            uint value = 0;
            bool ok = true;
            for (int k = 0; k < width && ok; ++k) {
                ok = isHexDigit(uchar(s[start + k]));
                value = value * 16 + (ok ? hexValue(uchar(s[start + k])) : 0);
            }
            if (!ok) {
                key += QLatin1Char('%');
                continue;
            }
            key += QChar(ushort(value));
            i = start + width - 1;
        } else {
            key += QLatin1Char(char(c));
        }
    }
    return key;
}

// The value escaping of the settings class: C-style escapes, \x for control and
// non-ASCII characters (a following hex digit is escaped too, so that it cannot be read
// as part of the code), and quotes when the text holds ';', ',' or '=' or starts or
// ends with a space.
bool isPlainValue(const QString &text)
{
    if (text.isEmpty())
        return true;
    if (text.front() == QLatin1Char(' ') || text.back() == QLatin1Char(' '))
        return false;
    for (const QChar qc : text) {
        const ushort c = qc.unicode();
        if (c < 0x20 || c >= 0x7F || c == ';' || c == ',' || c == '=' || c == '"' || c == '\\')
            return false;
    }
    return true;
}

void appendEscapedValue(QByteArray &out, const QString &text)
{
    if (isPlainValue(text)) {
        out += text.toLatin1();
        return;
    }
    const int start = out.size();
    bool needsQuotes = false;
    bool escapeNextIfHex = false;
    for (const QChar qc : text) {
        const uint c = qc.unicode();
        if (c == ';' || c == ',' || c == '=')
            needsQuotes = true;
        if (escapeNextIfHex && isHexDigit(c)) {
            out += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeNextIfHex = false;
        switch (c) {
        case '\0': out += "\\0"; escapeNextIfHex = true; break;
        case '\a': out += "\\a"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\v': out += "\\v"; break;
        case '"':
        case '\\':
            out += '\\';
            out += char(c);
            break;
        default:
            if (c <= 0x1F || c >= 0x7F) {
                out += "\\x" + QByteArray::number(c, 16);
                escapeNextIfHex = true;
            } else {
                out += char(c);
            }
        }
    }
    if (needsQuotes || (out.size() > start && (out.at(start) == ' ' || out.endsWith(' ')))) {
        out.insert(start, '"');
        out += '"';
    }
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t';
}

// Inverse of appendEscapedValue. Unquoted commas make the settings class read a list;
// we keep such a value as its text with ", " between the items. A ';' outside quotes
// starts a comment.
QString unescapeValue(const char *s, int n)
{
    int i = 0;
    while (i < n && isSpace(s[i]))
        ++i;
    QString out;
    QStringList items;
    bool inQuotes = false;
    bool quoted = false;
    int keepUpTo = 0; // characters before this index survive the trailing-space chop
    auto chopTrailing = [&] {
        if (quoted)
            return;
        int end = out.size();
        while (end > keepUpTo && (out.at(end - 1) == QLatin1Char(' ') || out.at(end - 1) == QLatin1Char('\t')))
            --end;
        out.truncate(end);
    };
    while (i < n) {
        const char c = s[i];
        if (c == '\\') {
            if (++i >= n)
                break;
            const char e = s[i++];
            switch (e) {
            case 'a': out += QLatin1Char('\a'); break;
            case 'b': out += QLatin1Char('\b'); break;
            case 'f': out += QLatin1Char('\f'); break;
            case 'n': out += QLatin1Char('\n'); break;
            case 'r': out += QLatin1Char('\r'); break;
            case 't': out += QLatin1Char('\t'); break;
            case 'v': out += QLatin1Char('\v'); break;
            case '"':
            case '?':
            case '\'':
            case '\\':
                out += QLatin1Char(e);
                break;
            case 'x': {
                uint value = 0;
                while (i < n && isHexDigit(uchar(s[i])))
                    value = value * 16 + hexValue(uchar(s[i++]));
                out += QChar(ushort(value));
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    uint value = uint(e - '0');
                    while (i < n && s[i] >= '0' && s[i] <= '7')
                        value = value * 8 + uint(s[i++] - '0');
                    out += QChar(ushort(value));
                }
                // any other escaped character is dropped
            }
            keepUpTo = out.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                keepUpTo = out.size();
                while (i < n && isSpace(s[i]))
                    ++i;
            }
        } else if (!inQuotes && c == ',') {
            chopTrailing();
            items << out;
            out.clear();
            keepUpTo = 0;
            quoted = false;
            ++i;
            while (i < n && isSpace(s[i]))
                ++i;
        } else if (!inQuotes && c == ';') {
            break;
        } else {
            int j = i + 1;
            while (j < n && s[j] != '\\' && s[j] != '"' && s[j] != ',' && s[j] != ';')
                ++j;
            out += textOfBytes(s + i, j - i);
            i = j;
        }
    }
    chopTrailing();
    if (items.isEmpty())
        return out;
    items << out;
    return items.join(QStringLiteral(", "));
}

namespace {

// Strict UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool isUtf8(const uchar *s, int n)
{
    int i = 0;
    while (i < n) {
        const uchar c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        uint min;
        uint value;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1; min = 0x80; value = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2; min = 0x800; value = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3; min = 0x10000; value = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= n)
            return false;
        for (int k = 1; k <= extra; ++k) {
            if ((s[i + k] & 0xC0) != 0x80)
                return false;
            value = (value << 6) | (s[i + k] & 0x3F);
        }
        if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

} // namespace

QString textOfBytes(const char *s, int n)
{
    const uchar *u = reinterpret_cast<const uchar *>(s);
    int i = 0;
    while (i < n && u[i] < 0x80)
        ++i;
    if (i == n || !isUtf8(u + i, n - i))
        return QString::fromLatin1(s, n);
    return QString::fromUtf8(s, n);
}

bool needsUnescape(const char *s, int n)
{
    for (int i = 0; i < n; ++i) {
        const char c = s[i];
        if (c == '\\' || c == '"' || c == ',' || c == ';')
            return true;
    }
    return false;
}

// The settings class's form of a colour: "@Variant(" and a QVariant streamed at
// QDataStream::Qt_4_0, which for a QColor is the type id 67, the colour-model byte and five 16-bit
// big-endian words (alpha, red, green, blue, padding). Read and written by hand: streaming a
// QVariant in would build whatever type the bytes name, sized by whatever counts they hold,
// and the store does without the GUI library that knows colours.
constexpr quint32 kColorTypeId = 67;
constexpr int kColorBytes = 15;
constexpr int kSpecInvalid = 0;
constexpr int kSpecRgb = 1;

void appendWord(QString &out, quint16 word)
{
    out += QChar(word >> 8);
    out += QChar(word & 0xFF);
}

QString colorToText(const KestRgb &color)
{
    // The bytes the settings class writes for QColor(r, g, b), and for QColor() when there is
    // no colour: opaque, each byte widened to 16 bits as r * 257, no padding.
    QString text = QStringLiteral("@Variant(");
    text.reserve(9 + kColorBytes + 1);
    appendWord(text, quint16(kColorTypeId >> 16));
    appendWord(text, quint16(kColorTypeId & 0xFFFF));
    text += QChar(color.isValid() ? kSpecRgb : kSpecInvalid);
    appendWord(text, 0xFFFF);
    appendWord(text, quint16(color.red() * 257));
    appendWord(text, quint16(color.green() * 257));
    appendWord(text, quint16(color.blue() * 257));
    appendWord(text, 0);
    text += QLatin1Char(')');
    return text;
}

quint16 word(const QString &bytes, int at)
{
    return quint16((bytes.at(at).unicode() << 8) | bytes.at(at + 1).unicode());
}

ColorText textToColor(const QString &text, KestRgb &color)
{
    if (!text.startsWith(QLatin1String("@Variant(")) || !text.endsWith(QLatin1Char(')')))
        return ColorText::Rejected;
    const QString bytes = text.mid(9, text.size() - 10);
    if (bytes.size() != kColorBytes)
        return ColorText::Rejected;
    for (const QChar c : bytes) {
        if (c.unicode() > 0xFF)
            return ColorText::Rejected;
    }
    const quint32 type = (quint32(word(bytes, 0)) << 16) | word(bytes, 2);
    if (type != kColorTypeId)
        return ColorText::Rejected;
    const int spec = bytes.at(4).unicode();
    if (spec == kSpecInvalid)
        return ColorText::Invalid;
    if (spec != kSpecRgb)
        return ColorText::Rejected;
    // Every 16-bit component is in range; the mouse has no use for alpha, and the padding
    // word means nothing for RGB.
    color = KestRgb::fromRgb16(word(bytes, 7), word(bytes, 9), word(bytes, 11));
    return ColorText::Colour;
}

// The settings class wraps a text holding NUL characters as "@String(...)" and escapes a
// leading "@" by doubling it.
QString textOfString(const QString &value)
{
    if (value.contains(QChar::Null))
        return QStringLiteral("@String(") + value + QLatin1Char(')');
    return value.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + value : value;
}


// As the settings class has it, "//a/b/" and "a/b" are one key: no empty segments.
QString normalizedKey(const QString &key)
{
    if (!key.startsWith(QLatin1Char('/')) && !key.endsWith(QLatin1Char('/'))
        && !key.contains(QLatin1String("//")))
        return key;
    return key.split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
}

// "Section/key" → ("Section", "key"); a key without a slash has no section.
std::pair<QString, QString> splitKey(const QString &fullKey)
{
    const int slash = fullKey.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return {QString(), fullKey};
    return {fullKey.left(slash), fullKey.mid(slash + 1)};
}

} // namespace KestIniText
