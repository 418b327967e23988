// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/slotsettings.h"

#include <algorithm>
#include <cstdlib>

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>

#include "store/appsettings.h"
#include "store/buttonscript.h"
#include "store/devicedescription.h"
#include "store/dpisensor.h"
#include "store/lightingslot.h"
#include "store/macrodb.h"
#include "store/profilefiles.h"

namespace {

constexpr int kWheelUp = 40;
constexpr int kWheelDown = 41;
constexpr quint8 kMissingButton = 0xFF;
constexpr int kFallbackButtons = 7;

const char *const kEffects[] = {"off",     "full",   "7-color",     "breathing",     "7-color-breathing", "rainbow",
                                "wave",    "single-wave", "yo-yo", "7-color-tail", "reactive",   "tri-color"};
constexpr int kOfferedEffects = int(sizeof kEffects / sizeof kEffects[0]);
// Which effects have a brightness, a speed, a colour (the lighting panel's rows).
constexpr bool kHasBrightness[kOfferedEffects] = {false, true, true, false, false, true,
                                                  true,  true, true, true,  true,  true};
constexpr bool kHasSpeed[kOfferedEffects] = {false, false, true, true, true, true,
                                             true,  true,  true, true, true, true};
constexpr bool kHasColor[kOfferedEffects] = {false, true,  false, true, false, false,
                                             false, false, false, false, true, false};

const QStringList kNames = {
    QStringLiteral("dpi-levels"), QStringLiteral("dpi-level"),    QStringLiteral("dpi"),
    QStringLiteral("dpi-enabled"), QStringLiteral("dpi-linked"),  QStringLiteral("rate"),
    QStringLiteral("effect"),     QStringLiteral("color"),        QStringLiteral("brightness"),
    QStringLiteral("speed"),      QStringLiteral("sleep"),        QStringLiteral("move-off"),
    QStringLiteral("button"),     QStringLiteral("scroll-speed"), QStringLiteral("pointer-speed"),
    QStringLiteral("angle-snapping"), QStringLiteral("lift"),     QStringLiteral("sync"),
    QStringLiteral("jitter"),     QStringLiteral("key-response"),
};

QString onOff(bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); }

bool parseOnOff(const QString &text, bool *on)
{
    if (text == QLatin1String("on") || text == QLatin1String("1") || text == QLatin1String("true"))
        return *on = true, true;
    if (text == QLatin1String("off") || text == QLatin1String("0") || text == QLatin1String("false"))
        return *on = false, true;
    return false;
}

bool parseInt(const QString &text, int *value)
{
    bool ok = false;
    *value = text.toInt(&ok);
    return ok;
}

QString rateText(int code)
{
    const int hz = rateCodeToHz(code);
    return hz ? QString::number(hz) : QStringLiteral("code-%1").arg(code);
}

// Key names a script can type: the window's English names, lower case, words joined by "-".
SlotSettingChange failure(SlotSettingChange::Outcome outcome, const QString &message)
{
    SlotSettingChange change;
    change.outcome = outcome;
    change.message = message;
    return change;
}

SlotSettingChange refused(const QString &message) { return failure(SlotSettingChange::Refused, message); }
SlotSettingChange usage(const QString &message) { return failure(SlotSettingChange::Usage, message); }

bool inRange(const QString &text, int minimum, int maximum, int *value)
{
    return parseInt(text, value) && *value >= minimum && *value <= maximum;
}

SlotSettingChange rangeRefusal(const QString &name, const QString &text, int minimum, int maximum)
{
    return refused(QCoreApplication::translate("SlotSettings", "%1 takes %2 to %3, not \"%4\"").arg(name).arg(minimum).arg(maximum).arg(text));
}

} // namespace

