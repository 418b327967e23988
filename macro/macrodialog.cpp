// SPDX-License-Identifier: GPL-2.0-or-later
#include "macro/macrodialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QHeaderView>
#include <QListWidget>
#include <QStandardItemModel>
#include <QTableView>

#include "macro/kestmacroitemdelegate.h"
#include "macro/kesttreewidget.h"
#include "platform/keycapture.h"
#include "store/devicedescription.h"
#include "widgets/kestlabel.h"
#include "widgets/kestlineedit.h"
#include "widgets/kestmessagebox.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"
#include "widgets/myintvalidator.h"

namespace {

// Every button of the page: its source text (the first "DELETE" removes the macro,
// the second a step), what it does, and where it sits on the 665 x 467 design canvas.
struct ButtonSpec
{
    const char *text;
    void (MacroDialog::*action)();
    QRect rect;
};

// The step buttons stand in three columns; the last one is wider for the long texts.
constexpr int kStepX0 = 401;
constexpr int kStepX1 = kStepX0 + 74;
constexpr int kStepX2 = kStepX1 + 74;
constexpr int kNarrow = 70;
constexpr int kWide = 106;

const ButtonSpec kButtons[] = {
    {QT_TRANSLATE_NOOP("MacroDialog", "NEW"), &MacroDialog::newMacro, {10, 258, 68, 24}},
    {QT_TRANSLATE_NOOP("MacroDialog", "DELETE"), &MacroDialog::deleteMacro, {82, 258, 68, 24}},
    {QT_TRANSLATE_NOOP("MacroDialog", "IMPORT"), &MacroDialog::importClicked, {10, 286, 68, 24}},
    {QT_TRANSLATE_NOOP("MacroDialog", "EXPORT"), &MacroDialog::exportClicked, {82, 286, 68, 24}},
    {QT_TRANSLATE_NOOP("MacroDialog", "BATCH"), &MacroDialog::toggleBatchMode, {10, 314, 68, 24}},
    {QT_TRANSLATE_NOOP("MacroDialog", "GUN SET"), &MacroDialog::gunsetClicked, {82, 314, 68, 24}},
    {QT_TRANSLATE_NOOP("MacroDialog", "CHANGE NAME"), &MacroDialog::changeName, {10, 400, 140, 24}},
    {QT_TRANSLATE_NOOP("MacroDialog", "SAVE"), &MacroDialog::saveMacroClicked, {10, 434, 68, 26}},
    {QT_TRANSLATE_NOOP("MacroDialog", "CANCEL"), &MacroDialog::cancelClicked, {82, 434, 68, 26}},
    {QT_TRANSLATE_NOOP("MacroDialog", "START"), &MacroDialog::startRecording, {160, 6, 113, 24}},
    {QT_TRANSLATE_NOOP("MacroDialog", "RECORD AFTER"), &MacroDialog::recordAfter, {278, 6, 113, 24}},
    {QT_TRANSLATE_NOOP("MacroDialog", "DELETE"), &MacroDialog::deleteSteps, {kStepX0, 6, kNarrow, 24}},
    {QT_TRANSLATE_NOOP("MacroDialog", "MOVE UP"), &MacroDialog::moveStepUp, {kStepX1, 6, kNarrow, 24}},
    {QT_TRANSLATE_NOOP("MacroDialog", "MOVE DOWN"), &MacroDialog::moveStepDown, {kStepX2, 6, kWide, 24}},
    {QT_TRANSLATE_NOOP("MacroDialog", "TOP"), &MacroDialog::moveStepToTop, {kStepX0, 34, kNarrow, 24}},
    {QT_TRANSLATE_NOOP("MacroDialog", "BOTTOM"), &MacroDialog::moveStepToBottom, {kStepX1, 34, kNarrow, 24}},
    {QT_TRANSLATE_NOOP("MacroDialog", "CLEAR"), &MacroDialog::clearSteps, {kStepX2, 34, kWide, 24}},
    {QT_TRANSLATE_NOOP("MacroDialog", "COPY"), &MacroDialog::copySteps, {kStepX0, 62, kNarrow, 24}},
    {QT_TRANSLATE_NOOP("MacroDialog", "CUT"), &MacroDialog::cutSteps, {kStepX1, 62, kNarrow, 24}},
    {QT_TRANSLATE_NOOP("MacroDialog", "INSERT DELAY"), &MacroDialog::insertDelay, {kStepX2, 62, kWide, 24}},
    {QT_TRANSLATE_NOOP("MacroDialog", "PASTE"), &MacroDialog::pasteSteps, {kStepX0, 90, kNarrow, 24}},
    {QT_TRANSLATE_NOOP("MacroDialog", "EDIT"), &MacroDialog::toggleKeyEdit, {kStepX1, 90, kNarrow, 24}},
    {QT_TRANSLATE_NOOP("MacroDialog", "MOUSE ACTION"), &MacroDialog::mousemove_test, {kStepX2, 90, kWide, 24}},
};
constexpr int kStartButton = 9;
constexpr int kStepDeleteButton = 11;

constexpr int kNameLength = 20;
constexpr int kDefaultDelayMs = 10;
constexpr int kDefaultLoopTime = 1;
constexpr int kInsertDelayMs = 100;
constexpr int kActionColumnWidth = 138;

QString rgb(const QColor &c)
{
    return c.name(QColor::HexRgb);
}

} // namespace

