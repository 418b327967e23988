// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/devicedescription.h"

#include <algorithm>

#include <QFileInfo>

#include "store/appdir.h"
#include "store/kestinicache.h"
#include "store/kestinifile.h"

namespace {

// A refused file reads as a missing one; takeRefusedFiles() tells the user.
class Description final
{
public:
    Description() : m_loaded(KestIniCache::load(deviceDescriptionPath(), m_ini).isOk()) {}

    // The block readers fall back to built-in values without a usable file.
    bool loaded() const { return m_loaded; }

    int toInt(const QString &key, int def = 0) const { return m_ini.intValue(key, def); }
    quint8 toByte(const QString &key) const { return quint8(toInt(key)); }
    QString toString(const char *key) const { return m_ini.stringValue(QLatin1String(key)); }
    KestRgb toColor(const QString &key) const { return m_ini.colorValue(key); }

private:
    KestIniFile m_ini;
    bool m_loaded;
};

int readDescriptionInt(const char *key, int def)
{
    return Description().toInt(QLatin1String(key), def);
}

QString buttonKey(int b, const char *suffix)
{
    return QStringLiteral("PROFILE/BUTTON_INFO_%1_").arg(b) + QLatin1String(suffix);
}

QString effectKey(int e, const char *suffix)
{
    return QStringLiteral("PROFILE/LedMode/LED_MODE_%1_").arg(e) + QLatin1String(suffix);
}

void fillMatrix(const Description &file, ButtonMatrix &matrix, const char *suffix)
{
    for (int i = 0; i < MATRIX_SIZE; ++i)
        matrix[i] = file.toByte(buttonKey(i, suffix));
}

int buttonCount(const Description &file)
{
    return file.toInt(QLatin1String(DescriptionKey::ButtonCount))
        ^ file.toInt(QLatin1String(DescriptionKey::MouseDpi));
}

} // namespace

QString deviceDescriptionPath()
{
    return applicationDir() + QStringLiteral("/DefaultProfile.bin");
}

bool deviceDescriptionExists()
{
    return QFileInfo(deviceDescriptionPath()).isFile();
}

int readButtonCount()
{
    return buttonCount(Description());
}

int readDpiLevelCount()
{
    const Description file;
    return buttonCount(file) ^ file.toInt(QLatin1String(DescriptionKey::DPICount));
}

void readMatrix(ButtonMatrix &matrix)
{
    const Description file;
    if (file.loaded())
        fillMatrix(file, matrix, "Matrix");
}

int readMatrix2(ButtonMatrix &matrix)
{
    const Description file;
    if (!file.loaded())
        return -1;
    fillMatrix(file, matrix, "Matrix2");
    return buttonCount(file);
}

int readSensorDefaults(SensorDefaults &defaults)
{
    const Description file;
    if (!file.loaded())
        return -1;
    auto byte = [&file](const char *key, int def) {
        return quint8(file.toInt(QStringLiteral("PROFILE/") + QLatin1String(key), def));
    };
    // A key the file leaves out keeps the struct's own default.
    const SensorDefaults builtIn;
    defaults.lift = byte("lift", builtIn.lift);
    defaults.angle = byte("angle", builtIn.angle);
    defaults.butondelay = byte("butondelay", builtIn.butondelay);
    defaults.jitter = byte("jitter", builtIn.jitter);
    defaults.wake = byte("wake", builtIn.wake);
    defaults.sensormode = byte("sensormode", builtIn.sensormode);
    defaults.sync = byte("sync", builtIn.sync);
    return 0;
}

int readDeviceDefaults(DeviceDefaults &defaults)
{
    const Description file;
    if (!file.loaded())
        return -1;
    DeviceDefaults d;
    d.dpi = file.toByte(QStringLiteral("PROFILE/dpi"));
    for (int i = 0; i < DPI_LEVELS; ++i)
        d.dpiCodes[i] = quint32(file.toInt(QStringLiteral("PROFILE/DPI_INFO_%1_xy").arg(i)));
    d.pollrate = file.toInt(QStringLiteral("PROFILE/pollrate"));
    d.LedMode = file.toByte(QStringLiteral("PROFILE/LedMode"));
    for (int b = 0; b < DESCRIBED_BUTTONS; ++b) {
        DefaultButton &button = d.buttons[b];
        button.ID = file.toInt(buttonKey(b, "ID"));
        button.Fun = file.toInt(buttonKey(b, "Fun"));
        button.LoopNumber = file.toInt(buttonKey(b, "LoopNumber"));
        button.KeyNumber = file.toInt(buttonKey(b, "KeyNumber"));
        button.Res1 = file.toByte(buttonKey(b, "Res1"));
        button.Res2 = file.toByte(buttonKey(b, "Res2"));
        button.Res3 = file.toByte(buttonKey(b, "Res3"));
        button.Res4 = file.toByte(buttonKey(b, "Res4"));
    }
    for (int e = 0; e < LED_EFFECTS; ++e) {
        d.effects[e].RGB = file.toColor(effectKey(e, "RGB"));
        d.effects[e].bright = file.toInt(effectKey(e, "bright"));
        d.effects[e].breath = file.toInt(effectKey(e, "breath"));
    }
    defaults = d;
    return 0;
}

SleepRange readSleepRange()
{
    const Description file;
    SleepRange range;
    range.min = file.toInt(QLatin1String(DescriptionKey::SleepMin), 1);
    range.max = file.toInt(QLatin1String(DescriptionKey::SleepMax), 9);
    return range;
}

QString readDescriptionProductName()
{
    return Description().toString(DescriptionKey::ProductName);
}

QString readDescriptionVersion()
{
    return Description().toString(DescriptionKey::Version);
}

int readDisableMacro() { return readDescriptionInt(DescriptionKey::DisableMacro, 0); }
int readLedDisable() { return readDescriptionInt(DescriptionKey::LedDisable, 0); }
int readShowSleep() { return readDescriptionInt(DescriptionKey::ShowSleep, 1); }
int readColorMode() { return readDescriptionInt(DescriptionKey::ColorMode, 0); }
int readSyncMode() { return readDescriptionInt(DescriptionKey::SyncMode, 0); }
int readShowMouseButton() { return readDescriptionInt(DescriptionKey::ShowMouseButton, 1); }
int readScrollRev() { return readDescriptionInt(DescriptionKey::ScrollRev, 0); }
int readDpiRange33254() { return readDescriptionInt(DescriptionKey::DpiRange33254, 0); }
int readFrench() { return readDescriptionInt(DescriptionKey::French, -1); }

int readMinDelay()
{
    // A zero or negative unit would divide by zero in the macro editor and the upload.
    return std::max(1, readDescriptionInt(DescriptionKey::MinDelay, 10));
}
