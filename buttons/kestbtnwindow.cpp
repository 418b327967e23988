// SPDX-License-Identifier: GPL-2.0-or-later
#include "buttons/kestbtnwindow.h"

#include <cmath>

#include <QDebug>
#include <QEvent>

#include "buttons/buttonassign.h"
#include "buttons/kestbuttonfunctionmenu.h"
#include "store/devicedescription.h"
#include "widgets/kestmenu.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"
#include "platform/logging.h"

namespace {

constexpr int kLabelX = 56;
constexpr int kLabelWidth = 220;
constexpr int kLabelHeight = 30;
constexpr int kWheelLabelX = 356;
static_assert(kLabelX + kLabelWidth == KestBtnWindow::kListRight, "the scroll bar follows the rows");
// More labels than this do not fit the panel's height: they get a fixed spacing and the
// panel scrolls.
constexpr int kFittingLabels = 9;
constexpr int kScrollingGap = 20;
constexpr int kScrollingTop = 30;
// Labels spread over the panel's height that would touch or overlap get a small fixed gap
// instead, and the list scrolls.
constexpr int kTouchingGap = 2;
constexpr int kCompactGap = 6;
// Marker codes that draw an arrow instead of a number.
constexpr quint8 kArrowUp = 253;
constexpr quint8 kArrowDown = 254;
// Slots that the matrix table marks as missing hold -1, read back as a byte.
constexpr quint8 kMissingSlot = 0xFF;
// Without a description file the built-in default profile is in use; it assigns the
// first seven buttons.
constexpr int kFallbackButtons = 7;

quint8 pageOfSlot(int slot)
{
    return quint8(slot / KestBtnWindow::kSlotsPerPage);
}

} // namespace

KestBtnWindow::KestBtnWindow(ProfileRecord *profile, QWidget *parent, double scale)
    : QWidget(parent), m_profile(profile), m_scale(scale)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);

    const QStringList pictures{skinPath(QStringLiteral("tabbutton-1.png")),
                               skinPath(QStringLiteral("tabbutton-3.png")),
                               skinPath(QStringLiteral("tabbutton-2.png"))};
    for (int slot = 0; slot < BUTTON_SLOTS; ++slot) {
        auto *label = new KestPushButton(pictures, this);
        connect(label, &KestPushButton::hovered, this, &KestBtnWindow::labelHovered);
        connect(label, &KestPushButton::buttonPressed, this, &KestBtnWindow::labelPressed);
        m_labels[slot] = label;
    }
    m_labels[kWheelUpSlot]->setMarker(kArrowUp);
    m_labels[kWheelDownSlot]->setMarker(kArrowDown);

    m_menu = new KestButtonFunctionMenu(this, m_scale);
    connect(m_menu, &KestButtonFunctionMenu::functionChosen, this, &KestBtnWindow::onFunctionChosen);
    connect(m_menu, &KestButtonFunctionMenu::lastLeftClickRefused, this, &KestBtnWindow::lastLeftClickRefused);
    connect(m_menu, &KestButtonFunctionMenu::macroPageWanted, this, &KestBtnWindow::macroPageWanted);
    m_menu->mainMenu()->installEventFilter(this);
    m_menu->wheelMenu()->installEventFilter(this);
    for (int slot = 0; slot < BUTTON_SLOTS; ++slot)
        m_labels[slot]->setMenu(pageOfSlot(slot) == 2 ? m_menu->wheelMenu() : m_menu->mainMenu());

    m_page = 0;
    m_index = 0;
    layoutLabels();
    showPage(0, 0);
    retranslate();
}

void KestBtnWindow::setProfile(ProfileRecord *profile)
{
    m_profile = profile;
    refreshLabels();
}

QString KestBtnWindow::labelText(int slot) const
{
    if (!m_profile)
        return QString();
    const ButtonInfo &button = m_profile->BUTTON_INFO[slot];
    return bindingLabel(button, slot >= kWheelUpSlot);
}

void KestBtnWindow::showLabel(int slot)
{
    m_labels[slot]->setText(labelText(slot));
    if (m_profile)
        m_labels[slot]->setToolTip(bindingToolTip(m_profile->BUTTON_INFO[slot], slot >= kWheelUpSlot));
}