MacroDialog::MacroDialog(QWidget *parent)
    : QWidget(parent)
    , m_minDelay(sanitizedMinDelay(readMinDelay()))
    , m_model(new QStandardItemModel(0, MacroStepTable::ColumnCount, this))
    , m_table(m_model)
{
    setObjectName(QStringLiteral("MacroDialog"));
    setAttribute(Qt::WA_StyledBackground);
    m_capture = new platform::KeyCapture(
        [this](const platform::KeyHookEvent &event) { return handleKeyEvent(event); }, this);
    buildControls();
    setTexts();
    applyStyle();
    layoutControls();
    loadMacroList();
    loadCurrentMacro();
    updateControls();
}

MacroDialog::~MacroDialog()
{
    m_capture->uninstall();
}

KestPushButton *MacroDialog::makeButton(const char *sourceText)
{
    auto *button = new KestPushButton({skinPath(QStringLiteral("tabbutton-1.png")),
                                       skinPath(QStringLiteral("tabbutton-3.png")),
                                       skinPath(QStringLiteral("tabbutton-2.png"))},
                                      this);
    m_buttons.append({sourceText, button});
    return button;
}

KestPushButton *MacroDialog::button(const char *sourceText) const
{
    // The page's second "DELETE" is the step one; ask for it as "DELETE STEP".
    const bool stepDelete = qstrcmp(sourceText, "DELETE STEP") == 0;
    if (stepDelete)
        return m_buttons.at(kStepDeleteButton).second;
    for (const auto &entry : m_buttons) {
        if (qstrcmp(entry.first, sourceText) == 0)
            return entry.second;
    }
    return nullptr;
}

void MacroDialog::buildControls()
{
    for (const ButtonSpec &spec : kButtons) {
        KestPushButton *b = makeButton(spec.text);
        connect(b, &QPushButton::clicked, this, spec.action);
    }

    m_macroTitle = new KestLabel(this);
    m_nameTitle = new KestLabel(this);
    m_mouseTitle = new KestLabel(this);
    m_stepCountLabel = new KestLabel(this);
    m_delayLabel = new KestLabel(this);
    m_moveLabel = new KestLabel(this);
    m_keyLabel = new KestLabel(this);
    m_stepCountLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_macroList = new QListWidget(this);
    m_macroList->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_macroList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { openMacro(item->text()); });
    // From the keyboard: the arrows choose, Enter opens (a second call for a click is a no-op).
    connect(m_macroList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { openMacro(item->text()); });

    m_nameEdit = new KestLineEdit(this);
    m_nameEdit->setMaxLength(kNameLength);
    connect(m_nameEdit, &QLineEdit::returnPressed, this, &MacroDialog::changeName);

    m_view = new QTableView(this);
    m_view->setModel(m_model);
    m_delegate = new KestMacroItemDelegate(m_minDelay, m_view);
    m_view->setItemDelegate(m_delegate);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setTabKeyNavigation(false); // Tab leaves the table; the arrows move in it
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_view->setShowGrid(false);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->setColumnHidden(MacroStepTable::LowColumn, true);
    connect(m_view, &QTableView::clicked, this, &MacroDialog::itemClicked);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &MacroDialog::CurrentChanged);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &MacroDialog::updateStepCount);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &MacroDialog::updateStepCount);

    m_delayEdit = new KestLineEdit(this);
    m_delayEdit->setMaxLength(5);
    m_delayEdit->setValidator(new MyIntValidator(10, 65535, m_delayEdit));
    m_delayEdit->setText(QString::number(kInsertDelayMs));
    connect(m_delayEdit, &QLineEdit::textEdited, this, &MacroDialog::EditDelayChanged);
    m_moveEdit = new KestLineEdit(this);
    m_moveEdit->setMaxLength(5);
    m_moveEdit->setValidator(new MyIntValidator(1, kMaxMoveDistance, m_moveEdit));
    connect(m_moveEdit, &QLineEdit::textEdited, this, &MacroDialog::EditMoveChanged);

    m_tree = new KestTreeWidget(this);
    connect(m_tree, &QTreeWidget::itemClicked, this, &MacroDialog::TreeitemClick);
    connect(m_tree, &KestTreeWidget::moveDistanceEntered, this, [this](KestTreeItem *item) {
        m_tree->setCurrentItem(item);
        KestItemPressed();
    });

    m_recordDelayBox = new QCheckBox(this);
    m_defaultDelayBox = new QCheckBox(this);
    for (QCheckBox *&box : m_loopBoxes)
        box = new QCheckBox(this);
    for (QCheckBox *box : {m_recordDelayBox, m_defaultDelayBox, m_loopBoxes[0], m_loopBoxes[1],
                           m_loopBoxes[2]}) {
        box->setFocusPolicy(Qt::TabFocus);
        connect(box, &QCheckBox::clicked, this, &MacroDialog::checkbtn_clicked);
    }

    m_defaultDelayEdit = new KestLineEdit(this);
    m_defaultDelayEdit->setMaxLength(5);
    m_defaultDelayEdit->setValidator(new MyIntValidator(0, 65535, m_defaultDelayEdit));
    connect(m_defaultDelayEdit, &QLineEdit::textEdited, this, &MacroDialog::DefDelayChanged);
    m_loopTimeEdit = new KestLineEdit(this);
    m_loopTimeEdit->setMaxLength(3);
    m_loopTimeEdit->setValidator(new MyIntValidator(1, 255, m_loopTimeEdit));
    connect(m_loopTimeEdit, &QLineEdit::textEdited, this, &MacroDialog::LoopTimeChanged);
    for (KestLineEdit *edit : {m_delayEdit, m_moveEdit, m_defaultDelayEdit, m_loopTimeEdit})
        edit->setAlignment(Qt::AlignCenter);
}

