#include "store/kestinifile.h"

#include <algorithm>
#include <cstring>

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMutex>
#include <QMutexLocker>
#include <QSaveFile>
#include <QSet>

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

// The settings class's form of a colour: "@Variant(" and a QVariant streamed at
// QDataStream::Qt_4_0, which for a QColor is the type id 67, the spec byte and five 16-bit
// big-endian words (alpha, red, green, blue, padding). Written with the stream (that is
// safe), read by hand below: streaming a QVariant in would build whatever type the bytes
// name, sized by whatever counts they hold.
constexpr quint32 kColorTypeId = 67;
constexpr int kColorBytes = 15;
constexpr int kSpecInvalid = 0;
constexpr int kSpecRgb = 1;

QString colorToText(const QColor &color)
{
    // Only plain RGB is read back, so a colour picked in another model is stored as RGB.
    const QColor stored = color.isValid() ? color.toRgb() : QColor();
    QByteArray a;
    {
        QDataStream stream(&a, QIODevice::WriteOnly);
        stream.setVersion(QDataStream::Qt_4_0);
        stream << kColorTypeId << stored;
    }
    return QStringLiteral("@Variant(") + QString::fromLatin1(a.constData(), a.size()) + QLatin1Char(')');
}

quint16 word(const QString &bytes, int at)
{
    return quint16((bytes.at(at).unicode() << 8) | bytes.at(at + 1).unicode());
}

enum class ColorText
{
    Colour,
    Invalid, // the settings class's own invalid colour: what a missing key gives anyway
    Rejected
};

ColorText textToColor(const QString &text, QColor &color)
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
    // Every 16-bit component is in range; the padding word means nothing for RGB.
    color = QColor::fromRgba64(word(bytes, 7), word(bytes, 9), word(bytes, 11), word(bytes, 5));
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

} // namespace

KestFileResult KestIniFile::load(const QString &path, const QString &skipSection)
{
    clear();
    m_path = path;
    const QFileInfo info(path);
    if (!info.exists())
        return KestFileResult::missing(path);
    // Folders, devices and pipes are no settings files, and a pipe would never end.
    if (!info.isFile())
        return KestFileResult::refused(path, KestFileResult::Unreadable);
    if (info.size() > KestFileResult::MaxFileBytes)
        return KestFileResult::refused(path, KestFileResult::TooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return KestFileResult::refused(path, KestFileResult::Unreadable);
    // The file may have grown since it was measured: never read more than the limit.
    const QByteArray data = file.read(KestFileResult::MaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return KestFileResult::refused(path, KestFileResult::Unreadable);
    return loadData(data, path, skipSection);
}

KestFileResult KestIniFile::loadSettings(const QString &path, const QString &skipSection)
{
    const KestFileResult result = load(path, skipSection);
    noteRefusedFile(result);
    return result;
}

KestFileResult KestIniFile::loadData(const QByteArray &data, const QString &label,
                                     const QString &skipSection)
{
    clear();
    m_path = label;
    KestFileResult::Reason refusal = KestFileResult::NoReason;
    if (data.size() > KestFileResult::MaxFileBytes)
        refusal = KestFileResult::TooLarge;
    else if (memchr(data.constData(), '\0', size_t(data.size())))
        refusal = KestFileResult::NotText;
    else
        refusal = parse(data, skipSection);
    if (refusal == KestFileResult::NoReason)
        return KestFileResult::ok(label);
    clear();
    m_path = label;
    return KestFileResult::refused(label, refusal);
}

bool KestIniFile::update(const QString &path, const std::function<void(KestIniFile &)> &change)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Without a lock (a read-only folder, a lock that never frees) the write still goes
    // ahead: losing the change for sure is worse than the rare race.
    QLockFile lock(path + QStringLiteral(".lock"));
    lock.tryLock(2000);
    KestIniFile ini;
    if (!ini.loadSettings(path).isUsable())
        return false;
    change(ini);
    return ini.save(path);
}

QStringList KestIniFile::keys() const
{
    QStringList all;
    for (const Section &section : m_sections) {
        for (int i : section.order) {
            const QString &key = m_entries[i].key;
            all << (section.name.isEmpty() ? key : section.name + QLatin1Char('/') + key);
        }
    }
    return all;
}

int KestIniFile::sectionSize(const QString &section) const
{
    const int index = findSection(section);
    return index < 0 ? 0 : m_sections[index].order.size();
}

namespace {

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

} // namespace

KestFileResult::Reason KestIniFile::parse(const QByteArray &data, const QString &skipSection)
{
    const char *s = data.constData();
    const int n = data.size();
    int section = addSection(QString());
    QString subPrefix; // a section header holding a "/" carries on into the keys
    bool skipping = false;
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
        if (b == e || s[b] == ';' || s[b] == '#')
            continue;
        if (s[b] == '[') {
            while (e > b && isSpace(s[e - 1]))
                --e;
            int close = b + 1;
            while (close < e && s[close] != ']')
                ++close;
            // Like the settings class: "General" and "%General" are told apart on the bytes
            // as written, before any escape is undone.
            const QByteArray raw = QByteArray(s + b + 1, close - b - 1).trimmed();
            QString name;
            if (raw.compare("general", Qt::CaseInsensitive) == 0)
                name.clear();
            else if (raw.compare("%general", Qt::CaseInsensitive) == 0)
                name = QString::fromLatin1(raw.mid(1));
            else
                name = unescapeKey(raw.constData(), raw.size());
            const auto parts = splitKey(name);
            const QString sectionName = name.contains(QLatin1Char('/')) ? parts.first : name;
            subPrefix = name.contains(QLatin1Char('/')) ? parts.second + QLatin1Char('/') : QString();
            skipping = !skipSection.isEmpty() && sectionName == skipSection;
            if (!skipping) {
                section = addSection(sectionName);
                if (m_sections.size() > MaxSections)
                    return KestFileResult::TooManyEntries;
            }
            continue;
        }
        if (skipping)
            continue;
        while (e > b && isSpace(s[e - 1]))
            --e;
        int eq = b;
        while (eq < e && s[eq] != '=')
            ++eq;
        if (eq == e)
            continue;
        int keyEnd = eq;
        while (keyEnd > b && isSpace(s[keyEnd - 1]))
            --keyEnd;
        QString name = unescapeKey(s + b, keyEnd - b);
        if (!subPrefix.isEmpty())
            name.prepend(subPrefix);
        name = normalizedKey(name);
        // A key without a name cannot be asked for.
        if (name.isEmpty())
            continue;
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
        // A key with a slash outside any section names its own section, as it does for the
        // settings class; kept in [General] it could never be found by its key.
        int target = section;
        if (m_sections[section].name.isEmpty() && name.contains(QLatin1Char('/'))) {
            const auto parts = splitKey(name);
            target = addSection(parts.first);
            name = parts.second;
            if (m_sections.size() > MaxSections)
                return KestFileResult::TooManyEntries;
        }
        setText(target, name, text);
        if (m_entries.size() > MaxEntries)
            return KestFileResult::TooManyEntries;
    }
    return KestFileResult::NoReason;
}

