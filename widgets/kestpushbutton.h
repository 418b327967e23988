// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPixmap>
#include <QPushButton>
#include <QStringList>
#include <QVector>

// A push button drawn from skin pictures: [0] normal, [1] hover, [2] pressed. Fewer
// pictures simply mean fewer visible states. Tab reaches it, a click does not move the
// focus to it; Space, and Enter outside dialogs, press it as a click would.
class KestPushButton : public QPushButton
{
    Q_OBJECT

public:
    enum State : int { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

    // Picture paths are full paths (see skinPath()). A non-empty iconPath gives the
    // button its size hint.
    explicit KestPushButton(const QStringList &picturePaths, QWidget *parent = nullptr,
                            const QString &iconPath = QString());

    // Also sets the tool tip to the same text.
    void setText(const QString &text);

    void setSelected(bool selected);
    bool isSelected() const { return m_selected; }
    void setToggled(bool toggled);
    bool isToggled() const { return m_toggled; }
    void setEnabledLook(bool enabled);
    void setFillMode(bool fill);
    void setRoundFill(bool round);
    void setVerticalText(bool vertical);
    // 0 none, 253 up arrow, 254 down arrow, other codes are shown as numbers.
    void setMarker(quint8 code);
    quint8 marker() const { return m_marker; }
    // With hover off, only enter and leave are reported; presses behave as a plain button.
    void setHoverEnabled(bool enabled);

    int state() const { return m_state; }
    QColor penColor(int state) const;

    QSize sizeHint() const override;

signals:
    void buttonPressed(KestPushButton *button);
    void hovered(KestPushButton *button, bool on);

protected:
    bool event(QEvent *event) override;
    void enterEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void setState(int state);
    const QPixmap &pictureForState() const;
    const QPixmap &picture(int index) const;
    void updateMask();

    // Most buttons are never hovered or pressed, and many sit on pages not shown yet:
    // each picture is decoded when it is first drawn or measured.
    QStringList m_picturePaths;
    mutable QVector<QPixmap> m_pictures;
    mutable quint32 m_decoded = 0; // bit i: m_pictures[i] holds its picture
    QPixmap m_icon;
    mutable QPixmap m_outlineSource; // the normal picture before fading: its alpha is the mask
    bool m_maskPending = true;
    int m_state = Normal;
    bool m_hoverEnabled = true;
    bool m_leaveReport = true;
    bool m_keyboardOver = false; // reached by Tab: reported as the pointer over it
    bool m_selected = false;
    bool m_toggled = false;
    bool m_fillMode = false;
    bool m_roundFill = false;
    bool m_verticalText = false;
    bool m_textCut = false; // the last paint elided the text
    quint8 m_marker = 0;
};
