// SPDX-License-Identifier: GPL-2.0-or-later
#include "macro/macrofilelist.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QListWidget>

#include "macro/gunset.h"
#include "store/appsettings.h"
#include "store/macrodb.h"
#include "store/profilefiles.h"
#include "widgets/kestmessagebox.h"

// The list speaks for the macro page: its texts are translated under the page's name,
// spelled out at each call so that the translation tools find them.

namespace {
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

QString notSaved()
{
    return QCoreApplication::translate("MacroDialog", "The macro could not be saved.");
}

QString notWritten()
{
    return QCoreApplication::translate("MacroDialog", "The macro file could not be written.");
}

QString fileFilter()
{
    return QCoreApplication::translate("MacroDialog", "Macro File(*.MSMACRO)");
}

void setCheckable(QListWidgetItem *item, bool checkable)
{
    if (checkable) {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    } else {
        item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
        item->setData(Qt::CheckStateRole, QVariant());
    }
}
} // namespace

MacroFileList::MacroFileList(QWidget *page) : QObject(page), m_page(page), m_list(new QListWidget(page))
{
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { emit openRequested(item->text()); });
    // From the keyboard: the arrows choose, Enter opens (a second call for a click is a no-op).
    connect(m_list, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { emit openRequested(item->text()); });
}

void MacroFileList::warn(const QString &text, const QString &title)
{
    KestMessageBox box(KestMessageBox::Warning, QString(),
                       title.isEmpty() ? QCoreApplication::translate("MacroDialog", "Warning") : title, text,
                       m_page);
    box.exec();
}

int MacroFileList::count() const
{
    return m_list->count();
}

void MacroFileList::setCurrentName(const QString &name)
{
    m_currentName = name;
    if (QListWidgetItem *found = item(name))
        m_list->setCurrentItem(found);
}

void MacroFileList::load()
{
    m_list->clear();
    const QStringList names = readMacroList();
    for (int slot = 0; slot < names.size(); ++slot) {
        if (names.at(slot).isEmpty())
            continue;
        auto *entry = new QListWidgetItem(names.at(slot), m_list);
        entry->setData(kSlotRole, slot);
    }
    m_currentName = m_list->count() > 0 ? m_list->item(0)->text() : QString();
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
}

QListWidgetItem *MacroFileList::item(const QString &name) const
{
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->text() == name)
            return m_list->item(row);
    }
    return nullptr;
}

QListWidgetItem *MacroFileList::addItem(const QString &name)
{
    const int slot = addToMacroList(name);
    if (slot < 0)
        return nullptr;
    // Keep the page's list in slot order, as the next start will show it.
    int row = 0;
    while (row < m_list->count() && m_list->item(row)->data(kSlotRole).toInt() < slot)
        ++row;
    auto *entry = new QListWidgetItem(name);
    entry->setData(kSlotRole, slot);
    if (m_batchMode)
        setCheckable(entry, true);
    m_list->insertItem(row, entry);
    return entry;
}

bool MacroFileList::exists(const QString &name) const
{
    return item(name) || isMacroNameTaken(name);
}

bool MacroFileList::refuseName(const QString &name)
{
    if (isValidStoreName(name))
        return false;
    warn(QCoreApplication::translate("MacroDialog", "This name cannot be used for a macro file."));
    return true;
}

bool MacroFileList::refuseWhenFull()
{
    if (countMacros() <= MACRO_LIST_SIZE - 1)
        return false;
    warn(QCoreApplication::translate("MacroDialog", "TOO MANY MACROS TO BE CREATE!"),
         QCoreApplication::translate("MacroDialog", "WARNING"));
    return true;
}

bool MacroFileList::refuseNewName(const QString &name)
{
    if (refuseName(name))
        return true;
    // Renaming onto another macro would overwrite its file.
    if (!exists(name))
        return false;
    warn(QCoreApplication::translate("MacroDialog", "Macro Exist!"));
    return true;
}

QString MacroFileList::createMacro()
{
    const QString name = newMacroName();
    MacroSettings empty;
    empty.defaultDelay = 10;
    empty.loopTime = 1;
    if (!saveMacro(name, empty, {})) {
        warn(notSaved());
        return QString();
    }
    addItem(name);
    return name;
}

QString MacroFileList::removeCurrent()
{
    QListWidgetItem *entry = item(m_currentName);
    removeFromMacroList(m_currentName);
    deleteMacroFile(m_currentName);
    int row = entry ? m_list->row(entry) : 0;
    delete entry;
    m_currentName.clear();
    if (m_list->count() == 0)
        return QString();
    row = qMin(row, m_list->count() - 1);
    return m_list->item(row)->text();
}