SlotSettingsProduct SlotSettingsProduct::installed()
{
    SlotSettingsProduct p;
    p.product = readProductName();
    p.sensor = readSensorCode();
    // The DPI page shows up to eight rows; without a description it keeps all eight.
    const int levels = deviceDescriptionExists() ? readDpiLevelCount() : DPI_LEVELS;
    p.dpiLevels = levels > 7 ? DPI_LEVELS : qMax(1, levels);
    const DpiCodeRange codes = dpiCodeRangeForInstalled(p.sensor);
    p.codeMinimum = codes.minimum;
    p.codeMaximum = codes.maximum;
    p.linkOffered = codes.linkShown;
    p.macrosOffered = readDisableMacro() == 0;
    p.ledSwitchOffered = readLedDisable() == 0;
    p.sleepOffered = readShowSleep() != 0;
    const SleepRange sleep = readSleepRange();
    p.sleepMinimum = sleep.min;
    p.sleepMaximum = sleep.max;
    ButtonMatrix matrix{};
    int count = readMatrix2(matrix);
    if (count < 0) {
        matrix.fill(0);
        count = kFallbackButtons;
    }
    count = qBound(0, count, MATRIX_SIZE);
    for (int slot = 0; slot < count; ++slot) {
        if (matrix[size_t(slot)] != kMissingButton)
            p.buttonSlots << slot;
    }
    return p;
}

QStringList SlotSettings::names() { return kNames; }

bool SlotSettings::takesIndex(const QString &name)
{
    return name == QLatin1String("dpi") || name == QLatin1String("dpi-enabled") || name == QLatin1String("dpi-linked")
           || name == QLatin1String("button");
}

QStringList SlotSettings::wheelNames() { return {QStringLiteral("wheel-up"), QStringLiteral("wheel-down")}; }

QStringList SlotSettings::functionNames() { return buttonFunctionNames(); }

QStringList SlotSettings::effectNames()
{
    QStringList names;
    for (const char *name : kEffects)
        names << QLatin1String(name);
    return names;
}

int SlotSettings::dpiOf(int code) const
{
    return displayDpi(code, m_product.sensor);
}

int SlotSettings::lightingSlot(int slot) const
{
    // The slot whose lighting the mouse shows while `slot` is current.
    ConfigRecord at;
    at.ProfileID = quint8(slot);
    return lightingSlotIndex(at, m_product.product);
}

QString SlotSettings::dpiText(const DpiInfo &level) const
{
    const int x = dpiOf(int(level.x));
    const int y = dpiOf(int(level.y));
    return x == y ? QString::number(x) : QStringLiteral("%1x%2").arg(x).arg(y);
}

bool SlotSettings::buttonIndex(const QString &text, int *recordIndex, QString *error) const
{
    if (text == QLatin1String("wheel-up"))
        return *recordIndex = kWheelUp, true;
    if (text == QLatin1String("wheel-down"))
        return *recordIndex = kWheelDown, true;
    int number = 0;
    if (parseInt(text, &number) && number >= 1 && number <= m_product.buttonSlots.size())
        return *recordIndex = m_product.buttonSlots[number - 1], true;
    *error = QCoreApplication::translate("SlotSettings", "this mouse has buttons 1 to %1, wheel-up and wheel-down, not \"%2\"")
                 .arg(m_product.buttonSlots.size())
                 .arg(text);
    return false;
}

bool SlotSettings::levelIndex(const QString &text, int *level, QString *error) const
{
    int number = 0;
    if (parseInt(text, &number) && number >= 1 && number <= m_product.dpiLevels)
        return *level = number - 1, true;
    *error = QCoreApplication::translate("SlotSettings", "this mouse has DPI levels 1 to %1, not \"%2\"").arg(m_product.dpiLevels).arg(text);
    return false;
}

