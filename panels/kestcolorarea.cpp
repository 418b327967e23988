// SPDX-License-Identifier: GPL-2.0-or-later
#include "panels/kestcolorarea.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

#include "panels/colorareas.h"
#include "panels/panelstyle.h"
#include "widgets/kestlabel.h"
#include "widgets/kestlineedit.h"
#include "widgets/kestpushbutton.h"
#include "widgets/kestskin.h"
#include "widgets/myintvalidator.h"

namespace {

constexpr int kWidth = 364;
constexpr int kHeight = 252;
constexpr int kSide = 128;     // saturation/value square and hue strip
constexpr int kHueMargin = 7;  // above and below the hue strip
constexpr int kFullHue = 360;

const QColor kPresetColors[] = {QColor(255, 0, 0),   QColor(0, 255, 0),   QColor(0, 0, 255),
                                QColor(0, 255, 255), QColor(255, 255, 0), QColor(255, 0, 255),
                                QColor(255, 255, 255)};

QString fieldStyle()
{
    return QStringLiteral("QLineEdit{color:rgb(255,255,255);background:rgb(30,30,30);"
                          "border:1px solid rgb(100,100,100);border-radius:2px;padding-left:2px;}"
                          "QLineEdit:focus{border:1px solid %1;}")
        .arg(themeColor().name());
}

} // namespace

QColor colorFromHexEntry(const QString &text)
{
    QString digits = text.trimmed();
    if (digits.startsWith(QLatin1Char('#')))
        digits.remove(0, 1);
    if (digits.size() > 6)
        return QColor();
    for (const QChar c : digits) {
        const char l = c.toLower().toLatin1();
        if (!((l >= '0' && l <= '9') || (l >= 'a' && l <= 'f')))
            return QColor();
    }
    if (digits.size() == 3) {
        QString doubled;
        for (const QChar c : digits)
            doubled += QString(2, c);
        digits = doubled;
    } else {
        digits = digits.rightJustified(6, QLatin1Char('0'));
    }
    return QColor(QLatin1Char('#') + digits);
}

KestColorArea::KestColorArea(const QColor &initial, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_heading(makePanelLabel(this, tr("Color Edit"), Qt::AlignLeft | Qt::AlignVCenter, -1)),
      m_hueArea(new HColorArea(this)),
      m_svArea(new SVColorArea(this)),
      m_preview(new PreviewColorArea(this)),
      m_hex(new KestLineEdit(this)),
      m_hexLabel(makePanelLabel(this, QStringLiteral("#"), Qt::AlignRight | Qt::AlignVCenter)),
      m_apply(new KestPushButton({skinPath(QStringLiteral("tabbutton-1.png")),
                                  skinPath(QStringLiteral("tabbutton-3.png")),
                                  skinPath(QStringLiteral("tabbutton-2.png"))},
                                 this)),
      m_cancel(new KestPushButton({skinPath(QStringLiteral("tabbutton-1.png")),
                                   skinPath(QStringLiteral("tabbutton-3.png")),
                                   skinPath(QStringLiteral("tabbutton-2.png"))},
                                  this))
{
    setModal(true);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowTitle(tr("Color Edit"));

    buildFields();
    for (const QColor &color : kPresetColors) {
        auto *preset = new DefaultColorArea(color, this);
        connect(preset, &DefaultColorArea::clicked, this, [this](const QColor &c) { showRgb(c); });
        m_presets << preset;
    }

    connect(m_hueArea, &HColorArea::hueChanged, m_svArea, &SVColorArea::setHue);
    connect(m_hueArea, &HColorArea::hueChanged, this,
            [this](int hue) { showHsv(hue, m_saturation, m_value); });
    connect(m_svArea, &SVColorArea::hsvChanged, m_preview, &PreviewColorArea::setHsv);
    connect(m_svArea, &SVColorArea::hsvChanged, this, &KestColorArea::showHsv);

    m_apply->setText(tr("APPLY"));
    m_cancel->setText(tr("Cancel"));
    for (KestPushButton *button : {m_apply, m_cancel}) {
        // Enter belongs to the hex field; only a click decides.
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(m_apply, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    relayout();
    showRgb(initial.isValid() ? initial : QColor(0, 0, 0));
}

void KestColorArea::buildFields()
{
    static const char *const names[FieldCount] = {"H", "S", "V", "R", "G", "B"};
    for (int i = 0; i < FieldCount; ++i) {
        auto *edit = new KestLineEdit(this);
        edit->setValidator(new MyIntValidator(0, i == H ? kFullHue : 255, edit));
        m_fields << edit;
        m_fieldLabels << makePanelLabel(this, QString::fromLatin1(names[i]),
                                        Qt::AlignRight | Qt::AlignVCenter, 1);
        if (i <= V)
            connect(edit, &QLineEdit::textChanged, this, &KestColorArea::hsvFieldChanged);
        else
            connect(edit, &QLineEdit::textChanged, this, &KestColorArea::rgbFieldChanged);
    }
    m_hex->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("#?[0-9a-fA-F]{0,6}")), m_hex));
    connect(m_hex, &QLineEdit::textEdited, this, &KestColorArea::editChangedSlot);
    connect(m_hex, &QLineEdit::editingFinished, this, &KestColorArea::editFinishedSlot);
}

