// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/kestrecordimage.h"

#include <cstring>

#include <QCryptographicHash>
#include <QtEndian>

#include "store/profilekeys.h"

namespace {

// The version ends the magic: a file of another layout is no image.
const QByteArray kMagic = QByteArrayLiteral("mousecfg record image 1\n");
constexpr int kDigestBytes = 20; // SHA-1
constexpr int kMaxFiles = 64;

// The record's own bytes beside its profiles, in the order they are kept.
constexpr quint8 ConfigRecord::*kOptions[] = {
    &ConfigRecord::ProfileID, &ConfigRecord::AngleValue, &ConfigRecord::LiftHigh,
    &ConfigRecord::Sync,      &ConfigRecord::Count,      &ConfigRecord::Jitter,
    &ConfigRecord::Debounce,  &ConfigRecord::Wake,       &ConfigRecord::SensorMode,
};

const NoProfileKeys &profileShape()
{
    static const NoProfileKeys shape{};
    return shape;
}

class Writer
{
public:
    template <class T>
    void number(T v)
    {
        char bytes[sizeof(T)];
        qToLittleEndian(v, bytes);
        m_out.append(bytes, int(sizeof(T)));
    }
    void flag(bool v) { number<quint8>(v ? 1 : 0); }
    void bytes(const QByteArray &v)
    {
        flag(!v.isNull());
        number<quint32>(quint32(v.size()));
        m_out.append(v);
    }
    // UTF-16 units as they are, unpaired surrogates included: the text must come back as
    // the parse gave it, not as a conversion would mend it.
    void text(const QString &v)
    {
        number<quint32>(quint32(v.size()));
        for (const QChar c : v)
            number<quint16>(c.unicode());
    }
    void rgb(const KestRgb &v)
    {
        flag(v.isValid());
        number<quint8>(quint8(v.red()));
        number<quint8>(quint8(v.green()));
        number<quint8>(quint8(v.blue()));
    }

    void operator()(bool, const quint8 &v, int) { number(v); }
    void operator()(bool, const quint32 &v, int) { number(v); }
    void operator()(bool, const qint32 &v, int) { number(v); }
    void operator()(bool, const QString &v, int) { text(v); }
    void operator()(bool, const KestRgb &v, int) { rgb(v); }

    QByteArray &out() { return m_out; }

private:
    QByteArray m_out;
};

class Reader
{
public:
    Reader(const char *data, qsizetype size) : m_at(data), m_end(data + size) {}

    bool ok() const { return m_ok; }
    bool atEnd() const { return m_at == m_end; }

    template <class T>
    T number()
    {
        if (!take(qint64(sizeof(T))))
            return T();
        const T v = qFromLittleEndian<T>(m_at - sizeof(T));
        return v;
    }
    bool flag()
    {
        const quint8 v = number<quint8>();
        if (v > 1)
            m_ok = false;
        return v == 1;
    }
    QByteArray bytes()
    {
        const bool present = flag();
        const quint32 size = number<quint32>();
        if (!take(qint64(size)))
            return QByteArray();
        if (!present) {
            if (size != 0)
                m_ok = false;
            return QByteArray();
        }
        return QByteArray(m_at - size, int(size));
    }
    QString text()
    {
        const quint32 units = number<quint32>();
        if (!take(qint64(units) * 2))
            return QString();
        const char *from = m_at - qsizetype(units) * 2;
        QString v(int(units), Qt::Uninitialized);
        QChar *to = v.data();
        for (quint32 i = 0; i < units; ++i)
            to[i] = QChar(qFromLittleEndian<quint16>(from + 2 * i));
        return v;
    }
    KestRgb rgb()
    {
        const bool valid = flag();
        const quint8 r = number<quint8>();
        const quint8 g = number<quint8>();
        const quint8 b = number<quint8>();
        if (!valid && (r | g | b) != 0)
            m_ok = false;
        return valid ? KestRgb(r, g, b) : KestRgb();
    }

    void operator()(bool, quint8 &v, int) { v = number<quint8>(); }
    void operator()(bool, quint32 &v, int) { v = number<quint32>(); }
    void operator()(bool, qint32 &v, int) { v = number<qint32>(); }
    void operator()(bool, QString &v, int) { v = text(); }
    void operator()(bool, KestRgb &v, int) { v = rgb(); }

private:
    bool take(qint64 n)
    {
        if (!m_ok || n < 0 || n > qint64(m_end - m_at)) {
            m_ok = false;
            m_at = m_end;
            return false;
        }
        m_at += n;
        return true;
    }

    const char *m_at;
    const char *m_end;
    bool m_ok = true;
};

void writeStamp(Writer &w, const KestFileStamp &s)
{
    w.flag(s.known);
    w.flag(s.exists);
    w.flag(s.settled);
    w.number<quint64>(quint64(s.device));
    w.number<quint64>(quint64(s.inode));
    w.number<qint64>(qint64(s.size));
    w.number<qint64>(s.modifiedNs);
    w.number<qint64>(s.changedNs);
}

KestFileStamp readStamp(Reader &r)
{
    KestFileStamp s;
    s.known = r.flag();
    s.exists = r.flag();
    s.settled = r.flag();
    s.device = dev_t(r.number<quint64>());
    s.inode = ino_t(r.number<quint64>());
    s.size = off_t(r.number<qint64>());
    s.modifiedNs = r.number<qint64>();
    s.changedNs = r.number<qint64>();
    return s;
}

} // namespace

QByteArray KestRecordImage::toBytes() const
{
    Writer w;
    w.out().reserve(64 * 1024);
    w.out().append(kMagic);
    w.bytes(build);
    w.number<quint32>(quint32(files.size()));
    for (const File &f : files) {
        w.text(f.path);
        w.flag(f.exists);
        writeStamp(w, f.stamp);
        w.bytes(f.digest);
    }
    for (const auto option : kOptions)
        w.number<quint8>(record.*option);
    for (const QString &name : record.names)
        w.text(name);
    for (const ProfileRecord &profile : record.profiles)
        visitProfileFields(profile, LedOptions::Include, w, profileShape());
    w.out().append(QCryptographicHash::hash(w.out(), QCryptographicHash::Sha1));
    return w.out();
}

bool KestRecordImage::fromBytes(const QByteArray &bytes, KestRecordImage &image)
{
    const qsizetype body = bytes.size() - kDigestBytes;
    if (body < kMagic.size() || !bytes.startsWith(kMagic))
        return false;
    const QByteArray digest = QCryptographicHash::hash(QByteArray::fromRawData(bytes.constData(), int(body)),
                                                       QCryptographicHash::Sha1);
    if (std::memcmp(digest.constData(), bytes.constData() + body, kDigestBytes) != 0)
        return false;

    Reader r(bytes.constData() + kMagic.size(), body - kMagic.size());
    KestRecordImage read;
    read.build = r.bytes();
    const quint32 count = r.number<quint32>();
    if (count > quint32(kMaxFiles))
        return false;
    for (quint32 i = 0; i < count && r.ok(); ++i) {
        File f;
        f.path = r.text();
        f.exists = r.flag();
        f.stamp = readStamp(r);
        f.digest = r.bytes();
        read.files.append(f);
    }
    for (const auto option : kOptions)
        read.record.*option = r.number<quint8>();
    for (QString &name : read.record.names)
        name = r.text();
    for (ProfileRecord &profile : read.record.profiles)
        visitProfileFields(profile, LedOptions::Include, r, profileShape());
    if (!r.ok() || !r.atEnd())
        return false;
    image = std::move(read);
    return true;
}
