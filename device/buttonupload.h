// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <map>

#include <QHash>
#include <QString>
#include <QVector>

#include "device/buttonwire.h"
#include "device/macrowire.h"
#include "store/configrecord.h"
#include "store/devicedescription.h"
#include "store/macrodb.h"

class KestDeviceContext;

// The button table and macro memory of one write transaction: the table numbers the macros
// the slot's buttons use, the upload then sends them.

using MacroNumberMap = std::map<int, QString>; // macro number -> macro name

// Loop modes of a macro button (Res1).
namespace MacroLoop {
constexpr quint8 Count = 0;          // LoopNumber times
constexpr quint8 WhileHeld = 1;
constexpr quint8 UntilPressed = 2;
} // namespace MacroLoop

// A button of the sent slot whose macro the mouse did not get.
struct KestMacroSkip
{
    enum Reason : quint8 {
        NoRoom,      // numbered after the twelve the mouse holds: its slot was not sent
        MissingFile, // no macro file of that name: its slot went out empty
        NoSteps,     // the file holds nothing to play: its slot went out empty
    };
    int button = 0;  // index into BUTTON_INFO (40 and 41: the wheel)
    QString macro;
    Reason reason = NoRoom;
};

// One macro file as read before a write, so that nothing is read while reports go out.
struct KestMacroFile
{
    bool found = false;
    QVector<MacroAction> actions;
};
using KestMacroFiles = QHash<QString, KestMacroFile>;

// Each macro the buttons of `slot` use, read once.
KestMacroFiles readMacroFiles(const ProfileRecord &slot);

// What the table is laid out by, from the device description and the settings.
struct KestButtonLayout
{
    ButtonMatrix matrix{};
    int buttonCount = 0;
    bool scrollReversed = false;
    int sensor = 0;

    static KestButtonLayout read();
};

// Encodes one slot's buttons into the context's button table and uploads their macros.
// Within one write: sendTable() hands out the macro numbers that sendMacros() looks up.
class KestButtonUpload final
{
public:
    KestButtonUpload(KestDeviceContext &context, ProfileRecord &slot, const KestButtonLayout &layout);

    // Writes the table entry for one button (entry 0..15; others are ignored). A macro or
    // gun file button gets its macro number, which is also stored in its Res4.
    void encodeButton(ButtonInfo &button, int entry);
    // Builds the sixteen entries and sends commands 0x07, 0x08, 0x09. Returns the first
    // non-zero exchange result, else 0.
    quint8 sendTable();
    // Lays out the numbered macros from `macros` and sends the used slots. Only the first
    // twelve numbers fit the mouse; a button beyond them, or whose macro is missing or
    // empty, is listed in skipped() and the other macros still go.
    quint8 sendMacros(const KestMacroFiles &macros);

    const MacroNumberMap &numbers() const { return m_numbers; }
    // In button order: the ones beyond twelve after sendTable(), the others as found.
    const QVector<KestMacroSkip> &skipped() const { return m_skipped; }

private:
    int macroNumberFor(const QString &name);
    int numberOf(const QString &name) const;
    void encodeMacroButton(ButtonInfo &button, ButtonEntry &entry);

    KestDeviceContext &m_context;
    ProfileRecord &m_slot;
    KestButtonLayout m_layout;
    MacroNumberMap m_numbers;
    QVector<KestMacroSkip> m_skipped;
};
