// SPDX-License-Identifier: GPL-2.0-or-later
#include "macro/macrodialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QListWidget>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>

#include "macro/kestgunsetdialog.h"
#include "macro/kesttreewidget.h"
#include "store/devicedescription.h"
#include "widgets/kestlabel.h"
#include "widgets/kestlineedit.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"

namespace {

// Every button of the page: its source text (the first "DELETE" removes the macro,
// the second a step), where it sits on the 665 x 467 design canvas, and what it does:
// an action of the page, or an edit of the step editor.
struct ButtonSpec
{
    const char *text;
    QRect rect;
    void (MacroDialog::*pageAction)() = nullptr;
    void (MacroStepEditor::*stepAction)() = nullptr;
};

// The step buttons stand in three columns; the last one is wider for the long texts.
constexpr int kStepX0 = 401;
constexpr int kStepX1 = kStepX0 + 74;
constexpr int kStepX2 = kStepX1 + 74;
constexpr int kNarrow = 70;
constexpr int kWide = 106;

using Page = MacroDialog;
using Steps = MacroStepEditor;
const ButtonSpec kButtons[] = {
    {QT_TRANSLATE_NOOP("MacroDialog", "NEW"), {10, 258, 68, 24}, &Page::newMacro},
    {QT_TRANSLATE_NOOP("MacroDialog", "DELETE"), {82, 258, 68, 24}, &Page::deleteMacro},
    {QT_TRANSLATE_NOOP("MacroDialog", "IMPORT"), {10, 286, 68, 24}, &Page::importClicked},
    {QT_TRANSLATE_NOOP("MacroDialog", "EXPORT"), {82, 286, 68, 24}, &Page::exportClicked},
    {QT_TRANSLATE_NOOP("MacroDialog", "BATCH"), {10, 314, 68, 24}, &Page::toggleBatchMode},
    {QT_TRANSLATE_NOOP("MacroDialog", "GUN SET"), {82, 314, 68, 24}, &Page::gunsetClicked},
    {QT_TRANSLATE_NOOP("MacroDialog", "CHANGE NAME"), {10, 400, 140, 24}, &Page::changeName},
    {QT_TRANSLATE_NOOP("MacroDialog", "SAVE"), {10, 434, 68, 26}, &Page::saveMacroClicked},
    {QT_TRANSLATE_NOOP("MacroDialog", "CANCEL"), {82, 434, 68, 26}, &Page::cancelClicked},
    {QT_TRANSLATE_NOOP("MacroDialog", "START"), {160, 6, 113, 24}, &Page::startRecording},
    {QT_TRANSLATE_NOOP("MacroDialog", "RECORD AFTER"), {278, 6, 113, 24}, &Page::recordAfter},
    {QT_TRANSLATE_NOOP("MacroDialog", "DELETE"), {kStepX0, 6, kNarrow, 24}, nullptr, &Steps::deleteSteps},
    {QT_TRANSLATE_NOOP("MacroDialog", "MOVE UP"), {kStepX1, 6, kNarrow, 24}, nullptr, &Steps::moveStepUp},
    {QT_TRANSLATE_NOOP("MacroDialog", "MOVE DOWN"), {kStepX2, 6, kWide, 24}, nullptr, &Steps::moveStepDown},
    {QT_TRANSLATE_NOOP("MacroDialog", "TOP"), {kStepX0, 34, kNarrow, 24}, nullptr, &Steps::moveStepToTop},
    {QT_TRANSLATE_NOOP("MacroDialog", "BOTTOM"), {kStepX1, 34, kNarrow, 24}, nullptr, &Steps::moveStepToBottom},
    {QT_TRANSLATE_NOOP("MacroDialog", "CLEAR"), {kStepX2, 34, kWide, 24}, nullptr, &Steps::clearSteps},
    {QT_TRANSLATE_NOOP("MacroDialog", "COPY"), {kStepX0, 62, kNarrow, 24}, nullptr, &Steps::copySteps},
    {QT_TRANSLATE_NOOP("MacroDialog", "CUT"), {kStepX1, 62, kNarrow, 24}, nullptr, &Steps::cutSteps},
    {QT_TRANSLATE_NOOP("MacroDialog", "INSERT DELAY"), {kStepX2, 62, kWide, 24}, nullptr, &Steps::insertDelay},
    {QT_TRANSLATE_NOOP("MacroDialog", "PASTE"), {kStepX0, 90, kNarrow, 24}, nullptr, &Steps::pasteSteps},
    {QT_TRANSLATE_NOOP("MacroDialog", "EDIT"), {kStepX1, 90, kNarrow, 24}, &Page::toggleKeyEdit},
    {QT_TRANSLATE_NOOP("MacroDialog", "MOUSE ACTION"), {kStepX2, 90, kWide, 24}, nullptr, &Steps::insertMouseAction},
};
constexpr int kStartButton = 9;
constexpr int kStepDeleteButton = 11;

constexpr int kNameLength = 20;
constexpr int kActionColumnWidth = 138;
constexpr int kNoticeMs = 4000;

QString rgb(const QColor &c)
{
    return c.name(QColor::HexRgb);
}

} // namespace

