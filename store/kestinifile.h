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
    // returns false.
    bool load(const QString &path);
    // Writes every key, grouped by section in the order the sections first appeared.
    // Creates the folder; the file is replaced atomically. False when it failed.
    bool save(const QString &path) const;

    bool contains(const QString &key) const { return m_index.contains(key); }
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

    void clear();
    int size() const { return m_entries.size(); }

private:
    struct Entry
    {
        QString key;  // full key, "Section/sub/key"; no section: "key"
        QString text; // the settings class's text form of the value, before escaping
    };

    void setText(const QString &key, const QString &text);
    const QString *text(const QString &key) const;
    void parse(const QByteArray &data);

    QVector<Entry> m_entries;
    QHash<QString, int> m_index;
};
