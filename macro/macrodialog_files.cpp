// SPDX-License-Identifier: GPL-2.0-or-later
// The macro list and the macro files: new, delete, rename, save, cancel, import,
// export, batch mode and the gun set.

#include "macro/macrodialog.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QListWidget>
#include <QTimer>

#include "macro/gunset.h"
#include "macro/kestgunsetdialog.h"
#include "store/appsettings.h"
#include "store/macrodb.h"
#include "store/profilefiles.h"
#include "widgets/kestlabel.h"
#include "widgets/kestlineedit.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"

namespace {
constexpr int kNoticeMs = 4000;
constexpr int kSlotRole = Qt::UserRole;
const char *const kMacroSuffix = ".MSMACRO";

bool copyReplacing(const QString &from, const QString &to)
{
    if (QFileInfo(from).canonicalFilePath() == QFileInfo(to).canonicalFilePath())
        return QFileInfo::exists(from);
    if (QFileInfo::exists(to) && !QFile::remove(to))
        return false;
    return QFile::copy(from, to);
}
} // namespace

void MacroDialog::loadMacroList()
{
    m_macroList->clear();
    const QStringList names = readMacroList();
    for (int slot = 0; slot < names.size(); ++slot) {
        if (names.at(slot).isEmpty())
            continue;
        auto *item = new QListWidgetItem(names.at(slot), m_macroList);
        item->setData(kSlotRole, slot);
    }
    m_currentName = m_macroList->count() > 0 ? m_macroList->item(0)->text() : QString();
    if (m_macroList->count() > 0)
        m_macroList->setCurrentRow(0);
}

QListWidgetItem *MacroDialog::listItem(const QString &name) const
{
    for (int row = 0; row < m_macroList->count(); ++row) {
        if (m_macroList->item(row)->text() == name)
            return m_macroList->item(row);
    }
    return nullptr;
}

