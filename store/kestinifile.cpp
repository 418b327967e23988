// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/kestinifile.h"

#include <algorithm>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QSet>

#include "store/kestfilelock.h"
#include "store/kestinicache.h"
#include "store/kestiniparser.h"
#include "store/kestinitext.h"
#include "store/kestsafewrite.h"

using namespace KestIniText;


KestFileResult KestIniFile::readBytes(const QString &path, QByteArray &data)
{
    data.clear();
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
    // Asking for the limit at once would allocate 16 MB for every read of a small file:
    // read what was measured, then on in steps if the file has grown since, never more
    // than one byte past the limit.
    constexpr qint64 limit = KestFileResult::MaxFileBytes + 1;
    data = file.read(qMin(info.size() + 1, limit));
    while (data.size() < limit && file.error() == QFileDevice::NoError) {
        const QByteArray more = file.read(qMin<qint64>(64 * 1024, limit - data.size()));
        if (more.isEmpty())
            break;
        data += more;
    }
    if (file.error() != QFileDevice::NoError) {
        data.clear();
        return KestFileResult::refused(path, KestFileResult::Unreadable);
    }
    return KestFileResult::ok(path);
}

KestFileResult KestIniFile::load(const QString &path, const QString &skipSection)
{
    clear();
    m_path = path;
    QByteArray data;
    const KestFileResult read = readBytes(path, data);
    if (!read.isOk())
        return read;
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
        refusal = KestIniParser(*this, data, skipSection).run();
    if (refusal == KestFileResult::NoReason)
        return KestFileResult::ok(label);
    clear();
    m_path = label;
    return KestFileResult::refused(label, refusal);
}

KestFileResult KestIniFile::update(const QString &path, const std::function<void(KestIniFile &)> &change)
{
    // Nothing is made (not even the lock file) where the file could not be written anyway.
    const KestFileResult writable = KestSafeWrite::check(path);
    if (!writable.isOk())
        return writable;
    // A change that leaves every byte as it was (a mark already set) is not written: the
    // file keeps its identity, and those who keep what they read of it keep it too. What
    // was read a moment ago usually tells, without the lock or another read: a program
    // that writes the file meanwhile simply wrote after us.
    if (KestIniCache::unchangedBy(path, change))
        return KestFileResult::ok(path);
    const KestFileResult folder = KestSafeWrite::makeFolder(QFileInfo(path).absolutePath());
    if (!folder.isOk())
        return KestFileResult::notSaved(path, folder.reason());
    // Without a lock (a read-only folder, a lock that never frees) the write still goes
    // ahead: losing the change for sure is worse than the rare race.
    const KestFileLock lock(path + QStringLiteral(".lock"), 2000);
    QByteArray before;
    KestFileResult read = readBytes(path, before);
    KestIniFile ini;
    if (read.isOk())
        read = ini.loadData(before, path);
    else
        ini.m_path = path;
    noteRefusedFile(read);
    if (!read.isUsable())
        return read;
    change(ini);
    QByteArray after;
    const KestFileResult serialized = ini.serialize(path, after);
    if (!serialized.isOk())
        return serialized;
    if (read.isOk() && after == before)
        return KestFileResult::ok(path);
    return KestSafeWrite::replace(path, after);
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

// A key written twice keeps its first place and its last value, as with the settings
// class; the later copies leave the file.
void KestIniFile::settleRepeatedKeys()
{
    bool repeated = false;
    for (int k = 0; k < m_sections.size(); ++k) {
        Section &section = m_sections[k];
        buildIndex(section);
        if (section.order.size() == section.liveKeys)
            continue;
        repeated = true;
        QVector<int> kept;
        kept.reserve(section.liveKeys);
        for (int i : qAsConst(section.order)) {
            const int first = findEntry(section, m_entries[i].key);
            if (first == i)
                kept.append(i);
            else
                m_entries[first].text = m_entries[i].text;
        }
        section.order = kept;
    }
    if (!repeated)
        return;
    // Renumber what is left, so the entries hold nothing a save or size() would see twice.
    QVector<Entry> entries;
    entries.reserve(m_entries.size());
    for (Section &section : m_sections) {
        for (int &i : section.order) {
            entries.append(std::move(m_entries[i]));
            i = entries.size() - 1;
        }
        section.indexed = false;
    }
    m_entries = std::move(entries);
}

KestFileResult KestIniFile::save(const QString &path) const
{
    QByteArray out;
    const KestFileResult result = serialize(path, out);
    return result.isOk() ? KestSafeWrite::replace(path, out) : result;
}

KestFileResult KestIniFile::serialize(const QString &path, QByteArray &out) const
{
    // What our own reader would refuse is never written: the user would lose the whole
    // file at the next start instead of this one change now.
    int written = 0;
    int sections = 1; // the reader always counts [General]
    for (const Section &section : m_sections) {
        written += section.order.size();
        if (!section.order.isEmpty() && !section.name.isEmpty())
            ++sections;
    }
    if (written > MaxEntries || sections > MaxSections)
        return KestFileResult::notSaved(path, KestFileResult::OverLimit);

    out.clear();
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

    if (out.size() > KestFileResult::MaxFileBytes) {
        out.clear();
        return KestFileResult::notSaved(path, KestFileResult::OverLimit);
    }
    return KestFileResult::saved(path);
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
    m_sections.append({name, {}, false, {}});
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
    const int entry = m_file->findEntry(m_file->m_sections[m_section], key);
    return entry < 0 ? nullptr : &m_file->m_entries[entry].text;
}

KestIniFile::Group KestIniFile::group(const QString &section) const
{
    return Group(this, findSection(section));
}

namespace {

// Plain decimal digits, which is what almost every stored number is, read without the
// locale-aware conversion; false sends anything else there.
bool plainDecimal(const QString &t, qint64 &value)
{
    const int n = t.size();
    if (n == 0 || n > 18)
        return false;
    const QChar *c = t.constData();
    const bool negative = c[0] == QLatin1Char('-');
    int i = negative ? 1 : 0;
    if (i == n)
        return false;
    qint64 v = 0;
    for (; i < n; ++i) {
        const ushort d = c[i].unicode();
        if (d < '0' || d > '9')
            return false;
        v = v * 10 + (d - '0');
    }
    value = negative ? -v : v;
    return true;
}

// Like the settings class: a number too large for an int keeps its low 32 bits,
// anything that is not a decimal number reads as 0.
int intOf(const QString &t, bool present, int defaultValue)
{
    if (!present)
        return defaultValue;
    qint64 plain = 0;
    if (plainDecimal(t, plain))
        return int(plain);
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok);
    return ok ? int(v) : 0;
}

uint uintOf(const QString &t, bool present, uint defaultValue)
{
    if (!present)
        return defaultValue;
    qint64 plain = 0;
    if (plainDecimal(t, plain) && plain >= 0)
        return uint(plain);
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
            KestRgb colour;
            if (textToColor(*text, colour) == ColorText::Rejected)
                rejectValue();
            *present = false;
            return QString();
        }
    }
    return *text;
}