void MacroDialog::setTexts()
{
    for (const auto &entry : qAsConst(m_buttons))
        entry.second->setText(tr(entry.first));
    if (m_recording)
        m_buttons.at(kStartButton).second->setText(tr("STOP"));
    m_macroTitle->setText(tr("MACRO"));
    m_nameTitle->setText(tr("MACRO NAME"));
    m_mouseTitle->setText(tr("MOUSE COMMAND"));
    m_delayLabel->setText(tr("DELAY(ms)"));
    m_moveLabel->setText(tr("MOVE"));
    m_model->setHorizontalHeaderLabels({tr("ACTION"), tr("DELAY(ms)"), QString()});
    m_recordDelayBox->setText(tr("RECORD DELAYS BETWEEN ACTION"));
    m_defaultDelayBox->setText(tr("INSERT DEFAULT DELAY"));
    m_loopBoxes[0]->setText(tr("LOOPS TIME(1-255)"));
    m_loopBoxes[1]->setText(tr("REPEAT RUN WHEN KEY DOWN"));
    m_loopBoxes[2]->setText(tr("REPEAT RUN UNTIL THE KEY DOWN"));
    m_tree->setTexts();
    updateStepCount();
}

void MacroDialog::applyStyle()
{
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

    m_macroList->setStyleSheet(QStringLiteral("QListWidget{%1%2outline:0;}"
                                              "QListWidget::item{padding:%3px;}"
                                              "QListWidget::item:hover{background:rgb(52,52,56);}"
                                              "QListWidget::item:selected{background:%4;color:white;}")
                                   .arg(panel, selection).arg(scaled(2)).arg(rgb(accent.darker(130)))
                               + scrollBar);
    m_view->setStyleSheet(QStringLiteral("QTableView{%1outline:0;}"
                                         "QHeaderView::section{background-color:rgb(40,40,44);"
                                         "color:rgb(235,235,235);border:none;"
                                         "border-bottom:1px solid %2;padding:%3px;}")
                              .arg(panel, rgb(accent)).arg(scaled(2))
                          + scrollBar);
    m_tree->setStyleSheet(QStringLiteral("QTreeWidget{%1%2outline:0;}"
                                         "QTreeWidget::item{height:%3px;}"
                                         "QTreeWidget::item:hover{background:rgb(52,52,56);}"
                                         "QTreeWidget::item:selected{background:%4;color:white;}"
                                         "QLineEdit{background:rgb(36,36,40);color:white;"
                                         "border:1px solid rgb(80,80,86);}")
                              .arg(panel, selection).arg(scaled(20)).arg(rgb(accent.darker(130)))
                          + scrollBar);
    const QString edit = QStringLiteral("QLineEdit{background-color:rgb(30,30,34);color:white;"
                                        "border:1px solid rgb(80,80,86);border-radius:%1px;}"
                                        "QLineEdit:focus{border:1px solid %2;}"
                                        "QLineEdit:disabled{color:rgb(110,110,110);"
                                        "border-color:rgb(55,55,58);}")
                             .arg(scaled(2)).arg(rgb(accent));
    for (KestLineEdit *e : {m_nameEdit, m_delayEdit, m_moveEdit, m_defaultDelayEdit, m_loopTimeEdit}) {
        e->setStyleSheet(edit);
        e->setFont(font);
    }
    const int indicator = scaled(16);
    auto boxStyle = [&](const QString &off, const QString &on) {
        return QStringLiteral("QCheckBox{color:rgb(220,220,220);spacing:%1px;}"
                              "QCheckBox:disabled{color:rgb(110,110,110);}"
                              "QCheckBox::indicator{width:%2px;height:%2px;}"
                              "QCheckBox::indicator:unchecked{border-image:url(%3);}"
                              "QCheckBox::indicator:checked{border-image:url(%4);}")
            .arg(scaled(5)).arg(indicator).arg(skinPath(off), skinPath(on));
    };
    const QFont boxFont = languageFont(0, 1);
    for (QCheckBox *box : {m_recordDelayBox, m_defaultDelayBox}) {
        box->setStyleSheet(boxStyle(QStringLiteral("checkbox1-1.png"), QStringLiteral("checkbox1-2.png")));
        box->setFont(boxFont);
    }
    for (QCheckBox *box : m_loopBoxes) {
        box->setStyleSheet(boxStyle(QStringLiteral("checkbox2-1.png"), QStringLiteral("checkbox2-2.png")));
        box->setFont(boxFont);
    }
    m_macroList->setFont(font);
    // A size smaller in the rows, so "LEFT CLICK Release" fits beside its picture.
    m_view->setFont(languageFont(0, 1));
    m_view->horizontalHeader()->setFont(languageFont(0, 1));
    m_tree->setFont(font);
    for (KestTreeItem *item : m_tree->moveItems())
        item->distanceEdit()->setFont(font);
    m_delegate->setHighlightColor(accent);
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
    for (int i = 0; i < m_buttons.size(); ++i) {
        const QRect &r = kButtons[i].rect;
        place(m_buttons.at(i).second, r.x(), r.y(), r.width(), r.height());
    }
    place(m_macroTitle, 10, 6, 140, 20);
    place(m_macroList, 10, 30, 140, 222);
    place(m_nameTitle, 10, 346, 140, 20);
    place(m_nameEdit, 10, 370, 140, 24);

    place(m_view, 160, 36, 231, 330);
    m_view->horizontalHeader()->resizeSection(0, scaled(kActionColumnWidth));
    m_view->horizontalHeader()->setFixedHeight(scaled(24));
    m_view->verticalHeader()->setDefaultSectionSize(scaled(22));
    place(m_stepCountLabel, 160, 370, 231, 20);
    place(m_delayLabel, 160, 398, 70, 24);
    place(m_delayEdit, 230, 398, 56, 24);
    place(m_moveLabel, 292, 398, 42, 24);
    place(m_moveEdit, 335, 398, 56, 24);
    place(m_keyLabel, 160, 430, 231, 24);

    place(m_mouseTitle, kStepX0, 122, 254, 20);
    place(m_tree, kStepX0, 144, 254, 160);
    m_tree->header()->resizeSection(1, scaled(48));
    place(m_recordDelayBox, kStepX0, 312, 254, 22);
    place(m_defaultDelayBox, kStepX0, 338, 196, 22);
    place(m_defaultDelayEdit, 605, 337, 50, 22);
    place(m_loopBoxes[0], kStepX0, 368, 196, 22);
    place(m_loopTimeEdit, 605, 367, 50, 22);
    place(m_loopBoxes[1], kStepX0, 394, 254, 22);
    place(m_loopBoxes[2], kStepX0, 420, 254, 22);
}

