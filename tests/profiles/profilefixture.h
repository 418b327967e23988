// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <memory>

#include <QPair>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>
#include <QWidget>

#include "app/kestprofilemanager.h"
#include "device/sim/kestsimmouse.h"

// The main window as the profile manager sees it, and nothing more. Every access to the
// profile sets is counted while the progress dialog is up: there must be none.
class FakeProfileHost final : public KestProfileHost
{
public:
    ConfigRecord working;
    ConfigRecord lastWritten;
    QStringList library;
    QString product = QStringLiteral("KX-27");
    QWidget window;

    int accessesWhileWriting = 0;
    int batteryStops = 0;
    int collects = 0;
    int refreshes = 0;
    int lastRefresh = 0;
    std::function<void(ConfigRecord &)> panelValues; // what the panels hold at Apply

    ConfigRecord &workingSet() override;
    ConfigRecord &lastWrittenSet() override;
    int currentSlot() const override { return activeSlotIndex(working); }
    QStringList &profileNames() override { return library; }
    QString productName() const override { return product; }
    void collectPanelValues() override;
    void stopBatteryReader() override { ++batteryStops; }
    void refreshProfileView(int what) override;
    QWidget *dialogParent() override { return &window; }
    bool hasUnappliedEdits() override { return unapplied; }
    void discardUnappliedEdits() override
    {
        ++discards;
        unapplied = false;
    }

    bool unapplied = false;
    int discards = 0;

private:
    void countAccess();
};

// A private application folder holding the shipped product data, the simulated mouse
// plugged in and opened, and a manager on a fake window whose message boxes are recorded.
class ProfileFixture
{
public:
    ProfileFixture();
    ~ProfileFixture();

    // Slot names "Profile 1".."Profile 5", their files and the library list, both sets
    // loaded from them as the window does at start-up.
    void installDefaultSlots();
    // Library entries with files holding the defaults.
    void addLibraryProfile(const QString &name);

    QString path(const QString &relative) const;
    void unplugMouse();
    void plugMouse();

    FakeProfileHost host;
    KestProfileManager manager;
    std::shared_ptr<KestSimMouse> sim;
    QVector<QPair<int, QString>> messages;
    int answer = 1; // what every question box returns
    QStringList suggestedNames;   // what the name question was prefilled with
    QString nameAnswer = QStringLiteral("?"); // "?" answers with the suggestion
    QStringList namePrompts;
    bool startFromCurrent = false; // the answer to Add's offer

    QStringList messageTexts() const;

private:
    QTemporaryDir m_dir;
};