KestRgb KestIniFile::colorOf(const QString *text) const
{
    KestRgb colour;
    if (text && textToColor(*text, colour) == ColorText::Rejected)
        rejectValue();
    return colour;
}

KestRgb KestIniFile::colorValue(const QString &key) const { return colorOf(text(key)); }
KestRgb KestIniFile::Group::colorValue(const QString &key) const { return m_file->colorOf(text(key)); }

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

// Open addressing over entry numbers, at most half full: no allocation per key and no
// rehashing while a file of thousands of keys is read.
void KestIniFile::buildIndex(const Section &section) const
{
    int capacity = 8;
    while (capacity < section.order.size() * 2)
        capacity *= 2;
    section.table.fill(-1, capacity);
    section.liveKeys = 0;
    int *table = section.table.data();
    const uint mask = uint(capacity - 1);
    for (int i : section.order) {
        const QString &key = m_entries[i].key;
        uint slot = qHash(key) & mask;
        while (table[slot] >= 0 && m_entries[table[slot]].key != key)
            slot = (slot + 1) & mask;
        // A repeated key keeps its first place here; settleRepeatedKeys() moves the value.
        if (table[slot] < 0) {
            table[slot] = i;
            ++section.liveKeys;
        }
    }
    section.indexed = true;
}

void KestIniFile::buildIndexes() const
{
    for (const Section &section : m_sections) {
        if (!section.indexed)
            buildIndex(section);
    }
}

int KestIniFile::findEntry(const Section &section, const QString &key) const
{
    if (!section.indexed)
        buildIndex(section);
    const int *table = section.table.constData();
    const uint mask = uint(section.table.size() - 1);
    for (uint slot = qHash(key) & mask;; slot = (slot + 1) & mask) {
        const int entry = table[slot];
        if (entry < 0 || m_entries[entry].key == key)
            return entry;
    }
}

void KestIniFile::setText(int section, const QString &key, const QString &text)
{
    Section &s = m_sections[section];
    const int found = findEntry(s, key);
    if (found >= 0) {
        m_entries[found].text = text;
        return;
    }
    s.order.append(m_entries.size());
    m_entries.append({section, key, text});
    // Still at most half full: the new key takes its slot, else the table grows on the next
    // look-up.
    if ((s.liveKeys + 1) * 2 <= s.table.size()) {
        int *table = s.table.data();
        const uint mask = uint(s.table.size() - 1);
        uint slot = qHash(key) & mask;
        while (table[slot] >= 0)
            slot = (slot + 1) & mask;
        table[slot] = m_entries.size() - 1;
        ++s.liveKeys;
    } else {
        s.indexed = false;
    }
}

void KestIniFile::appendText(int section, const QString &key, const QString &text)
{
    Section &s = m_sections[section];
    s.indexed = false;
    s.order.append(m_entries.size());
    m_entries.append({section, key, text});
}

void KestIniFile::appendColor(int section, const QString &key, const KestRgb &value)
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

void KestIniFile::setColor(const QString &key, const KestRgb &value) { setText(key, colorToText(value)); }
void KestIniFile::setInt(const QString &key, int value) { setText(key, QString::number(value)); }
void KestIniFile::setUInt(const QString &key, uint value) { setText(key, QString::number(value)); }
void KestIniFile::setString(const QString &key, const QString &value) { setText(key, textOfString(value)); }

void KestIniFile::setColor(int section, const QString &key, const KestRgb &value)
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
    section.indexed = false;
}

void KestIniFile::clear()
{
    m_entries.clear();
    m_sections.clear();
    m_sectionIndex.clear();
}
