// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <utility>

#include <QByteArray>
#include <QString>

#include "store/kestrgb.h"

// The text forms of the settings class's INI dialect, for KestIniFile: key and value
// escaping in both directions, the "@" forms of stored values, and key paths.
namespace KestIniText {

extern const QString kGeneral;

bool isSpace(char c);

// Key characters outside [A-Za-z0-9_.-] are written as %XX or %UXXXX; "/" as "\".
void appendEscapedKey(QByteArray &out, const QString &key);
QString unescapeKey(const char *s, int n);

void appendEscapedValue(QByteArray &out, const QString &text);
QString unescapeValue(const char *s, int n);
bool needsUnescape(const char *s, int n);
// Bytes of a value as written in the file. The settings class escapes every character
// beyond ASCII, so raw ones were typed by hand: valid UTF-8 is read as UTF-8, anything
// else byte by byte as Latin-1.
QString textOfBytes(const char *s, int n);

// A text as stored: "@String(...)" around NUL characters, a leading "@" doubled.
QString textOfString(const QString &value);

QString colorToText(const KestRgb &color);
enum class ColorText
{
    Colour,
    Invalid, // the settings class's own invalid colour: what a missing key gives anyway
    Rejected
};
ColorText textToColor(const QString &text, KestRgb &color);

// As the settings class has it, "//a/b/" and "a/b" are one key: no empty segments.
QString normalizedKey(const QString &key);
// "Section/key" → ("Section", "key"); a key without a slash has no section.
std::pair<QString, QString> splitKey(const QString &fullKey);

} // namespace KestIniText