void MacroDialog::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The main window resizes the page when the scale changes: fonts and sizes follow.
    applyStyle();
    layoutControls();
}

void MacroDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        setTexts();
    QWidget::changeEvent(event);
}

DelayMode MacroDialog::delayMode() const
{
    if (m_recordDelayBox->isChecked())
        return DelayMode::Recorded;
    if (m_defaultDelayBox->isChecked())
        return DelayMode::Default;
    return DelayMode::None;
}

int MacroDialog::loopType() const
{
    for (int i = 0; i < 3; ++i) {
        if (m_loopBoxes[i]->isChecked())
            return i + 1;
    }
    return 0;
}

void MacroDialog::showMacro(const Macro &macro)
{
    m_loading = true;
    m_table.setSteps(macro.actions);
    m_recordDelayBox->setChecked(macro.settings.delayType == int(DelayMode::Recorded));
    m_defaultDelayBox->setChecked(macro.settings.delayType == int(DelayMode::Default));
    m_defaultDelayMs = qBound(0, macro.settings.defaultDelay, 65535);
    m_defaultDelayEdit->setText(QString::number(m_defaultDelayMs));
    for (int i = 0; i < 3; ++i)
        m_loopBoxes[i]->setChecked(macro.settings.loopType == i + 1);
    m_loopTime = qBound(1, macro.settings.loopTime, 255);
    m_loopTimeEdit->setText(QString::number(m_loopTime));
    m_nameEdit->setText(m_currentName);
    m_loading = false;
    if (m_table.rowCount() > 0)
        SelectRow(0);
    else
        showStepEdits(-1);
    updateStepCount();
}

