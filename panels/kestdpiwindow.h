// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>

#include "panels/kestpanel.h"
#include "store/configrecord.h"

class KestLabel;
class KestSingleDPI;

// The DPI levels of the current slot: which are on, their X and Y codes, and the active
// level. Works on its own copy of the slot's record; the main window hands it the record
// with refresh() and takes the results back with applyTo() at Apply.
class KestDPIWindow final : public KestPanel
{
    Q_OBJECT

public:
    // The panel's height on the design canvas; the rows share what the title leaves.
    static constexpr int kDesignHeight = 385;

    // Sensor and level count come from the installed settings and description. With
    // `rowsNow` below DPI_LEVELS the other level rows wait for addRows(): a panel built
    // ahead in small steps.
    explicit KestDPIWindow(const ProfileRecord &record, QWidget *parent = nullptr, int rowsNow = DPI_LEVELS);

    // Builds up to `count` more level rows; true once all are there, placed and showing
    // the record. Until then the panel shows nothing and row() may be null.
    bool addRows(int count);
    bool hasAllRows() const { return m_builtRows == DPI_LEVELS; }

    // The slot or the profile changed.
    void refresh(const ProfileRecord &record, int sensor);
    // Places the rows for the scale factor of kestskin (set by the main window).
    void relayout() override;
    void retranslate() override;

    // Copies the active level and the whole DPI table into the slot the panel shows;
    // the main window passes the current slot of the working set.
    void applyTo(ProfileRecord &slot) const;

    const ProfileRecord &record() const { return m_record; }
    int sensor() const { return m_sensor; }
    KestSingleDPI *row(int level) const { return m_rows.at(static_cast<size_t>(level)); }

public slots:
    // The mouse reported another level, or the user pressed a row.
    void selectLevel(quint8 level);
    void onLinkChanged(quint8 linked, quint8 level);
    void onEnableChanged(quint8 enabled, quint8 level);
    void onSliderChanged(int x, int y, quint8 level);

private:
    void showRecord();
    void highlight();
    DpiInfo &levelInfo(quint8 level);

    static constexpr int kRowsTop = 43;
    static constexpr int kRowsBottomMargin = 4;
    static constexpr int kRowPitch = 50;
    static constexpr int kMinRowPitch = 42; // rows of 40: the X and Y fields still fit
    static constexpr int kRowGap = 2;

    ProfileRecord m_record;
    int m_sensor = 0;
    int m_levelCount = 0;
    KestLabel *m_title;
    int m_builtRows = 0;
    std::array<KestSingleDPI *, DPI_LEVELS> m_rows{};
};
