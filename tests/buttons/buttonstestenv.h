// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// A throw-away application folder for the button window tests: a description file, the
// global settings and the macro folder all live in a temporary directory.

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QVector>

#include "store/appdir.h"
#include "store/appsettings.h"
#include "store/macrodb.h"

class ButtonsTestEnv
{
public:
    ButtonsTestEnv()
    {
        setApplicationDir(m_dir.path());
        QDir().mkpath(configFolder());
        QDir().mkpath(macroFolder());
    }

    bool isValid() const { return m_dir.isValid(); }

    // matrix: one entry per page-0 slot, -1 for a slot the model lacks.
    void writeDescription(const QVector<int> &matrix, int disableMacro = 0, int ledDisable = 0)
    {
        QSettings ini(m_dir.path() + QStringLiteral("/DefaultProfile.bin"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("PROFILE/ButtonCount"), matrix.size());
        ini.setValue(QStringLiteral("PROFILE/MouseDpi"), 0);
        ini.setValue(QStringLiteral("PROFILE/DisableMacro"), disableMacro);
        ini.setValue(QStringLiteral("PROFILE/ledDisable"), ledDisable);
        for (int i = 0; i < matrix.size(); ++i)
            ini.setValue(QStringLiteral("PROFILE/BUTTON_INFO_%1_Matrix2").arg(i), matrix[i]);
    }

    void addMacro(const QString &name, int steps)
    {
        QVector<MacroAction> actions;
        for (int i = 0; i < steps; ++i)
            actions << MacroAction{quint8(i % 2 ? MACRO_KEY_UP : MACRO_KEY_DOWN), 0, quint8(4 + i / 2)};
        QVERIFY(saveMacro(name, MacroSettings{}, actions));
        addToMacroList(name);
    }

private:
    QTemporaryDir m_dir;
};
