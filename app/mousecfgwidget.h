// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <functional>
#include <memory>

#include <QColor>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QTranslator>
#include <QVector>
#include <QWidget>

#include "app/kestprofilemanager.h"
#include "store/appsettings.h"
#include "store/configrecord.h"

class QLabel;
class QLineEdit;
class QMenu;
class QScrollArea;
class QTimer;
class KestAction;
class KestBtnWindow;
class KestBatteryReader;
class KestDesktopBridge;
class KestMouseCore;
struct KestWriteResult;
class KestDeviceWorker;
class KestColorWindow;
class KestDPIWindow;
class KestLabel;
class KestLightPreview;
class KestMenu;
class KestMessageBox;
class KestOsdClient;
class KestPointSpeed;
class KestProcessbar;
class KestPushButton;
class KestReportRate;

// The utility's one top-level window: frameless and skinned, laid out on a 999 x 640
// canvas scaled for the screen, with four pages of panels, the profile bar and the battery
// and connection display. A face over the core (KestMouseCore): it shows the core's records
// and status, asks the user where a choice is due, and hides into the tray when closed.
class MousecfgWidget : public QWidget, public KestProfileHost
{
    Q_OBJECT

public:
    enum Page : int { LightingPage = 0, CustomizePage = 1, DpiPage = 2, MacroPage = 3 };
    static constexpr int kPageCount = 4;
    enum View : int { FrontView = 0, SideView = 1 };
    static constexpr int kMarkersPerView = 20;
    static constexpr int kSlotButtons = SLOT_COUNT;

    // What a page shows; everything else is hidden.
    enum PageItem : int {
        MousePicture, ViewButtons, Markers, ButtonWindow, LightingPanel,
        DpiPanel, PointSpeedPanel, ReportRatePanel, MacroEditor
    };
    static bool pageShows(int page, PageItem item);
    // The firmware updater for a language (executables carry no ".exe" here).
    static QString updaterPath(const QString &appDir, int languageIndex);

    // A window of its own: it builds a core and the desktop faces (tray, bus, notices)
    // and owns them; for tests and tools that want the whole utility in one object.
    explicit MousecfgWidget(QWidget *parent = nullptr);
    // A face over a core someone else owns (the program's desktop bridge).
    explicit MousecfgWidget(KestMouseCore *core, QWidget *parent = nullptr);
    ~MousecfgWidget() override;

    KestMouseCore *core() const { return m_core; }
    KestDesktopBridge *desktopBridge() const { return m_shell; }
    void setDesktopBridge(KestDesktopBridge *shell) { m_shell = shell; }
    int connectedCount() const;
    double scaleFactorValue() const { return m_scaleFactor; }
    int currentPage() const { return m_page; }
    int currentView() const { return m_view; }
    int connectionState() const;
    bool isWarningOpen() const { return m_warningOpen; }
    bool batteryReaderRunning() const;
    KestProfileManager *profileManager() const { return m_profiles; }

    // KestProfileHost (mousecfgwidget_profiles.cpp).
    ConfigRecord &workingSet() override;
    ConfigRecord &lastWrittenSet() override;
    int currentSlot() const override;
    QStringList &profileNames() override;
    QString productName() const override;
    void collectPanelValues() override;
    void stopBatteryReader() override;
    void refreshProfileView(int what) override;
    QWidget *dialogParent() override { return this; }
    bool hasUnappliedEdits() override;
    void discardUnappliedEdits() override;
    // The bottom bar's word on the last write ("Saved to the mouse"); empty once it faded.
    QString statusText() const;
    QColor statusColor() const;
    // The colours of that word after a write that went well, and after one that did not.
    static QColor successColor();
    static QColor failureColor();
    KestMouseCore *mouseCore() override { return m_core; }
    KestDeviceWorker *deviceWorker() override;
    KestBatteryReader *batteryReader() const;
    KestProcessbar *batteryBar() const { return m_batteryBar; }
    // How long the battery reader may hear nothing before the bar says the mouse does not
    // answer; tests shorten it.
    void setSilenceTimeout(int milliseconds);
    // The words beside the bar ("The mouse does not answer"); empty when it answers.
    QString batteryNote() const;
    QLabel *linkPicture() const { return m_donglePicture; }
    QSystemTrayIcon *trayIcon() const;
    QWidget *pageItemWidget(PageItem item) const;
    KestLightPreview *lightPreview() const { return m_lightPreview; }
    QPixmap mousePicture() const;
    KestPushButton *tabButton(int page) const { return m_tabButtons[page]; }
    KestPushButton *slotButton(int slot) const { return m_slotButtons[slot]; }
    KestPushButton *languageButton() const { return m_languageButton; }
    KestPushButton *rulesButton() const { return m_rulesButton; }
    // As choosing entry `index` of the language menu.
    void chooseLanguage(int index) { onLanguageChosen(index); }
    int languageCount() const { return m_languages.count; }

