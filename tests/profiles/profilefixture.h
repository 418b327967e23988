// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <memory>

#include <QPair>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>
#include <QWidget>

#include "app/kestprofilemanager.h"
#include "core/kestmousecore.h"
#include "device/sim/kestsimmouse.h"

// The main window as the profile manager sees it, over a real core. Every refresh and
// collection of the panels is counted while the progress dialog is up: there must be none.
class FakeProfileHost final : public KestProfileHost
{
public:
    KestMouseCore *core = nullptr;
    QWidget window;

    int accessesWhileWriting = 0;
    int collects = 0;
    int lastRefresh = 0;
    std::function<void(ConfigRecord &)> panelValues; // what the panels hold at Apply
    bool unapplied = false;
    int discards = 0;

    KestMouseCore &mouseCore() override { return *core; }
    void collectPanelValues() override;
    void refreshProfileView(int what) override;
    QWidget *dialogParent() override { return &window; }
    bool hasUnappliedEdits() override { return unapplied; }
    void discardUnappliedEdits() override
    {
        ++discards;
        unapplied = false;
    }

private:
    void countAccess();
};

// A private application folder holding the shipped product data, the simulated mouse
// plugged in, and a manager on a fake window whose message boxes are recorded. The core
// starts in start(), so that files a test lays out first are what it finds.
class ProfileFixture
{
public:
    ProfileFixture();
    ~ProfileFixture();

    // Starts the core on the folder as the window does. A first start seeds the slots
    // "Profile 1".."Profile 5", their files and the library list.
    void start();
    // A library entry with a file holding the defaults (once started).
    void addLibraryProfile(const QString &name);

    KestMouseCore &core() { return *m_core; }
    ConfigRecord &working() { return m_core->working(); }
    QStringList &library() { return m_core->library(); }
    QString path(const QString &relative) const;
    // Both ends pulled out; plugged in again as a fresh mouse that behaves.
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
    void settle();

    QTemporaryDir m_dir;
    std::unique_ptr<KestMouseCore> m_core;
};
