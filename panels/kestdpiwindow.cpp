// SPDX-License-Identifier: GPL-2.0-or-later
#include "panels/kestdpiwindow.h"

#include <QtGlobal>

#include "panels/kestsingledpi.h"
#include "panels/panelstyle.h"
#include "store/appsettings.h"
#include "store/devicedescription.h"
#include "widgets/kestlabel.h"
#include "widgets/kestskin.h"

KestDPIWindow::KestDPIWindow(const ProfileRecord &record, QWidget *parent, int rowsNow)
    : KestPanel(parent),
      m_record(record),
      m_sensor(readSensorCode()),
      m_levelCount(qBound(0, readDpiLevelCount(), DPI_LEVELS)),
      m_title(makePanelLabel(this, QString(), Qt::AlignLeft | Qt::AlignVCenter, -2))
{
    addRows(rowsNow);
}

bool KestDPIWindow::addRows(int count)
{
    if (hasAllRows())
        return true;
    for (quint8 level = quint8(m_builtRows); level < DPI_LEVELS && count > 0; ++level, --count, ++m_builtRows) {
        auto *row = new KestSingleDPI(level, this);
        connect(row, &KestSingleDPI::dpiChanged, this, &KestDPIWindow::onSliderChanged);
        connect(row, &KestSingleDPI::linkChanged, this, &KestDPIWindow::onLinkChanged);
        connect(row, &KestSingleDPI::enabledChanged, this, &KestDPIWindow::onEnableChanged);
        connect(row, &KestSingleDPI::pressed, this, &KestDPIWindow::selectLevel);
        m_rows[level] = row;
    }
    if (!hasAllRows())
        return false;
    const DpiCodeRange range = dpiCodeRangeForInstalled(m_sensor);
    for (KestSingleDPI *row : m_rows)
        row->setSensor(m_sensor, range);
    relayout();
    retranslate();
    showRecord();
    return true;
}

void KestDPIWindow::retranslate()
{
    // Rows still to come are placed and named when the last one is built.
    if (!hasAllRows())
        return;
    m_title->setText(tr("DPI"));
    for (KestSingleDPI *row : m_rows)
        row->retranslate();
}

void KestDPIWindow::refresh(const ProfileRecord &record, int sensor)
{
    m_sensor = sensor;
    m_record = record;
    if (!hasAllRows())
        return;
    const DpiCodeRange range = dpiCodeRangeForInstalled(sensor);
    for (KestSingleDPI *row : m_rows)
        row->setSensor(sensor, range);
    showRecord();
}

void KestDPIWindow::showRecord()
{
    for (KestSingleDPI *row : m_rows) {
        const DpiInfo &info = m_record.DPI_INFO[row->level()];
        row->setLinked(info.link == 1);
        row->setValues(static_cast<int>(info.x), static_cast<int>(info.y));
        row->setLevelEnabled(info.used == 1);
    }
    highlight();
}

void KestDPIWindow::relayout()
{
    if (!hasAllRows())
        return;
    placeScaled(m_title, 15, 8, 200, 28);
    // Six levels take the usual 50 px pitch; more are packed closer so that the last row
    // still ends inside the panel, above the sensor options that follow it.
    const int panelHeight = height() > 0 ? qRound(height() / scaleFactor()) : kDesignHeight;
    const int room = panelHeight - kRowsTop - kRowsBottomMargin;
    const int pitch = m_levelCount > 0 ? qBound(kMinRowPitch, room / m_levelCount, kRowPitch)
                                       : kRowPitch;
    for (KestSingleDPI *row : m_rows) {
        const int level = row->level();
        if (level < m_levelCount) {
            placeScaled(row, 15, kRowsTop + pitch * level, 440, pitch - kRowGap);
            row->relayout();
            row->show();
        } else {
            row->setGeometry(QRect());
            row->hide();
        }
    }
}

void KestDPIWindow::applyTo(ProfileRecord &slot) const
{
    slot.dpi = m_record.dpi;
    slot.DPI_INFO = m_record.DPI_INFO;
}

void KestDPIWindow::selectLevel(quint8 level)
{
    m_record.dpi = level;
    highlight();
}

void KestDPIWindow::highlight()
{
    if (!hasAllRows())
        return;
    for (int level = 0; level < int(m_rows.size()); ++level)
        m_rows[level]->setHighlight(level == m_record.dpi ? themeColor() : QColor(255, 255, 255));
}

DpiInfo &KestDPIWindow::levelInfo(quint8 level)
{
    return m_record.DPI_INFO[qMin<quint8>(level, DPI_LEVELS - 1)];
}

void KestDPIWindow::onLinkChanged(quint8 linked, quint8 level)
{
    levelInfo(level).link = linked;
}

void KestDPIWindow::onEnableChanged(quint8 enabled, quint8 level)
{
    levelInfo(level).used = enabled;
}

void KestDPIWindow::onSliderChanged(int x, int y, quint8 level)
{
    DpiInfo &info = levelInfo(level);
    info.x = static_cast<quint32>(x);
    info.y = static_cast<quint32>(y);
}
