// SPDX-License-Identifier: GPL-2.0-or-later
// The mouse picture of the LIGHTING page follows the effect being edited. The preview's
// clock runs only while that page is on screen.

#include "app/mousecfgwidget.h"

#include <QLabel>

#include "panels/kestcolorwindow.h"
#include "panels/kestlightpreview.h"

void MousecfgWidget::updateLightPreview()
{
    if (!m_lightPreview || !m_colorWindow)
        return;
    const ProfileRecord &record = m_colorWindow->record();
    const int effect = activeEffectIndex(record);
    const LedModeInfo &info = record.LED_MODE[effect];
    m_lightPreview->setLighting(effect, info.RGB, info.bright, info.breath);
}

void MousecfgWidget::activateLightPreview()
{
    if (!m_lightPreview || !m_mousePicture)
        return;
    const bool shown = m_page == LightingPage && isVisible() && !isMinimized();
    if (!shown && m_lightPreview->isActive())
        m_mousePicture->setPixmap(viewPicture());
    m_lightPreview->setActive(shown);
}

QPixmap MousecfgWidget::mousePicture() const
{
    return m_mousePicture ? m_mousePicture->pixmap(Qt::ReturnByValue) : QPixmap();
}

void MousecfgWidget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    activateLightPreview();
}

void MousecfgWidget::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    activateLightPreview();
}
