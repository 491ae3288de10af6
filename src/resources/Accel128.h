#pragma once

#include <QKeyCombination>
#include <QList>

/// One accelerator: a key chord and the command it sends.
struct Accelerator {
    QKeyCombination keys;
    int command;
};

namespace Cmd {
enum : int {
    ClearContact = 32790,
    TxPress1 = 32791, ///< Ctrl+1..4 send 32791..32794
    TxPress5 = 32809,
    TxPress6 = 32808,
    TxPress7 = 32810,
    TxPress8 = 32811,
    ToggleBank = 32797,
    ToggleCq = 32795,
    ToggleKey = 32796,
    SelectAll = 57642,
    Copy = 57634,
    Cut = 57635,
    Paste = 57637,
    Undo = 57643,
    Enter = 32821,
    PickCall = 61319, ///< Alt+C, H, N, Q, E, Y pick into CALL, RST, NAME, QTH, M1, M2: 61319..61324
    SetClear = 61294,
    SetSave = 61295,
    RcvCwFore = 61278,
    RequestAgain = 61279,
    RequestString1 = 61280, ///< Ctrl+Shift+1..9, A..D: 61280..61292
    RequestFreq = 61325,
    OpenView = 61299,
    StepRangeUp = 61341,
    StepRangeDown = 61340,
    FreqUp = 61338,
    FreqDown = 61339,
    SetRigFreq = 61326,
    FreqWidth7 = 61327, ///< "Freq Display Width 7" .. "12": 61327..61332
    FreqStep10 = 61333, ///< "Freq Step 10Hz", "100Hz", "1KHz", "10KHz", "20KHz": 61333..61337
};
} // namespace Cmd

/// Accelerator table 128 of the main frame.
const QList<Accelerator>& Accel128();
