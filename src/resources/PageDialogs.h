#pragma once

/// What tells the load dialog (146) and the save dialog (145) apart; they share one layout.
struct PageDialogTemplate {
    const char* caption;
    const char* choicesLabel;
    const char* sixthChoice;
    bool sixthRowShown;
};

const PageDialogTemplate& LoadDialog146();
const PageDialogTemplate& SaveDialog145();

/// Control identifiers of both page dialogs.
namespace PageCtl {
inline constexpr int kChoices[6] = {1000, 1001, 1002, 1003, 1004, 1005};
/// The edits of rows 1..6 (index 0..5).
inline constexpr int kTitles[6] = {1030, 1031, 1032, 1033, 1034, 1045};
inline constexpr int kMycalls[6] = {1035, 1039, 1036, 1037, 1038, 1046};
inline constexpr int kMyqths[6] = {1040, 1041, 1042, 1043, 1044, 1047};
inline constexpr const char* kChoiceTexts[5] = {"page &1", "page &2", "page &3", "page &4", "page &5"};
inline constexpr const char* kHeadings[3] = {"Title", "{MYCALL}", "{MYQTH}"};
} // namespace PageCtl