bool SlotSettings::get(const ConfigRecord &config, int slot, const QString &name, const QString &index, QString *value,
                       QString *error) const
{
    if (!kNames.contains(name)) {
        *error = QCoreApplication::translate("SlotSettings", "there is no setting \"%1\"").arg(name);
        return false;
    }
    if (takesIndex(name) == index.isEmpty()) {
        *error = takesIndex(name) ? QCoreApplication::translate("SlotSettings", "%1 needs a level or button").arg(name) : QCoreApplication::translate("SlotSettings", "%1 takes no level").arg(name);
        return false;
    }
    const ProfileRecord &p = config.profiles[size_t(qBound(0, slot, SLOT_COUNT - 1))];
    const ProfileRecord &light = config.profiles[size_t(lightingSlot(slot))];
    const LedModeInfo &effect = light.LED_MODE[size_t(activeEffectIndex(light))];
    int level = 0;
    if (name.startsWith(QLatin1String("dpi-")) && name != QLatin1String("dpi-level") && name != QLatin1String("dpi-levels")
        && !levelIndex(index, &level, error))
        return false;
    if (name == QLatin1String("dpi") && !levelIndex(index, &level, error))
        return false;

    if (name == QLatin1String("dpi-levels"))
        *value = QString::number(m_product.dpiLevels);
    else if (name == QLatin1String("dpi-level"))
        *value = QString::number(int(p.dpi) + 1);
    else if (name == QLatin1String("dpi"))
        *value = dpiText(p.DPI_INFO[size_t(level)]);
    else if (name == QLatin1String("dpi-enabled"))
        *value = onOff(p.DPI_INFO[size_t(level)].used == 1);
    else if (name == QLatin1String("dpi-linked"))
        *value = onOff(p.DPI_INFO[size_t(level)].link == 1);
    else if (name == QLatin1String("rate"))
        *value = rateText(p.pollrate);
    else if (name == QLatin1String("effect"))
        *value = light.LedMode < kOfferedEffects ? QLatin1String(kEffects[light.LedMode])
                                                 : QStringLiteral("effect-%1").arg(light.LedMode);
    else if (name == QLatin1String("color"))
        *value = QString::asprintf("%02x%02x%02x", effect.RGB.red(), effect.RGB.green(), effect.RGB.blue());
    else if (name == QLatin1String("brightness"))
        *value = QString::number(effect.bright);
    else if (name == QLatin1String("speed"))
        *value = QString::number(effect.breath);
    else if (name == QLatin1String("sleep"))
        *value = QString::number(light.LedSleepTime);
    else if (name == QLatin1String("move-off"))
        *value = onOff(light.LedMoveOFF == 0);
    else if (name == QLatin1String("button")) {
        int button = 0;
        if (!buttonIndex(index, &button, error))
            return false;
        *value = buttonScriptText(p.BUTTON_INFO[size_t(button)]);
    } else if (name == QLatin1String("scroll-speed"))
        *value = QString::number(p.scrollspeed);
    else if (name == QLatin1String("pointer-speed"))
        *value = QString::number(p.mousespeed);
    else if (name == QLatin1String("angle-snapping"))
        *value = onOff(config.AngleValue == 0);
    else if (name == QLatin1String("lift"))
        *value = config.LiftHigh == 1 ? QStringLiteral("1") : QStringLiteral("2");
    else if (name == QLatin1String("sync"))
        *value = onOff(config.Sync != 0);
    else if (name == QLatin1String("jitter"))
        *value = onOff(config.Jitter == 0);
    else
        *value = QString::number(config.Debounce);
    return true;
}

QStringList SlotSettings::lines(const ConfigRecord &config, int slot) const
{
    QStringList out;
    for (const QString &name : kNames) {
        QStringList indexes{QString()};
        if (name == QLatin1String("button")) {
            indexes.clear();
            for (int i = 1; i <= m_product.buttonSlots.size(); ++i)
                indexes << QString::number(i);
            indexes << wheelNames();
        } else if (takesIndex(name)) {
            indexes.clear();
            for (int i = 1; i <= m_product.dpiLevels; ++i)
                indexes << QString::number(i);
        }
        for (const QString &index : indexes) {
            QString value;
            QString error;
            if (get(config, slot, name, index, &value, &error))
                out << (index.isEmpty() ? name : name + QLatin1Char(' ') + index) + QLatin1Char(' ') + value;
        }
    }
    return out;
}

