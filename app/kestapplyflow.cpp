// SPDX-License-Identifier: GPL-2.0-or-later
// The write sequence and the operations that end in it: apply, OK, cancel, reset, and
// the whole-configuration import and export.

#include "app/kestprofilemanager.h"

#include <QDebug>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>

#include "app/kestprocessdialog.h"
#include "core/kestmousecore.h"
#include "platform/logging.h"
#include "widgets/kestmessagebox.h"

namespace {

// BUTTON_INFO entries of the wheel.
constexpr int kWheelUpButton = 40;
constexpr int kWheelDownButton = 41;

QString skippedMacrosText(const QVector<KestMacroSkip> &skipped)
{
    QStringList buttons;
    for (const KestMacroSkip &skip : skipped) {
        const QString button = skip.button == kWheelUpButton ? KestProfileManager::tr("Wheel up")
                               : skip.button == kWheelDownButton
                                   ? KestProfileManager::tr("Wheel down")
                                   : KestProfileManager::tr("Button %1").arg(skip.button + 1);
        buttons << QStringLiteral("%1 (%2)").arg(button, skip.macro);
    }
    return KestProfileManager::tr("The mouse holds twelve macros. These buttons got no macro: %1.")
        .arg(buttons.join(QStringLiteral(", ")));
}

} // namespace

QString KestProfileManager::writeFailureText(int status, const KestFileResult &saved)
{
    // What happened, where the settings are now, and what the user can do about it: a
    // question would suggest that trying again helps, which it does not without a mouse.
    QStringList lines;
    if (status == SEND_NO_DEVICE)
        lines << tr("No mouse was found, so the settings were not sent.");
    else if (status == SEND_GAVE_UP)
        lines << tr("The mouse did not answer, so it may not hold the new settings.");
    else if (status != SEND_OK)
        lines << tr("Writing to the mouse failed, so it may not hold the new settings.");
    else
        lines << tr("The mouse holds the new settings, but they could not be saved on this computer.");
    if (saved.isOk()) {
        lines << tr("They are kept on this computer.");
    } else {
        if (status != SEND_OK)
            lines << tr("They could not be saved on this computer either.");
        lines << saved.text() << tr("Your changes stay in this window.");
    }
    if (status == SEND_NO_DEVICE)
        lines << tr("Plug in the receiver or the cable. If it is plugged in, install the access "
                    "rule described in the README. Then press Apply again.");
    else if (status == SEND_GAVE_UP)
        lines << tr("Switch the mouse on, bring it nearer the receiver or close other programs "
                    "that use it, then press Apply again.");
    else if (status != SEND_OK)
        lines << tr("Check that the receiver or the cable is plugged in, then press Apply again.");
    else
        lines << tr("Make room on the disk or mend the file, then press Apply again.");
    return lines.join(QLatin1Char('\n'));
}

bool KestProfileManager::isWriting() const
{
    return m_writing || core().isWriting();
}

int KestProfileManager::runWriteSequence(bool forceAll)
{
    // From here until the write is done the working set belongs to it: status reports the
    // reader queued before it stopped describe the mouse as it was, and the window drops
    // them while this flag is up instead of overwriting what the user set.
    m_writing = true;
    KestMouseCore &core = this->core();
    KestProcessDialog dialog(m_host.dialogParent());
    if (core.isWriting()) {
        // A write another face started is running: this one follows it.
        QEventLoop waitForOther;
        connect(&core, &KestMouseCore::writeFinished, &waitForOther, &QEventLoop::quit);
        waitForOther.exec();
    }
    // The core writes on its device worker, queued behind what was asked of the mouse
    // before (a slot switch still running); the dialog waits for its result. Reports the
    // reader queued before it stopped are not delivered before the core has taken the
    // records for the write: it drops them then.
    KestWriteResult written;
    bool done = false;
    QEventLoop waitForWrite;
    const QMetaObject::Connection finished =
        connect(&core, &KestMouseCore::writeFinished, &dialog,
                [&done, &written, &dialog, &waitForWrite](const KestWriteResult &result) {
                    done = true;
                    written = result;
                    dialog.writeDone();
                    waitForWrite.quit();
                });
    core.write(forceAll);
    const int result = dialog.exec();
    // The records belong to the write until it is over, whatever closed the dialog.
    if (!done)
        waitForWrite.exec();
    disconnect(finished);
    m_writing = false;

    const quint8 status = quint8(written.status);
    const QVector<KestMacroSkip> skipped = written.skipped(KestMacroSkip::NoRoom);
    if (result == 1 && (status != 0 || !written.saved.isOk()))
        message(KestMessageBox::Warning, writeFailureText(status, written.saved));
    else if (result == 1 && !skipped.isEmpty())
        message(KestMessageBox::Warning, skippedMacrosText(skipped));
    emit writeFinished(status);
    return status;
}

void KestProfileManager::apply()
{
    m_host.collectPanelValues();
    runWriteSequence();
}

void KestProfileManager::ok()
{
    // What the user sees is what gets written: the panels' values first.
    apply();
    emit hideRequested();
}

void KestProfileManager::cancel()
{
    emit hideRequested();
    // Unapplied edits are dropped: the slot goes back to its file, or to what was last
    // written when it has none yet.
    reportSave(library().revertCurrentSlot(core().lastWritten()));
    m_host.refreshProfileView(KestProfileHost::RefreshNames | KestProfileHost::RefreshPanels);
}

void KestProfileManager::resetProfile()
{
    if (message(KestMessageBox::Question, tr("Are you sure you want reset this profile?")) != 1)
        return;
    core().stopBatteryReader();
    qCDebug(lcUi, "Accepted %d", core().currentSlot());
    library().resetCurrentSlot();
    m_host.refreshProfileView(KestProfileHost::RefreshNames | KestProfileHost::RefreshPanels);
    runWriteSequence();
}

void KestProfileManager::resetAll()
{
    if (message(KestMessageBox::Question, tr("Are you sure you want reset all profiles?")) != 1)
        return;
    core().stopBatteryReader();
    library().resetAll();
    m_host.refreshProfileView(KestProfileHost::RefreshNames | KestProfileHost::RefreshPanels);
    runWriteSequence(true);
}

bool KestProfileManager::exportConfigTo(const QString &chosenPath)
{
    const KestLibraryResult exported = library().exportConfiguration(chosenPath);
    if (!report(exported))
        return false;
    message(KestMessageBox::Notice, tr("The configuration was saved to \"%1\".")
                                        .arg(QDir::toNativeSeparators(exported.file.path())));
    return true;
}

bool KestProfileManager::importConfigFrom(const QString &path)
{
    if (!report(library().importConfiguration(path)))
        return false;
    m_host.refreshProfileView(KestProfileHost::RefreshNames | KestProfileHost::RefreshPanels
                              | KestProfileHost::ShowLighting);
    runWriteSequence();
    return true;
}

void KestProfileManager::exportConfig()
{
    QFileDialog dialog(m_host.dialogParent(), tr("Save Config File"), QString(), tr("Config File(*.conf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("conf"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        exportConfigTo(dialog.selectedFiles().constFirst());
}

void KestProfileManager::importConfig()
{
    const QString path = QFileDialog::getOpenFileName(m_host.dialogParent(), tr("Load Config File"),
                                                      QString(), tr("Config File(*.conf)"));
    if (!path.isEmpty())
        importConfigFrom(path);
}
