// SPDX-License-Identifier: GPL-2.0-or-later
#include <QCoreApplication>
#include <QFile>
#include <QJsonObject>

#include "device/sendcommand.h"
#include "store/appsettings.h"
#include "store/describedsensor.h"
#include "store/devicedescription.h"
#include "store/kestinifile.h"
#include "store/lightingslot.h"
#include "store/profilefiles.h"
#include "store/slotsettings.h"
#include "tools/ctl/ctlcommands.h"
#include "tools/ctl/ctloutput.h"

namespace {

QString tr(const char *text) { return QCoreApplication::translate("mousecfgctl", text); }

int slotOf(const CtlOptions &options, const ConfigRecord &record)
{
    return options.slot >= 0 ? options.slot : activeSlotIndex(record);
}

// Before the window's first start the store names no slots and holds no profile files; the
// window then shows "Profile 1" to "Profile 5" with the model's defaults. Read such a
// store as the window would show it, not as zeros: the slots seeded are returned, and
// `sensorSeeded` says whether sensor options came from the description.
QVector<int> seedAsTheWindowDoes(ConfigRecord &record, bool *sensorSeeded = nullptr)
{
    const bool taken = takeDescribedSensorOptions(record);
    if (sensorSeeded)
        *sensorSeeded = taken;

    QVector<int> seeded;
    for (int k = 0; k < SLOT_COUNT; ++k) {
        QString &name = record.names[size_t(k)];
        if (name.isEmpty())
            name = QStringLiteral("Profile %1").arg(k + 1);
        if (isValidStoreName(name) && !QFile::exists(profileFilePath(name))) {
            makeDefaultProfile(record.profiles[size_t(k)]);
            record.profiles[size_t(k)].ProfileName = name;
            seeded << k;
        }
    }
    return seeded;
}

} // namespace

int runGet(const CtlOptions &options, ConfigRecord record, QTextStream &out, QTextStream &err)
{
    seedAsTheWindowDoes(record);
    const SlotSettings settings(SlotSettingsProduct::installed());
    const int slot = slotOf(options, record);
    if (options.arguments.isEmpty()) {
        if (options.json) {
            printJson(settings.toJson(record, slot), out);
        } else {
            for (const QString &line : settings.lines(record, slot))
                out << line << Qt::endl;
        }
        return kExitOk;
    }
    const QString name = options.arguments[0];
    const QString index = options.arguments.value(1);
    QString value;
    QString error;
    if (!settings.get(record, slot, name, index, &value, &error)) {
        err << "mousecfgctl: " << error << Qt::endl;
        return kExitUsage;
    }
    if (options.json) {
        QJsonObject object;
        object.insert(QStringLiteral("slot"), slot + 1);
        object.insert(QStringLiteral("setting"), name);
        if (!index.isEmpty())
            object.insert(QStringLiteral("index"), index);
        object.insert(QStringLiteral("value"), value);
        printJson(object, out);
    } else {
        out << value << Qt::endl;
    }
    return kExitOk;
}

int runSet(const CtlOptions &options, ConfigRecord record, QTextStream &out, QTextStream &err)
{
    Q_UNUSED(out);
    const SlotSettingsProduct product = SlotSettingsProduct::installed();
    const SlotSettings settings(product);
    const ConfigRecord stored = record;
    bool sensorSeeded = false;
    const QVector<int> seeded = seedAsTheWindowDoes(record, &sensorSeeded);
    const int slot = slotOf(options, record);
    const SlotSettingChange change = settings.set(record, slot, options.arguments[0], options.arguments.mid(1));
    switch (change.outcome) {
    case SlotSettingChange::Usage:
        err << "mousecfgctl: " << change.message << Qt::endl;
        return kExitUsage;
    case SlotSettingChange::Refused:
    case SlotSettingChange::ReadOnly:
        err << "mousecfgctl: " << change.message << Qt::endl;
        return kExitRefused;
    case SlotSettingChange::Unchanged:
        if (options.verbose)
            err << "mousecfgctl: " << tr("nothing to change") << Qt::endl;
        return kExitOk;
    case SlotSettingChange::Changed: break;
    }

    // A store seen for the first time gets the slots the window would have made.
    if (record.names != stored.names) {
        const KestFileResult listed = saveSlotList(record);
        if (!listed)
            return saveFailure(listed, err);
    }
    for (int k : seeded) {
        if (k != change.slotChanged && !saveSlotFile(record.profiles[size_t(k)], record.names[size_t(k)]))
            return saveFailure(profileFilePath(record.names[size_t(k)]), err);
    }
    if (readProfileList().isEmpty()) {
        QStringList names;
        for (const QString &name : record.names)
            names << name;
        const KestFileResult listed = writeProfileList(names);
        if (!listed)
            return saveFailure(listed, err);
    }

    if (change.shared || sensorSeeded) {
        const int saved = saveSet(record, err);
        if (saved != kExitOk)
            return saved;
    } else {
        const QString &name = record.names[size_t(change.slotChanged)];
        if (!isValidStoreName(name)) {
            err << "mousecfgctl: " << tr("slot %1 has no profile file to save into").arg(change.slotChanged + 1)
                << Qt::endl;
            return kExitNotSaved;
        }
        if (!saveSlotFile(record.profiles[size_t(change.slotChanged)], name))
            return saveFailure(profileFilePath(name), err);
    }

    // The mouse holds the current slot, its lighting slot and the shared options; a change
    // of another slot reaches it when that slot becomes current.
    const int current = activeSlotIndex(record);
    const bool onMouse = change.shared || change.slotChanged == current
                         || change.slotChanged == lightingSlotIndex(record, product.product);
    if (options.noApply || !onMouse) {
        // The mouse now differs from the files: the next write sends everything. Unsaved,
        // that next write would miss this change.
        if (onMouse) {
            const KestFileResult marked = writeDiff(1);
            if (!marked)
                return saveFailure(marked, err);
        }
        if (options.verbose)
            err << "mousecfgctl: " << tr("saved; not written to the mouse") << Qt::endl;
        return kExitOk;
    }
    const int written = writeSlotToMouse(record, err);
    if (written != SEND_OK)
        err << "mousecfgctl: " << tr("the change is saved; the mouse gets it at the next apply") << Qt::endl;
    return written;
}
