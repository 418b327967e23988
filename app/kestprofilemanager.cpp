// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/kestprofilemanager.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/kestmousecore.h"
#include "store/profilefiles.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestnamedialog.h"
#include "widgets/kestskin.h"

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

KestProfileLibrary KestProfileManager::library() const
{
    return core().profileLibrary();
}

QString KestProfileManager::currentName()
{
    return library().currentName();
}

bool KestProfileManager::report(const KestLibraryResult &result)
{
    switch (result.outcome) {
    case KestLibraryResult::Done:
        return true;
    case KestLibraryResult::InvalidName:
        message(KestMessageBox::Warning, tr("This name cannot be used for a profile."));
        break;
    case KestLibraryResult::NameTaken:
        message(KestMessageBox::Warning, tr("Profile Exist!"));
        break;
    case KestLibraryResult::LastProfile:
        message(KestMessageBox::Warning, tr("AT LEAST ONE PROFILE TO BE RETAINED."));
        break;
    case KestLibraryResult::DefaultProfile:
        message(KestMessageBox::Warning, tr("The default Profile cannot be deleted."));
        break;
    case KestLibraryResult::AlreadyUsed:
        message(KestMessageBox::Warning, tr("Profile is Already Used!"));
        break;
    case KestLibraryResult::OtherProduct:
        message(KestMessageBox::Warning, tr("The file is not match current mouse!"));
        break;
    case KestLibraryResult::FileFailed:
        message(KestMessageBox::Warning, result.file.text());
        break;
    }
    return false;
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
        apply();
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


void KestProfileManager::addProfile()
{
    if (!settleUnappliedEdits())
        return;
    NameRequest request;
    request.title = tr("New profile");
    request.prompt = tr("Add puts a new profile with the default settings in this slot, in place "
                        "of \"%1\", which stays in the library. Name of the new profile:")
                         .arg(currentName());
    request.suggestion = library().suggestedNewName();
    request.offerCurrent = true;
    const NameAnswer answer = askName(request);
    if (answer.name.isEmpty() || !report(library().checkNewName(answer.name)))
        return;
    const KestLibraryResult added = library().add(answer.name, answer.fromCurrent);
    report(added);
    if (added.changed)
        m_host.refreshProfileView(KestProfileHost::RefreshNames | KestProfileHost::RefreshPanels);
}

void KestProfileManager::deleteProfile()
{
    QString replacement;
    if (!report(library().deletionReplacement(&replacement)))
        return;
    if (message(KestMessageBox::Question, tr("Are you sure you want delete this profile?")) != 1)
        return;
    const KestLibraryResult removed = library().remove(replacement);
    report(removed);
    if (removed.changed)
        m_host.refreshProfileView(KestProfileHost::RefreshNames | KestProfileHost::RefreshPanels);
}

void KestProfileManager::copyProfile()
{
    const QString name = currentName();
    if (!isValidStoreName(name))
        return;
    NameRequest request;
    request.title = tr("Copy profile");
    request.prompt = tr("This slot will show the copy of \"%1\". Name of the copy:").arg(name);
    request.suggestion = library().suggestedCopyName();
    const QString target = askName(request).name;
    if (target.isEmpty() || !report(library().checkNewName(target)))
        return;
    const KestLibraryResult copied = library().copy(target);
    report(copied);
    if (copied.changed)
        m_host.refreshProfileView(KestProfileHost::RefreshNames);
}

void KestProfileManager::renameProfile(const QString &newName)
{
    if (newName == currentName())
        return;
    report(library().rename(newName));
    // Refused, the name line shows the old name again.
    m_host.refreshProfileView(KestProfileHost::RefreshNames);
}

void KestProfileManager::nameSlot()
{
    NameRequest request;
    request.title = tr("Profile name");
    request.prompt = KestProfileLibrary::isDefaultProfileName(currentName())
                         ? tr("\"%1\" stays as it is; this slot's settings are kept under the new "
                              "name. Name:").arg(currentName())
                         : tr("Name of the profile in this slot:");
    request.suggestion = currentName();
    const QString name = askName(request).name;
    if (!name.isEmpty())
        renameProfile(name);
}

void KestProfileManager::assignProfile(const QString &name)
{
    const KestLibraryResult checked = library().checkAssign(name);
    // A name no profile file can have has nothing to show: there is nothing to ask.
    if (checked.outcome == KestLibraryResult::InvalidName || !report(checked))
        return;
    if (!settleUnappliedEdits())
        return;
    report(library().assign(name));
    m_host.refreshProfileView(KestProfileHost::RefreshNames | KestProfileHost::RefreshPanels);
}

bool KestProfileManager::importProfileFrom(const QString &path)
{
    if (!report(library().importProfile(path)))
        return false;
    m_host.refreshProfileView(KestProfileHost::RefreshNames | KestProfileHost::RefreshPanels);
    runWriteSequence();
    return true;
}

bool KestProfileManager::exportProfileTo(const QString &chosenPath)
{
    const KestLibraryResult exported = library().exportProfile(chosenPath);
    if (!report(exported))
        return false;
    message(KestMessageBox::Notice, tr("The profile was saved to \"%1\".")
                                        .arg(QDir::toNativeSeparators(exported.file.path())));
    return true;
}

void KestProfileManager::importProfile()
{
    const QString path = QFileDialog::getOpenFileName(m_host.dialogParent(), tr("Load Profile File"),
                                                      QString(), tr("Profile File(*.prof)"));
    if (!path.isEmpty())
        importProfileFrom(path);
}

void KestProfileManager::exportProfile()
{
    // The dialog adds the suffix itself, so that it also asks before replacing "name.prof".
    QFileDialog dialog(m_host.dialogParent(), tr("Save Profile File"), QString(), tr("Profile File(*.prof)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("prof"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        exportProfileTo(dialog.selectedFiles().constFirst());
}
