#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>

// Reads and writes the INI dialect of the toolkit's settings class (QSettings): sections
// for the first key segment, "\" for deeper segments, percent-escaped key characters,
// quoted and backslash-escaped values, and "@Variant(...)" for colours.
//
// The profile files hold about 8,400 keys each; QSettings spends most of a save in its
// generic key map, which made saving five slots take several times our budget. This
// codec handles exactly the files the settings class writes, keeps keys it does not
// know (a product tag), and writes atomically through QSaveFile.
class KestIniFile final
{
public:
    // Reads the whole file; a missing or unreadable file leaves the content empty and
    // returns false. The section skipSection, when given, is not read at all: the caller
    // is about to rewrite it whole.
    bool load(const QString &path, const QString &skipSection = QString());
    // Writes every key, sections in the order they first appeared. Creates the folder;
    // the file is replaced atomically. False when it failed.
    bool save(const QString &path) const;

    // Keys are "Section/key" (the first segment is the INI section; "key" alone lives in
    // [General]).
    bool contains(const QString &key) const;
    // The value as the settings class would return it: a string, a colour, a byte
    // array, or an invalid variant for a missing key.
    QVariant value(const QString &key) const;
    int intValue(const QString &key, int defaultValue = 0) const;
    uint uintValue(const QString &key, uint defaultValue = 0) const;
    QString stringValue(const QString &key) const;

    void setValue(const QString &key, const QVariant &value);
    void setInt(const QString &key, int value);
    void setUInt(const QString &key, uint value);
    void setString(const QString &key, const QString &value);

    // One section, addressed by keys relative to it; cheaper for thousands of keys.
    class Group
    {
    public:
        QVariant value(const QString &key) const;
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
    void setValue(int section, const QString &key, const QVariant &value);
    void setInt(int section, const QString &key, int value);
    void setUInt(int section, const QString &key, uint value);
    void setString(int section, const QString &key, const QString &value);
    // The same for a key the section does not hold yet (a section being filled from
    // scratch): no look-up, so writing thousands of keys stays cheap.
    void appendValue(int section, const QString &key, const QVariant &value);
    void appendInt(int section, const QString &key, int value);
    void appendUInt(int section, const QString &key, uint value);
    void appendString(int section, const QString &key, const QString &value);

    void clear();
    int size() const { return m_entries.size(); }

private:
    struct Entry
    {
        int section;
        QString key;  // relative to the section
        QString text; // the settings class's text form of the value, before escaping
    };
    struct Section
    {
        QString name; // empty: keys without a section
        mutable QHash<QString, int> index; // built on first look-up after appends
        mutable bool indexed = true;
        QVector<int> order;
    };

    int findSection(const QString &name) const;
    const QHash<QString, int> &indexOf(int section) const;
    void appendText(int section, const QString &key, const QString &text);
    void setText(int section, const QString &key, const QString &text);
    void setText(const QString &fullKey, const QString &text);
    const QString *text(const QString &fullKey) const;
    void parse(const QByteArray &data, const QString &skipSection);

    QVector<Entry> m_entries;
    QVector<Section> m_sections;
    QHash<QString, int> m_sectionIndex;
};
