// SPDX-License-Identifier: GPL-2.0-or-later
#include "store/focusrules.h"

#include "store/appsettings.h"
#include "store/configrecord.h"
#include "store/kestinifile.h"

namespace {

const QString kSection = QStringLiteral("FocusRules");

bool validSlot(int slot) { return slot >= 0 && slot < SLOT_COUNT; }

} // namespace

bool KestFocusRules::matches(const QString &ruleProgram, const FocusedProgram &program)
{
    const QString name = ruleProgram.trimmed();
    if (name.isEmpty())
        return false;
    for (const QString *candidate : {&program.className, &program.instance, &program.executable}) {
        if (!candidate->isEmpty() && candidate->compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

int KestFocusRules::ruleFor(const FocusedProgram &program) const
{
    for (int i = 0; i < rules.size(); ++i) {
        if (matches(rules[i].program, program))
            return i;
    }
    return -1;
}

int KestFocusRules::slotFor(const FocusedProgram &program) const
{
    if (!enabled)
        return NoSlot;
    const int rule = ruleFor(program);
    return rule >= 0 ? rules[rule].slot : defaultSlot;
}

bool KestFocusRules::setRule(const QString &program, int slot)
{
    const QString name = program.trimmed();
    if (name.isEmpty() || name.size() > MaxProgramLength || !validSlot(slot))
        return false;
    for (FocusRule &rule : rules) {
        if (rule.program.compare(name, Qt::CaseInsensitive) == 0) {
            rule.slot = slot;
            return true;
        }
    }
    if (rules.size() >= MaxRules)
        return false;
    rules.append({name, slot});
    return true;
}

bool KestFocusRules::removeRule(const QString &program)
{
    const QString name = program.trimmed();
    for (int i = 0; i < rules.size(); ++i) {
        if (rules[i].program.compare(name, Qt::CaseInsensitive) == 0) {
            rules.removeAt(i);
            return true;
        }
    }
    return false;
}

bool KestFocusRules::setDefaultSlot(int slot)
{
    if (slot != NoSlot && !validSlot(slot))
        return false;
    defaultSlot = slot;
    return true;
}

KestFocusRules KestFocusRules::load(const QString &path)
{
    KestFocusRules result;
    KestIniFile file;
    if (!file.loadSettings(path).isOk())
        return result;
    const KestIniFile::Group group = file.group(kSection);
    result.enabled = group.intValue(QStringLiteral("Enabled"), 1) != 0;
    const int fallback = group.intValue(QStringLiteral("Default"), NoSlot);
    result.defaultSlot = validSlot(fallback) ? fallback : NoSlot;
    // The count is the file's own claim: a hand-edited one is bounded by what is there.
    const int count = qBound(0, group.intValue(QStringLiteral("Count")),
                             qMin(int(MaxRules), file.sectionSize(kSection)));
    for (int i = 1; i <= count; ++i) {
        const QString program = group.stringValue(QStringLiteral("Program_%1").arg(i));
        const int slot = group.intValue(QStringLiteral("Slot_%1").arg(i), NoSlot);
        // An entry that makes no sense is dropped, not guessed at.
        if (!program.trimmed().isEmpty() && validSlot(slot) && result.ruleFor({program, {}, {}, 0}) < 0)
            result.setRule(program, slot);
    }
    return result;
}

KestFocusRules KestFocusRules::load()
{
    return load(globalConfigPath());
}

KestFileResult KestFocusRules::save(const QString &path) const
{
    return KestIniFile::update(path, [this](KestIniFile &file) {
        file.removeSection(kSection);
        const int section = file.addSection(kSection);
        file.appendInt(section, QStringLiteral("Enabled"), enabled ? 1 : 0);
        file.appendInt(section, QStringLiteral("Default"), defaultSlot);
        file.appendInt(section, QStringLiteral("Count"), rules.size());
        for (int i = 0; i < rules.size(); ++i) {
            file.appendString(section, QStringLiteral("Program_%1").arg(i + 1), rules[i].program);
            file.appendInt(section, QStringLiteral("Slot_%1").arg(i + 1), rules[i].slot);
        }
    });
}

KestFileResult KestFocusRules::save() const
{
    return save(globalConfigPath());
}

bool KestFocusRules::operator==(const KestFocusRules &other) const
{
    if (enabled != other.enabled || defaultSlot != other.defaultSlot || rules.size() != other.rules.size())
        return false;
    for (int i = 0; i < rules.size(); ++i) {
        if (rules[i].program != other.rules[i].program || rules[i].slot != other.rules[i].slot)
            return false;
    }
    return true;
}
