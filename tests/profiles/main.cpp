// SPDX-License-Identifier: GPL-2.0-or-later
#include <QApplication>
#include <QtTest>

#include "tests/common/messageboxguard.h"
#include "widgets/kestskin.h"

int runProfileManagerTests(int argc, char **argv);
int runApplyFlowTests(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    initWidgetResources();
    MessageBoxGuard boxes; // every box here goes through the manager's handler
    int failures = runProfileManagerTests(argc, argv);
    failures += runApplyFlowTests(argc, argv);
    return failures;
}