QJsonObject SlotSettings::toJson(const ConfigRecord &config, int slot) const
{
    QJsonObject object;
    object.insert(QStringLiteral("slot"), slot + 1);
    object.insert(QStringLiteral("name"), config.names[size_t(slot)]);
    object.insert(QStringLiteral("current"), activeSlotIndex(config) == slot);
    QJsonArray levels;
    QJsonArray buttons;
    for (const QString &line : lines(config, slot)) {
        const QString name = line.section(QLatin1Char(' '), 0, 0);
        if (name == QLatin1String("dpi") || name == QLatin1String("dpi-enabled") || name == QLatin1String("dpi-linked"))
            continue;
        if (name == QLatin1String("button")) {
            QJsonObject button;
            button.insert(QStringLiteral("button"), line.section(QLatin1Char(' '), 1, 1));
            button.insert(QStringLiteral("value"), line.section(QLatin1Char(' '), 2));
            buttons.append(button);
            continue;
        }
        const QString value = line.section(QLatin1Char(' '), 1);
        bool isNumber = false;
        const int number = value.toInt(&isNumber);
        const bool onOffSetting = name == QLatin1String("move-off") || name == QLatin1String("angle-snapping")
                                  || name == QLatin1String("sync") || name == QLatin1String("jitter");
        if (onOffSetting)
            object.insert(name, value == QLatin1String("on"));
        else if (isNumber && name != QLatin1String("color"))
            object.insert(name, number);
        else
            object.insert(name, value);
    }
    const ProfileRecord &p = config.profiles[size_t(slot)];
    for (int i = 0; i < m_product.dpiLevels; ++i) {
        const DpiInfo &info = p.DPI_INFO[size_t(i)];
        QJsonObject level;
        level.insert(QStringLiteral("level"), i + 1);
        level.insert(QStringLiteral("x"), dpiOf(int(info.x)));
        level.insert(QStringLiteral("y"), dpiOf(int(info.y)));
        level.insert(QStringLiteral("enabled"), info.used == 1);
        level.insert(QStringLiteral("linked"), info.link == 1);
        levels.append(level);
    }
    object.insert(QStringLiteral("dpi"), levels);
    object.insert(QStringLiteral("buttons"), buttons);
    return object;
}

SlotSettingChange SlotSettings::setDpi(DpiInfo &level, int index, const QString &value) const
{
    const QStringList axes = value.split(QLatin1Char('x'));
    int x = 0;
    int y = 0;
    if (axes.size() > 2 || !parseInt(axes.first(), &x) || (axes.size() == 2 && !parseInt(axes.last(), &y)))
        return usage(QCoreApplication::translate("SlotSettings", "dpi takes a level and a DPI value, or XxY for separate axes, not \"%1\"").arg(value));
    if (axes.size() == 1)
        y = x;
    if (x != y && level.link == 1)
        return refused(QCoreApplication::translate("SlotSettings", "level %1 has X and Y linked; unlink it first (set dpi-linked %1 off)").arg(index + 1));
    const int low = dpiOf(m_product.codeMinimum);
    const int high = dpiOf(m_product.codeMaximum);
    for (int dpi : {x, y}) {
        if (dpi < low || dpi > high)
            return refused(QCoreApplication::translate("SlotSettings", "this sensor takes %1 to %2 DPI, not %3").arg(low).arg(high).arg(dpi));
    }
    // Typed values snap to the nearest step of the sensor, as the DPI page's field does.
    auto snap = [this](int dpi) {
        int best = m_product.codeMinimum;
        for (int code = m_product.codeMinimum + 1; code <= m_product.codeMaximum; ++code) {
            if (std::abs(dpiOf(code) - dpi) < std::abs(dpiOf(best) - dpi))
                best = code;
        }
        return quint32(best);
    };
    level.x = snap(x);
    level.y = snap(y);
    SlotSettingChange change;
    change.outcome = SlotSettingChange::Changed;
    change.mask = CHANGE_DPI;
    return change;
}

SlotSettingChange SlotSettings::set(ConfigRecord &config, int slot, const QString &name, const QStringList &args) const
{
    const ConfigRecord before = config;
    SlotSettingChange change = apply(config, slot, name, args);
    if (change.outcome == SlotSettingChange::Changed && config == before)
        change.outcome = SlotSettingChange::Unchanged;
    return change;
}