MacroDialog::MacroDialog(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MacroDialog"));
    setAttribute(Qt::WA_StyledBackground);
    buildControls();
    setTexts();
    m_files->load();
    loadCurrentMacro();
    updateControls();
}

KestPushButton *MacroDialog::button(const char *sourceText) const
{
    // The page's second "DELETE" is the step one; ask for it as "DELETE STEP".
    if (qstrcmp(sourceText, "DELETE STEP") == 0)
        return m_buttons.at(kStepDeleteButton).second;
    for (const auto &entry : m_buttons) {
        if (qstrcmp(entry.first, sourceText) == 0)
            return entry.second;
    }
    return nullptr;
}

void MacroDialog::buildControls()
{
    const QStringList pictures{skinPath(QStringLiteral("tabbutton-1.png")),
                               skinPath(QStringLiteral("tabbutton-3.png")),
                               skinPath(QStringLiteral("tabbutton-2.png"))};
    for (const ButtonSpec &spec : kButtons)
        m_buttons.append({spec.text, new KestPushButton(pictures, this)});

    m_macroTitle = new KestLabel(this);
    m_nameTitle = new KestLabel(this);
    m_mouseTitle = new KestLabel(this);
    m_stepCountLabel = new KestLabel(this);
    m_delayLabel = new KestLabel(this);
    m_moveLabel = new KestLabel(this);
    m_keyLabel = new KestLabel(this);
    m_stepCountLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // The parts make their widgets in the page's Tab order.
    m_files = new MacroFileList(this);
    connect(m_files, &MacroFileList::openRequested, this, &MacroDialog::openMacro);

    m_nameEdit = new KestLineEdit(this);
    m_nameEdit->setMaxLength(kNameLength);
    connect(m_nameEdit, &QLineEdit::returnPressed, this, &MacroDialog::changeName);

    m_editor = new MacroStepEditor(sanitizedMinDelay(readMinDelay()), this);
    connect(m_editor->model(), &QAbstractItemModel::rowsInserted, this, &MacroDialog::updateStepCount);
    connect(m_editor->model(), &QAbstractItemModel::rowsRemoved, this, &MacroDialog::updateStepCount);

    m_session = new MacroCaptureSession(m_editor, this);
    m_options = new MacroOptionsPanel(this);
    m_editor->setOptionsSource([this] { return m_options->recordOptions(); });
    connect(m_session, &MacroCaptureSession::keyTaken, m_keyLabel, &QLabel::setText);

    for (int i = 0; i < m_buttons.size(); ++i) {
        const ButtonSpec &spec = kButtons[i];
        if (spec.pageAction)
            connect(m_buttons.at(i).second, &QPushButton::clicked, this, spec.pageAction);
        else
            connect(m_buttons.at(i).second, &QPushButton::clicked, m_editor, spec.stepAction);
    }

    for (KestLineEdit *edit : {m_editor->delayEdit(), m_editor->moveEdit(), m_options->defaultDelayEdit(),
                               m_options->loopTimeEdit()})
        edit->setAlignment(Qt::AlignCenter);
}

