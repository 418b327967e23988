// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include "store/configrecord.h"
#include "store/kestfileresult.h"

// What became of one library operation. Nothing was changed unless `changed` says so.
struct KestLibraryResult
{
    enum Outcome
    {
        Done,
        InvalidName,    // not a name a profile file can take
        NameTaken,      // a profile of that name exists already
        LastProfile,    // the library keeps at least one profile no other slot shows
        DefaultProfile, // "Profile 1".."Profile 5" are never deleted
        AlreadyUsed,    // another slot shows that profile
        OtherProduct,   // the file belongs to another mouse
        FileFailed,     // a file could not be read or written: `file` names it and says why
    };
    Outcome outcome = Done;
    // FileFailed: the file and why. Done: the file written, for the operations that
    // write one the user chose (exports, imports).
    KestFileResult file;
    // The slot names, the list or the working set were touched, also when a failure put
    // them back: faces show them again.
    bool changed = false;

    bool ok() const { return outcome == Done; }
};

// The profile library's file and list work on the records the core keeps: add, delete,
// copy, rename, assign, import and export of a profile and of the whole configuration,
// and the resets. It asks nothing: whoever calls it asks the user first and says what
// the result tells. The records and the list belong to the caller; this is a view on them
// for the current slot, made for each operation.
class KestProfileLibrary final
{
public:
    KestProfileLibrary(ConfigRecord &working, QStringList &list, int slot, const QString &product);

    // "Profile 1" .. "Profile 5": never deleted; renaming one names a library copy instead.
    static bool isDefaultProfileName(const QString &name);
    // `path` ending in ".suffix", appended when it does not.
    static QString withSuffix(const QString &path, const QString &suffix);

    QString currentName() const;
    // Shown by a slot other than the current one.
    bool isOtherSlotsName(const QString &name) const;
    // InvalidName or NameTaken when `name` cannot become a new library profile.
    KestLibraryResult checkNewName(const QString &name) const;
    // The first "Profile N" nobody has.
    QString suggestedNewName() const;
    // "<current> copy", else "<current> copy N" with the first N free.
    QString suggestedCopyName() const;

    // A new profile in the current slot, from the template or from what the slot shows;
    // the profile it showed stays in the library.
    KestLibraryResult add(const QString &name, bool fromCurrent);
    // The entry that will show in the current slot once its profile is deleted, or why
    // it cannot be deleted (LastProfile, DefaultProfile).
    KestLibraryResult deletionReplacement(QString *replacement) const;
    // Deletes the current slot's profile; `replacement` takes its place.
    KestLibraryResult remove(const QString &replacement);
    // A copy of the current slot's profile under `target`, which the slot then shows.
    KestLibraryResult copy(const QString &target);
    KestLibraryResult rename(const QString &newName);
    // AlreadyUsed or InvalidName when the current slot cannot show `name`.
    KestLibraryResult checkAssign(const QString &name) const;
    KestLibraryResult assign(const QString &name);

    KestLibraryResult importProfile(const QString &path);
    // The current slot's profile with the product tag; `file` holds the path written.
    KestLibraryResult exportProfile(const QString &chosenPath);
    KestLibraryResult exportConfiguration(const QString &chosenPath);
    // The slots keep their names; the caller writes the set.
    KestLibraryResult importConfiguration(const QString &path);

    // Drops unapplied edits of the current slot: back to its file, or to `lastWritten`
    // when it has none yet. Returns whether the current slot could be stored.
    KestFileResult revertCurrentSlot(const ConfigRecord &lastWritten);
    void resetCurrentSlot();
    void resetAll();

private:
    ProfileRecord &currentProfile();
    QString &currentNameRef();
    bool isTaken(const QString &name) const;
    void showInCurrentSlot(const QString &name);
    KestFileResult saveSlotNames() const;
    KestFileResult saveList() const;
    KestFileResult saveListAndSlotNames() const;

    ConfigRecord &m_working;
    QStringList &m_list;
    int m_slot;
    QString m_product;
};
