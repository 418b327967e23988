// SPDX-License-Identifier: GPL-2.0-or-later
#include "tools/ctl/ctloutput.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonValue>

namespace {

QString tr(const char *text) { return QCoreApplication::translate("mousecfgctl", text); }

QJsonValue orNull(int value, bool known) { return known ? QJsonValue(value) : QJsonValue(QJsonValue::Null); }

} // namespace

void printJson(const QJsonObject &object, QTextStream &out)
{
    out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) << Qt::endl;
}

void printStatus(const CtlStatus &status, bool json, QTextStream &out)
{
    if (json) {
        QJsonObject object;
        object.insert(QStringLiteral("battery"), orNull(status.battery, status.battery >= 0 && !status.mouseOff));
        object.insert(QStringLiteral("mouse-off"), status.mouseOff);
        object.insert(QStringLiteral("dpi-level"), orNull(status.dpiLevel + 1, status.dpiLevel >= 0));
        object.insert(QStringLiteral("rate"), orNull(status.rateHz, status.rateHz > 0));
        object.insert(QStringLiteral("connection"), status.connection);
        object.insert(QStringLiteral("slot"), orNull(status.slot + 1, status.slot >= 0));
        printJson(object, out);
        return;
    }
    if (status.mouseOff)
        out << tr("battery: mouse off") << Qt::endl;
    else if (status.battery >= 0)
        out << tr("battery: %1%").arg(status.battery) << Qt::endl;
    else
        out << tr("battery: unknown") << Qt::endl;
    out << tr("DPI level: %1").arg(status.dpiLevel >= 0 ? QString::number(status.dpiLevel + 1) : tr("unknown"))
        << Qt::endl;
    out << tr("report rate: %1").arg(status.rateHz > 0 ? QStringLiteral("%1 Hz").arg(status.rateHz) : tr("unknown"))
        << Qt::endl;
    out << tr("connection: %1").arg(status.connection == QLatin1String("cable") ? tr("cable") : tr("receiver"))
        << Qt::endl;
    out << tr("slot: %1").arg(status.slot >= 0 ? QString::number(status.slot + 1) : tr("unknown")) << Qt::endl;
}
