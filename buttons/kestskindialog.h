// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDialog>
#include <QPixmap>

#include "widgets/kestwindowdrag.h"

class KestLabel;
class KestPushButton;

// Frame shared by the key and macro dialogs: frameless, drawn from "dlg.png" with a thin
// accent-coloured border, a title at the top and two buttons at the bottom that accept or
// reject. Positions are given on the dialog's design canvas and scaled by the interface
// scale factor.
class KestSkinDialog : public QDialog
{
    Q_OBJECT

public:
    KestSkinDialog(int designWidth, int designHeight, QWidget *parent = nullptr);

    KestPushButton *okButton() const { return m_okButton; }
    KestPushButton *cancelButton() const { return m_cancelButton; }
    QString title() const;

protected:
    void setTitle(const QString &title);
    void setButtonTexts(const QString &ok, const QString &cancel);
    // Places the two buttons with their tops at design y.
    void placeButtons(int designY);
    static QRect designRect(int x, int y, int width, int height);

    void paintEvent(QPaintEvent *event) override;
    // Frameless windows are moved by dragging their background.
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    int m_designWidth;
    QPixmap m_background;
    KestLabel *m_titleLabel = nullptr;
    KestPushButton *m_okButton = nullptr;
    KestPushButton *m_cancelButton = nullptr;
    KestWindowDrag m_drag;
};

// Style of the small entry fields of the dialogs.
QString dialogEditStyleSheet();
// White text for a dialog's labels, whatever palette the window under it hands down.
QString lightTextStyleSheet();
// Style of check boxes drawn with two skin pictures (names below "skin/").
QString dialogCheckBoxStyleSheet(const QString &uncheckedPicture, const QString &checkedPicture);
