// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QWidget>

// Base of the page panels: a half-transparent dark plate over the window background.
// Children are placed by absolute geometry on the design canvas; relayout() places
// them again when the main window's scale factor changes.
class KestPanel : public QWidget
{
    Q_OBJECT

public:
    explicit KestPanel(QWidget *parent = nullptr);

    virtual void relayout() = 0;
    // Sets every text again; called when the interface language changes.
    virtual void retranslate() = 0;

protected:
    void paintEvent(QPaintEvent *event) override;
    // The owner resizes a panel when the scale factor changes; its children follow.
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
};