QListWidgetItem *MacroDialog::addListItem(const QString &name)
{
    const int slot = addToMacroList(name);
    if (slot < 0)
        return nullptr;
    // Keep the page's list in slot order, as the next start will show it.
    int row = 0;
    while (row < m_macroList->count() && m_macroList->item(row)->data(kSlotRole).toInt() < slot)
        ++row;
    auto *item = new QListWidgetItem(name);
    item->setData(kSlotRole, slot);
    if (m_batchMode) {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    m_macroList->insertItem(row, item);
    return item;
}

bool MacroDialog::macroExists(const QString &name) const
{
    return listItem(name) || isMacroNameTaken(name);
}

bool MacroDialog::refuseName(const QString &name)
{
    if (isValidStoreName(name))
        return false;
    warn(tr("Warning"), tr("This name cannot be used for a macro file."));
    return true;
}

bool MacroDialog::refuseWhenFull()
{
    if (countMacros() <= MACRO_LIST_SIZE - 1)
        return false;
    warn(tr("WARNING"), tr("TOO MANY MACROS TO BE CREATE!"));
    return true;
}

void MacroDialog::openMacro(const QString &name)
{
    if (m_recording || name.isEmpty())
        return;
    if (QListWidgetItem *item = listItem(name))
        m_macroList->setCurrentItem(item);
    if (name == m_currentName)
        return;
    if (m_editingKey)
        toggleKeyEdit();
    saveIfChanged();
    m_currentName = name;
    loadCurrentMacro();
    updateControls();
}

bool MacroDialog::selectMacro(const QString &name)
{
    if (!listItem(name))
        return false;
    openMacro(name);
    return m_currentName == name;
}

void MacroDialog::newMacro()
{
    if (refuseWhenFull())
        return;
    saveIfChanged();
    const QString name = newMacroName();
    MacroSettings empty;
    empty.defaultDelay = 10;
    empty.loopTime = 1;
    if (!saveMacro(name, empty, {})) {
        warn(tr("Warning"), tr("The macro could not be saved."));
        return;
    }
    addListItem(name);
    openMacro(name);
}

void MacroDialog::deleteMacro()
{
    QListWidgetItem *item = listItem(m_currentName);
    if (m_recording || m_currentName.isEmpty())
        return;
    removeFromMacroList(m_currentName);
    deleteMacroFile(m_currentName);
    int row = item ? m_macroList->row(item) : 0;
    delete item;
    m_currentName.clear();
    if (m_macroList->count() == 0) {
        showMacro(Macro());
    } else {
        row = qMin(row, m_macroList->count() - 1);
        openMacro(m_macroList->item(row)->text());
    }
    updateControls();
}

void MacroDialog::changeName()
{
    const QString name = m_nameEdit->text();
    if (m_recording || m_currentName.isEmpty() || name == m_currentName)
        return;
    if (refuseName(name)) {
        m_nameEdit->setText(m_currentName);
        return;
    }
    // Renaming onto another macro would overwrite its file.
    if (macroExists(name)) {
        warn(tr("Warning"), tr("Macro Exist!"));
        m_nameEdit->setText(m_currentName);
        return;
    }
    saveIfChanged();
    const QString oldPath = macroFilePath(m_currentName);
    if (QFileInfo::exists(oldPath) && !QFile::rename(oldPath, macroFilePath(name))) {
        warn(tr("Warning"), tr("The macro could not be saved."));
        m_nameEdit->setText(m_currentName);
        return;
    }
    if (QListWidgetItem *item = listItem(m_currentName)) {
        // Renaming keeps the macro in its own list slot, so the list order does not change.
        const KestFileResult listed = renameInMacroList(item->data(kSlotRole).toInt(), name);
        if (!listed) {
            // The list still names the old file: put the file back under that name, or the
            // macro would vanish from the list at the next start.
            if (QFileInfo::exists(macroFilePath(name)))
                QFile::rename(macroFilePath(name), oldPath);
            warn(tr("Warning"), listed.text());
            m_nameEdit->setText(m_currentName);
            return;
        }
        item->setText(name);
    }
    m_currentName = name;
    // The file records its own path; write it again under the new name.
    saveCurrentMacro();
}

void MacroDialog::saveMacroClicked()
{
    bool saved = false;
    if (m_recording) {
        stopRecording(); // which saves
        saved = !m_currentName.isEmpty() && loadMacro(m_currentName).actions == m_table.steps();
    } else {
        saved = saveCurrentMacro();
    }
    if (!saved)
        return; // the failure had its message
    // A file written in the background looks like nothing happened: say so on the status
    // line, until the next key or a few seconds pass.
    const QString notice = tr("Macro \"%1\" saved.").arg(m_currentName);
    m_keyLabel->setText(notice);
    QTimer::singleShot(kNoticeMs, m_keyLabel, [label = m_keyLabel, notice] {
        if (label->text() == notice)
            label->clear();
    });
}

void MacroDialog::cancelClicked()
{
    if (m_recording) {
        endCapture();
        button("START")->setText(tr("START"));
        emit EnableButtonsSignal(true);
    } else if (m_editingKey) {
        toggleKeyEdit();
    }
    loadCurrentMacro();
    updateControls();
}

QStringList MacroDialog::importMacroFiles(const QStringList &paths)
{
    QStringList imported;
    QStringList existing;
    for (const QString &path : paths) {
        const QString name = QFileInfo(path).completeBaseName();
        if (!isValidStoreName(name) || macroExists(name)) {
            existing << name;
            continue;
        }
        if (refuseWhenFull())
            break;
        // A file we would not read is not copied in.
        const KestFileResult file = checkMacroFile(path);
        if (!file.isOk()) {
            warn(tr("Warning"), file.text());
            continue;
        }
        QDir().mkpath(macroFolder());
        if (!QFile::copy(path, macroFilePath(name)) || !addListItem(name)) {
            QFile::remove(macroFilePath(name));
            warn(tr("Warning"), tr("The macro could not be saved."));
            continue;
        }
        imported << name;
    }
    if (!existing.isEmpty()) {
        // A batch names the files it left out; a single file needs no name.
        warn(tr("Warning"), paths.size() == 1 ? tr("Macro Exist!")
                                              : tr("Macro Exist!") + QLatin1Char('\n')
                                                    + existing.join(QStringLiteral(", ")));
    }
    if (!imported.isEmpty())
        openMacro(imported.last());
    updateControls();
    return imported;
}

void MacroDialog::importClicked()
{
    const QString title = tr("Load Macro File");
    const QString filter = tr("Macro File(*.MSMACRO)");
    QStringList paths;
    if (m_batchMode) {
        paths = QFileDialog::getOpenFileNames(this, title, QString(), filter);
    } else {
        const QString path = QFileDialog::getOpenFileName(this, title, QString(), filter);
        if (!path.isEmpty())
            paths << path;
    }
    if (!paths.isEmpty())
        importMacroFiles(paths);
}

bool MacroDialog::exportCurrentMacro(const QString &targetPath)
{
    if (m_currentName.isEmpty() || targetPath.isEmpty())
        return false;
    saveIfChanged();
    if (!QFileInfo::exists(macroFilePath(m_currentName)))
        saveCurrentMacro();
    QString target = targetPath;
    if (QFileInfo(target).suffix().isEmpty())
        target += QLatin1String(kMacroSuffix);
    if (!copyReplacing(macroFilePath(m_currentName), target)) {
        warn(tr("Warning"), tr("The macro file could not be written."));
        return false;
    }
    return true;
}

QStringList MacroDialog::exportCheckedMacros(const QString &folder)
{
    QStringList exported;
    QStringList failed;
    saveIfChanged();
    for (int row = 0; row < m_macroList->count(); ++row) {
        const QListWidgetItem *item = m_macroList->item(row);
        if (item->checkState() != Qt::Checked)
            continue;
        const QString name = item->text();
        if (copyReplacing(macroFilePath(name), QDir(folder).filePath(name + QLatin1String(kMacroSuffix))))
            exported << name;
        else
            failed << name;
    }
    if (!failed.isEmpty())
        warn(tr("Warning"), tr("The macro file could not be written.") + QLatin1Char('\n')
                                + failed.join(QStringLiteral(", ")));
    return exported;
}

void MacroDialog::exportClicked()
{
    if (m_macroList->count() == 0)
        return;
    const QString title = tr("Save Macro File");
    if (m_batchMode) {
        const QString folder = QFileDialog::getExistingDirectory(this, title, QStringLiteral("./"));
        if (!folder.isEmpty())
            exportCheckedMacros(folder);
        return;
    }
    const QString path = QFileDialog::getSaveFileName(this, title, m_currentName + QLatin1String(kMacroSuffix),
                                                      tr("Macro File(*.MSMACRO)"));
    if (!path.isEmpty())
        exportCurrentMacro(path);
}

void MacroDialog::setMacroChecked(const QString &name, bool checked)
{
    if (QListWidgetItem *item = listItem(name); item && m_batchMode)
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void MacroDialog::toggleBatchMode()
{
    if (m_recording)
        return;
    if (m_editingKey)
        toggleKeyEdit();
    m_batchMode = !m_batchMode;
    for (int row = 0; row < m_macroList->count(); ++row) {
        QListWidgetItem *item = m_macroList->item(row);
        if (m_batchMode) {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        } else {
            item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
            item->setData(Qt::CheckStateRole, QVariant());
        }
    }
    updateControls();
}

QString MacroDialog::storeGunset(const QString &name, const MacroSteps &steps)
{
    if (refuseName(name) || refuseWhenFull())
        return QString();
    const QString stored = firstFreeName(name, [this](const QString &n) { return macroExists(n); });
    // Never overwrites a file: the suffix above found a free name.
    MacroSettings settings;
    settings.defaultDelay = 10;
    settings.delayType = int(DelayMode::Recorded);
    settings.loopType = 0;
    settings.loopTime = 1;
    if (!saveMacro(stored, settings, steps, WriteSign::Leave) || !addListItem(stored)) {
        deleteMacroFile(stored);
        warn(tr("Warning"), tr("The macro could not be saved."));
        return QString();
    }
    openMacro(stored);
    updateControls();
    return stored;
}

void MacroDialog::gunsetClicked()
{
    if (m_recording || refuseWhenFull())
        return;
    KestGunsetDialog dialog(scaleFactor(), this);
    if (dialog.exec() == QDialog::Accepted)
        storeGunset(dialog.resultName(), dialog.resultSteps());
}
