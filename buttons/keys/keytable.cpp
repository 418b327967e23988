// SPDX-License-Identifier: GPL-2.0-or-later
#include "buttons/keys/keytable.h"

#include <array>
#include <atomic>
#include <utility>

namespace {

struct KeyNameRow {
    KeyCode code;
    const char *name; // UTF-8
};

// Names as the keys are printed on a US keyboard.
constexpr KeyNameRow kEnglishNames[] = {
    {1, "Esc"}, {2, "1"}, {3, "2"}, {4, "3"}, {5, "4"}, {6, "5"}, {7, "6"}, {8, "7"},
    {9, "8"}, {10, "9"}, {11, "0"}, {12, "-"}, {13, "="}, {14, "Backspace"}, {15, "Tab"},
    {16, "Q"}, {17, "W"}, {18, "E"}, {19, "R"}, {20, "T"}, {21, "Y"}, {22, "U"}, {23, "I"},
    {24, "O"}, {25, "P"}, {26, "["}, {27, "]"}, {28, "Enter"}, {29, "LCtrl"}, {30, "A"},
    {31, "S"}, {32, "D"}, {33, "F"}, {34, "G"}, {35, "H"}, {36, "J"}, {37, "K"}, {38, "L"},
    {39, ";"}, {40, "'"}, {41, "`"}, {42, "LShift"}, {43, "\\"}, {44, "Z"}, {45, "X"},
    {46, "C"}, {47, "V"}, {48, "B"}, {49, "N"}, {50, "M"}, {51, ","}, {52, "."}, {53, "/"},
    {54, "RShift"}, {55, "Print Screen"}, {56, "LAlt"}, {57, "Space"}, {58, "CapsLock"},
    {59, "F1"}, {60, "F2"}, {61, "F3"}, {62, "F4"}, {63, "F5"}, {64, "F6"}, {65, "F7"},
    {66, "F8"}, {67, "F9"}, {68, "F10"}, {69, "Pause Break"}, {70, "Scroll Lock"},
    {71, "Home"}, {72, "Up"}, {73, "Page Up"}, {74, "Num -"}, {75, "Left"}, {76, "Num 5"},
    {77, "Right"}, {78, "Num +"}, {79, "End"}, {80, "Down"}, {81, "Page Down"},
    {82, "Insert"}, {83, "Delete"}, {87, "F11"}, {88, "F12"}, {91, "LWindows"},
    {92, "RWindows"}, {93, "App"}, {224, "Num De"}, {225, "Num Lock"}, {226, "Num /"},
    {227, "Num *"}, {228, "Num 9"}, {229, "Num Enter"}, {230, "Num 1"}, {231, "Num 2"},
    {232, "Num 3"}, {233, "Num 4"}, {234, "Num 6"}, {235, "Num 7"}, {236, "Num 8"},
    {237, "Num 0"}, {238, "RCtrl"}, {239, "RAlt"}, {240, "Left Button"},
    {241, "Right Button"}, {242, "Middle Button"},
};

// Where an AZERTY keyboard prints something else; every other code keeps its English name.
constexpr KeyNameRow kFrenchNames[] = {
    {1, "Echap"}, {2, "&"}, {3, "\xc3\xa9"}, {4, "\""}, {5, "'"}, {6, "("}, {7, "-"},
    {8, "\xc3\xa8"}, {9, "_"}, {10, "\xc3\xa7"}, {11, "\xc3\xa0"}, {12, ")"},
    {14, "Ret.arr"}, {16, "a"}, {17, "z"}, {18, "e"}, {19, "r"}, {20, "t"}, {21, "y"},
    {22, "u"}, {23, "i"}, {24, "o"}, {25, "p"}, {26, "^"}, {27, "$"}, {28, "Entree"},
    {29, "LCtrl"}, {30, "q"}, {31, "s"}, {32, "d"}, {33, "f"}, {34, "g"}, {35, "h"},
    {36, "j"}, {37, "k"}, {38, "l"}, {39, "m"}, {40, "\xc3\xb9"}, {41, "\xc2\xb2"},
    {43, "*"}, {44, "w"}, {45, "x"}, {46, "c"}, {47, "v"}, {48, "b"}, {49, "n"}, {50, ","},
    {51, ";"}, {52, ":"}, {53, "!"}, {57, "espace"}, {58, "Verr.maj"}, {224, "Num Del"},
    {238, "RCtrl"},
};

static_assert(sizeof(kEnglishNames) / sizeof(kEnglishNames[0]) == 107, "one name per key code");
static_assert(sizeof(kFrenchNames) / sizeof(kFrenchNames[0]) == 54, "AZERTY differences");

// (key code, HID keyboard usage), in the order the mouse's documentation lists them.
constexpr std::pair<KeyCode, quint8> kUsageTable[] = {
    {30, 4}, {48, 5}, {46, 6}, {32, 7}, {18, 8}, {33, 9}, {34, 10}, {35, 11}, {23, 12},
    {36, 13}, {37, 14}, {38, 15}, {50, 16}, {49, 17}, {24, 18}, {25, 19}, {16, 20},
    {19, 21}, {31, 22}, {20, 23}, {22, 24}, {47, 25}, {17, 26}, {45, 27}, {21, 28},
    {44, 29}, {2, 30}, {3, 31}, {4, 32}, {5, 33}, {6, 34}, {7, 35}, {8, 36}, {9, 37},
    {10, 38}, {11, 39}, {28, 40}, {1, 41}, {14, 42}, {15, 43}, {57, 44}, {12, 45},
    {13, 46}, {26, 47}, {27, 48}, {43, 49}, {39, 51}, {40, 52}, {41, 53}, {51, 54},
    {52, 55}, {53, 56}, {58, 57}, {59, 58}, {60, 59}, {61, 60}, {62, 61}, {63, 62},
    {64, 63}, {65, 64}, {66, 65}, {67, 66}, {68, 67}, {87, 68}, {88, 69}, {55, 70},
    {70, 71}, {69, 72}, {82, 73}, {71, 74}, {73, 75}, {83, 76}, {79, 77}, {81, 78},
    {77, 79}, {75, 80}, {80, 81}, {72, 82}, {225, 83}, {226, 84}, {227, 85}, {74, 86},
    {78, 87}, {229, 88}, {230, 89}, {231, 90}, {232, 91}, {233, 92}, {76, 93}, {234, 94},
    {235, 95}, {236, 96}, {228, 97}, {237, 98}, {224, 99}, {93, 101}, {42, 225},
    {29, 224}, {91, 227}, {56, 226}, {239, 230}, {92, 231}, {238, 228}, {54, 229},
};
static_assert(sizeof(kUsageTable) / sizeof(kUsageTable[0]) == 104, "104 key/usage pairs");

std::atomic<KeyNameSet> g_activeSet{KeyNameSet::English};

template <size_t N>
const char *findName(const KeyNameRow (&rows)[N], KeyCode code)
{
    for (const KeyNameRow &row : rows) {
        if (row.code == code)
            return row.name;
    }
    return nullptr;
}

} // namespace