void MacroDialog::setTexts()
{
    for (const auto &entry : qAsConst(m_buttons))
        entry.second->setText(tr(entry.first));
    if (isRecording())
        m_buttons.at(kStartButton).second->setText(tr("STOP"));
    m_macroTitle->setText(tr("MACRO"));
    m_nameTitle->setText(tr("MACRO NAME"));
    m_mouseTitle->setText(tr("MOUSE COMMAND"));
    m_delayLabel->setText(tr("DELAY(ms)"));
    m_moveLabel->setText(tr("MOVE"));
    m_editor->model()->setHorizontalHeaderLabels({tr("ACTION"), tr("DELAY(ms)"), QString()});
    m_options->setTexts();
    m_editor->tree()->setTexts();
    updateStepCount();
}

void MacroDialog::applyStyle()
{
    QListWidget *list = m_files->widget();
    const QColor accent = themeColor();
    const QFont font = languageFont();
    const QString panel = QStringLiteral("background-color:rgb(22,22,24);color:rgb(225,225,225);"
                                         "border:1px solid rgb(70,70,74);");
    const QString scrollBar = QStringLiteral(
        "QScrollBar:vertical{background:rgb(30,30,32);width:%1px;margin:0;border:none;}"
        "QScrollBar::handle:vertical{background:rgb(90,90,96);min-height:20px;border-radius:%2px;}"
        "QScrollBar::handle:vertical:hover{background:%3;}"
        "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:0;}"
        "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:none;}")
        .arg(scaled(8)).arg(scaled(3)).arg(rgb(accent));
    const QString selection = QStringLiteral("selection-background-color:%1;selection-color:white;")
                                  .arg(rgb(accent.darker(130)));

    list->setStyleSheet(QStringLiteral("QListWidget{%1%2outline:0;}"
                                       "QListWidget::item{padding:%3px;}"
                                       "QListWidget::item:hover{background:rgb(52,52,56);}"
                                       "QListWidget::item:selected{background:%4;color:white;}")
                            .arg(panel, selection).arg(scaled(2)).arg(rgb(accent.darker(130)))
                        + scrollBar);
    m_editor->applyStyle(panel, selection, scrollBar);
    const QString edit = QStringLiteral("QLineEdit{background-color:rgb(30,30,34);color:white;"
                                        "border:1px solid rgb(80,80,86);border-radius:%1px;}"
                                        "QLineEdit:focus{border:1px solid %2;}"
                                        "QLineEdit:disabled{color:rgb(110,110,110);"
                                        "border-color:rgb(55,55,58);}")
                             .arg(scaled(2)).arg(rgb(accent));
    for (KestLineEdit *e : {m_nameEdit, m_editor->delayEdit(), m_editor->moveEdit(), m_options->defaultDelayEdit(),
                            m_options->loopTimeEdit()}) {
        e->setStyleSheet(edit);
        e->setFont(font);
    }
    m_options->applyStyle();
    list->setFont(font);
    for (KestLabel *title : {m_macroTitle, m_nameTitle, m_mouseTitle})
        title->setStyleSheet(QStringLiteral("color:%1;").arg(rgb(accent.lighter(130))));
    for (KestLabel *label : {m_stepCountLabel, m_delayLabel, m_moveLabel, m_keyLabel})
        label->setStyleSheet(QStringLiteral("color:rgb(200,200,200);"));
}