SlotSettingChange SlotSettings::apply(ConfigRecord &config, int slot, const QString &name, const QStringList &args) const
{
    if (!kNames.contains(name))
        return usage(QCoreApplication::translate("SlotSettings", "there is no setting \"%1\"").arg(name));
    const bool indexed = takesIndex(name);
    if (args.size() < (indexed ? 2 : 1))
        return usage(indexed ? QCoreApplication::translate("SlotSettings", "set %1 needs a level or button and a value").arg(name)
                             : QCoreApplication::translate("SlotSettings", "set %1 needs a value").arg(name));
    const QString index = indexed ? args[0] : QString();
    const QStringList words = args.mid(indexed ? 1 : 0);
    const QString value = words.join(QLatin1Char(' ')).simplified();

    // What `get` printed is always taken back, also a value the window no longer offers.
    QString current;
    QString error;
    if (!get(config, slot, name, index, &current, &error))
        return usage(error);
    SlotSettingChange change;
    change.outcome = SlotSettingChange::Unchanged;
    if (value == current)
        return change;
    if (name == QLatin1String("dpi-levels"))
        return failure(SlotSettingChange::ReadOnly, QCoreApplication::translate("SlotSettings", "dpi-levels is what the mouse has; it cannot be set"));

    ProfileRecord &p = config.profiles[size_t(slot)];
    const int lighting = lightingSlot(slot);
    ProfileRecord &light = config.profiles[size_t(lighting)];
    const int effectIndex = activeEffectIndex(light);
    LedModeInfo &effect = light.LED_MODE[size_t(effectIndex)];
    int level = 0;
    int number = 0;
    bool on = false;
    change.outcome = SlotSettingChange::Changed;
    change.slotChanged = slot;

    if (name == QLatin1String("dpi-level")) {
        if (!inRange(value, 1, m_product.dpiLevels, &number))
            return rangeRefusal(name, value, 1, m_product.dpiLevels);
        p.dpi = quint8(number - 1);
        change.mask = CHANGE_DPI;
    } else if (name == QLatin1String("dpi")) {
        levelIndex(index, &level, &error);
        const SlotSettingChange dpi = setDpi(p.DPI_INFO[size_t(level)], level, value);
        if (!dpi.ok())
            return dpi;
        change.mask = CHANGE_DPI;
    } else if (name == QLatin1String("dpi-enabled") || name == QLatin1String("dpi-linked")) {
        levelIndex(index, &level, &error);
        if (!parseOnOff(value, &on))
            return usage(QCoreApplication::translate("SlotSettings", "%1 takes a level and on or off").arg(name));
        if (name == QLatin1String("dpi-linked")) {
            if (!m_product.linkOffered)
                return refused(QCoreApplication::translate("SlotSettings", "this sensor takes one resolution for X and Y"));
            p.DPI_INFO[size_t(level)].link = on ? 1 : 0;
        } else {
            p.DPI_INFO[size_t(level)].used = on ? 1 : 0;
        }
        change.mask = CHANGE_DPI;
    } else if (name == QLatin1String("rate")) {
        int hz = 0;
        const int code = parseInt(value, &hz) ? rateHzToCode(hz) : 0;
        if (code == 0 || value != QString::number(hz))
            return refused(QCoreApplication::translate("SlotSettings", "rate takes 125, 250, 500 or 1000, not \"%1\"").arg(value));
        p.pollrate = quint8(code);
        change.mask = CHANGE_GENERAL;
    } else if (name == QLatin1String("effect")) {
        const int e = effectNames().indexOf(value);
        if (e < 0)
            return refused(QCoreApplication::translate("SlotSettings", "effect takes one of %1, not \"%2\"").arg(effectNames().join(QStringLiteral(", ")), value));
        light.LedMode = quint8(e);
        change.mask = CHANGE_LIGHTING;
        change.slotChanged = lighting;
    } else if (name == QLatin1String("color") || name == QLatin1String("brightness") || name == QLatin1String("speed")) {
        const bool offered = effectIndex < kOfferedEffects
                             && (name == QLatin1String("color")        ? kHasColor[effectIndex]
                                 : name == QLatin1String("brightness") ? kHasBrightness[effectIndex]
                                                                       : kHasSpeed[effectIndex]);
        if (!offered)
            return refused(QCoreApplication::translate("SlotSettings", "the %1 effect has no %2").arg(light.LedMode < kOfferedEffects
                                                                 ? QLatin1String(kEffects[light.LedMode])
                                                                 : QString::number(light.LedMode),
                                                             name));
        if (name == QLatin1String("color")) {
            QString hex = value.startsWith(QLatin1Char('#')) ? value.mid(1) : value;
            if (hex.size() == 3)
                hex = QString(hex[0]) + hex[0] + hex[1] + hex[1] + hex[2] + hex[2];
            const bool digits = hex.size() == 6 && std::all_of(hex.cbegin(), hex.cend(), [](QChar c) {
                return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
                       || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
            });
            if (!digits)
                return usage(QCoreApplication::translate("SlotSettings", "color takes six hexadecimal digits RRGGBB, not \"%1\"").arg(value));
            const uint rgb = hex.toUInt(nullptr, 16);
            effect.RGB = KestRgb(int(rgb >> 16), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
        } else if (name == QLatin1String("brightness")) {
            if (!inRange(value, 1, 3, &number))
                return rangeRefusal(name, value, 1, 3);
            effect.bright = number;
        } else {
            if (!inRange(value, 1, 5, &number))
                return rangeRefusal(name, value, 1, 5);
            effect.breath = number;
        }
        change.mask = CHANGE_LIGHTING;
        change.slotChanged = lighting;
    } else if (name == QLatin1String("sleep") || name == QLatin1String("move-off")) {
        if (!m_product.sleepOffered)
            return refused(QCoreApplication::translate("SlotSettings", "this mouse has no sleep options"));
        if (name == QLatin1String("sleep")) {
            if (!inRange(value, m_product.sleepMinimum, m_product.sleepMaximum, &number))
                return rangeRefusal(name, value, m_product.sleepMinimum, m_product.sleepMaximum);
            light.LedSleepTime = quint8(number);
        } else {
            if (!parseOnOff(value, &on))
                return usage(QCoreApplication::translate("SlotSettings", "move-off takes on or off"));
            light.LedMoveOFF = on ? 0 : 255;
        }
        change.mask = CHANGE_LIGHTING;
        change.slotChanged = lighting;
    } else if (name == QLatin1String("button")) {
        int button = 0;
        buttonIndex(index, &button, &error);
        ButtonScriptOffer offer;
        offer.macrosOffered = m_product.macrosOffered;
        offer.ledSwitchOffered = m_product.ledSwitchOffered;
        const SlotSettingChange assigned =
            assignButtonScript(p, button, button >= kWheelUp, value.split(QLatin1Char(' ')), offer);
        if (!assigned.ok())
            return assigned;
        change.mask = assigned.mask;
    } else if (name == QLatin1String("scroll-speed") || name == QLatin1String("pointer-speed")) {
        if (!inRange(value, 1, 20, &number))
            return rangeRefusal(name, value, 1, 20);
        (name == QLatin1String("scroll-speed") ? p.scrollspeed : p.mousespeed) = quint8(number);
        change.mask = CHANGE_GENERAL;
    } else {
        // The sensor options are kept once for all slots.
        change.shared = true;
        change.slotChanged = -1;
        change.mask = CHANGE_GENERAL;
        if (name == QLatin1String("lift")) {
            if (!inRange(value, 1, 2, &number))
                return rangeRefusal(name, value, 1, 2);
            config.LiftHigh = quint8(number);
        } else if (name == QLatin1String("key-response")) {
            if (!inRange(value, 1, 255, &number))
                return rangeRefusal(name, value, 1, 255);
            config.Debounce = quint8(number);
        } else {
            if (!parseOnOff(value, &on))
                return usage(QCoreApplication::translate("SlotSettings", "%1 takes on or off").arg(name));
            if (name == QLatin1String("sync"))
                config.Sync = on ? 1 : 0;
            else if (name == QLatin1String("angle-snapping"))
                config.AngleValue = on ? 0 : 1;
            else
                config.Jitter = on ? 0 : 1;
        }
    }
    return change;
}