KeyNameSet keyNameSetFor(int frenchLangId, int currentLangId)
{
    return (frenchLangId != -1 && frenchLangId == currentLangId) ? KeyNameSet::French
                                                                 : KeyNameSet::English;
}

void setActiveKeyNameSet(KeyNameSet set)
{
    g_activeSet.store(set);
}

KeyNameSet activeKeyNameSet()
{
    return g_activeSet.load();
}

QString keyName(KeyCode code)
{
    return keyName(code, activeKeyNameSet());
}

QString keyName(KeyCode code, KeyNameSet set)
{
    const char *name = nullptr;
    if (set == KeyNameSet::French)
        name = findName(kFrenchNames, code);
    if (!name)
        name = findName(kEnglishNames, code);
    return name ? QString::fromUtf8(name) : QString();
}

// Both directions scan the whole table and let the last match win; every value occurs once,
// so this only matters if the table ever gains a duplicate.
bool keyCodeToUsage(KeyCode code, quint8 &usage)
{
    bool found = false;
    for (const auto &pair : kUsageTable) {
        if (pair.first == code) {
            usage = pair.second;
            found = true;
        }
    }
    return found;
}

bool usageToKeyCode(quint8 usage, KeyCode &code)
{
    bool found = false;
    for (const auto &pair : kUsageTable) {
        if (pair.second == usage) {
            code = pair.first;
            found = true;
        }
    }
    return found;
}

quint32 translateHookKey(quint32 scanCode, quint32 flags)
{
    const bool extended = flags == HookFlag::Extended || flags == (HookFlag::Extended | HookFlag::KeyUp);
    const bool plain = (flags & ~HookFlag::KeyUp) == 0;

    switch (scanCode) {
    case 28: return extended ? 229 : scanCode; // keypad Enter
    case 29: return extended ? 238 : scanCode; // right Ctrl
    case 53: return extended ? 226 : scanCode; // keypad /
    case 69: return extended ? 225 : scanCode; // Num Lock; plain 69 is Pause Break
    case 56: // right Alt, also while the Alt-down flag is reported
        return (flags == 1 || flags == 33 || flags == 129) ? 239 : scanCode;
    case 55: return plain ? 227 : scanCode; // keypad *; extended 55 is Print Screen
    default: break;
    }
    if (!plain)
        return scanCode;

    // Without the extended flag these scan codes come from the numeric keypad.
    static constexpr std::pair<quint32, quint32> kKeypad[] = {
        {71, 235}, {72, 236}, {73, 228}, {75, 233}, {77, 234},
        {79, 230}, {80, 231}, {81, 232}, {82, 237}, {83, 224},
    };
    for (const auto &pair : kKeypad) {
        if (pair.first == scanCode)
            return pair.second;
    }
    return scanCode;
}
