// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include "store/kestfileresult.h"

class KestIniFile;

// Reads the bytes of one file in the settings class's INI dialect into an empty
// KestIniFile, line by line, as the settings class reads them: section headers (a "/" in
// one carries on into its keys), escaped keys and values, comments and blank lines. Stops
// at the file's limits on entries and sections; what the reader refuses is never read in
// part by anyone, the caller throws the file away.
class KestIniParser final
{
public:
    // skipSection, when given, is not read at all (its keys are about to be rewritten).
    KestIniParser(KestIniFile &file, const QByteArray &data, const QString &skipSection);
    // NoReason, or why the whole file is refused.
    KestFileResult::Reason run();

private:
    // Each returns false when the file went past a limit.
    bool sectionLine(int b, int e);
    bool keyLine(int b, int e);

    KestIniFile &m_file;
    const char *m_s;
    int m_n;
    const QString m_skipSection;
    int m_section = 0;
    QString m_subPrefix; // a section header holding a "/" carries on into the keys
    bool m_skipping = false;
};
