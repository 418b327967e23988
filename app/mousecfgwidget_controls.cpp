// SPDX-License-Identifier: GPL-2.0-or-later
// The window's controls: where each sits on the design canvas, their texts, and what
// each button does.

#include "app/mousecfgwidget.h"

#include <QFileInfo>

#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>

#include "app/kestscale.h"
#include "buttons/kestbtnwindow.h"
#include "store/devicedescription.h"
#include "widgets/kestlabel.h"
#include "widgets/kestmenu.h"
#include "widgets/kestprocessbar.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"

namespace {

QStringList pictures(std::initializer_list<const char *> names)
{
    QStringList paths;
    for (const char *name : names)
        paths << skinPath(QString::fromLatin1(name));
    return paths;
}

QStringList tabPictures()
{
    // Normal, hover, pressed.
    return pictures({"tabbutton-1.png", "tabbutton-3.png", "tabbutton-2.png"});
}

// Design-canvas places of the controls that are not fixed by the pictures themselves.
constexpr QRect kTabRect(285, 42, 90, 26); // first tab; the others follow every 94 px
constexpr int kTabStep = 94;
constexpr QRect kSlotRect(40, 118, 190, 26); // first slot button; every 32 px
constexpr int kSlotStep = 32;

} // namespace

void MousecfgWidget::place(QWidget *widget, const QRect &designRect)
{
    m_placements.append({widget, designRect, false});
    widget->setGeometry(scaled(designRect.x()), scaled(designRect.y()),
                        scaled(designRect.width()), scaled(designRect.height()));
}

void MousecfgWidget::relayout()
{
    for (const Placement &placement : qAsConst(m_placements)) {
        if (!placement.widget)
            continue;
        const QRect &r = placement.designRect;
        if (placement.unscaled)
            placement.widget->setGeometry(r);
        else
            placement.widget->setGeometry(scaled(r.x()), scaled(r.y()), scaled(r.width()),
                                          scaled(r.height()));
    }
    if (m_buttonWindow) {
        m_buttonWindow->applyFonts(m_scaleFactor);
        m_buttonScroll->verticalScrollBar()->setSingleStep(qMax(1, m_buttonWindow->rowPitch()));
    }
    loadProductPictures();
    update();
}

KestPushButton *MousecfgWidget::makeButton(const QStringList &picturePaths, const QRect &designRect)
{
    auto *button = new KestPushButton(picturePaths, this);
    place(button, designRect);
    connect(button, &QPushButton::clicked, this, &MousecfgWidget::onButtonClicked);
    return button;
}

KestPushButton *MousecfgWidget::makeTextButton(const QRect &designRect)
{
    return makeButton(tabPictures(), designRect);
}