void KestBtnWindow::refreshLabels()
{
    for (int slot = 0; slot < BUTTON_SLOTS; ++slot)
        showLabel(slot);
}

void KestBtnWindow::layoutLabels()
{
    ButtonMatrix matrix{};
    int count = readMatrix2(matrix);
    if (count < 0) {
        matrix.fill(0);
        count = kFallbackButtons;
    }
    count = qBound(0, count, MATRIX_SIZE);

    QVector<int> visible;
    for (int slot = 0; slot < count; ++slot) {
        if (matrix[slot] != kMissingSlot)
            visible << slot;
    }
    const int n = visible.size();
    const double labelHeight = m_scale * kLabelHeight;
    // The visible height of the panel; the list itself may grow taller and scroll.
    const double panelHeight = m_scale * kDesignHeight;
    const double spread = (panelHeight - labelHeight * n) / (n + 1);
    double gap = spread;
    double top = spread;
    bool scrolls = false;
    if (n > kFittingLabels) {
        gap = m_scale * kScrollingGap;
        top = m_scale * kScrollingTop;
        scrolls = true;
    } else if (spread < m_scale * kTouchingGap) {
        gap = top = m_scale * kCompactGap;
        scrolls = true;
    }

    for (int slot = 0; slot < kSlotsPerPage; ++slot) {
        m_labels[slot]->setGeometry(QRect());
        m_labels[slot + kSlotsPerPage]->setGeometry(QRect());
    }
    // A list that scrolls shows whole rows only: as many as fit with the usual spacing,
    // spread over the visible height, and the list is as much longer as the hidden rows
    // take, so that scrolling by rows never stops with one cut in half.
    double contentHeight = 0;
    double rowHeight = labelHeight;
    m_rowPitch = labelHeight + gap;
    if (scrolls && n > 0) {
        // Whole pixels, so that every row lies the same number of pixels below the last.
        const int visibleHeight = int(panelHeight);
        const int label = int(labelHeight);
        const int fit = qBound(1, int((panelHeight - top + gap) / (labelHeight + gap)), n);
        // Rounded up: the row after the last one that fits starts below the visible
        // height, and a row scrolled past the top is wholly gone.
        const int spacing = (visibleHeight - label * fit + fit) / (fit + 1);
        rowHeight = label;
        gap = spacing;
        top = spacing;
        m_rowPitch = label + spacing;
        contentHeight = visibleHeight + (n - fit) * m_rowPitch;
    }
    for (int c = 0; c < n; ++c) {
        const QRect rect(int(m_scale * kLabelX), int(top + gap * c + rowHeight * c),
                         int(m_scale * kLabelWidth), int(labelHeight));
        const int slot = visible[c];
        m_labels[slot]->setGeometry(rect);
        m_labels[slot]->setMarker(quint8(c + 1));
        // The second page, used by no model so far, reuses the first page's rows.
        m_labels[slot + kSlotsPerPage]->setGeometry(rect);
        m_labels[slot + kSlotsPerPage]->setMarker(quint8(c + 1 + kSlotsPerPage));
    }

    const int wheelTop = int(panelHeight / 2 - labelHeight - m_scale * 10);
    m_labels[kWheelUpSlot]->setGeometry(int(m_scale * kWheelLabelX), wheelTop,
                                        int(m_scale * kLabelWidth), int(labelHeight));
    m_labels[kWheelDownSlot]->setGeometry(int(m_scale * kWheelLabelX),
                                          wheelTop + int(labelHeight + m_scale * 20),
                                          int(m_scale * kLabelWidth), int(labelHeight));
    // A long list scrolls inside the main window's scroll area.
    setMinimumHeight(scrolls ? int(std::ceil(contentHeight)) : 0);
    // Tab skips the entries this model has no button for: they are there, but of no size.
    for (KestPushButton *label : m_labels)
        label->setFocusPolicy(label->geometry().isEmpty() ? Qt::NoFocus : Qt::TabFocus);
}

void KestBtnWindow::applyFonts(double scale)
{
    m_scale = scale;
    const QFont font = languageFont();
    for (KestPushButton *label : m_labels)
        label->setFont(font);
    layoutLabels();
}

