// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/kestprofilemanager.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QCheckBox>
#include <QLineEdit>
#include <QSaveFile>
#include <QVBoxLayout>

#include "store/appsettings.h"
#include "store/profilefiles.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestnamedialog.h"
#include "widgets/kestskin.h"

namespace {

bool fileExists(const QString &path)
{
    return QFileInfo(path).isFile();
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

KestProfileManager::KestProfileManager(KestProfileHost &host, QObject *parent)
    : QObject(parent), m_host(host)
{
}

void KestProfileManager::setMessageHandler(MessageHandler handler)
{
    m_messageHandler = std::move(handler);
}

void KestProfileManager::setNameHandler(NameHandler handler)
{
    m_nameHandler = std::move(handler);
}

KestProfileManager::NameAnswer KestProfileManager::askName(const NameRequest &request)
{
    NameAnswer answer;
    if (m_nameHandler) {
        answer = m_nameHandler(request);
        answer.name = answer.name.trimmed();
        return answer;
    }
    KestNameDialog dialog(request.title, request.prompt, request.suggestion, m_host.dialogParent());
    QCheckBox *fromCurrent = nullptr;
    if (request.offerCurrent) {
        fromCurrent = new QCheckBox(tr("Start from the current settings instead"), &dialog);
        // The skin's own box: the platform's is black on the dark dialog.
        const int side = scaled(14);
        fromCurrent->setStyleSheet(
            QStringLiteral("QCheckBox{color:white;background:transparent;}"
                           "QCheckBox::indicator{width:%1px;height:%1px;}"
                           "QCheckBox::indicator:unchecked{image:url(%2);}"
                           "QCheckBox::indicator:checked{image:url(%3);}")
                .arg(side)
                .arg(skinPath(QStringLiteral("checkbox1-1.png")), skinPath(QStringLiteral("checkbox1-2.png"))));
        fromCurrent->setFont(dialog.lineEdit()->font());
        // Below the name line, above OK and Cancel.
        if (auto *column = qobject_cast<QVBoxLayout *>(dialog.layout()))
            column->insertWidget(column->indexOf(dialog.lineEdit()) + 1, fromCurrent);
    }
    if (dialog.exec() != QDialog::Accepted)
        return answer;
    answer.name = dialog.name();
    answer.fromCurrent = fromCurrent && fromCurrent->isChecked();
    return answer;
}

QString KestProfileManager::freeName(const QString &base, const QString &numbered) const
{
    QString name = base;
    for (int n = 2; fileExists(profileFilePath(name)) || m_host.profileNames().contains(name); ++n)
        name = numbered.arg(n);
    return name;
}

// A name the user typed for a new library profile; false (and said why) when it cannot be.
bool KestProfileManager::acceptNewName(const QString &name)
{
    if (!isValidStoreName(name)) {
        message(KestMessageBox::Warning, tr("This name cannot be used for a profile."));
        return false;
    }
    if (fileExists(profileFilePath(name)) || m_host.profileNames().contains(name)) {
        message(KestMessageBox::Warning, tr("Profile Exist!"));
        return false;
    }
    return true;
}

bool KestProfileManager::reportSave(const KestFileResult &result)
{
    if (result.isOk())
        return true;
    message(KestMessageBox::Warning, result.text());
    return false;
}

bool KestProfileManager::settleUnappliedEdits()
{
    if (m_writing || !m_host.hasUnappliedEdits())
        return true;
    const int answer = message(KestMessageBox::Choice,
                               tr("Apply the changes to %1 first?").arg(currentName()));
    if (answer == KestMessageBox::ApplyChosen) {
        slotApply();
        return true;
    }
    if (answer == KestMessageBox::DiscardChosen) {
        m_host.discardUnappliedEdits();
        return true;
    }
    return false;
}

int KestProfileManager::message(int kind, const QString &text)
{
    if (m_messageHandler)
        return m_messageHandler(kind, text);
    KestMessageBox box(kind, QString(), kind == KestMessageBox::Notice ? tr("Done") : tr("Warning"), text,
                       m_host.dialogParent());
    return box.exec();
}

bool KestProfileManager::isDefaultProfileName(const QString &name)
{
    for (int i = 1; i <= SLOT_COUNT; ++i) {
        if (name == QStringLiteral("Profile %1").arg(i))
            return true;
    }
    return false;
}

ProfileRecord &KestProfileManager::currentProfile()
{
    return working().profiles[m_host.currentSlot()];
}

QString &KestProfileManager::currentName()
{
    return working().names[m_host.currentSlot()];
}

bool KestProfileManager::isOtherSlotsName(const QString &name) const
{
    const ConfigRecord &set = m_host.workingSet();
    for (int k = 0; k < SLOT_COUNT; ++k) {
        if (k != m_host.currentSlot() && set.names[k] == name)
            return true;
    }
    return false;
}

// The current slot shows the library profile `name` from now on.
void KestProfileManager::showInCurrentSlot(const QString &name)
{
    currentName() = name;
    loadSlotFile(currentProfile(), name);
    currentProfile().ProfileName = name;
}

// What each slot shows is stored at once: a slot still named after a renamed or deleted
// file would point at nothing at the next start, and one that was given another profile
// would go back to the old one.
KestFileResult KestProfileManager::saveSlotNames()
{
    return saveSlotList(working());
}

KestFileResult KestProfileManager::saveList()
{
    return writeProfileList(m_host.profileNames());
}

// The library list and the slot names after an operation changed them, both or neither
// reported: the files are what the next start reads.
bool KestProfileManager::saveListAndSlotNames()
{
    return reportSave(KestFileResult::firstFailure(saveList(), saveSlotNames()));
}

void KestProfileManager::slotAddProfile()
{
    if (!settleUnappliedEdits())
        return;
    QString suggestion;
    for (int n = 1;; ++n) {
        suggestion = QStringLiteral("Profile %1").arg(n);
        if (!fileExists(profileFilePath(suggestion)) && !m_host.profileNames().contains(suggestion))
            break;
    }
    NameRequest request;
    request.title = tr("New profile");
    request.prompt = tr("Add puts a new profile with the default settings in this slot, in place "
                        "of \"%1\", which stays in the library. Name of the new profile:")
                         .arg(currentName());
    request.suggestion = suggestion;
    request.offerCurrent = true;
    const NameAnswer answer = askName(request);
    const QString name = answer.name;
    if (name.isEmpty() || !acceptNewName(name))
        return;

    ProfileRecord fresh;
    if (answer.fromCurrent) {
        fresh = currentProfile();
    } else {
        if (!fileExists(templatePath()) && !reportSave(writeTemplate()))
            return;
        if (!reportSave(loadProfile(0, fresh, templatePath())))
            return;
    }
    fresh.ProfileName = name;
    if (!reportSave(saveSlotFile(fresh, name)))
        return;
    const QString before = currentName();
    m_host.profileNames().append(name);
    showInCurrentSlot(name);
    if (!saveListAndSlotNames()) {
        // A profile the list does not name would be lost at the next start.
        m_host.profileNames().removeAll(name);
        QFile::remove(profileFilePath(name));
        showInCurrentSlot(before);
        // Putting back what the files held; the failure was said already.
        static_cast<void>(saveList());
        static_cast<void>(saveSlotNames());
    }
    m_host.refreshProfileView(KestProfileHost::RefreshNames | KestProfileHost::RefreshPanels);
}

void KestProfileManager::slotDeleteProfile()
{
    QStringList &list = m_host.profileNames();
    const QString name = currentName();
    if (list.size() <= 1) {
        message(KestMessageBox::Warning, tr("AT LEAST ONE PROFILE TO BE RETAINED."));
        return;
    }
    if (isDefaultProfileName(name)) {
        message(KestMessageBox::Warning, tr("The default Profile cannot be deleted."));
        return;
    }

    // The replacement: the entry after the deleted one (before it when it is last),
    // stepping towards the start past entries another slot shows. When the walk runs
    // off the start, the first entry nobody else shows; the deleted entry never counts.
    const int index = list.indexOf(name);
    auto usable = [&](int i) { return i != index && !isOtherSlotsName(list[i]); };
    int candidate = index < 0 ? list.size() - 1 : (index == list.size() - 1 ? index - 1 : index + 1);
    while (candidate >= 0 && !usable(candidate))
        --candidate;
    for (int i = 0; candidate < 0 && i < list.size(); ++i) {
        if (usable(i))
            candidate = i;
    }
    if (candidate < 0) {
        message(KestMessageBox::Warning, tr("AT LEAST ONE PROFILE TO BE RETAINED."));
        return;
    }
    if (message(KestMessageBox::Question, tr("Are you sure you want delete this profile?")) != 1)
        return;

    const QString replacement = list[candidate];
    if (isValidStoreName(name) && fileExists(profileFilePath(name))
        && !QFile::remove(profileFilePath(name))) {
        reportSave(KestFileResult::notSaved(profileFilePath(name), KestFileResult::WriteFailed));
        return;
    }
    list.removeAll(name);
    showInCurrentSlot(replacement);
    saveListAndSlotNames();
    m_host.refreshProfileView(KestProfileHost::RefreshNames | KestProfileHost::RefreshPanels);
}

void KestProfileManager::slotCopyProfile()
{
    const QString name = currentName();
    if (!isValidStoreName(name))
        return;
    NameRequest request;
    request.title = tr("Copy profile");
    request.prompt = tr("This slot will show the copy of \"%1\". Name of the copy:").arg(name);
    request.suggestion = freeName(name + QStringLiteral(" copy"), name + QStringLiteral(" copy %1"));
    const QString target = askName(request).name;
    if (target.isEmpty() || !acceptNewName(target))
        return;

    // A slot that was never saved has no file yet: copy what it holds.
    const QString source = profileFilePath(name);
    const KestFileResult copied = fileExists(source) ? copyReplacing(source, profileFilePath(target))
                                                     : saveSlotFile(currentProfile(), target);
    if (!reportSave(copied))
        return;
    m_host.profileNames().append(target);
    currentName() = target;
    currentProfile().ProfileName = target;
    saveListAndSlotNames();
    m_host.refreshProfileView(KestProfileHost::RefreshNames);
}

void KestProfileManager::slotRenameProfile(const QString &newName)
{
    const QString oldName = currentName();
    if (newName == oldName)
        return;
    if (!isValidStoreName(newName) || !isValidStoreName(oldName)) {
        message(KestMessageBox::Warning, tr("This name cannot be used for a profile."));
        m_host.refreshProfileView(KestProfileHost::RefreshNames);
        return;
    }
    if (fileExists(profileFilePath(newName)) || m_host.profileNames().contains(newName)) {
        message(KestMessageBox::Warning, tr("Profile Exist!"));
        m_host.refreshProfileView(KestProfileHost::RefreshNames);
        return;
    }

    QStringList &list = m_host.profileNames();
    const QStringList listBefore = list;
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
    if (!reportSave(moved)) {
        m_host.refreshProfileView(KestProfileHost::RefreshNames);
        return;
    }

    const int index = list.indexOf(oldName);
    if (index >= 0 && !keepDefault)
        list[index] = newName;
    else if (!list.contains(newName))
        list.append(newName);
    currentName() = newName;
    currentProfile().ProfileName = newName;
    if (!saveListAndSlotNames()) {
        // Half a rename would leave the slot pointing at a name the next start cannot
        // find: everything goes back to the old name.
        if (writeNew)
            QFile::remove(newFile);
        else
            QFile::rename(newFile, oldFile);
        list = listBefore;
        currentName() = oldName;
        currentProfile().ProfileName = oldName;
        // Putting back what the files held; the failure was said already.
        static_cast<void>(saveList());
        static_cast<void>(saveSlotNames());
    }
    m_host.refreshProfileView(KestProfileHost::RefreshNames);
}

void KestProfileManager::slotNameSlot()
{
    NameRequest request;
    request.title = tr("Profile name");
    request.prompt = isDefaultProfileName(currentName())
                         ? tr("\"%1\" stays as it is; this slot's settings are kept under the new "
                              "name. Name:").arg(currentName())
                         : tr("Name of the profile in this slot:");
    request.suggestion = currentName();
    const QString name = askName(request).name;
    if (!name.isEmpty())
        slotRenameProfile(name);
}

void KestProfileManager::slotAssignProfile(const QString &name)
{
    if (isOtherSlotsName(name)) {
        message(KestMessageBox::Warning, tr("Profile is Already Used!"));
        return;
    }
    if (!isValidStoreName(name))
        return;
    if (!settleUnappliedEdits())
        return;
    showInCurrentSlot(name);
    reportSave(saveSlotNames());
    m_host.refreshProfileView(KestProfileHost::RefreshNames | KestProfileHost::RefreshPanels);
}

bool KestProfileManager::importProfileFrom(const QString &path)
{
    QString tag;
    const KestFileResult file = readProductTag(path, tag);
    if (!file.isOk()) {
        message(KestMessageBox::Warning, file.text());
        return false;
    }
    if (tag != m_host.productName()) {
        message(KestMessageBox::Warning, tr("The file is not match current mouse!"));
        return false;
    }
    const QString name = QFileInfo(path).completeBaseName();
    if (!isValidStoreName(name)) {
        message(KestMessageBox::Warning, tr("This name cannot be used for a profile."));
        return false;
    }
    if (fileExists(profileFilePath(name)) || isOtherSlotsName(name)) {
        message(KestMessageBox::Warning, tr("Profile Exist!"));
        return false;
    }
    QDir().mkpath(profileFolder());
    if (!reportSave(copyReplacing(path, profileFilePath(name))))
        return false;
    m_host.profileNames().append(name);
    if (!reportSave(saveList())) {
        m_host.profileNames().removeAll(name);
        QFile::remove(profileFilePath(name));
        return false;
    }
    // The slot now shows the imported profile, so the write below saves it under its own
    // name rather than over the profile the slot showed before.
    showInCurrentSlot(name);
    m_host.refreshProfileView(KestProfileHost::RefreshNames | KestProfileHost::RefreshPanels);
    runWriteSequence();
    return true;
}

bool KestProfileManager::exportProfileTo(const QString &chosenPath)
{
    const QString path = withSuffix(chosenPath, QStringLiteral("prof"));
    const QString name = currentName();
    KestFileResult result;
    if (isValidStoreName(name) && fileExists(profileFilePath(name))) {
        const QString source = profileFilePath(name);
        result = writeProductTag(m_host.productName(), source);
        if (result.isOk())
            result = copyReplacing(source, path);
    } else {
        result = saveProfile(0, currentProfile(), path);
        if (result.isOk())
            result = writeProductTag(m_host.productName(), path);
    }
    if (!reportSave(result))
        return false;
    message(KestMessageBox::Notice, tr("The profile was saved to \"%1\".").arg(QDir::toNativeSeparators(path)));
    return true;
}

QString KestProfileManager::withSuffix(const QString &path, const QString &suffix)
{
    // The file dialog hands back what was typed; without the suffix the import's filter
    // would hide the file.
    if (path.isEmpty() || path.endsWith(QLatin1Char('.') + suffix, Qt::CaseInsensitive))
        return path;
    return path + QLatin1Char('.') + suffix;
}

void KestProfileManager::slotImportProfile()
{
    const QString path = QFileDialog::getOpenFileName(m_host.dialogParent(), tr("Load Profile File"),
                                                      QString(), tr("Profile File(*.prof)"));
    if (!path.isEmpty())
        importProfileFrom(path);
}

void KestProfileManager::slotExportProfile()
{
    // The dialog adds the suffix itself, so that it also asks before replacing "name.prof".
    QFileDialog dialog(m_host.dialogParent(), tr("Save Profile File"), QString(), tr("Profile File(*.prof)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("prof"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        exportProfileTo(dialog.selectedFiles().constFirst());
}