    // Whether the desktop has a tray to hide into; tests replace the probe (an empty
    // one restores the desktop's answer).
    static void setTrayProbe(std::function<bool()> probe);
    bool hasTray() const;
    // A later start of the program, the tray or the bus ask for the window: shown,
    // unminimised, raised and active, or the disconnect warning.
    void bringToFront();
    // Whether the window is on screen as a window (not hidden, not minimised).
    bool isShownNormally() const;
    // The number of the last slot switch the user made in this window (its refusal is
    // reported here, in a box), 0 when none.
    int ownSwitch() const { return m_switchAskedHere ? m_ownSwitch : 0; }

    void showPage(int page);
    void showView(int view);
    // A switch the user asked for in the window asks once about unapplied edits; one that
    // follows the focused program or a script must not hold a question up, so it keeps the
    // edits of the slot it leaves in the working set, still unapplied.
    enum class EditsOnSwitch { Ask, Keep };
    void switchToSlot(int slot, EditsOnSwitch edits = EditsOnSwitch::Ask);

    // Battery reader: the window owns the only running one; stopping waits for it.
    void startBatteryReader();

    // Everything texts and panels show, from the working set.
    void refreshPanels();
    void retranslate();

public slots:
    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    void SelBtnChanged(quint8 iBtn, quint8 iType);
    void slotGotoMacro(quint8 page);
    void slot_show_profilename(QAction *action);
    void slot_show_mousename(QAction *action);
    void slotPopOneClickBox();
    void slotEnableButtons(bool bEnable);
    void slotLiftChange(quint8 iLift);
    void slotProfileNameChange();
    void slotRefreshProfile(quint8 iProfile);
    void slotRefreshDPIStage(quint8 iDPI);
    void slotRefreshLightMode(quint8 iMode);
    void slotRefreshRate(quint8 iRate);
    void slotWarning();
    void slotWarnClose();
    void slotRefreshBatteryStatus(quint8 iCharge, quint8 iLowByte, quint8 iHiByte);
    void slotRefreshStatus(quint8 iProfile, quint8 iDPI, quint8 iRate, quint8 iMode);
    void slotRefreshWriteStatus(quint8 iStatus);
    void slotMouseOver(KestPushButton *button, bool bType);

signals:
    // Closing without a tray, or the tray's "&Quit": the program ends.
    void quitRequested();
    // The slot or the slot names changed (the desktop bridge follows them).
    void StateChangedSignal();
    // The profile area's rules button: the per-program profiles dialog.
    void rulesDialogRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    // Construction (mousecfgwidget.cpp).
    void build();
    void applyScale(int step);
    const QPixmap &backgroundForStep(int step);
    void connectCore();

    // Controls and layout (mousecfgwidget_controls.cpp).
    void createControls();
    KestPushButton *makeButton(const QStringList &pictures, const QRect &designRect);
    KestPushButton *makeTextButton(const QRect &designRect);
    void place(QWidget *widget, const QRect &designRect);
    void relayout();
    void onButtonClicked();

    // Pages, panels, views, markers (mousecfgwidget_pages.cpp).
    void createPages();
    void createLightingPage();
    void createButtonPage();
    void ensureDpiPage();
    void refreshDpiPanels();
    void createDpiPage();
    void createPointSpeedPage();
    void createReportRatePage();
    void createMacroPage();
    QWidget *makePlaceholder(const QRect &designRect);
    void selectDpiLevelInPanel(int level);
    void refreshReportRatePanel();
    void selectButtonInPanel(int group, int index);
    void createMarkers();
    void loadProductPictures();
    QPixmap productPicture(const QString &relativePath) const;
    // The picture of the view shown; the side view's is decoded when first asked for.
    const QPixmap &viewPicture();
    void refreshExtraMarkers();
    void updatePageVisibility();
    void highlightMarker(int group, int index);

    // Menus (mousecfgwidget_menus.cpp).
    void buildProductMenu();
    void buildSlotMenu();
    void buildLanguageMenu();
    bool loadLanguage(int index);
    void onLanguageChosen(int index);
    void showSlot();
    void applySlotPointerSpeed();

    // Status (mousecfgwidget_status.cpp).
    void refreshConnectionState();
    void refreshBatteryDisplay();
    void onSwitchFinished(int id, int slot, int result);
    void setBatteryStyle(const QString &styleSheet);
    void noteMouseAnswered();
    void noteWriteUnanswered();

    // Tray and device events (mousecfgwidget_tray.cpp).
    void putAway();
    void onDisconnectWarning();
    QString disconnectText() const;

    // Profile bar (mousecfgwidget_profiles.cpp).
    void connectProfileBar();
    void buildLibraryMenu();

    // Keyboard (mousecfgwidget_focus.cpp).
    void setupKeyboard();
    QVector<QWidget *> keyboardOrder() const;

    // Hand-offs (mousecfgwidget_handoff.cpp).
    void startFirmwareUpdate();

    ConfigRecord collectedSet();
    void markClean();
    void showWriteResult(const KestWriteResult &result);
    void retranslateStatus();
    void closeToTray();

    void updateLightPreview();
    void activateLightPreview();

    // Scale and background.
    int m_scaleStep = 0;
    double m_scaleFactor = 1.0;
    std::array<QPixmap, 17> m_backgrounds;
    QPixmap m_background2x;
    QPixmap m_batteryFrame1;
    QPixmap m_batteryFrame2;

