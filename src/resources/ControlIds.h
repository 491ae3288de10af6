#pragma once

/// Control identifiers of the operating screen (form 130). Other code names controls by these.
namespace Ctl {
enum : int {
    RcvCw = 1020,
    Key = 1021,
    Bank = 1022,
    Cq = 1027,
    Call = 1030,
    Rst = 1031,
    Name = 1032,
    Qth = 1033,
    M1 = 1034,
    M2 = 1035,
    Msg1 = 1036,
    Msg2 = 1037,
    Msg3 = 1038,
    Msg4 = 1039,
    TextArea = 1040,
    Msg6 = 1041,
    Msg7 = 1042,
    Msg5 = 1048,
    Msg8 = 1049,
    InputLine = 1050,
    Freq = 1051,
    FreqSmall = 1052,
    Mode = 1061,
    Clear = 1070,
    Tx1 = 1071,
    Tx2 = 1072,
    Tx3 = 1073,
    Tx4 = 1074,
    Hidden1075 = 1075,
    Hidden1076 = 1076,
    View = 1078,
    Request = 1079,
    Esc = 1080,
    CallExtractor = 1082,
    CodeExtractor = 1083,
    Tx5 = 1086,
    Tx6 = 1087,
    Tx7 = 1088,
    Tx8 = 1089,
    TxProgress = 1090,
    CountProgress = 1091,
    WatchProgress = 1092,
    StringChannel = 1106,
    LabelCall = 1109,
    LabelRst = 1110,
    LabelName = 1111,
    LabelQth = 1112,
    LabelM1 = 1113,
    LabelM2 = 1114,
};

/// TX button and message edit of positions 1..8 (index 0..7).
inline constexpr int kTxButtons[8] = {Tx1, Tx2, Tx3, Tx4, Tx5, Tx6, Tx7, Tx8};
inline constexpr int kTxEdits[8] = {Msg1, Msg2, Msg3, Msg4, Msg5, Msg6, Msg7, Msg8};
/// The six contact-field edits in field order CALL, RST, NAME, QTH, M1, M2.
inline constexpr int kFields[6] = {Call, Rst, Name, Qth, M1, M2};
} // namespace Ctl
