// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>

#include <QObject>
#include <QString>

#include "core/kestprofilelibrary.h"
#include "store/kestfileresult.h"

class KestMouseCore;
class QWidget;

// What the profile operations need from the main window besides its core: the panels,
// the views and a parent for dialogs. The records, the library list and the current slot
// are the core's; the manager never keeps a copy.
class KestProfileHost
{
public:
    // What refreshProfileView() must bring up to date.
    enum Refresh : int {
        RefreshNames = 1,  // name line edit, slot buttons, profile menu (rebuilt from the list)
        RefreshPanels = 2, // every panel from the working set's current slot
        ShowLighting = 4,  // switch to the LIGHTING page and refresh the extra markers
    };

    virtual ~KestProfileHost() = default;

    // Holds the records and runs the write sequence on its device worker.
    virtual KestMouseCore &mouseCore() = 0;
    // Copies the DPI, report-rate and mouse-settings panels' values into the working set.
    virtual void collectPanelValues() = 0;
    // Called after an operation changed the working set, the slot names or the list.
    virtual void refreshProfileView(int what) = 0;
    // Parent of the message boxes, file dialogs and the progress dialog.
    virtual QWidget *dialogParent() = 0;
    // True when the panels or the working set hold edits that were neither applied nor
    // dropped since the slot was last loaded or written.
    virtual bool hasUnappliedEdits() = 0;
    // Drops those edits: the working set and the panels go back to the last clean state.
    virtual void discardUnappliedEdits() = 0;
};

// The questions of the profile library and the apply flow of the main window: add,
// delete, copy, rename, assign, import and export of profiles and of the whole
// configuration, reset, and the write sequence behind a modal progress dialog. The file
// and list work is the core's (KestProfileLibrary); this asks the user, calls it and says
// what came of it. The slots are meant for the profile bar's buttons; the *From / *To
// functions do the same work for a path chosen elsewhere.
class KestProfileManager final : public QObject
{
    Q_OBJECT

public:
    explicit KestProfileManager(KestProfileHost &host, QObject *parent = nullptr);

    // Shows a message box of a kind of KestMessageBox (1 question, 2 warning) and returns
    // its result (1 = Yes/Ok). Tests replace it.
    using MessageHandler = std::function<int(int kind, const QString &text)>;
    void setMessageHandler(MessageHandler handler);

    // Asks for a profile name (a new profile, a copy, a slot's name), prefilled with a free
    // one; an empty answer cancels. Add also offers to start from the slot's current settings
    // rather than the defaults. Tests replace it.
    struct NameRequest {
        QString title;
        QString prompt;
        QString suggestion;
        bool offerCurrent = false;
    };
    struct NameAnswer {
        QString name;
        bool fromCurrent = false;
    };
    using NameHandler = std::function<NameAnswer(const NameRequest &request)>;
    void setNameHandler(NameHandler handler);

    // Before anything replaces what the current slot shows: with unapplied edits, asks
    // once whether to apply them, drop them or stay. False when the user chose to stay.
    bool settleUnappliedEdits();

    // True while a write owns the profile sets: the window must not touch them.
    bool isWriting() const;

    // Saves the working set and sends it behind the progress dialog; returns the write's
    // status (0 = success).
    int runWriteSequence(bool forceAll = false);

    // The file steps of the import and export operations, for a chosen path.
    bool importProfileFrom(const QString &path);
    bool exportProfileTo(const QString &path);
    bool exportConfigTo(const QString &path);
    bool importConfigFrom(const QString &path);

    // The one message after a write that did not end well: what happened (write status
    // 0/1/2/4), whether the settings are kept on this computer, and what to do.
    static QString writeFailureText(int status, const KestFileResult &saved);

public slots:
    void addProfile();
    void deleteProfile();
    void copyProfile();
    void renameProfile(const QString &newName);
    // Asks for the current slot's profile name, then renames as above (the slot's pencil).
    void nameSlot();
    void assignProfile(const QString &name);
    void importProfile();
    void exportProfile();
    void exportConfig();
    void importConfig();
    void resetProfile();
    void resetAll();
    void apply();
    void ok();
    void cancel();

signals:
    // OK and Cancel: the window hides itself to the tray.
    void hideRequested();
    // After every write sequence, with the worker's status.
    void writeFinished(quint8 status);

private:
    int message(int kind, const QString &text);
    NameAnswer askName(const NameRequest &request);
    KestMouseCore &core() const { return m_host.mouseCore(); }
    // The core's library work on its records, for the current slot.
    KestProfileLibrary library() const;
    QString currentName();
    // Says why a library operation did not go through; true when it did.
    bool report(const KestLibraryResult &result);
    // Shows a save that failed (the file and why); true when it did not.
    bool reportSave(const KestFileResult &result);

    KestProfileHost &m_host;
    MessageHandler m_messageHandler;
    NameHandler m_nameHandler;
    bool m_writing = false;
};
