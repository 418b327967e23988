// SPDX-License-Identifier: GPL-2.0-or-later
// Takes the single-instance lock the way the program does and reports on stdout.
//   singleinstance_helper NAME hold   prints "locked" and keeps the lock until stdin closes
//   singleinstance_helper NAME once   prints "locked" and exits 0
//   singleinstance_helper NAME spawn  takes the lock, starts a long-lived child, exits 0
//   singleinstance_helper NAME serve  prints "locked", waits for a later start to knock,
//                                     prints "activated" and exits 0 (3 when none came)
// A start that finds the lock taken prints "busy" and exits 1.
#include <cstdio>

#include <QCoreApplication>
#include <QProcess>
#include <QTimer>

#include "platform/singleinstance.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    KestSingleInstance lock(args[1]);
    if (!lock.tryLock()) {
        std::puts("busy");
        return 1;
    }
    KestActivationServer door(args[1]);
    if (args[2] == QLatin1String("serve") && !door.listen())
        return 4;
    std::puts("locked");
    std::fflush(stdout);
    if (args[2] == QLatin1String("serve")) {
        QObject::connect(&door, &KestActivationServer::activationRequested, [] {
            std::puts("activated");
            std::fflush(stdout);
            // Let the answer reach the caller before leaving.
            QTimer::singleShot(200, qApp, [] { qApp->exit(0); });
        });
        QTimer::singleShot(10000, qApp, [] { qApp->exit(3); });
        return app.exec();
    }
    if (args[2] == QLatin1String("hold")) {
        char buffer[16];
        while (std::fgets(buffer, sizeof buffer, stdin)) {
        }
    } else if (args[2] == QLatin1String("spawn")) {
        QProcess::startDetached(QStringLiteral("sleep"), {QStringLiteral("3")});
    }
    return 0;
}
