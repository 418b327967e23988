// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDBusArgument>
#include <QDBusContext>
#include <QDBusMessage>
#include <QList>
#include <QMap>
#include <QMetaType>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

class KestDesktopBridge;
class KestFocusSwitcher;
class KestMouseCore;
struct KestWriteResult;

// One profile-by-program rule as the Rules property carries it: (program, slot), in the
// order the rules are tried.
struct KestBusRule
{
    QString program;
    int slot = 0;
};
using KestBusRuleList = QList<KestBusRule>;
Q_DECLARE_METATYPE(KestBusRule)
QDBusArgument &operator<<(QDBusArgument &argument, const KestBusRule &rule);
const QDBusArgument &operator>>(const QDBusArgument &argument, KestBusRule &rule);

// The running utility on the session bus (org.mousecfg.Mousecfg1, described in
// org.mousecfg.Mousecfg1.xml, whose generated adaptor calls into this object). Scripts,
// shortcuts and mousecfgctl use it to read the state and to switch slots and write
// through the core, so only one program ever talks to the mouse. A call never opens a
// window or a dialog: SelectSlot and Apply answer when the mouse has, with what it said.
class KestBusService final : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_PROPERTY(int CurrentSlot READ currentSlot)
    Q_PROPERTY(QStringList SlotNames READ slotNames)
    Q_PROPERTY(QString Connection READ connection)
    Q_PROPERTY(int Battery READ battery)
    Q_PROPERTY(bool Charging READ charging)
    Q_PROPERTY(int DpiLevel READ dpiLevel)
    Q_PROPERTY(int ReportRate READ reportRate)
    Q_PROPERTY(KestBusRuleList Rules READ rules)
    Q_PROPERTY(int DefaultSlot READ defaultSlot)
    Q_PROPERTY(uint InterfaceVersion READ interfaceVersion)

public:
    static constexpr const char *kService = "org.mousecfg.Mousecfg";
    static constexpr const char *kPath = "/org/mousecfg/Mousecfg";
    static constexpr const char *kInterface = "org.mousecfg.Mousecfg1";
    // Raised when a member changes in a way old callers cannot read (2: Rules became an
    // ordered list). New members alone leave it.
    static constexpr uint kInterfaceVersion = 2;

    KestBusService(KestMouseCore *core, KestDesktopBridge *bridge);
    ~KestBusService() override;

    // False when there is no session bus or another copy holds the name: the utility
    // then runs without the interface.
    bool isRegistered() const { return m_registered; }

    int currentSlot() const;
    QStringList slotNames() const;
    QString connection() const;
    int battery() const;
    bool charging() const;
    int dpiLevel() const;
    int reportRate() const;
    KestBusRuleList rules() const;
    int defaultSlot() const;
    uint interfaceVersion() const { return kInterfaceVersion; }

    // Looks at the core again and announces what changed.
    void refresh();

    // A second start asks the copy that runs to show its window, as a script would; false
    // when no copy answers on the session bus within the time.
    static bool showRunningCopy(int timeoutMs = 1000);

public slots:
    void SelectSlot(int slot);
    int Apply();
    void Show();
    void Quit();
    void SetRule(const QString &program, int slot);
    void RemoveRule(const QString &program);
    void SetDefaultSlot(int slot);
    // Settings by the names and in the text forms of "mousecfgctl get/set"; slot -1 is
    // the current slot.
    QString GetSetting(int slot, const QString &name, const QString &index);
    QStringList GetSettings(int slot);
    QString GetSettingsJson(int slot);
    int SetSetting(int slot, const QString &name, const QStringList &args, bool apply);

private:
    QVariantMap snapshot() const;
    void announceRules();
    KestFocusSwitcher *focus() const;
    bool refuseWhileWriting();
    bool takeSlot(int *slot);
    void waitForWrite();
    void onSwitchFinished(int id, int slot, int result, bool saved);
    void onWriteFinished(const KestWriteResult &result);
    void replyRulesSaved();

    KestMouseCore *m_core;
    KestDesktopBridge *m_bridge;
    QVariantMap m_last;
    // Calls answered when the mouse has: switches by number, and the callers of the write
    // this interface started.
    QMap<int, QDBusMessage> m_pendingSwitches;
    QList<QDBusMessage> m_pendingApplies;
    bool m_registered = false;
    bool m_applying = false;
};