    // Dragging.
    bool m_dragging = false;
    bool m_dragMoved = false;
    QPoint m_pressGlobal;
    QPoint m_pressWindowPos;

    // The core this window shows; owned only by a window made without one.
    std::unique_ptr<KestMouseCore> m_ownedCore;
    KestMouseCore *m_core = nullptr;
    KestDesktopBridge *m_shell = nullptr;
    // The switch the user made here, whose refusal the window reports in a box.
    int m_ownSwitch = 0;
    bool m_switchAskedHere = false;
    QString m_appDir;
    LanguageList m_languages;
    int m_languageIndex = 0;
    int m_frenchLanguage = -1; // the language index the French key names belong to
    int m_ledDisable = 0;
    int m_disableMacro = 0;
    int m_buttonCount = 0;

    // Layout: every placed widget with its rectangle on the design canvas.
    struct Placement {
        QPointer<QWidget> widget;
        QRect designRect;
        bool unscaled = false;
    };
    QVector<Placement> m_placements;

    // Buttons.
    KestPushButton *m_closeButton = nullptr;
    KestPushButton *m_minimizeButton = nullptr;
    KestPushButton *m_firmwareButton = nullptr;
    KestPushButton *m_importButton = nullptr;
    KestPushButton *m_exportButton = nullptr;
    KestPushButton *m_resetButton = nullptr;
    KestPushButton *m_addButton = nullptr;
    KestPushButton *m_deleteButton = nullptr;
    KestPushButton *m_copyButton = nullptr;
    KestPushButton *m_resetAllButton = nullptr;
    KestPushButton *m_okButton = nullptr;
    KestPushButton *m_cancelButton = nullptr;
    KestPushButton *m_applyButton = nullptr;
    KestPushButton *m_loadConfigButton = nullptr;
    KestPushButton *m_saveConfigButton = nullptr;
    std::array<KestPushButton *, kPageCount> m_tabButtons{};
    std::array<KestPushButton *, kSlotButtons> m_slotButtons{};
    KestPushButton *m_languageButton = nullptr;
    KestPushButton *m_productButton = nullptr;
    KestPushButton *m_slotNameButton = nullptr;
    KestPushButton *m_profileMenuButton = nullptr;
    KestPushButton *m_rulesButton = nullptr;
    std::array<KestPushButton *, 2> m_viewButtons{};
    std::array<std::array<KestPushButton *, kMarkersPerView>, 2> m_markers{};
    std::array<KestPushButton *, 2> m_extraMarkers{};

    // The slot button whose pencil the last click landed on.
    KestPushButton *m_pencilPressed = nullptr;
    static constexpr int kPencilWidth = 30; // design pixels at the button's right end
    QLineEdit *m_nameEdit = nullptr;
    KestLabel *m_profileLabel = nullptr;
    KestLabel *m_modeLabel = nullptr;
    KestLabel *m_versionTitleLabel = nullptr;
    KestLabel *m_versionLabel = nullptr;
    KestLabel *m_nameLabel = nullptr;
    QLabel *m_mousePicture = nullptr;
    QLabel *m_donglePicture = nullptr;
    QLabel *m_lightningPicture = nullptr;
    QLabel *m_logoPicture = nullptr;
    KestProcessbar *m_batteryBar = nullptr;
    QPixmap m_frontPicture;
    QPixmap m_sidePicture;

    KestMenu *m_productMenu = nullptr;
    KestMenu *m_slotMenu = nullptr;
    KestMenu *m_languageMenu = nullptr;
    KestMenu *m_libraryMenu = nullptr;
    KestProfileManager *m_profiles = nullptr;

    // Panels (placeholders of the right size until a panel exists).
    QScrollArea *m_buttonScroll = nullptr;
    QWidget *m_wheelLayer = nullptr; // the wheel entries, outside the scrolling list
    KestBtnWindow *m_buttonWindow = nullptr;
    KestDPIWindow *m_dpiWindow = nullptr;
    KestPointSpeed *m_pointSpeed = nullptr;
    KestReportRate *m_reportRate = nullptr;
    QWidget *m_macroDialog = nullptr;
    KestColorWindow *m_colorWindow = nullptr;
    KestLightPreview *m_lightPreview = nullptr;

    int m_page = LightingPage;
    int m_view = FrontView;

    QTranslator m_translator;
    bool m_translatorInstalled = false;

    // Status display.
    int m_shownConnectionState = 3;
    int m_lastBattery = -1;
    bool m_warningOpen = false;
    // The mouse heard nothing of late (a write it did not take, a reader answered by silence).
    bool m_mouseSilent = false;
    bool m_shownSilent = false; // the bar says so (the frame drops its plug)
    KestLabel *m_batteryNote = nullptr;
    QTimer *m_answerTimer = nullptr;
    int m_silenceMs = 8000; // about three of the reader's query rounds
    QPointer<KestMessageBox> m_warningBox;

    KestLabel *m_statusLabel = nullptr;
    QTimer *m_statusTimer = nullptr;
    int m_statusWrite = -1; // the write the status text speaks of: 0 reached the mouse
};