void KestBtnWindow::selectSlot(quint8 index, quint8 page)
{
    m_page = page;
    m_index = index;
    showPage(index, page);
    const int selected = selectedSlot();
    for (int slot = 0; slot < BUTTON_SLOTS; ++slot) {
        m_labels[slot]->setSelected(slot == selected);
        m_labels[slot]->setToggled(slot == selected);
    }
    refreshLabels();
}

void KestBtnWindow::showPage(quint8 index, quint8 page)
{
    m_index = index;
    if (page != kNoSelection)
        m_page = page;
    const bool secondPage = m_page == 1;
    for (int slot = 0; slot < BUTTON_SLOTS; ++slot)
        m_labels[slot]->setVisible((pageOfSlot(slot) == 1) == secondPage);
}

KestPushButton *KestBtnWindow::label(int slot) const
{
    return slot >= 0 && slot < BUTTON_SLOTS ? m_labels[slot] : nullptr;
}

int KestBtnWindow::slotOfLabel(const KestPushButton *button) const
{
    for (int slot = 0; slot < BUTTON_SLOTS; ++slot) {
        if (m_labels[slot] == button)
            return slot;
    }
    return -1;
}

int KestBtnWindow::selectedSlot() const
{
    if (m_page == kNoSelection || m_index == kNoSelection)
        return -1;
    const int slot = m_page * kSlotsPerPage + m_index;
    return slot < BUTTON_SLOTS ? slot : -1;
}

void KestBtnWindow::clearSelection()
{
    m_page = m_index = kNoSelection;
}

void KestBtnWindow::markerEntered(KestPushButton *marker)
{
    // The main window's markers are numbered like the page-0 labels they stand for.
    int index = slotOfLabel(marker);
    if (index < 0 && marker && marker->marker() > 0)
        index = marker->marker() - 1;
    if (index < 0 || index >= kSlotsPerPage)
        return;
    qCDebug(lcUi, "markerEntered %d", index);
    showPage(quint8(index), 0);
}

void KestBtnWindow::labelHovered(KestPushButton *label, bool on)
{
    if (slotOfLabel(label) >= 0)
        emit labelPointed(label, on);
}

void KestBtnWindow::labelPressed(KestPushButton *label)
{
    const int slot = slotOfLabel(label);
    if (slot < 0)
        return;
    m_page = pageOfSlot(slot);
    m_index = quint8(slot - m_page * kSlotsPerPage);
}

bool KestBtnWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Hide
        && (watched == m_menu->mainMenu() || watched == m_menu->wheelMenu())) {
        if (KestPushButton *selected = label(selectedSlot())) {
            emit labelPointed(selected, false);
            // The menu took the pointer while the label was down: the label never saw its
            // release and would stay drawn pressed.
            selected->setToggled(false);
        }
    }
    return QWidget::eventFilter(watched, event);
}

KestMenu *KestBtnWindow::mainMenu() const
{
    return m_menu->mainMenu();
}

KestMenu *KestBtnWindow::wheelMenu() const
{
    return m_menu->wheelMenu();
}

QAction *KestBtnWindow::functionAction(qint32 code) const
{
    return m_menu->functionAction(code);
}

void KestBtnWindow::retranslate()
{
    m_menu->retranslate();
    refreshLabels();
}

void KestBtnWindow::rebuildMenu()
{
    m_menu->rebuildMenu();
}

void KestBtnWindow::onFunctionChosen(qint32 code)
{
    const int slot = selectedSlot();
    if (slot < 0 || !m_profile)
        return;
    KestPushButton *selected = m_labels[slot];
    emit labelPointed(selected, true);
    m_menu->assign(*m_profile, slot, code);
    showLabel(slot);
    emit labelPointed(selected, false);
    clearSelection();
}

QString KestBtnWindow::scrollBarStyleSheet()
{
    return QStringLiteral("QScrollBar:vertical{background:rgb(30,30,30);width:%1px;margin:0px;}"
                          "QScrollBar::handle:vertical{background:%2;min-height:%3px;border-radius:%4px;}"
                          "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:0px;}"
                          "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:none;}")
        .arg(scaled(kScrollBarWidth))
        .arg(themeColor().name())
        .arg(scaled(20))
        .arg(scaled(4));
}