void MacroDialog::loadCurrentMacro()
{
    if (m_currentName.isEmpty()) {
        showMacro(Macro());
        return;
    }
    showMacro(loadMacro(m_currentName));
}

MacroSettings MacroDialog::pageSettings() const
{
    MacroSettings settings;
    settings.defaultDelay = m_defaultDelayMs;
    settings.delayType = int(delayMode());
    settings.loopType = loopType();
    settings.loopTime = m_loopTime;
    return settings;
}

bool MacroDialog::saveCurrentMacro()
{
    if (m_currentName.isEmpty())
        return false;
    if (!saveMacro(m_currentName, pageSettings(), m_table.steps())) {
        warn(tr("Warning"), tr("The macro could not be saved."));
        return false;
    }
    return true;
}

void MacroDialog::saveIfChanged()
{
    // Edits of the macro on the page are kept when the user moves on to another one.
    if (m_currentName.isEmpty())
        return;
    const Macro stored = loadMacro(m_currentName);
    const MacroSettings page = pageSettings();
    if (stored.actions != m_table.steps() || stored.settings.defaultDelay != page.defaultDelay
        || stored.settings.delayType != page.delayType || stored.settings.loopType != page.loopType
        || stored.settings.loopTime != page.loopTime)
        saveCurrentMacro();
}

void MacroDialog::updateStepCount()
{
    const int count = m_table.rowCount();
    m_stepCountLabel->setText(tr("STEPS: %1/%2").arg(count).arg(kMaxButtonSteps));
    // A macro longer than a button holds is kept, but the user should see it will not fit.
    m_stepCountLabel->setStyleSheet(count > kMaxButtonSteps ? QStringLiteral("color:rgb(255,90,80);")
                                                            : QStringLiteral("color:rgb(200,200,200);"));
}

void MacroDialog::updateControls()
{
    const bool haveMacro = !m_currentName.isEmpty();
    const bool idle = !m_recording;
    const bool editable = idle && haveMacro && !m_batchMode;
    for (int i = 0; i < m_buttons.size(); ++i) {
        KestPushButton *b = m_buttons.at(i).second;
        bool enabled = idle;
        if (i == kStartButton)
            enabled = m_recording || editable;
        else if (i > kStartButton) // the step buttons
            enabled = editable;
        else if (b == button("DELETE") || b == button("CHANGE NAME") || b == button("SAVE")
                 || b == button("CANCEL"))
            enabled = idle && haveMacro;
        else if (b == button("EXPORT"))
            enabled = idle && m_macroList->count() > 0;
        // Selecting resets the look, so it comes before the enabled look.
        b->setSelected((b == button("EDIT") && m_editingKey) || (b == button("BATCH") && m_batchMode));
        b->setEnabledLook(enabled);
    }
    for (QWidget *w : std::initializer_list<QWidget *>{
             m_view, m_tree, m_delayEdit, m_defaultDelayEdit, m_loopTimeEdit, m_recordDelayBox,
             m_defaultDelayBox, m_loopBoxes[0], m_loopBoxes[1], m_loopBoxes[2]})
        w->setEnabled(editable);
    m_moveEdit->setEnabled(editable && m_table.step(currentRow()).map == MACRO_MOVE
                           && currentRow() >= 0);
    m_macroList->setEnabled(idle);
    m_nameEdit->setEnabled(idle && haveMacro);
}

void MacroDialog::warn(const QString &title, const QString &text)
{
    KestMessageBox box(KestMessageBox::Warning, QString(), title, text, this);
    box.exec();
}
