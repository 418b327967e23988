// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <memory>

#include <QSettings>
#include <QTemporaryDir>

#include "device/devicelink.h"
#include "device/discovery.h"
#include "device/sim/kestsimmouse.h"
#include "platform/pointerspeed.h"
#include "store/appdir.h"
#include "store/devicedescription.h"
#include "tests/device/simfixture.h"

// An application folder for one model, the simulated mouse behind the link with its pauses
// cut to nothing, and the devices opened as the program opens them.
class CommandFixture
{
public:
    static constexpr const char *Model = "KX-27";

    CommandFixture()
    {
        setApplicationDir(m_dir.path());
        setPointerSpeedDesktopAccess(false);
        setSensor(3389);
        setButtonLayout(14, identityMatrix(), false);
    }

    ~CommandFixture() { CloseDevices(); }

    QString appDir() const { return m_dir.path(); }

    void setSensor(int sensor)
    {
        QSettings ini(m_dir.path() + QStringLiteral("/Configs/Config.ini"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Mouse_List/0"), QString::fromLatin1(Model));
        ini.setValue(QStringLiteral("Config/CurrentProductName"), QString::fromLatin1(Model));
        ini.setValue(QStringLiteral("MouseSenSor/1"), sensor);
    }

    // The product the settings name as current (the devices stay those of Model).
    void setProduct(const QString &product)
    {
        QSettings ini(m_dir.path() + QStringLiteral("/Configs/Config.ini"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Config/CurrentProductName"), product);
    }

    static ButtonMatrix identityMatrix()
    {
        ButtonMatrix matrix{};
        for (int i = 0; i < MATRIX_SIZE; ++i)
            matrix[size_t(i)] = quint8(i);
        return matrix;
    }

    void setButtonLayout(int buttons, const ButtonMatrix &matrix, bool scrollReversed)
    {
        QSettings ini(m_dir.path() + QStringLiteral("/DefaultProfile.bin"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("PROFILE/ProductName"), QString::fromLatin1(Model));
        ini.setValue(QStringLiteral("PROFILE/ButtonCount"), buttons);
        ini.setValue(QStringLiteral("PROFILE/MouseDpi"), 0);
        ini.setValue(QStringLiteral("PROFILE/ScrollRev"), scrollReversed ? 1 : 0);
        for (int i = 0; i < MATRIX_SIZE; ++i)
            ini.setValue(QStringLiteral("PROFILE/BUTTON_INFO_%1_Matrix").arg(i), matrix[size_t(i)]);
    }

    std::shared_ptr<KestSimMouse> plugSimMouse(bool receiver = true, bool cable = true)
    {
        m_sim = installSimMouse(receiver, cable);
        BuildDeviceTable();
        EnumerateDevices();
        OpenDevices(QString::fromLatin1(Model));
        return m_sim;
    }

    KestSimMouse &sim() { return *m_sim; }

    // The default set with every slot alike, as a write's starting point.
    static ConfigRecord plainRecord()
    {
        ConfigRecord record;
        makeDefaultConfig(record);
        for (ProfileRecord &p : record.profiles)
            p = record.profiles[0];
        return record;
    }

    // Command codes of the reports written to the mouse since the last reset.
    QVector<quint8> writtenCommands() const
    {
        QVector<quint8> codes;
        for (const KestSimTraceEntry &entry : m_sim->trace()) {
            if (entry.kind == KestSimTraceEntry::Write && entry.interfaceNumber == 2 && entry.bytes.size() > 1)
                codes.append(quint8(entry.bytes[1]));
        }
        return codes;
    }

private:
    QTemporaryDir m_dir;
    std::shared_ptr<KestSimMouse> m_sim;
};