void MacroDialog::layoutControls()
{
    auto place = [](QWidget *w, int x, int y, int width, int height) {
        w->setGeometry(scaled(x), scaled(y), scaled(width), scaled(height));
    };
    QTableView *view = m_editor->view();
    for (int i = 0; i < m_buttons.size(); ++i) {
        const QRect &r = kButtons[i].rect;
        place(m_buttons.at(i).second, r.x(), r.y(), r.width(), r.height());
    }
    place(m_macroTitle, 10, 6, 140, 20);
    place(m_files->widget(), 10, 30, 140, 222);
    place(m_nameTitle, 10, 346, 140, 20);
    place(m_nameEdit, 10, 370, 140, 24);

    place(view, 160, 36, 231, 330);
    view->horizontalHeader()->resizeSection(0, scaled(kActionColumnWidth));
    view->horizontalHeader()->setFixedHeight(scaled(24));
    view->verticalHeader()->setDefaultSectionSize(scaled(22));
    place(m_stepCountLabel, 160, 370, 231, 20);
    place(m_delayLabel, 160, 398, 70, 24);
    place(m_editor->delayEdit(), 230, 398, 56, 24);
    place(m_moveLabel, 292, 398, 42, 24);
    place(m_editor->moveEdit(), 335, 398, 56, 24);
    place(m_keyLabel, 160, 430, 231, 24);

    place(m_mouseTitle, kStepX0, 122, 254, 20);
    place(m_editor->tree(), kStepX0, 144, 254, 160);
    m_editor->tree()->header()->resizeSection(1, scaled(48));
    place(m_options->recordDelayBox(), kStepX0, 312, 254, 22);
    place(m_options->defaultDelayBox(), kStepX0, 338, 196, 22);
    place(m_options->defaultDelayEdit(), 605, 337, 50, 22);
    place(m_options->loopBox(1), kStepX0, 368, 196, 22);
    place(m_options->loopTimeEdit(), 605, 367, 50, 22);
    place(m_options->loopBox(2), kStepX0, 394, 254, 22);
    place(m_options->loopBox(3), kStepX0, 420, 254, 22);
}

bool MacroDialog::event(QEvent *event)
{
    // Qt polishes the page once, before it is first shown and before its children: the
    // style waits until then, and the window's start, with the page hidden, skips it.
    // The main window resizes the page when the scale changes: fonts and sizes follow.
    if (event->type() == QEvent::Polish || event->type() == QEvent::Resize) {
        applyStyle();
        layoutControls();
    }
    return QWidget::event(event);
}

void MacroDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        setTexts();
    QWidget::changeEvent(event);
}

void MacroDialog::showMacro(const Macro &macro)
{
    m_options->show(macro.settings);
    m_nameEdit->setText(currentMacroName());
    m_editor->showSteps(macro.actions);
    updateStepCount();
}

void MacroDialog::loadCurrentMacro()
{
    const QString name = currentMacroName();
    showMacro(name.isEmpty() ? Macro() : loadMacro(name));
}

bool MacroDialog::saveCurrentMacro()
{
    if (currentMacroName().isEmpty())
        return false;
    if (!saveMacro(currentMacroName(), m_options->settings(), steps())) {
        warn(tr("Warning"), tr("The macro could not be saved."));
        return false;
    }
    return true;
}

void MacroDialog::saveIfChanged()
{
    // Edits of the macro on the page are kept when the user moves on to another one.
    if (currentMacroName().isEmpty())
        return;
    const Macro stored = loadMacro(currentMacroName());
    const MacroSettings page = m_options->settings();
    if (stored.actions != steps() || stored.settings.defaultDelay != page.defaultDelay
        || stored.settings.delayType != page.delayType || stored.settings.loopType != page.loopType
        || stored.settings.loopTime != page.loopTime)
        saveCurrentMacro();
}

void MacroDialog::updateStepCount()
{
    const int count = m_editor->table().rowCount();
    m_stepCountLabel->setText(tr("STEPS: %1/%2").arg(count).arg(kMaxButtonSteps));
    // A macro longer than a button holds is kept, but the user should see it will not fit.
    m_stepCountLabel->setStyleSheet(count > kMaxButtonSteps ? QStringLiteral("color:rgb(255,90,80);")
                                                            : QStringLiteral("color:rgb(200,200,200);"));
}

