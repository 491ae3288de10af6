#pragma once

#include <array>

/// One row of the focus table: the control it stands for and when it applies.
struct FocusEntry {
    enum Kind { Button, CheckBox, Edit };
    enum Condition { Always, WhenUnchecked, WhenChecked };
    int control;
    Kind kind;
    Condition condition;
    int bank; ///< 0 not a TX control, 1 bank 0 shown, 2 bank 1 shown, 3 either bank
};

inline constexpr int kFocusRows = 62;
const std::array<FocusEntry, kFocusRows>& FocusRows();

/// The first row that stands for control under the current check state and bank, or -1.
int MatchFocusEntry(int control, bool checked, int shownBank);
