// SPDX-License-Identifier: GPL-2.0-or-later
// The floor for the utility's start: a plain toolkit window of the same size and title,
// nothing else. Usage: bare_window WIDTH HEIGHT [TITLE]

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    // The utility turns the GL integration off before it starts the toolkit; the floor
    // does the same, or it would count work the utility never does.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QWidget window;
    window.resize(args.size() > 2 ? args.at(1).toInt() : 900, args.size() > 2 ? args.at(2).toInt() : 600);
    if (args.size() > 3)
        window.setWindowTitle(args.at(3));
    window.show();
    return app.exec();
}
