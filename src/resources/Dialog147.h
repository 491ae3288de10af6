#pragma once

/// The view dialog (147): control identifiers and captions.
namespace ViewCtl {
enum : int {
    FirstString = 1000, ///< radio buttons of strings 1 .. 13: 1000 .. 1012
    Items = 1060,
    Select = 1076,
    Check = 1023,
    ValueEdit = 1042,
    ValueList = 1061,
    Freq = 1051,
    Get = 1070,
    Loop = 1020,
    ActionExit = 1022,
    Hamlog = 1021,
    StartUp = 1078,
};
/// The edits of strings 1 .. 13; 1 .. 7 stand in the left column, 8 .. 13 in the right.
inline constexpr int kStringEdits[13] = {1030, 1031, 1032, 1033, 1034, 1035, 1039, 1036, 1037, 1038, 1045, 1040, 1041};
inline constexpr int kLeftColumn = 7;
inline constexpr const char* kStringLabels[13] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C", "D"};
/// Pick buttons in the order of the pick fields CALL, RST, M2, M1, NAME, QTH.
inline constexpr int kPicks[6] = {1071, 1083, 1073, 1074, 1072, 1075};
inline constexpr const char* kPickCaptions[6] = {"&Call", "&His", "m&Y", "cod&E", "&Name", "&QTH"};
/// Command buttons "js&T", "&Utc", "CL(&Z)", "&Save", "Rcv&W".
inline constexpr int kCommands[5] = {1082, 1077, 1080, 1081, 1079};
inline constexpr const char* kCommandCaptions[5] = {"js&T", "&Utc", "CL(&Z)", "&Save", "Rcv&W"};
inline constexpr const char* kTemplateTitle = " Tarvo  View dialog";
inline constexpr const char* kBaseTitle = "Tarvo v1.00 - VIEW (CTRL+SHIFT+1toD,I,S,L,G,V,N,M,UP,DOWN)";
inline constexpr const char* kUnknownPitch = "    ";
} // namespace ViewCtl
