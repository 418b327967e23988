// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/kestprofilemanager.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>

#include "store/appsettings.h"
#include "store/profilefiles.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestnamedialog.h"

namespace {

bool fileExists(const QString &path)
{
    return QFileInfo(path).isFile();
}

// Replaces target with a copy of source in one step: the user confirmed the replacement
// in the save dialog, and a failed copy must not leave half a file.
bool copyReplacing(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = in.readAll();
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size())
        return false;
    return out.commit();
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

QString KestProfileManager::askName(const QString &suggestion)
{
    if (m_nameHandler)
        return m_nameHandler(suggestion).trimmed();
    return KestNameDialog::ask(tr("New profile"), tr("Name of the new profile:"), suggestion,
                               m_host.dialogParent());
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
    KestMessageBox box(kind, QString(), tr("Warning"), text, m_host.dialogParent());
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
void KestProfileManager::saveSlotNames()
{
    saveSlotList(working());
}

void KestProfileManager::saveList()
{
    writeProfileList(m_host.profileNames());
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
    const QString name = askName(suggestion);
    if (name.isEmpty())
        return;
    if (!isValidStoreName(name)) {
        message(KestMessageBox::Warning, tr("This name cannot be used for a profile."));
        return;
    }
    if (fileExists(profileFilePath(name)) || m_host.profileNames().contains(name)) {
        message(KestMessageBox::Warning, tr("Profile Exist!"));
        return;
    }
    if (!fileExists(templatePath()))
        writeTemplate();
    if (!QFile::copy(templatePath(), profileFilePath(name))) {
        message(KestMessageBox::Warning, tr("The file could not be saved."));
        return;
    }
    m_host.profileNames().append(name);
    saveList();
    showInCurrentSlot(name);
    saveSlotNames();
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
        message(KestMessageBox::Warning, tr("The default Profile cannot be deleted or renamed."));
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
    list.removeAll(name);
    if (isValidStoreName(name))
        QFile::remove(profileFilePath(name));
    saveList();
    showInCurrentSlot(replacement);
    saveSlotNames();
    m_host.refreshProfileView(KestProfileHost::RefreshNames | KestProfileHost::RefreshPanels);
}

void KestProfileManager::slotCopyProfile()
{
    const QString name = currentName();
    if (!isValidStoreName(name))
        return;
    QString target = name + QStringLiteral(" copy");
    for (int n = 2; fileExists(profileFilePath(target)); ++n)
        target = name + QStringLiteral(" copy %1").arg(n);

    // A slot that was never saved has no file yet: copy what it holds.
    const QString source = profileFilePath(name);
    const bool copied = fileExists(source) ? QFile::copy(source, profileFilePath(target))
                                           : saveSlotFile(currentProfile(), target).isOk();
    if (!copied) {
        message(KestMessageBox::Warning, tr("The file could not be saved."));
        return;
    }
    m_host.profileNames().append(target);
    currentName() = target;
    currentProfile().ProfileName = target;
    saveList();
    saveSlotNames();
    m_host.refreshProfileView(KestProfileHost::RefreshNames);
}

void KestProfileManager::slotRenameProfile(const QString &newName)
{
    const QString oldName = currentName();
    if (newName == oldName)
        return;
    if (isDefaultProfileName(oldName)) {
        message(KestMessageBox::Warning, tr("The default Profile cannot be deleted or renamed."));
        m_host.refreshProfileView(KestProfileHost::RefreshNames);
        return;
    }
    if (!isValidStoreName(newName) || !isValidStoreName(oldName)) {
        message(KestMessageBox::Warning, tr("This name cannot be used for a profile."));
        m_host.refreshProfileView(KestProfileHost::RefreshNames);
        return;
    }
    if (fileExists(profileFilePath(newName))) {
        message(KestMessageBox::Warning, tr("Profile Exist!"));
        m_host.refreshProfileView(KestProfileHost::RefreshNames);
        return;
    }

    QStringList &list = m_host.profileNames();
    const int index = list.indexOf(oldName);
    if (index >= 0)
        list[index] = newName;
    else
        list.append(newName);
    currentName() = newName;
    currentProfile().ProfileName = newName;
    if (fileExists(profileFilePath(oldName)))
        QFile::rename(profileFilePath(oldName), profileFilePath(newName));
    else
        saveSlotFile(currentProfile(), newName);
    saveList();
    saveSlotNames();
    m_host.refreshProfileView(KestProfileHost::RefreshNames);
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
    saveSlotNames();
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
    if (!QFile::copy(path, profileFilePath(name))) {
        message(KestMessageBox::Warning, tr("The file could not be saved."));
        return false;
    }
    m_host.profileNames().append(name);
    saveList();
    // The slot now shows the imported profile, so the write below saves it under its own
    // name rather than over the profile the slot showed before.
    showInCurrentSlot(name);
    m_host.refreshProfileView(KestProfileHost::RefreshNames | KestProfileHost::RefreshPanels);
    runWriteSequence();
    return true;
}

bool KestProfileManager::exportProfileTo(const QString &path)
{
    const QString name = currentName();
    bool ok = false;
    if (isValidStoreName(name) && fileExists(profileFilePath(name))) {
        const QString source = profileFilePath(name);
        ok = writeProductTag(m_host.productName(), source) && copyReplacing(source, path);
    } else {
        ok = saveProfile(0, currentProfile(), path) && writeProductTag(m_host.productName(), path);
    }
    if (!ok)
        message(KestMessageBox::Warning, tr("The file could not be saved."));
    return ok;
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
    const QString path = QFileDialog::getSaveFileName(m_host.dialogParent(), tr("Save Profile File"),
                                                      QString(), tr("Profile File(*.prof)"));
    if (!path.isEmpty())
        exportProfileTo(path);
}
