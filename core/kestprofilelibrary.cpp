// SPDX-License-Identifier: GPL-2.0-or-later
#include "core/kestprofilelibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "store/appsettings.h"
#include "store/configimport.h"
#include "store/profilefiles.h"

namespace {

using Result = KestLibraryResult;

bool fileExists(const QString &path)
{
    return QFileInfo(path).isFile();
}

Result outcome(Result::Outcome what)
{
    Result result;
    result.outcome = what;
    return result;
}

// Done when `file` is saved, else FileFailed naming it; `changed` as given.
Result fileOutcome(const KestFileResult &file, bool changed)
{
    Result result;
    result.outcome = file.isOk() ? Result::Done : Result::FileFailed;
    result.file = file;
    result.changed = changed;
    return result;
}

// Replaces target with a copy of source in one step: the user confirmed the replacement
// in the save dialog, and a failed copy must not leave half a file.
KestFileResult copyReplacing(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return KestFileResult::refused(source, KestFileResult::Unreadable);
    const QByteArray content = in.readAll();
    const QFileInfo where(target);
    if (where.isSymLink() || (where.exists() && !where.isFile()))
        return KestFileResult::notSaved(target, KestFileResult::NotRegularFile);
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size() || !out.commit())
        return KestFileResult::notSaved(target, out.error() == QFileDevice::ResourceError
                                                    ? KestFileResult::NoSpace
                                                    : KestFileResult::WriteFailed);
    return KestFileResult::saved(target);
}

} // namespace

KestProfileLibrary::KestProfileLibrary(ConfigRecord &working, QStringList &list, int slot, const QString &product)
    : m_working(working), m_list(list), m_slot(qBound(0, slot, SLOT_COUNT - 1)), m_product(product)
{
}

bool KestProfileLibrary::isDefaultProfileName(const QString &name)
{
    for (int i = 1; i <= SLOT_COUNT; ++i) {
        if (name == QStringLiteral("Profile %1").arg(i))
            return true;
    }
    return false;
}

QString KestProfileLibrary::withSuffix(const QString &path, const QString &suffix)
{
    // The file dialog hands back what was typed; without the suffix the import's filter
    // would hide the file.
    if (path.isEmpty() || path.endsWith(QLatin1Char('.') + suffix, Qt::CaseInsensitive))
        return path;
    return path + QLatin1Char('.') + suffix;
}

ProfileRecord &KestProfileLibrary::currentProfile()
{
    return m_working.profiles[size_t(m_slot)];
}

QString &KestProfileLibrary::currentNameRef()
{
    return m_working.names[size_t(m_slot)];
}

QString KestProfileLibrary::currentName() const
{
    return m_working.names[size_t(m_slot)];
}

bool KestProfileLibrary::isOtherSlotsName(const QString &name) const
{
    for (int k = 0; k < SLOT_COUNT; ++k) {
        if (k != m_slot && m_working.names[size_t(k)] == name)
            return true;
    }
    return false;
}

// A listed name whose file is not written yet is taken all the same: its file may follow.
bool KestProfileLibrary::isTaken(const QString &name) const
{
    return fileExists(profileFilePath(name)) || m_list.contains(name);
}

KestLibraryResult KestProfileLibrary::checkNewName(const QString &name) const
{
    if (!isValidStoreName(name))
        return outcome(Result::InvalidName);
    if (isTaken(name))
        return outcome(Result::NameTaken);
    return {};
}

QString KestProfileLibrary::suggestedNewName() const
{
    QString name;
    for (int n = 1;; ++n) {
        name = QStringLiteral("Profile %1").arg(n);
        if (!isTaken(name))
            return name;
    }
}

QString KestProfileLibrary::suggestedCopyName() const
{
    const QString name = currentName();
    QString copy = name + QStringLiteral(" copy");
    for (int n = 2; isTaken(copy); ++n)
        copy = name + QStringLiteral(" copy %1").arg(n);
    return copy;
}

// The current slot shows the library profile `name` from now on.
void KestProfileLibrary::showInCurrentSlot(const QString &name)
{
    currentNameRef() = name;
    loadSlotFile(currentProfile(), name);
    currentProfile().ProfileName = name;
}

// What each slot shows is stored at once: a slot still named after a renamed or deleted
// file would point at nothing at the next start, and one that was given another profile
// would go back to the old one.
KestFileResult KestProfileLibrary::saveSlotNames() const
{
    return saveSlotList(m_working);
}

KestFileResult KestProfileLibrary::saveList() const
{
    return writeProfileList(m_list);
}

// The library list and the slot names after an operation changed them, both or neither
// reported: the files are what the next start reads.
KestFileResult KestProfileLibrary::saveListAndSlotNames() const
{
    return KestFileResult::firstFailure(saveList(), saveSlotNames());
}

