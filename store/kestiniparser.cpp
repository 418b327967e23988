// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/kestiniparser.h"

#include <algorithm>
#include <cstring>

#include <QVector>

#include "store/kestinifile.h"
#include "store/kestinitext.h"

using namespace KestIniText;

namespace {

// Most values of a profile are small numbers: one shared text per number instead of a
// fresh allocation for each of thousands of keys.
const QString *sharedNumberText(const char *s, int n)
{
    static const QVector<QString> texts = [] {
        QVector<QString> all(1000);
        for (int i = 0; i < all.size(); ++i)
            all[i] = QString::number(i);
        return all;
    }();
    if (n < 1 || n > 3 || (n > 1 && s[0] == '0'))
        return nullptr;
    int value = 0;
    for (int i = 0; i < n; ++i) {
        if (s[i] < '0' || s[i] > '9')
            return nullptr;
        value = value * 10 + (s[i] - '0');
    }
    return &texts[value];
}

bool isPlainKeyBytes(const char *s, int n)
{
    for (int i = 0; i < n; ++i) {
        const char c = s[i];
        if (c == '%' || c == '\\' || c == '/' || uchar(c) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

KestIniParser::KestIniParser(KestIniFile &file, const QByteArray &data, const QString &skipSection)
    : m_file(file), m_s(data.constData()), m_n(data.size()), m_skipSection(skipSection)
{
}

KestFileResult::Reason KestIniParser::run()
{
    const char *s = m_s;
    const int n = m_n;
    // One allocation for all entries instead of a dozen regrowths: a line holds at most one.
    int lines = 1;
    for (const char *p = s, *end = s + n; (p = static_cast<const char *>(memchr(p, '\n', size_t(end - p)))); ++p)
        ++lines;
    m_file.m_entries.reserve(std::min(lines, KestIniFile::MaxEntries + 1));
    m_section = m_file.addSection(QString());
    int pos = 0;
    while (pos < n) {
        int end = pos;
        while (end < n && s[end] != '\n' && s[end] != '\r')
            ++end;
        int b = pos;
        const int e = end;
        pos = end + 1;
        while (b < e && isSpace(s[b]))
            ++b;
        if (b == e || s[b] == ';' || s[b] == '#')
            continue;
        if (s[b] == '[') {
            if (!sectionLine(b, e))
                return KestFileResult::TooManyEntries;
            continue;
        }
        if (!m_skipping && !keyLine(b, e))
            return KestFileResult::TooManyEntries;
    }
    m_file.settleRepeatedKeys();
    return KestFileResult::NoReason;
}

bool KestIniParser::sectionLine(int b, int e)
{
    const char *s = m_s;
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
    m_subPrefix = name.contains(QLatin1Char('/')) ? parts.second + QLatin1Char('/') : QString();
    m_skipping = !m_skipSection.isEmpty() && sectionName == m_skipSection;
    if (!m_skipping) {
        m_section = m_file.addSection(sectionName);
        if (m_file.m_sections.size() > KestIniFile::MaxSections)
            return false;
    }
    return true;
}

bool KestIniParser::keyLine(int b, int e)
{
    const char *s = m_s;
    while (e > b && isSpace(s[e - 1]))
        --e;
    const char *eqAt = static_cast<const char *>(memchr(s + b, '=', size_t(e - b)));
    if (!eqAt)
        return true;
    const int eq = int(eqAt - s);
    int keyEnd = eq;
    while (keyEnd > b && isSpace(s[keyEnd - 1]))
        --keyEnd;
    QString name;
    int target = m_section;
    if (m_subPrefix.isEmpty() && isPlainKeyBytes(s + b, keyEnd - b)) {
        // The common line: a plain name, no slash to normalise or route.
        if (keyEnd == b)
            return true;
        name = QString::fromLatin1(s + b, keyEnd - b);
    } else {
        name = unescapeKey(s + b, keyEnd - b);
        if (!m_subPrefix.isEmpty())
            name.prepend(m_subPrefix);
        name = normalizedKey(name);
        // A key without a name cannot be asked for.
        if (name.isEmpty())
            return true;
        // A key with a slash outside any section names its own section, as it does for
        // the settings class; kept in [General] it could never be found by its key.
        if (m_file.m_sections[m_section].name.isEmpty() && name.contains(QLatin1Char('/'))) {
            auto parts = splitKey(name);
            target = m_file.addSection(parts.first);
            name = std::move(parts.second);
            if (m_file.m_sections.size() > KestIniFile::MaxSections)
                return false;
        }
    }
    const char *value = s + eq + 1;
    int valueLength = e - eq - 1;
    QString text;
    if (needsUnescape(value, valueLength)) {
        text = unescapeValue(value, valueLength);
    } else {
        while (valueLength > 0 && isSpace(*value)) {
            ++value;
            --valueLength;
        }
        const QString *shared = sharedNumberText(value, valueLength);
        text = shared ? *shared : textOfBytes(value, valueLength);
    }
    // Repeated keys are settled once the whole file is in, the last value winning.
    m_file.appendText(target, name, text);
    return m_file.m_entries.size() <= KestIniFile::MaxEntries;
}
