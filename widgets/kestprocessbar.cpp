// SPDX-License-Identifier: GPL-2.0-or-later
#include "widgets/kestprocessbar.h"

#include <QPainter>
#include <QStyleOptionProgressBar>

#include "widgets/kestskin.h"

KestProcessbar::KestProcessbar(QWidget *parent) : QProgressBar(parent) {}

void KestProcessbar::paintEvent(QPaintEvent *)
{
    // The bar comes from the style (and its style sheet); the text is drawn once, in the
    // language's family, keeping the size and weight the style sheet asked for.
    QPainter painter(this);
    QStyleOptionProgressBar option;
    initStyleOption(&option);
    option.textVisible = false;
    style()->drawControl(QStyle::CE_ProgressBar, &option, &painter, this);

    const QString label = text();
    if (!isTextVisible() || label.isEmpty())
        return;
    QFont font = this->font();
    const QFont language = languageFont();
    font.setFamily(language.family());
    if (font.pixelSize() <= 0)
        font.setPixelSize(language.pixelSize());
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(rect(), Qt::AlignCenter, label);
}