void KestColorArea::relayout()
{
    resize(scaled(kWidth), scaled(kHeight));
    placeScaled(m_heading, 16, 8, 220, 26);
    placeScaled(m_svArea, 16, 42, kSide, kSide);
    m_svArea->setSide(scaled(kSide));
    placeScaled(m_hueArea, 152, 42 - kHueMargin, 24, kSide + 2 * kHueMargin);
    m_hueArea->setStripHeight(scaled(kSide), scaled(kHueMargin));
    placeScaled(m_preview, 190, 42, 158, 30);
    for (int i = 0; i < FieldCount; ++i) {
        const int x = i <= V ? 190 : 272;
        const int y = 84 + (i % 3) * 28;
        placeScaled(m_fieldLabels[i], x, y, 16, 22);
        placeScaled(m_fields[i], x + 20, y, 56, 22);
    }
    placeScaled(m_hexLabel, 190, 150 + 20, 16, 22);
    placeScaled(m_hex, 210, 150 + 20, 138, 22);
    for (int i = 0; i < m_presets.size(); ++i)
        placeScaled(m_presets[i], 16 + i * 24, 184, 18, 18);
    placeScaled(m_apply, 180, 214, 80, 26);
    placeScaled(m_cancel, 268, 214, 80, 26);

    const QString style = fieldStyle();
    const QFont font = languageFont(0, 1);
    for (QLineEdit *edit : m_fields + QVector<QLineEdit *>{m_hex}) {
        restyle(edit, style);
        edit->setFont(font);
    }
}

void KestColorArea::showHsv(int hue, int saturation, int value)
{
    if (hue >= kFullHue)
        hue = 0;
    m_hue = hue;
    m_saturation = saturation;
    m_value = value;
    m_color = QColor::fromHsv(hue, saturation, value).toRgb();
    showAll(nullptr);
}

void KestColorArea::hsvFieldChanged()
{
    if (m_updating)
        return;
    auto *typing = qobject_cast<QLineEdit *>(sender());
    m_hue = qBound(0, m_fields[H]->text().toInt(), kFullHue) % kFullHue;
    m_saturation = qBound(0, m_fields[S]->text().toInt(), 255);
    m_value = qBound(0, m_fields[V]->text().toInt(), 255);
    m_color = QColor::fromHsv(m_hue, m_saturation, m_value).toRgb();
    showAll(typing);
}

void KestColorArea::rgbFieldChanged()
{
    if (m_updating)
        return;
    const auto channel = [this](Field f) { return qBound(0, m_fields[f]->text().toInt(), 255); };
    showRgb(QColor(channel(R), channel(G), channel(B)), qobject_cast<QLineEdit *>(sender()));
}

void KestColorArea::editChangedSlot(const QString &text)
{
    // Only a complete entry is taken while typing; shorter ones wait for the end.
    QString digits = text;
    digits.remove(QLatin1Char('#'));
    if (digits.size() == 6)
        showRgb(colorFromHexEntry(digits), m_hex);
}

void KestColorArea::editFinishedSlot()
{
    const QColor color = colorFromHexEntry(m_hex->text());
    if (color.isValid())
        showRgb(color);
    else
        showAll(nullptr); // put the current colour back
}

void KestColorArea::showRgb(const QColor &color, QLineEdit *typing)
{
    m_color = color.toRgb();
    // A grey has no hue of its own; keep the one the user was on.
    if (m_color.hsvHue() >= 0)
        m_hue = m_color.hsvHue();
    m_saturation = m_color.hsvSaturation();
    m_value = m_color.value();
    showAll(typing);
}

void KestColorArea::showAll(QLineEdit *typing)
{
    m_updating = true;
    const int values[FieldCount] = {m_hue, m_saturation, m_value,
                                    m_color.red(), m_color.green(), m_color.blue()};
    for (int i = 0; i < FieldCount; ++i) {
        if (m_fields[i] != typing)
            m_fields[i]->setText(QString::number(values[i]));
    }
    if (m_hex != typing)
        m_hex->setText(m_color.name(QColor::HexRgb).mid(1));
    m_updating = false;

    m_hueArea->setHue(m_hue);
    m_svArea->setHsv(m_hue, m_saturation, m_value);
    m_preview->setColor(m_color);
}

void KestColorArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(themeColor(), 1));
    painter.setBrush(QColor(40, 42, 42));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
}

// The dialog has no title bar: it is moved by dragging its background.
void KestColorArea::mousePressEvent(QMouseEvent *event)
{
    m_drag.press(this, event);
    QDialog::mousePressEvent(event);
}

void KestColorArea::mouseMoveEvent(QMouseEvent *event)
{
    m_drag.move(this, event);
}