KestLibraryResult KestProfileLibrary::add(const QString &name, bool fromCurrent)
{
    const Result checked = checkNewName(name);
    if (!checked.ok())
        return checked;
    ProfileRecord fresh;
    if (fromCurrent) {
        fresh = currentProfile();
    } else {
        if (!fileExists(templatePath())) {
            const KestFileResult written = writeTemplate();
            if (!written.isOk())
                return fileOutcome(written, false);
        }
        const KestFileResult loaded = loadProfile(0, fresh, templatePath());
        if (!loaded.isOk())
            return fileOutcome(loaded, false);
    }
    fresh.ProfileName = name;
    const KestFileResult saved = saveSlotFile(fresh, name);
    if (!saved.isOk())
        return fileOutcome(saved, false);
    const QString before = currentName();
    m_list.append(name);
    showInCurrentSlot(name);
    const KestFileResult listed = saveListAndSlotNames();
    if (!listed.isOk()) {
        // A profile the list does not name would be lost at the next start.
        m_list.removeAll(name);
        QFile::remove(profileFilePath(name));
        showInCurrentSlot(before);
        // Putting back what the files held; the failure is the one reported.
        static_cast<void>(saveList());
        static_cast<void>(saveSlotNames());
    }
    return fileOutcome(listed, true);
}

KestLibraryResult KestProfileLibrary::deletionReplacement(QString *replacement) const
{
    const QString name = currentName();
    if (m_list.size() <= 1)
        return outcome(Result::LastProfile);
    if (isDefaultProfileName(name))
        return outcome(Result::DefaultProfile);

    // The entry after the deleted one (before it when it is last), stepping towards the
    // start past entries another slot shows. When the walk runs off the start, the first
    // entry nobody else shows; the deleted entry never counts.
    const int index = m_list.indexOf(name);
    auto usable = [&](int i) { return i != index && !isOtherSlotsName(m_list[i]); };
    int candidate = index < 0 ? m_list.size() - 1 : (index == m_list.size() - 1 ? index - 1 : index + 1);
    while (candidate >= 0 && !usable(candidate))
        --candidate;
    for (int i = 0; candidate < 0 && i < m_list.size(); ++i) {
        if (usable(i))
            candidate = i;
    }
    if (candidate < 0)
        return outcome(Result::LastProfile);
    *replacement = m_list[candidate];
    return {};
}

KestLibraryResult KestProfileLibrary::remove(const QString &replacement)
{
    const QString name = currentName();
    const QString path = profileFilePath(name);
    if (isValidStoreName(name) && fileExists(path) && !QFile::remove(path))
        return fileOutcome(KestFileResult::notSaved(path, KestFileResult::WriteFailed), false);
    m_list.removeAll(name);
    showInCurrentSlot(replacement);
    return fileOutcome(saveListAndSlotNames(), true);
}

KestLibraryResult KestProfileLibrary::copy(const QString &target)
{
    const QString name = currentName();
    if (!isValidStoreName(name))
        return outcome(Result::InvalidName);
    const Result checked = checkNewName(target);
    if (!checked.ok())
        return checked;
    // A slot that was never saved has no file yet: copy what it holds.
    const QString source = profileFilePath(name);
    const KestFileResult copied = fileExists(source) ? copyReplacing(source, profileFilePath(target))
                                                     : saveSlotFile(currentProfile(), target);
    if (!copied.isOk())
        return fileOutcome(copied, false);
    m_list.append(target);
    currentNameRef() = target;
    currentProfile().ProfileName = target;
    return fileOutcome(saveListAndSlotNames(), true);
}

KestLibraryResult KestProfileLibrary::rename(const QString &newName)
{
    const QString oldName = currentName();
    if (newName == oldName)
        return {};
    if (!isValidStoreName(newName) || !isValidStoreName(oldName))
        return outcome(Result::InvalidName);
    if (isTaken(newName))
        return outcome(Result::NameTaken);

    const QStringList listBefore = m_list;
    const QString oldFile = profileFilePath(oldName);
    const QString newFile = profileFilePath(newName);
    ProfileRecord renamed = currentProfile();
    renamed.ProfileName = newName;
    // The five default profiles stay as they are (a reset and a new install start from
    // them): naming one makes a library profile of the slot's settings under the new name.
    const bool keepDefault = isDefaultProfileName(oldName);
    const bool writeNew = keepDefault || !fileExists(oldFile);
    KestFileResult moved = KestFileResult::saved(newFile);
    if (writeNew)
        moved = saveSlotFile(renamed, newName);
    else if (!QFile::rename(oldFile, newFile))
        moved = KestFileResult::notSaved(newFile, KestFileResult::WriteFailed);
    if (!moved.isOk())
        return fileOutcome(moved, false);

    const int index = m_list.indexOf(oldName);
    if (index >= 0 && !keepDefault)
        m_list[index] = newName;
    else if (!m_list.contains(newName))
        m_list.append(newName);
    currentNameRef() = newName;
    currentProfile().ProfileName = newName;
    const KestFileResult listed = saveListAndSlotNames();
    if (!listed.isOk()) {
        // Half a rename would leave the slot pointing at a name the next start cannot
        // find: everything goes back to the old name.
        if (writeNew)
            QFile::remove(newFile);
        else
            QFile::rename(newFile, oldFile);
        m_list = listBefore;
        currentNameRef() = oldName;
        currentProfile().ProfileName = oldName;
        // Putting back what the files held; the failure is the one reported.
        static_cast<void>(saveList());
        static_cast<void>(saveSlotNames());
    }
    return fileOutcome(listed, true);
}

