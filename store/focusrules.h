// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QVector>

#include "store/kestfileresult.h"

// What the focus follower knows about the window in front.
struct FocusedProgram
{
    QString instance;   // WM_CLASS instance (KWin: resourceName)
    QString className;  // WM_CLASS class (KWin: resourceClass)
    QString executable; // file name of the process's executable, when known
    qint64 pid = 0;     // 0 when unknown

    bool isEmpty() const { return instance.isEmpty() && className.isEmpty() && executable.isEmpty(); }
    bool operator==(const FocusedProgram &other) const
    {
        return instance == other.instance && className == other.className && executable == other.executable
               && pid == other.pid;
    }
    bool operator!=(const FocusedProgram &other) const { return !(*this == other); }
};

struct FocusRule
{
    QString program; // a window class, instance or executable name, compared ignoring case
    int slot = 0;    // 0..4
};

// Per-program profiles: which slot the mouse takes while a program has the focus. Kept in
// the configuration folder's Config.ini, section [FocusRules].
class KestFocusRules
{
public:
    static constexpr int NoSlot = -1; // as a default: leave the slot as it is
    static constexpr int MaxRules = 200;
    // A window class or an executable's file name: file names stop at 255 bytes, and
    // 200 names this long stay far inside what the settings reader takes.
    static constexpr int MaxProgramLength = 255;

    bool enabled = true;
    int defaultSlot = NoSlot;
    QVector<FocusRule> rules;

    // The slot a program asks for: its rule's, else the default (NoSlot: nothing to do).
    // A switched-off set asks for nothing.
    int slotFor(const FocusedProgram &program) const;
    // The rule a program matches, or -1. Rules are looked at in order; the first wins.
    int ruleFor(const FocusedProgram &program) const;
    static bool matches(const QString &ruleProgram, const FocusedProgram &program);

    // Adds a rule or gives an existing one (same name, ignoring case) the new slot. False
    // for an empty name, one longer than MaxProgramLength, a slot outside 0..4 or a full
    // list.
    bool setRule(const QString &program, int slot);
    bool removeRule(const QString &program);
    bool setDefaultSlot(int slot); // NoSlot or 0..4

    // A missing or refused file reads as no rules, switched on.
    static KestFocusRules load(const QString &path);
    static KestFocusRules load(); // globalConfigPath()
    // The file and why when it could not be written (see KestFileResult).
    KestFileResult save(const QString &path) const;
    KestFileResult save() const;

    bool operator==(const KestFocusRules &other) const;
};
