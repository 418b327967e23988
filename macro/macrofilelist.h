// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

#include "macro/macrostep.h"

class QListWidget;
class QListWidgetItem;
class QWidget;

// The page's list of macros and their files in the macro database: which one is open,
// the batch mode's check marks, and the file operations with their name checks and
// messages. Opening a macro on the page is the page's: the list asks for it.
class MacroFileList final : public QObject
{
    Q_OBJECT

public:
    explicit MacroFileList(QWidget *page);

    QListWidget *widget() const { return m_list; }
    QString currentName() const { return m_currentName; }
    // Marks name as the open macro (empty: none).
    void setCurrentName(const QString &name);
    bool contains(const QString &name) const { return item(name) != nullptr; }
    int count() const;

    // Fills the list from the database; the first macro is the open one.
    void load();

    // Name checks; a refusal has its message.
    bool refuseName(const QString &name);
    bool refuseWhenFull();
    bool refuseNewName(const QString &name);

    // Saves an empty macro under a fresh name and lists it; empty on failure.
    QString createMacro();
    // Unlists the open macro and deletes its file; returns the macro to open instead.
    QString removeCurrent();
    // Gives the open macro's file and list entry the new name; false (said) on failure.
    bool renameCurrent(const QString &name);
    // Copies the files into the database; returns the names imported.
    QStringList importFiles(const QStringList &paths);
    bool exportCurrent(const QString &targetPath);
    QStringList exportChecked(const QString &folder);
    // Stores a generated recoil macro under name (or name_1, name_2, ...).
    QString storeGunset(const QString &name, const MacroSteps &steps);

    bool isBatchMode() const { return m_batchMode; }
    void setBatchMode(bool on);
    void setChecked(const QString &name, bool checked);

    // The file dialogs of IMPORT and EXPORT; empty when cancelled.
    QStringList askImportPaths();
    QString askExportTarget();
    QString askExportFolder();

signals:
    void openRequested(const QString &name);

private:
    QListWidgetItem *item(const QString &name) const;
    QListWidgetItem *addItem(const QString &name);
    bool exists(const QString &name) const;
    void warn(const QString &text, const QString &title = QString());

    QWidget *m_page;
    QListWidget *m_list;
    QString m_currentName;
    bool m_batchMode = false;
};
