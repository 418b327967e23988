// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include "store/configrecord.h"

// Every setting of a profile slot by name, as scripts and the bus see it: one text form per
// value (the one `get` prints is the one `set` takes), checked against what the product and
// its sensor offer with the rules of the window's panels. Levels and buttons count from 1,
// as the window shows them. QtCore only, so that every face of the program can use it.

// What the installed product offers, read once from the description file and settings.
struct SlotSettingsProduct
{
    QString product;
    int sensor = 0;
    int dpiLevels = 8;
    int codeMinimum = 1;   // sensor register codes a DPI level may take
    int codeMaximum = 120;
    bool linkOffered = false; // the sensor takes X and Y apart
    bool macrosOffered = true;
    bool ledSwitchOffered = true;
    bool sleepOffered = true;
    int sleepMinimum = 1;
    int sleepMaximum = 9;
    QVector<int> buttonSlots; // record indexes of buttons 1..n

    static SlotSettingsProduct installed();
};

// What a change did, or why it was not made.
struct SlotSettingChange
{
    enum Outcome
    {
        Changed,
        Unchanged, // the value was already so: nothing to save or send
        Usage,     // no such setting, or the arguments do not fit its form
        Refused,   // a value the product or sensor does not take
        ReadOnly,
    };
    Outcome outcome = Usage;
    QString message;           // for Usage, Refused and ReadOnly
    ChangeMask mask = CHANGE_NONE;
    bool shared = false;       // a sensor option: kept for all slots in the settings file
    int slotChanged = -1;      // the record slot whose file changed (the lighting slot may differ)

    bool ok() const { return outcome == Changed || outcome == Unchanged; }
};

class SlotSettings
{
public:
    explicit SlotSettings(const SlotSettingsProduct &product) : m_product(product) {}

    // Setting names in the order `get` prints them; those marked with an argument take a
    // level ("dpi 2") or a button ("button 3", "button wheel-up").
    static QStringList names();
    static bool takesIndex(const QString &name);
    // The button names `button` takes besides numbers.
    static QStringList wheelNames();
    // Script names of the functions a button may be given, and of the lighting effects.
    static QStringList functionNames();
    static QStringList effectNames();

    // One value as text; false (and why) for an unknown name or index.
    bool get(const ConfigRecord &config, int slot, const QString &name, const QString &index, QString *value,
             QString *error) const;
    // Every setting of the slot, one "NAME [INDEX] VALUE" line each.
    QStringList lines(const ConfigRecord &config, int slot) const;
    // The same as one object; its values are the texts `set` takes.
    QJsonObject toJson(const ConfigRecord &config, int slot) const;

    // Changes one value of the record: args are the index (if the setting takes one)
    // followed by the value's words.
    SlotSettingChange set(ConfigRecord &config, int slot, const QString &name, const QStringList &args) const;

private:
    SlotSettingChange apply(ConfigRecord &config, int slot, const QString &name, const QStringList &args) const;
    int lightingSlot(int slot) const;
    QString dpiText(const DpiInfo &level) const;
    bool buttonIndex(const QString &text, int *recordIndex, QString *error) const;
    bool levelIndex(const QString &text, int *level, QString *error) const;
    SlotSettingChange setDpi(DpiInfo &level, int index, const QString &value) const;
    int dpiOf(int code) const;

    SlotSettingsProduct m_product;
};
