// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <functional>
#include <memory>

#include <QPixmap>
#include <QPoint>
#include <QStringList>
#include <QVector>
#include <QWidget>

#include "app/kestcanvas.h"
#include "app/kestmouseview.h"
#include "app/kestprofilemanager.h"
#include "core/kestmousecore.h"
#include "store/configrecord.h"

class QAction;
class KestDesktopBridge;
class KestFirmwareHandoff;
class KestLanguage;
class KestMenu;
class KestPageStack;
class KestProfileColumn;
class KestPushButton;
class KestStatusArea;
struct KestWriteResult;

// The utility's one top-level window: frameless and skinned, laid out on a 999 x 640
// canvas scaled for the screen. A face over the core (KestMouseCore): it holds the window's
// own buttons and its parts (the profile column, the pages, the mouse picture, the status
// display and the language), shows the core's records and status through them, asks the
// user where a choice is due, and hides into the tray when closed.
class MousecfgWidget : public QWidget, public KestProfileHost
{
    Q_OBJECT

public:
    enum Page : int { LightingPage = 0, CustomizePage = 1, DpiPage = 2, MacroPage = 3 };
    static constexpr int kPageCount = 4;
    enum View : int { FrontView = KestMouseView::FrontView, SideView = KestMouseView::SideView };
    static constexpr int kMarkersPerView = KestMouseView::kMarkersPerView;
    static constexpr int kSlotButtons = SLOT_COUNT;

    // What a page shows; everything else is hidden.
    enum PageItem : int {
        MousePicture, ViewButtons, Markers, ButtonWindow, LightingPanel,
        DpiPanel, PointSpeedPanel, ReportRatePanel, MacroEditor
    };
    static bool pageShows(int page, PageItem item);

    // A window of its own: it builds a core and the desktop faces (tray, bus, notices)
    // and owns them; for tests and tools that want the whole utility in one object.
    explicit MousecfgWidget(QWidget *parent = nullptr);
    // A face over a core someone else owns (the program's desktop bridge).
    explicit MousecfgWidget(KestMouseCore *core, QWidget *parent = nullptr);
    ~MousecfgWidget() override;

    KestMouseCore *core() const { return m_core; }
    KestDesktopBridge *desktopBridge() const { return m_shell; }
    void setDesktopBridge(KestDesktopBridge *shell) { m_shell = shell; }
    KestProfileManager *profileManager() const { return m_profiles; }
    KestProfileColumn *profileColumn() const { return m_column; }
    KestStatusArea *statusArea() const { return m_status; }
    KestMouseView *mouseView() const { return m_mouseView; }
    KestPageStack *pageStack() const { return m_pages; }
    KestLanguage *language() const { return m_language; }

    double scaleFactorValue() const;
    bool isWarningOpen() const;
    QWidget *pageItemWidget(PageItem item) const;

    // KestProfileHost. The panels edit copies: what they show is what Apply writes.
    void collectPanelValues() override { m_core->collect(); }
    void refreshProfileView(int what) override;
    QWidget *dialogParent() override { return this; }
    bool hasUnappliedEdits() override { return m_core->hasUnappliedEdits(); }
    void discardUnappliedEdits() override { m_core->discardUnappliedEdits(); }
    KestMouseCore &mouseCore() override { return *m_core; }

    // Whether the desktop has a tray to hide into; tests replace the probe (an empty
    // one restores the desktop's answer).
    static void setTrayProbe(std::function<bool()> probe);
    bool hasTray() const;
    // A later start of the program, the tray or the bus ask for the window: shown,
    // unminimised, raised and active, or the disconnect warning.
    void bringToFront();
    // Whether the window is on screen as a window (not hidden, not minimised).
    bool isShownNormally() const { return isVisible() && !(windowState() & Qt::WindowMinimized); }
    // The number of the last slot switch the user made in this window (its refusal is
    // reported here, in a box), 0 when none.
    int ownSwitch() const { return m_ownSwitch; }

    void showPage(int page);
    void showView(int view);
    // A switch the user asked for in the window asks once about unapplied edits; one that
    // follows the focused program or a script must not hold a question up, so it keeps the
    // edits of the slot it leaves in the working set, still unapplied.
    enum class EditsOnSwitch { Ask, Keep };
    void switchToSlot(int slot, EditsOnSwitch edits = EditsOnSwitch::Ask);
    // As choosing a model in the product menu.
    void chooseProduct(const QString &name);

    // Everything texts and panels show, from the working set.
    void refreshPanels();
    void retranslate();

signals:
    // Closing without a tray, or the tray's "&Quit": the program ends.
    void quitRequested();
    // The slot or the slot names changed (the desktop bridge follows them).
    void stateChanged();
    // The profile area's rules button: the per-program profiles dialog.
    void rulesDialogRequested();

protected:
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
    void build();
    void createParts();
    void connectParts();
    void connectCore();
    const QPixmap &backgroundForStep(int step);
    void relayout();
    void rebuildProductMenu();
    void showSlot();
    void activateLightPreview();
    void onSwitchFinished(int id, int slot, int result);
    void onWriteFinished(const KestWriteResult &result);
    // Shows the window, or the warning that the mouse is missing.
    void showOrWarn();
    void onDisconnectWarning();
    void putAway();
    void closeToTray();

    // Scale and background.
    int m_scaleStep = 0;
    std::array<QPixmap, 17> m_backgrounds;

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

    KestCanvas m_canvas{*this};
    KestPushButton *m_productButton = nullptr;
    KestMenu *m_productMenu = nullptr;
    KestFirmwareHandoff *m_firmware = nullptr;
    KestPushButton *m_minimizeButton = nullptr;
    KestPushButton *m_closeButton = nullptr;
    KestPushButton *m_okButton = nullptr;
    KestPushButton *m_cancelButton = nullptr;
    KestPushButton *m_applyButton = nullptr;

    KestProfileManager *m_profiles = nullptr;
    KestProfileColumn *m_column = nullptr;
    KestStatusArea *m_status = nullptr;
    KestLanguage *m_language = nullptr;
    KestPageStack *m_pages = nullptr;
    KestMouseView *m_mouseView = nullptr;
};
