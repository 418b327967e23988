// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <memory>

#include <QObject>

class QScrollArea;
class QWidget;
class KestBtnWindow;
class KestCanvas;
class KestColorWindow;
class KestDPIWindow;
class KestMouseCore;
class KestPointSpeed;
class KestPushButton;
class KestReportRate;
class MacroDialog;
struct ConfigRecord;
struct ProfileRecord;

// The main window's four pages behind their tabs: the lighting panel, the button list,
// the DPI page (level panel, report rate and sensor options) and the macro editor. The
// panels edit copies of the core's working set; applyTo() gives their values back. The
// DPI and macro pages, never the first one shown, are built when first asked for, or
// ahead in small pieces once the window has come up.
class KestPageStack final : public QObject
{
    Q_OBJECT

public:
    static constexpr int kPages = 4;

    KestPageStack(KestCanvas &canvas, KestMouseCore &core, QObject *parent = nullptr);
    ~KestPageStack() override;

    int page() const { return m_page; }
    // The page the window opens on: lighting, unless the model has none.
    int firstPage() const;
    KestPushButton *tabButton(int page) const { return m_tabButtons[size_t(page)]; }
    // The panel of an item of MousecfgWidget::PageItem that lives here (others: null).
    QWidget *panel(int item);
    const ProfileRecord &lightingRecord() const;

    // Shows `page`'s panels and marks its tab.
    void showPage(int page);
    // Every panel from the working set.
    void refresh();
    void refreshDpiPanels();
    void refreshReportRate();
    void selectDpiLevel(int level);
    void chooseEffect(int mode);
    // Selects a button of the list: `group` 2 are the wheel arrows.
    void selectButton(int group, int index);
    // The values the panels hold, into `set`.
    void applyTo(ConfigRecord &set) const;
    // Fonts and scroll steps after a change of scale.
    void applyScale(double factor);
    void retranslate();

signals:
    // A tab, or the button list's way to the macro editor.
    void pageRequested(int page);
    // The button list points at a button (a marker number from 0, the wheel at 2) or no
    // longer does.
    void buttonPointed(int marker, bool on);
    void lightingChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildAhead();
    void buildDpiLevels();
    void buildDpiRest();
    void ensureButtonPage();
    void createButtonPage();
    void ensureMacroPage();
    void createLightingPage();
    void ensureDpiPage();

    KestCanvas &m_canvas;
    KestMouseCore &m_core;
    int m_page = 0;
    bool m_ledDisable = false;   // the model has no lighting
    bool m_macroDisable = false; // nor macros
    std::array<KestPushButton *, kPages> m_tabButtons{};

    QScrollArea *m_buttonScroll = nullptr;
    QWidget *m_wheelLayer = nullptr; // the wheel entries, outside the scrolling list
    KestBtnWindow *m_buttonWindow = nullptr;
    int m_aheadStep = 0;          // the next piece buildAhead() builds; 0: not started
    bool m_dpiPageBuilt = false;  // all three panels of the DPI page exist and show the record
    KestDPIWindow *m_dpiWindow = nullptr;
    KestPointSpeed *m_pointSpeed = nullptr;
    KestReportRate *m_reportRate = nullptr;
    QWidget *m_macroDialog = nullptr;
    std::unique_ptr<MacroDialog> m_macroAhead; // the macro editor built ahead, not yet in the window
    KestColorWindow *m_colorWindow = nullptr;
};