void MacroDialog::updateControls()
{
    const bool haveMacro = !currentMacroName().isEmpty();
    const bool recording = isRecording();
    const bool idle = !recording;
    const bool batchMode = m_files->isBatchMode();
    const bool editable = idle && haveMacro && !batchMode;
    for (int i = 0; i < m_buttons.size(); ++i) {
        KestPushButton *b = m_buttons.at(i).second;
        bool enabled = idle;
        if (i == kStartButton)
            enabled = recording || editable;
        else if (i > kStartButton) // the step buttons
            enabled = editable;
        else if (b == button("DELETE") || b == button("CHANGE NAME") || b == button("SAVE")
                 || b == button("CANCEL"))
            enabled = idle && haveMacro;
        else if (b == button("EXPORT"))
            enabled = idle && m_files->count() > 0;
        // Selecting resets the look, so it comes before the enabled look.
        b->setSelected((b == button("EDIT") && isEditingKey()) || (b == button("BATCH") && batchMode));
        b->setEnabledLook(enabled);
    }
    m_options->setEnabled(editable);
    m_editor->setEditable(editable);
    m_files->widget()->setEnabled(idle);
    m_nameEdit->setEnabled(idle && haveMacro);
}

void MacroDialog::warn(const QString &title, const QString &text)
{
    KestMessageBox box(KestMessageBox::Warning, QString(), title, text, this);
    box.exec();
}

// The macro list.

void MacroDialog::openMacro(const QString &name)
{
    if (isRecording() || name.isEmpty())
        return;
    if (name == currentMacroName()) {
        m_files->setCurrentName(name);
        return;
    }
    if (isEditingKey())
        toggleKeyEdit();
    saveIfChanged();
    m_files->setCurrentName(name);
    loadCurrentMacro();
    updateControls();
}

bool MacroDialog::selectMacro(const QString &name)
{
    if (!m_files->contains(name))
        return false;
    openMacro(name);
    return currentMacroName() == name;
}

void MacroDialog::newMacro()
{
    if (m_files->refuseWhenFull())
        return;
    saveIfChanged();
    const QString name = m_files->createMacro();
    if (!name.isEmpty())
        openMacro(name);
}

void MacroDialog::deleteMacro()
{
    if (isRecording() || currentMacroName().isEmpty())
        return;
    const QString next = m_files->removeCurrent();
    if (next.isEmpty())
        showMacro(Macro());
    else
        openMacro(next);
    updateControls();
}

void MacroDialog::changeName()
{
    const QString name = m_nameEdit->text();
    if (isRecording() || currentMacroName().isEmpty() || name == currentMacroName())
        return;
    if (m_files->refuseNewName(name)) {
        m_nameEdit->setText(currentMacroName());
        return;
    }
    saveIfChanged();
    if (!m_files->renameCurrent(name)) {
        m_nameEdit->setText(currentMacroName());
        return;
    }
    // The file records its own path; write it again under the new name.
    saveCurrentMacro();
}

void MacroDialog::saveMacroClicked()
{
    bool saved = false;
    if (isRecording()) {
        stopRecording(); // which saves
        saved = !currentMacroName().isEmpty() && loadMacro(currentMacroName()).actions == steps();
    } else {
        saved = saveCurrentMacro();
    }
    if (!saved)
        return; // the failure had its message
    // A file written in the background looks like nothing happened: say so on the status
    // line, until the next key or a few seconds pass.
    const QString notice = tr("Macro \"%1\" saved.").arg(currentMacroName());
    m_keyLabel->setText(notice);
    QTimer::singleShot(kNoticeMs, m_keyLabel, [label = m_keyLabel, notice] {
        if (label->text() == notice)
            label->clear();
    });
}

void MacroDialog::cancelClicked()
{
    if (isRecording()) {
        m_session->end();
        button("START")->setText(tr("START"));
        emit recordingChanged(false);
    } else if (isEditingKey()) {
        toggleKeyEdit();
    }
    loadCurrentMacro();
    updateControls();
}