bool KestIniFile::save(const QString &path) const
{
    QByteArray out;
    out.reserve(m_entries.size() * 40);
    for (const Section &section : m_sections) {
        if (section.order.isEmpty())
            continue;
        if (!out.isEmpty())
            out += '\n';
        // Keys without a section go to [General]; a real section of that name is
        // written as [%General].
        out += '[';
        if (section.name.isEmpty()) {
            out += "General";
        } else {
            if (section.name.compare(kGeneral, Qt::CaseInsensitive) == 0)
                out += '%';
            appendEscapedKey(out, section.name);
        }
        out += "]\n";
        for (int i : section.order) {
            const Entry &entry = m_entries[i];
            appendEscapedKey(out, entry.key);
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

int KestIniFile::findSection(const QString &name) const
{
    return m_sectionIndex.value(name, -1);
}

int KestIniFile::addSection(const QString &name)
{
    const int found = findSection(name);
    if (found >= 0)
        return found;
    m_sections.append({name, {}, true, {}});
    m_sectionIndex.insert(name, m_sections.size() - 1);
    return m_sections.size() - 1;
}

const QString *KestIniFile::text(const QString &fullKey) const
{
    const auto parts = splitKey(normalizedKey(fullKey));
    return Group(this, findSection(parts.first)).text(parts.second);
}

const QString *KestIniFile::Group::text(const QString &key) const
{
    if (m_section < 0)
        return nullptr;
    const QHash<QString, int> &index = m_file->indexOf(m_section);
    const auto it = index.constFind(key);
    return it == index.constEnd() ? nullptr : &m_file->m_entries[*it].text;
}

KestIniFile::Group KestIniFile::group(const QString &section) const
{
    return Group(this, findSection(section));
}

namespace {

// Like the settings class: a number too large for an int keeps its low 32 bits,
// anything that is not a decimal number reads as 0.
int intOf(const QString &t, bool present, int defaultValue)
{
    if (!present)
        return defaultValue;
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok);
    return ok ? int(v) : 0;
}

uint uintOf(const QString &t, bool present, uint defaultValue)
{
    if (!present)
        return defaultValue;
    bool ok = false;
    const qulonglong v = t.toULongLong(&ok);
    return ok ? uint(v) : 0;
}

QMutex &rejectLock()
{
    static QMutex lock;
    return lock;
}

} // namespace

void KestIniFile::rejectValue() const
{
    static QSet<QString> logged;
    QMutexLocker lock(&rejectLock());
    if (logged.contains(m_path))
        return;
    logged.insert(m_path);
    qWarning("%s: a stored value of a type other than a colour was ignored; the key reads as missing",
             qPrintable(QDir::toNativeSeparators(m_path)));
}

// The settings class's "@" forms: "@@" escapes a text that starts with "@", "@String()"
// holds a text with NUL characters, "@ByteArray()" bytes, "@Invalid()" nothing.
// "@Variant()" is never a text.
QString KestIniFile::decoded(const QString *text, bool *present) const
{
    *present = text != nullptr;
    if (!text || !text->startsWith(QLatin1Char('@')))
        return text ? *text : QString();
    if (text->startsWith(QLatin1String("@@")))
        return text->mid(1);
    if (text->endsWith(QLatin1Char(')'))) {
        if (text->startsWith(QLatin1String("@ByteArray(")))
            return text->mid(11, text->size() - 12);
        if (text->startsWith(QLatin1String("@String(")))
            return text->mid(8, text->size() - 9);
        if (*text == QLatin1String("@Invalid()")) {
            *present = false;
            return QString();
        }
        if (text->startsWith(QLatin1String("@Variant("))) {
            QColor colour;
            if (textToColor(*text, colour) == ColorText::Rejected)
                rejectValue();
            *present = false;
            return QString();
        }
    }
    return *text;
}

QColor KestIniFile::colorOf(const QString *text) const
{
    QColor colour;
    if (text && textToColor(*text, colour) == ColorText::Rejected)
        rejectValue();
    return colour;
}

QColor KestIniFile::colorValue(const QString &key) const { return colorOf(text(key)); }
QColor KestIniFile::Group::colorValue(const QString &key) const { return m_file->colorOf(text(key)); }

int KestIniFile::intValue(const QString &key, int def) const
{
    bool present = false;
    const QString t = decoded(text(key), &present);
    return intOf(t, present, def);
}

uint KestIniFile::uintValue(const QString &key, uint def) const
{
    bool present = false;
    const QString t = decoded(text(key), &present);
    return uintOf(t, present, def);
}

QString KestIniFile::stringValue(const QString &key) const
{
    bool present = false;
    return decoded(text(key), &present);
}

int KestIniFile::Group::intValue(const QString &key, int def) const
{
    bool present = false;
    const QString t = m_file->decoded(text(key), &present);
    return intOf(t, present, def);
}

uint KestIniFile::Group::uintValue(const QString &key, uint def) const
{
    bool present = false;
    const QString t = m_file->decoded(text(key), &present);
    return uintOf(t, present, def);
}

QString KestIniFile::Group::stringValue(const QString &key) const
{
    bool present = false;
    return m_file->decoded(text(key), &present);
}

bool KestIniFile::contains(const QString &key) const { return text(key) != nullptr; }

const QHash<QString, int> &KestIniFile::indexOf(int section) const
{
    const Section &s = m_sections[section];
    if (!s.indexed) {
        s.index.clear();
        s.index.reserve(s.order.size());
        for (int i : s.order)
            s.index.insert(m_entries[i].key, i);
        s.indexed = true;
    }
    return s.index;
}

void KestIniFile::setText(int section, const QString &key, const QString &text)
{
    const QHash<QString, int> &index = indexOf(section);
    const auto it = index.constFind(key);
    if (it != index.constEnd()) {
        m_entries[*it].text = text;
        return;
    }
    m_sections[section].index.insert(key, m_entries.size());
    m_sections[section].order.append(m_entries.size());
    m_entries.append({section, key, text});
}

void KestIniFile::appendText(int section, const QString &key, const QString &text)
{
    Section &s = m_sections[section];
    s.indexed = false;
    s.order.append(m_entries.size());
    m_entries.append({section, key, text});
}

void KestIniFile::appendColor(int section, const QString &key, const QColor &value)
{
    appendText(section, key, colorToText(value));
}
void KestIniFile::appendInt(int section, const QString &key, int value) { appendText(section, key, QString::number(value)); }
void KestIniFile::appendUInt(int section, const QString &key, uint value) { appendText(section, key, QString::number(value)); }
void KestIniFile::appendString(int section, const QString &key, const QString &value)
{
    appendText(section, key, textOfString(value));
}

void KestIniFile::setText(const QString &fullKey, const QString &text)
{
    const auto parts = splitKey(normalizedKey(fullKey));
    setText(addSection(parts.first), parts.second, text);
}

void KestIniFile::setColor(const QString &key, const QColor &value) { setText(key, colorToText(value)); }
void KestIniFile::setInt(const QString &key, int value) { setText(key, QString::number(value)); }
void KestIniFile::setUInt(const QString &key, uint value) { setText(key, QString::number(value)); }
void KestIniFile::setString(const QString &key, const QString &value) { setText(key, textOfString(value)); }

void KestIniFile::setColor(int section, const QString &key, const QColor &value)
{
    setText(section, key, colorToText(value));
}
void KestIniFile::setInt(int section, const QString &key, int value) { setText(section, key, QString::number(value)); }
void KestIniFile::setUInt(int section, const QString &key, uint value) { setText(section, key, QString::number(value)); }
void KestIniFile::setString(int section, const QString &key, const QString &value)
{
    setText(section, key, textOfString(value));
}

void KestIniFile::removeSection(const QString &name)
{
    const int index = findSection(name);
    if (index < 0)
        return;
    Section &section = m_sections[index];
    section.order.clear();
    section.index.clear();
    section.indexed = true;
}

void KestIniFile::clear()
{
    m_entries.clear();
    m_sections.clear();
    m_sectionIndex.clear();
}
