// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include "store/kestfileresult.h"
#include "store/kestrgb.h"

// Reads and writes the INI dialect of the toolkit's settings class (QSettings): sections
// for the first key segment, "\" for deeper segments, percent-escaped key characters,
// quoted and backslash-escaped values, and "@Variant(...)" for colours.
//
// It is also the one reader of every file the programs read, and files come from anywhere:
// a file above KestFileResult::MaxFileBytes, with NUL bytes or with absurdly many entries
// is refused whole, and of the settings class's "@Variant" values only a plain RGB colour
// is decoded (by hand, never through QDataStream). Any other "@Variant" value reads as a
// missing key, and the first such value of a file is logged.
//
// The profile files hold about 8,400 keys each; QSettings spends most of a save in its
// generic key map, which made saving five slots take several times our budget. This
// codec handles exactly the files the settings class writes, keeps keys it does not
// know (a product tag), and writes atomically through KestSafeWrite.
class KestIniFile final
{
public:
    // Reads the whole file. Anything but Ok leaves the content empty. The section
    // skipSection, when given, is not read at all: the caller is about to rewrite it whole.
    KestFileResult load(const QString &path, const QString &skipSection = QString());
    // The same for a file the store reads on its own account: a refusal is also noted for
    // takeRefusedFiles().
    KestFileResult loadSettings(const QString &path, const QString &skipSection = QString());
    // The same checks on bytes already in memory; label names them in the result.
    KestFileResult loadData(const QByteArray &data, const QString &label,
                            const QString &skipSection = QString());
    // Read, change, write back a small settings file. A refused file is left exactly as it
    // is and its refusal returned; so is a failed write (see KestSafeWrite). Holds the
    // settings class's lock file meanwhile, so that two programs changing one file do not
    // lose each other's keys.
    static KestFileResult update(const QString &path, const std::function<void(KestIniFile &)> &change);
    // Writes every key, sections in the order they first appeared. Creates the folder;
    // the file is replaced atomically (see KestSafeWrite). A file our reader would refuse
    // (too large, too many entries) is not written: OverLimit.
    KestFileResult save(const QString &path) const;
    // The bytes save() would write, under the same limits; path only names the result.
    KestFileResult serialize(const QString &path, QByteArray &out) const;

    // Keys are "Section/key" (the first segment is the INI section; "key" alone lives in
    // [General]).
    bool contains(const QString &key) const;
    // A colour written by the settings class; anything else (missing, another type, a
    // colour that is not plain RGB) gives an invalid colour.
    KestRgb colorValue(const QString &key) const;
    int intValue(const QString &key, int defaultValue = 0) const;
    uint uintValue(const QString &key, uint defaultValue = 0) const;
    QString stringValue(const QString &key) const;

    void setColor(const QString &key, const KestRgb &value);
    void setInt(const QString &key, int value);
    void setUInt(const QString &key, uint value);
    void setString(const QString &key, const QString &value);

    // One section, addressed by keys relative to it; cheaper for thousands of keys.
    class Group
    {
    public:
        KestRgb colorValue(const QString &key) const;
        int intValue(const QString &key, int defaultValue = 0) const;
        uint uintValue(const QString &key, uint defaultValue = 0) const;
        QString stringValue(const QString &key) const;

    private:
        friend class KestIniFile;
        Group(const KestIniFile *file, int section) : m_file(file), m_section(section) {}
        const QString *text(const QString &key) const;
        const KestIniFile *m_file;
        int m_section; // -1: no such section, every key is missing
    };
    Group group(const QString &section) const;

    // Writing into one section; the section is created (at the end) when missing.
    int addSection(const QString &section);
    void setColor(int section, const QString &key, const KestRgb &value);
    void setInt(int section, const QString &key, int value);
    void setUInt(int section, const QString &key, uint value);
    void setString(int section, const QString &key, const QString &value);
    // The same for a key the section does not hold yet (a section being filled from
    // scratch): no look-up, so writing thousands of keys stays cheap.
    void appendColor(int section, const QString &key, const KestRgb &value);
    void appendInt(int section, const QString &key, int value);
    void appendUInt(int section, const QString &key, uint value);
    void appendString(int section, const QString &key, const QString &value);

    // Drops every key of a section (it is not written any more).
    void removeSection(const QString &section);
    void clear();
    int size() const { return m_entries.size(); }
    // Every key, "Section/key" ("key" alone in [General]), sections in file order.
    QStringList keys() const;
    // Keys held by one section (0 when there is no such section): what bounds any count
    // the file claims for itself.
    int sectionSize(const QString &section) const;
    // Builds every section's look-up table now. Copies share the tables: a file indexed
    // before it is copied can be read from several threads at once.
    void buildIndexes() const;

    // Beyond these a file is refused: a full configuration export has about 42,000 keys
    // in seven sections.
    static constexpr int MaxEntries = 1 << 18;
    static constexpr int MaxSections = 4096;

private:
    friend class KestIniCache;
    friend class KestIniParser;
    struct Entry
    {
        int section;
        QString key;  // relative to the section
        QString text; // the settings class's text form of the value, before escaping
    };
    struct Section
    {
        QString name; // empty: keys without a section
        mutable QVector<int> table; // entry numbers by key hash, -1 free; see buildIndex()
        mutable bool indexed = false;
        QVector<int> order;
        mutable int liveKeys = 0; // distinct keys in the table
    };

    // The whole file, under the reader's limits; empty unless Ok.
    static KestFileResult readBytes(const QString &path, QByteArray &data);
    int findSection(const QString &name) const;
    void buildIndex(const Section &section) const;
    int findEntry(const Section &section, const QString &key) const;
    void settleRepeatedKeys();
    void appendText(int section, const QString &key, const QString &text);
    void setText(int section, const QString &key, const QString &text);
    void setText(const QString &fullKey, const QString &text);
    const QString *text(const QString &fullKey) const;
    // The text of a key with the settings class's "@" forms decoded; null when missing or
    // when it is a value we refuse to decode.
    QString decoded(const QString *text, bool *present) const;
    KestRgb colorOf(const QString *text) const;
    void rejectValue() const;

    QVector<Entry> m_entries;
    QVector<Section> m_sections;
    QHash<QString, int> m_sectionIndex;
    QString m_path; // for the log line of a rejected value
};