void MousecfgWidget::createControls()
{
    m_productButton = makeTextButton(QRect(670, 33, 100, 20));
    m_firmwareButton = makeTextButton(QRect(776, 33, 118, 20));
    m_minimizeButton = makeButton(pictures({"min-1.png", "min-2.png", "min-3.png"}),
                                  QRect(903, 33, 19, 19));
    m_closeButton = makeButton(pictures({"close-1.png", "close-2.png", "close-3.png"}),
                               QRect(924, 33, 19, 19));

    m_logoPicture = new QLabel(this);
    m_logoPicture->setScaledContents(true);
    m_logoPicture->setPixmap(QPixmap(skinPath(QStringLiteral("mouselogo.png"))));
    place(m_logoPicture, QRect(45, 30, 160, 40));

    for (int page = 0; page < kPageCount; ++page)
        m_tabButtons[page] = makeTextButton(kTabRect.translated(page * kTabStep, 0));

    // Slots: the label with the slot menu beside it, then one button per slot.
    m_profileLabel = new KestLabel(this);
    place(m_profileLabel, QRect(40, 88, 150, 24));
    m_slotNameButton = makeButton(pictures({"profilesel.png"}), QRect(206, 90, 20, 20));
    m_rulesButton = makeTextButton(QRect(136, 90, 64, 20));
    for (int slot = 0; slot < kSlotButtons; ++slot)
        m_slotButtons[slot] = makeButton(pictures({"profile_edit_name_1.png",
                                                   "profile_edit_name_2.png",
                                                   "profile_edit_name_2.png"}),
                                         kSlotRect.translated(0, slot * kSlotStep));
    for (KestPushButton *button : m_slotButtons)
        button->installEventFilter(this); // a click on its pencil names the slot's profile

    // The profile of the current slot: its name and the library bar.
    m_nameLabel = new KestLabel(this);
    place(m_nameLabel, QRect(40, 286, 150, 22));
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setStyleSheet(
        QStringLiteral("QLineEdit{color:white;background:rgb(30,30,30);border:1px solid rgb(70,70,70);}"));
    m_nameEdit->setMaxLength(64);
    m_nameEdit->setFont(languageFont());
    place(m_nameEdit, QRect(40, 310, 162, 24));
    m_profileMenuButton = makeButton(pictures({"profile_apply1.png"}), QRect(206, 310, 24, 24));
    m_addButton = makeButton(pictures({"profile_add1.png", "profile_add2.png"}), QRect(40, 346, 24, 24));
    m_deleteButton = makeButton(pictures({"profile_del1.png", "profile_del2.png"}), QRect(73, 346, 24, 24));
    m_copyButton = makeButton(pictures({"profile_copy1.png", "profile_copy2.png"}), QRect(106, 346, 24, 24));
    m_resetButton = makeButton(pictures({"profile_reset1.png", "profile_reset2.png"}), QRect(139, 346, 24, 24));
    m_importButton = makeButton(pictures({"profile_import1.png", "profile_import2.png"}), QRect(172, 346, 24, 24));
    m_exportButton = makeButton(pictures({"profile_export1.png", "profile_export2.png"}), QRect(205, 346, 24, 24));
    m_resetAllButton = makeTextButton(QRect(40, 384, 190, 26));
    m_loadConfigButton = makeTextButton(QRect(40, 418, 93, 26));
    m_saveConfigButton = makeTextButton(QRect(137, 418, 93, 26));

    // Model and version at the foot of the column.
    m_modeLabel = new KestLabel(this);
    place(m_modeLabel, QRect(40, 470, 190, 22));
    m_versionTitleLabel = new KestLabel(this);
    place(m_versionTitleLabel, QRect(40, 500, 70, 22));
    m_versionLabel = new KestLabel(this);
    m_versionLabel->setCursor(Qt::PointingHandCursor);
    m_versionLabel->installEventFilter(this);
    place(m_versionLabel, QRect(110, 500, 130, 22));
    // Captions in the light grey of the button texts, readable on the dark column.
    for (KestLabel *label : {m_profileLabel, m_nameLabel, m_modeLabel, m_versionTitleLabel,
                             m_versionLabel}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(200, 200, 200));
        label->setPalette(palette);
    }

    // Battery and link; the frame itself is painted by the window.
    m_batteryBar = new KestProcessbar(this);
    m_batteryBar->setRange(0, 100);
    m_batteryBar->setValue(readBattery());
    m_batteryBar->setAlignment(Qt::AlignCenter);
    place(m_batteryBar, QRect(79, 596, 58, 17));
    m_lightningPicture = new QLabel(this);
    m_lightningPicture->setScaledContents(true);
    m_lightningPicture->setPixmap(QPixmap(skinPath(QStringLiteral("lightning.png"))));
    place(m_lightningPicture, QRect(100, 592, 16, 24));
    m_lightningPicture->hide();
    m_donglePicture = new QLabel(this);
    m_donglePicture->setScaledContents(true);
    m_donglePicture->setPixmap(QPixmap(skinPath(QStringLiteral("dongle.png"))));
    place(m_donglePicture, QRect(164, 593, 24, 24));
    m_languageButton = makeButton(pictures({"lang.png"}), QRect(300, 580, 100, 20));

    m_okButton = makeTextButton(QRect(694, 577, 80, 26));
    m_cancelButton = makeTextButton(QRect(781, 577, 80, 26));
    m_applyButton = makeTextButton(QRect(868, 577, 80, 26));
}