KestLibraryResult KestProfileLibrary::checkAssign(const QString &name) const
{
    if (isOtherSlotsName(name))
        return outcome(Result::AlreadyUsed);
    if (!isValidStoreName(name))
        return outcome(Result::InvalidName);
    return {};
}

KestLibraryResult KestProfileLibrary::assign(const QString &name)
{
    const Result checked = checkAssign(name);
    if (!checked.ok())
        return checked;
    showInCurrentSlot(name);
    return fileOutcome(saveSlotNames(), true);
}

KestLibraryResult KestProfileLibrary::importProfile(const QString &path)
{
    QString tag;
    const KestFileResult read = readProductTag(path, tag);
    if (!read.isOk())
        return fileOutcome(read, false);
    if (tag != m_product)
        return outcome(Result::OtherProduct);
    const QString name = QFileInfo(path).completeBaseName();
    if (!isValidStoreName(name))
        return outcome(Result::InvalidName);
    // Another slot's name counts even without its file: the import would take it over.
    if (fileExists(profileFilePath(name)) || isOtherSlotsName(name))
        return outcome(Result::NameTaken);
    QDir().mkpath(profileFolder());
    const KestFileResult copied = copyReplacing(path, profileFilePath(name));
    if (!copied.isOk())
        return fileOutcome(copied, false);
    m_list.append(name);
    const KestFileResult listed = saveList();
    if (!listed.isOk()) {
        m_list.removeAll(name);
        QFile::remove(profileFilePath(name));
        return fileOutcome(listed, false);
    }
    // The slot now shows the imported profile, so that the write that follows saves it
    // under its own name rather than over the profile the slot showed before.
    showInCurrentSlot(name);
    return fileOutcome(copied, true);
}

KestLibraryResult KestProfileLibrary::exportProfile(const QString &chosenPath)
{
    const QString path = withSuffix(chosenPath, QStringLiteral("prof"));
    const QString name = currentName();
    KestFileResult result;
    if (isValidStoreName(name) && fileExists(profileFilePath(name))) {
        const QString source = profileFilePath(name);
        result = writeProductTag(m_product, source);
        if (result.isOk())
            result = copyReplacing(source, path);
    } else {
        result = saveProfile(0, currentProfile(), path);
        if (result.isOk())
            result = writeProductTag(m_product, path);
    }
    return fileOutcome(result.isOk() ? KestFileResult::saved(path) : result, false);
}

KestLibraryResult KestProfileLibrary::exportConfiguration(const QString &chosenPath)
{
    const QString path = withSuffix(chosenPath, QStringLiteral("conf"));
    KestFileResult result = exportConfig(m_working, path);
    if (result.isOk())
        result = writeProductTag(m_product, path);
    return fileOutcome(result.isOk() ? KestFileResult::saved(path) : result, false);
}

KestLibraryResult KestProfileLibrary::importConfiguration(const QString &path)
{
    const ConfigImport imported = ::importConfiguration(m_working, path, m_product);
    if (imported.outcome == ConfigImport::Refused)
        return fileOutcome(imported.file, false);
    if (imported.outcome == ConfigImport::OtherProduct)
        return outcome(Result::OtherProduct);
    return fileOutcome(KestFileResult::ok(path), true);
}

KestFileResult KestProfileLibrary::revertCurrentSlot(const ConfigRecord &lastWritten)
{
    const QString name = currentName();
    if (isValidStoreName(name) && fileExists(profileFilePath(name)))
        loadSlotFile(currentProfile(), name);
    else
        currentProfile() = lastWritten.profiles[size_t(m_slot)];
    return saveActiveSlot(m_slot);
}

void KestProfileLibrary::resetCurrentSlot()
{
    makeDefaultProfile(currentProfile());
    currentProfile().ProfileName = currentName();
}

void KestProfileLibrary::resetAll()
{
    for (int k = 0; k < SLOT_COUNT; ++k) {
        makeDefaultProfile(m_working.profiles[size_t(k)]);
        m_working.profiles[size_t(k)].ProfileName = m_working.names[size_t(k)];
    }
}
