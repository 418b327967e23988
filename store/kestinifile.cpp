#include "store/kestinifile.h"

#include <algorithm>
#include <cstring>

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

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
            out += QString::fromLatin1(s + i, j - i);
            i = j;
        }
    }
    chopTrailing();
    if (items.isEmpty())
        return out;
    items << out;
    return items.join(QStringLiteral(", "));
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

// The text form the settings class gives a value before escaping it.
QString variantToText(const QVariant &v)
{
    switch (v.userType()) {
    case QMetaType::UnknownType:
        return QStringLiteral("@Invalid()");
    case QMetaType::QString: {
        const QString s = v.toString();
        return s.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + s : s;
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return v.toString();
    case QMetaType::QByteArray: {
        const QByteArray a = v.toByteArray();
        return QStringLiteral("@ByteArray(") + QString::fromLatin1(a.constData(), a.size())
            + QLatin1Char(')');
    }
    default: {
        QByteArray a;
        {
            QDataStream stream(&a, QIODevice::WriteOnly);
            stream.setVersion(QDataStream::Qt_4_0);
            stream << v;
        }
        return QStringLiteral("@Variant(") + QString::fromLatin1(a.constData(), a.size())
            + QLatin1Char(')');
    }
    }
}

QVariant textToVariant(const QString &text)
{
    if (!text.startsWith(QLatin1Char('@')))
        return text;
    if (text.startsWith(QLatin1String("@@")))
        return text.mid(1);
    if (text == QLatin1String("@Invalid()"))
        return QVariant();
    if (text.endsWith(QLatin1Char(')'))) {
        if (text.startsWith(QLatin1String("@ByteArray(")))
            return text.mid(11, text.size() - 12).toLatin1();
        if (text.startsWith(QLatin1String("@Variant("))) {
            const QByteArray a = text.mid(9, text.size() - 10).toLatin1();
            QDataStream stream(a);
            stream.setVersion(QDataStream::Qt_4_0);
            QVariant v;
            stream >> v;
            return stream.status() == QDataStream::Ok ? v : QVariant();
        }
    }
    return text;
}

} // namespace

bool KestIniFile::load(const QString &path)
{
    clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    parse(file.readAll());
    return true;
}

void KestIniFile::parse(const QByteArray &data)
{
    const char *s = data.constData();
    const int n = data.size();
    const int lines = int(std::count(data.begin(), data.end(), '\n')) + 1;
    m_entries.reserve(lines);
    m_index.reserve(lines);
    QString section;
    int pos = 0;
    while (pos < n) {
        int end = pos;
        while (end < n && s[end] != '\n' && s[end] != '\r')
            ++end;
        int b = pos;
        int e = end;
        pos = end + 1;
        while (b < e && isSpace(s[b]))
            ++b;
        while (e > b && isSpace(s[e - 1]))
            --e;
        if (b == e || s[b] == ';' || s[b] == '#')
            continue;
        if (s[b] == '[') {
            int close = b + 1;
            while (close < e && s[close] != ']')
                ++close;
            section = unescapeKey(s + b + 1, close - b - 1).trimmed();
            if (section.compare(kGeneral, Qt::CaseInsensitive) == 0)
                section.clear();
            else if (section.compare(QLatin1String("%General"), Qt::CaseInsensitive) == 0)
                section = section.mid(1);
            continue;
        }
        int eq = b;
        while (eq < e && s[eq] != '=')
            ++eq;
        if (eq == e)
            continue;
        int keyEnd = eq;
        while (keyEnd > b && isSpace(s[keyEnd - 1]))
            --keyEnd;
        const QString name = unescapeKey(s + b, keyEnd - b);
        const char *value = s + eq + 1;
        const int valueLength = e - eq - 1;
        QString text;
        if (needsUnescape(value, valueLength)) {
            text = unescapeValue(value, valueLength);
        } else {
            int vb = 0;
            while (vb < valueLength && isSpace(value[vb]))
                ++vb;
            text = QString::fromLatin1(value + vb, valueLength - vb);
        }
        setText(section.isEmpty() ? name : section + QLatin1Char('/') + name, text);
    }
}

bool KestIniFile::save(const QString &path) const
{
    // Group the entries by section, sections in order of first appearance. Keys
    // without a section go to [General]; a real section of that name is [%General].
    QVector<QString> sections;
    QHash<QString, QVector<int>> members;
    for (int i = 0; i < m_entries.size(); ++i) {
        const QString &key = m_entries[i].key;
        const int slash = key.indexOf(QLatin1Char('/'));
        const QString section = slash < 0 ? QString() : key.left(slash);
        auto it = members.find(section);
        if (it == members.end()) {
            sections << section;
            it = members.insert(section, {});
        }
        it->append(i);
    }

    QByteArray out;
    out.reserve(m_entries.size() * 40);
    for (const QString &section : sections) {
        if (!out.isEmpty())
            out += '\n';
        out += '[';
        if (section.isEmpty()) {
            out += "General";
        } else {
            if (section.compare(kGeneral, Qt::CaseInsensitive) == 0)
                out += '%';
            appendEscapedKey(out, section);
        }
        out += "]\n";
        for (int i : members[section]) {
            const Entry &entry = m_entries[i];
            appendEscapedKey(out, section.isEmpty() ? entry.key : entry.key.mid(section.size() + 1));
            out += '=';
            appendEscapedValue(out, entry.text);
            out += '\n';
        }
    }

    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(out) != out.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

const QString *KestIniFile::text(const QString &key) const
{
    const auto it = m_index.constFind(key);
    return it == m_index.constEnd() ? nullptr : &m_entries[*it].text;
}

QVariant KestIniFile::value(const QString &key) const
{
    const QString *t = text(key);
    return t ? textToVariant(*t) : QVariant();
}

int KestIniFile::intValue(const QString &key, int defaultValue) const
{
    const QString *t = text(key);
    if (!t)
        return defaultValue;
    // Like the settings class: a number too large for an int keeps its low 32 bits,
    // anything that is not a decimal number reads as 0.
    bool ok = false;
    const qlonglong v = t->toLongLong(&ok);
    return ok ? int(v) : 0;
}

uint KestIniFile::uintValue(const QString &key, uint defaultValue) const
{
    const QString *t = text(key);
    if (!t)
        return defaultValue;
    bool ok = false;
    const qulonglong v = t->toULongLong(&ok);
    return ok ? uint(v) : 0;
}

QString KestIniFile::stringValue(const QString &key) const
{
    const QString *t = text(key);
    if (!t)
        return QString();
    if (t->startsWith(QLatin1Char('@')))
        return textToVariant(*t).toString();
    return *t;
}

void KestIniFile::setText(const QString &key, const QString &text)
{
    const auto it = m_index.constFind(key);
    if (it != m_index.constEnd()) {
        m_entries[*it].text = text;
        return;
    }
    m_index.insert(key, m_entries.size());
    m_entries.append({key, text});
}

void KestIniFile::setValue(const QString &key, const QVariant &value)
{
    setText(key, variantToText(value));
}

void KestIniFile::setInt(const QString &key, int value)
{
    setText(key, QString::number(value));
}

void KestIniFile::setUInt(const QString &key, uint value)
{
    setText(key, QString::number(value));
}

void KestIniFile::setString(const QString &key, const QString &value)
{
    setText(key, value.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + value : value);
}

void KestIniFile::clear()
{
    m_entries.clear();
    m_index.clear();
}
