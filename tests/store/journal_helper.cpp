// SPDX-License-Identifier: GPL-2.0-or-later
// Saves two sets of five slots in turn, for ever, until it is killed: the test kills it
// at random moments and checks what the next start finds.
#include <QCoreApplication>

#include "store/appdir.h"
#include "store/profilefiles.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 64;
    setApplicationDir(QString::fromLocal8Bit(argv[1]));
    ConfigRecord set;
    makeDefaultConfig(set);
    for (int k = 0; k < SLOT_COUNT; ++k)
        set.names[k] = QStringLiteral("Profile %1").arg(k + 1);
    for (int round = 1;; ++round) {
        const quint8 mark = quint8(round % 2 ? 200 : 100);
        set.ProfileID = quint8(round % 2);
        for (ProfileRecord &profile : set.profiles)
            profile.pollrate = mark;
        if (!saveAll(set))
            return 1;
        if (round == 1) {
            fputs("saved\n", stdout);
            fflush(stdout);
        }
    }
}
