// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cmath>

#include <array>

#include <QWidget>

#include "store/configrecord.h"

class QAction;
class KestButtonFunctionMenu;
class KestMenu;
class KestPushButton;

// The CUSTOMIZE page's list of the mouse's buttons. Each label shows its button's function;
// clicking it opens the function menu, and choosing an entry writes the new assignment into
// the current profile record (asking for keys or a macro where the function needs them).
// Nothing is saved or sent here: the main window applies the record.
class KestBtnWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr quint8 kNoSelection = 0xFF;
    static constexpr int kSlotsPerPage = 20;
    static constexpr int kWheelUpSlot = 40;
    static constexpr int kWheelDownSlot = 41;
    static constexpr int kDesignHeight = 199;
    // Right edge of the numbered rows and width of the list's scroll bar, on the design
    // canvas: the main window stands the bar against the rows.
    static constexpr int kListRight = 276;
    static constexpr int kScrollBarWidth = 8;

    // The record is not owned; the main window keeps it alive and swaps it with setProfile.
    KestBtnWindow(ProfileRecord *profile, QWidget *parent, double scale);

    void setProfile(ProfileRecord *profile);
    ProfileRecord *profile() const { return m_profile; }
    void refreshLabels();
    void layoutLabels();
    // Distance from one row of the list to the next: the scroll step of a long list.
    int rowPitch() const { return int(std::lround(m_rowPitch)); }
    void applyFonts(double scale);
    void selectSlot(quint8 index, quint8 page);
    void showPage(quint8 index, quint8 page);
    void retranslate();
    void rebuildMenu();

    KestPushButton *label(int slot) const;
    // Slot of one of the labels, -1 for any other button.
    int slotOfLabel(const KestPushButton *button) const;
    // Selected slot, -1 when nothing is selected.
    int selectedSlot() const;
    KestMenu *mainMenu() const;
    KestMenu *wheelMenu() const;
    // The menu entry of a function code (FunMacro: "Macro Manager"); null when none.
    QAction *functionAction(qint32 code) const;
    // A slim scroll bar in the accent colour for the area that holds the list.
    static QString scrollBarStyleSheet();

signals:
    // A label is pointed at (on) or left, or its function is being changed.
    void labelPointed(KestPushButton *label, bool on);
    // "Macro Manager" was chosen: the page to open.
    void macroPageWanted(uchar page);
    // The last button with the left click was to lose it; nothing was changed.
    void lastLeftClickRefused();

public slots:
    // The pointer entered a label, or a marker of the main window's mouse picture.
    void markerEntered(KestPushButton *marker);
    // A label was pressed, by the pointer or a key: the menu that opens is for its slot.
    void labelPressed(KestPushButton *label);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void labelHovered(KestPushButton *label, bool on);
    void onFunctionChosen(qint32 code);
    void clearSelection();
    QString labelText(int slot) const;
    void showLabel(int slot);

    ProfileRecord *m_profile = nullptr;
    double m_scale = 1.0;
    double m_rowPitch = 0; // label height and gap of the laid-out list
    std::array<KestPushButton *, BUTTON_SLOTS> m_labels{};
    quint8 m_page = 0;
    quint8 m_index = 0;
    KestButtonFunctionMenu *m_menu = nullptr;
};