void MousecfgWidget::retranslate()
{
    m_firmwareButton->setText(tr("Firmware Update"));
    // Offered only where an updater for this language is installed beside the utility: a
    // button that can only end in "could not be started" is a dead end.
    m_firmwareButton->setVisible(
        QFileInfo(updaterPath(m_appDir, m_languageIndex)).isExecutable());
    m_resetButton->setToolTip(tr("RESET"));
    m_addButton->setToolTip(tr("ADD"));
    m_deleteButton->setToolTip(tr("DELETE"));
    m_copyButton->setToolTip(tr("COPY"));
    m_importButton->setToolTip(tr("Load Profile File"));
    m_exportButton->setToolTip(tr("Save Profile File"));
    m_resetAllButton->setText(tr("Reset All"));
    m_okButton->setText(tr("OK"));
    m_cancelButton->setText(tr("Cancel"));
    m_applyButton->setText(tr("Apply"));
    m_loadConfigButton->setText(tr("LOAD1"));
    m_saveConfigButton->setText(tr("SAVE"));
    m_tabButtons[LightingPage]->setText(tr("LIGHTING"));
    m_tabButtons[CustomizePage]->setText(tr("CUSTOMIZE"));
    m_tabButtons[DpiPage]->setText(tr("DPI"));
    m_tabButtons[MacroPage]->setText(tr("MACRO"));
    m_profileLabel->setText(tr("Profile"));
    m_nameLabel->setText(tr("NAME"));
    m_modeLabel->setText(tr("Mode") + QStringLiteral(": ") + readModel());
    m_versionTitleLabel->setText(tr("Version"));
    m_versionLabel->setText(readDescriptionVersion());
    m_nameEdit->setToolTip(tr("Press Enter To Apply"));
    m_viewButtons[FrontView]->setText(tr("Front"));
    m_viewButtons[SideView]->setText(tr("Side"));
    m_slotNameButton->setToolTip(tr("Profile"));
    m_profileMenuButton->setToolTip(tr("Profile"));
    m_rulesButton->setText(tr("Rules"));
    m_rulesButton->setToolTip(tr("Profiles by program"));
    m_closeButton->setToolTip(QString());
    m_minimizeButton->setToolTip(QString());
    if (m_languageIndex >= 0 && m_languageIndex < LANGUAGE_SLOTS)
        m_languageButton->setText(m_languages.names[m_languageIndex]);
    if (m_buttonWindow)
        m_buttonWindow->retranslate();
    showSlot();
    if (m_buttonWindow)
        m_buttonWindow->retranslate();
    // The bar's words (mouse off, no answer) follow the language too.
    if (m_batteryBar && m_core)
        refreshBatteryDisplay();
    retranslateStatus();
}

void MousecfgWidget::onButtonClicked()
{
    auto *button = qobject_cast<KestPushButton *>(sender());
    if (!button)
        return;
    if (button == m_closeButton) {
        closeToTray();
    } else if (button == m_minimizeButton) {
        showMinimized();
    } else if (button == m_firmwareButton) {
        startFirmwareUpdate();
    } else if (button == m_productButton) {
        m_productMenu->popup(m_productButton->mapToGlobal(QPoint(0, m_productButton->height())));
    } else if (button == m_slotNameButton) {
        m_slotMenu->popup(m_slotNameButton->mapToGlobal(QPoint(0, m_slotNameButton->height())));
    } else if (button == m_rulesButton) {
        emit rulesDialogRequested();
    } else if (button == m_languageButton) {
        m_languageMenu->popup(m_languageButton->mapToGlobal(QPoint(0, 0)));
    } else if (button == m_viewButtons[FrontView]) {
        showView(FrontView);
    } else if (button == m_viewButtons[SideView]) {
        showView(SideView);
    } else {
        for (int page = 0; page < kPageCount; ++page) {
            if (button == m_tabButtons[page]) {
                showPage(page);
                return;
            }
        }
        for (int slot = 0; slot < kSlotButtons; ++slot) {
            if (button == m_slotButtons[slot]) {
                const bool pencil = m_pencilPressed == button;
                m_pencilPressed = nullptr;
                switchToSlot(slot);
                if (pencil && currentSlot() == slot)
                    m_profiles->nameSlot();
                return;
            }
        }
        for (int view = 0; view < 2; ++view) {
            for (int k = 0; k < kMarkersPerView; ++k) {
                if (button == m_markers[view][k]) {
                    SelBtnChanged(quint8(k), quint8(view));
                    return;
                }
            }
        }
        for (int k = 0; k < 2; ++k) {
            if (button == m_extraMarkers[k]) {
                SelBtnChanged(quint8(k), 2);
                return;
            }
        }
    }
}