QStringList MacroDialog::importMacroFiles(const QStringList &paths)
{
    const QStringList imported = m_files->importFiles(paths);
    if (!imported.isEmpty())
        openMacro(imported.last());
    updateControls();
    return imported;
}

void MacroDialog::importClicked()
{
    const QStringList paths = m_files->askImportPaths();
    if (!paths.isEmpty())
        importMacroFiles(paths);
}

bool MacroDialog::exportCurrentMacro(const QString &targetPath)
{
    if (currentMacroName().isEmpty() || targetPath.isEmpty())
        return false;
    saveIfChanged();
    if (!QFileInfo::exists(macroFilePath(currentMacroName())))
        saveCurrentMacro();
    return m_files->exportCurrent(targetPath);
}

QStringList MacroDialog::exportCheckedMacros(const QString &folder)
{
    saveIfChanged();
    return m_files->exportChecked(folder);
}

void MacroDialog::exportClicked()
{
    if (m_files->count() == 0)
        return;
    if (m_files->isBatchMode()) {
        const QString folder = m_files->askExportFolder();
        if (!folder.isEmpty())
            exportCheckedMacros(folder);
        return;
    }
    const QString path = m_files->askExportTarget();
    if (!path.isEmpty())
        exportCurrentMacro(path);
}

void MacroDialog::setMacroChecked(const QString &name, bool checked)
{
    m_files->setChecked(name, checked);
}

void MacroDialog::toggleBatchMode()
{
    if (isRecording())
        return;
    if (isEditingKey())
        toggleKeyEdit();
    m_files->setBatchMode(!m_files->isBatchMode());
    updateControls();
}

QString MacroDialog::storeGunset(const QString &name, const MacroSteps &steps)
{
    const QString stored = m_files->storeGunset(name, steps);
    if (stored.isEmpty())
        return stored;
    openMacro(stored);
    updateControls();
    return stored;
}

void MacroDialog::gunsetClicked()
{
    if (isRecording() || m_files->refuseWhenFull())
        return;
    KestGunsetDialog dialog(scaleFactor(), this);
    if (dialog.exec() == QDialog::Accepted)
        storeGunset(dialog.resultName(), dialog.resultSteps());
}

// Recording and key editing.

void MacroDialog::startRecording()
{
    if (isRecording()) {
        stopRecording();
        return;
    }
    // A recording replaces the macro's steps.
    m_editor->table().clear();
    beginRecording(0);
}

void MacroDialog::recordAfter()
{
    if (isRecording())
        return;
    // Like START, but the new steps go in after the selected row and the rest stays.
    const int row = m_editor->currentRow();
    beginRecording(row < 0 ? m_editor->table().rowCount() : row + 1);
}

void MacroDialog::beginRecording(int insertRow)
{
    if (currentMacroName().isEmpty())
        return;
    if (isEditingKey())
        toggleKeyEdit();
    m_session->beginRecording(insertRow);
    button("START")->setText(tr("STOP"));
    m_keyLabel->clear();
    updateControls();
    emit recordingChanged(true);
}

void MacroDialog::stopRecording()
{
    if (!isRecording())
        return;
    m_session->end();
    button("START")->setText(tr("START"));
    m_keyLabel->clear();
    updateControls();
    emit recordingChanged(false);
    if (hasUnreleasedKeys(steps()))
        warn(tr("Warning"), tr("ONE OR MORE KEYS HAS NOT BEEN RELEASED."));
    // The recording is kept as it is, unmatched presses included.
    saveCurrentMacro();
}

void MacroDialog::toggleKeyEdit()
{
    if (isRecording())
        return;
    const bool on = !isEditingKey();
    m_session->setEditingKey(on);
    if (on)
        m_keyLabel->setText(tr("PRESS A KEY"));
    else
        m_keyLabel->clear();
    updateControls();
}

bool MacroDialog::handleKeyEvent(const platform::KeyHookEvent &event)
{
    return m_session->handleKeyEvent(event);
}
