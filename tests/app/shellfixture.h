// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Shared by the shell's tests: an application folder with the product's files, and a
// stand-in for the on-screen display program.

#include <QDir>
#include <QList>
#include <QMutex>
#include <QSettings>
#include <QThread>

#include "platform/osdchannel.h"

// Listens on the display's channel from its own thread, so a sender that waits for the
// acknowledgement does not wait for the test's event loop.
class DisplayThread : public QThread
{
public:
    ~DisplayThread() override
    {
        quit();
        wait();
    }

    int count()
    {
        QMutexLocker locker(&m_lock);
        return m_received.size();
    }
    osd::OsdMessage last()
    {
        QMutexLocker locker(&m_lock);
        return m_received.isEmpty() ? osd::OsdMessage() : m_received.last();
    }
    QStringList texts()
    {
        QMutexLocker locker(&m_lock);
        QStringList out;
        for (const osd::OsdMessage &m : qAsConst(m_received))
            out << m.text;
        return out;
    }

protected:
    void run() override
    {
        osd::OsdReceiver receiver;
        QObject::connect(&receiver, &osd::OsdReceiver::messageReceived,
                         [this](const osd::OsdMessage &m) {
                             QMutexLocker locker(&m_lock);
                             m_received.append(m);
                         });
        receiver.listen();
        exec();
    }

private:
    QMutex m_lock;
    QList<osd::OsdMessage> m_received;
};

// The files an installed product brings: the device description and the seeded
// settings with two languages and five named slots.
inline void writeProductFiles(const QString &appDir, int languages = 2)
{
    {
        QSettings description(appDir + QStringLiteral("/DefaultProfile.bin"), QSettings::IniFormat);
        description.setValue(QStringLiteral("PROFILE/ProductName"), QStringLiteral("KX-27"));
        description.setValue(QStringLiteral("PROFILE/Version"), QStringLiteral("V1.0.3"));
        description.setValue(QStringLiteral("PROFILE/ButtonCount"), 8);
        description.setValue(QStringLiteral("PROFILE/MouseDpi"), 0);
        description.setValue(QStringLiteral("PROFILE/DPICount"), 8 ^ 6);
        for (int i = 0; i < 6; ++i)
            description.setValue(QStringLiteral("PROFILE/DPI_INFO_%1_xy").arg(i), 8 * (i + 1));
    }
    QDir(appDir).mkpath(QStringLiteral("Configs"));
    QSettings config(appDir + QStringLiteral("/Configs/Config.ini"), QSettings::IniFormat);
    config.setValue(QStringLiteral("Config/CurrentProductName"), QStringLiteral("KX-27"));
    config.setValue(QStringLiteral("Mouse_List/0"), QStringLiteral("KX-27"));
    config.setValue(QStringLiteral("Config/GColorID"), 3);
    config.setValue(QStringLiteral("MouseSenSor/1"), 3389);
    config.setValue(QStringLiteral("FONT_LIST/LANGNUM"), languages);
    config.setValue(QStringLiteral("FONT_LIST/LangName_0"), QStringLiteral("English"));
    config.setValue(QStringLiteral("FONT_LIST/LangFile_0"), QStringLiteral("mousecfg_en"));
    config.setValue(QStringLiteral("FONT_LIST/LangName_1"), QStringLiteral("Français"));
    config.setValue(QStringLiteral("FONT_LIST/LangFile_1"), QStringLiteral("mousecfg_fr"));
    for (int k = 1; k <= 5; ++k)
        config.setValue(QStringLiteral("Config/Profile%1").arg(k), QStringLiteral("Profile %1").arg(k));
}
