// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QColor>
#include <QDialog>
#include <QVector>

#include "widgets/kestwindowdrag.h"

class QLineEdit;
class HColorArea;
class SVColorArea;
class PreviewColorArea;
class DefaultColorArea;
class KestLabel;
class KestPushButton;

// Reads a hex colour as typed: empty is black, up to two digits and four or five
// digits are padded with leading zeros to six, three digits are the short form (abc =
// aabbcc), six are RRGGBB. Invalid for anything else.
QColor colorFromHexEntry(const QString &text);

// The modal colour editor ("Color Edit"): hue strip, saturation/value square, preview,
// H S V R G B and hex fields and seven presets. exec() returns Accepted for APPLY;
// color() is then the chosen colour. Cancel leaves the caller's colour alone.
class KestColorArea final : public QDialog
{
    Q_OBJECT

public:
    explicit KestColorArea(const QColor &initial, QWidget *parent = nullptr);

    QColor color() const { return m_color; }

    enum Field { H, S, V, R, G, B, FieldCount };
    QLineEdit *field(Field which) const { return m_fields.at(which); }
    QLineEdit *hexField() const { return m_hex; }
    HColorArea *hueArea() const { return m_hueArea; }
    SVColorArea *svArea() const { return m_svArea; }
    const QVector<DefaultColorArea *> &presets() const { return m_presets; }
    KestPushButton *applyButton() const { return m_apply; }
    KestPushButton *cancelButton() const { return m_cancel; }

public slots:
    void showHsv(int hue, int saturation, int value);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void buildFields();
    void relayout();
    void hsvFieldChanged();
    void rgbFieldChanged();
    void editChangedSlot(const QString &text);
    void editFinishedSlot();
    void showRgb(const QColor &color, QLineEdit *typing = nullptr);
    void showAll(QLineEdit *typing);

    QColor m_color;
    int m_hue = 0;
    int m_saturation = 0;
    int m_value = 0;
    bool m_updating = false; // keeps the fields from re-triggering each other
    KestWindowDrag m_drag;

    KestLabel *m_heading;
    HColorArea *m_hueArea;
    SVColorArea *m_svArea;
    PreviewColorArea *m_preview;
    QVector<QLineEdit *> m_fields;
    QVector<KestLabel *> m_fieldLabels;
    QLineEdit *m_hex;
    KestLabel *m_hexLabel;
    QVector<DefaultColorArea *> m_presets;
    KestPushButton *m_apply;
    KestPushButton *m_cancel;
};
