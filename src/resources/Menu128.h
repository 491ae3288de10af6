#pragma once

#include <QList>

/// One row of a menu template. Depth 0 is a menu of the bar, each deeper row belongs to the
/// nearest shallower row above it. Command 0 marks a popup (a row with rows below it) or an item
/// whose command the program does not carry yet; -1 a separator.
struct MenuRow {
    int depth;
    const char* text;
    int command;
};

namespace Cmd {
enum : int {
    BootVoice = 32816,
    Exit = 57665,
    VoiceCq = 61205,
    RatioFirst = 32779,  ///< "3.0  (&0)"; RatioFirst + i sets RATIO i
    Ratio2First = 32798, ///< "  7.0  (&0)"; Ratio2First + i sets RATIO2 i
    Config = 61204,
    Version = 57664,
    Logging = 61248,
    Utf16 = 32819,
    Ansi = 32820,
    GreetingM = 61249,
    GreetingA = 61250,
    GreetingE = 61251,
    SendSelection = 61252,
    Utc = 61267,
    Jst = 61266,
    Save = 61295,
};
} // namespace Cmd

/// Menu 128 of the main frame.
const QList<MenuRow>& Menu128();
