#include "screen/FocusTable.h"

#include "resources/ControlIds.h"

namespace {

std::array<FocusEntry, kFocusRows> buildRows() {
    std::array<FocusEntry, kFocusRows> rows{};
    int n = 0;
    rows[n++] = {Ctl::Clear, FocusEntry::Button, FocusEntry::Always, 0};
    for (int field : Ctl::kFields)
        rows[n++] = {field, FocusEntry::Edit, FocusEntry::Always, 0};
    // TX pairs for bank 0, bank 1, and whichever bank is shown.
    for (int bank = 1; bank <= 3; ++bank) {
        for (int position = 0; position < 8; ++position) {
            rows[n++] = {Ctl::kTxButtons[position], FocusEntry::Button, FocusEntry::Always, bank};
            rows[n++] = {Ctl::kTxEdits[position], FocusEntry::Edit, FocusEntry::Always, bank};
        }
    }
    for (int box : {Ctl::Bank, Ctl::Cq, Ctl::Key}) {
        rows[n++] = {box, FocusEntry::CheckBox, FocusEntry::WhenChecked, 0};
        rows[n++] = {box, FocusEntry::CheckBox, FocusEntry::WhenUnchecked, 0};
    }
    rows[n++] = {Ctl::InputLine, FocusEntry::Edit, FocusEntry::Always, 0};
    return rows;
}

bool applies(const FocusEntry& row, bool checked, int shownBank) {
    if (row.condition == FocusEntry::WhenChecked && !checked)
        return false;
    if (row.condition == FocusEntry::WhenUnchecked && checked)
        return false;
    if (row.bank == 1 && shownBank != 0)
        return false;
    if (row.bank == 2 && shownBank != 1)
        return false;
    return true;
}

} // namespace

const std::array<FocusEntry, kFocusRows>& FocusRows() {
    static const auto rows = buildRows();
    return rows;
}

int MatchFocusEntry(int control, bool checked, int shownBank) {
    const auto& rows = FocusRows();
    for (int i = 0; i < kFocusRows; ++i) {
        if (rows[i].control == control && applies(rows[i], checked, shownBank))
            return i;
    }
    return -1;
}
