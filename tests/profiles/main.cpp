#include <QApplication>
#include <QtTest>

#include "widgets/kestskin.h"

int runProfileManagerTests(int argc, char **argv);
int runApplyFlowTests(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    initWidgetResources();
    int failures = runProfileManagerTests(argc, argv);
    failures += runApplyFlowTests(argc, argv);
    return failures;
}