bool MacroFileList::renameCurrent(const QString &name)
{
    const QString oldPath = macroFilePath(m_currentName);
    if (QFileInfo::exists(oldPath) && !QFile::rename(oldPath, macroFilePath(name))) {
        warn(notSaved());
        return false;
    }
    if (QListWidgetItem *entry = item(m_currentName)) {
        // Renaming keeps the macro in its own list slot, so the list order does not change.
        const KestFileResult listed = renameInMacroList(entry->data(kSlotRole).toInt(), name);
        if (!listed) {
            // The list still names the old file: put the file back under that name, or the
            // macro would vanish from the list at the next start.
            if (QFileInfo::exists(macroFilePath(name)))
                QFile::rename(macroFilePath(name), oldPath);
            warn(listed.text());
            return false;
        }
        entry->setText(name);
    }
    m_currentName = name;
    return true;
}

QStringList MacroFileList::importFiles(const QStringList &paths)
{
    QStringList imported;
    QStringList existing;
    for (const QString &path : paths) {
        const QString name = QFileInfo(path).completeBaseName();
        if (!isValidStoreName(name) || exists(name)) {
            existing << name;
            continue;
        }
        if (refuseWhenFull())
            break;
        // A file we would not read is not copied in.
        const KestFileResult file = checkMacroFile(path);
        if (!file.isOk()) {
            warn(file.text());
            continue;
        }
        QDir().mkpath(macroFolder());
        if (!QFile::copy(path, macroFilePath(name)) || !addItem(name)) {
            QFile::remove(macroFilePath(name));
            warn(notSaved());
            continue;
        }
        imported << name;
    }
    if (!existing.isEmpty()) {
        // A batch names the files it left out; a single file needs no name.
        const QString text = QCoreApplication::translate("MacroDialog", "Macro Exist!");
        warn(paths.size() == 1 ? text : text + QLatin1Char('\n') + existing.join(QStringLiteral(", ")));
    }
    return imported;
}

bool MacroFileList::exportCurrent(const QString &targetPath)
{
    QString target = targetPath;
    if (QFileInfo(target).suffix().isEmpty())
        target += QLatin1String(kMacroSuffix);
    if (!copyReplacing(macroFilePath(m_currentName), target)) {
        warn(notWritten());
        return false;
    }
    return true;
}

QStringList MacroFileList::exportChecked(const QString &folder)
{
    QStringList exported;
    QStringList failed;
    for (int row = 0; row < m_list->count(); ++row) {
        const QListWidgetItem *entry = m_list->item(row);
        if (entry->checkState() != Qt::Checked)
            continue;
        const QString name = entry->text();
        if (copyReplacing(macroFilePath(name), QDir(folder).filePath(name + QLatin1String(kMacroSuffix))))
            exported << name;
        else
            failed << name;
    }
    if (!failed.isEmpty())
        warn(notWritten() + QLatin1Char('\n') + failed.join(QStringLiteral(", ")));
    return exported;
}

QString MacroFileList::storeGunset(const QString &name, const MacroSteps &steps)
{
    if (refuseName(name) || refuseWhenFull())
        return QString();
    const QString stored = firstFreeName(name, [this](const QString &n) { return exists(n); });
    // Never overwrites a file: the suffix above found a free name.
    MacroSettings settings;
    settings.defaultDelay = 10;
    settings.delayType = int(DelayMode::Recorded);
    settings.loopType = 0;
    settings.loopTime = 1;
    if (!saveMacro(stored, settings, steps, WriteSign::Leave) || !addItem(stored)) {
        deleteMacroFile(stored);
        warn(notSaved());
        return QString();
    }
    return stored;
}

void MacroFileList::setBatchMode(bool on)
{
    m_batchMode = on;
    for (int row = 0; row < m_list->count(); ++row)
        setCheckable(m_list->item(row), on);
}

void MacroFileList::setChecked(const QString &name, bool checked)
{
    if (QListWidgetItem *entry = item(name); entry && m_batchMode)
        entry->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

QStringList MacroFileList::askImportPaths()
{
    const QString title = QCoreApplication::translate("MacroDialog", "Load Macro File");
    if (m_batchMode)
        return QFileDialog::getOpenFileNames(m_page, title, QString(), fileFilter());
    const QString path = QFileDialog::getOpenFileName(m_page, title, QString(), fileFilter());
    return path.isEmpty() ? QStringList() : QStringList{path};
}

QString MacroFileList::askExportTarget()
{
    return QFileDialog::getSaveFileName(m_page, QCoreApplication::translate("MacroDialog", "Save Macro File"),
                                        m_currentName + QLatin1String(kMacroSuffix), fileFilter());
}

QString MacroFileList::askExportFolder()
{
    return QFileDialog::getExistingDirectory(m_page, QCoreApplication::translate("MacroDialog", "Save Macro File"),
                                             QStringLiteral("./"));
}
