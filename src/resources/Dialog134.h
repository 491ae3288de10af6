#pragma once

#include "resources/Accel128.h"

/// The voice memory dialog (134): control identifiers and texts.
namespace VoiceCtl {
/// The controls of one voice row.
struct Row {
    int tx;
    int once;
    int repeat;
    int comment;
    int onList;
    int offList;
    int file;
    int browse;
    int test;
};
inline constexpr int kRowCount = 6;
inline constexpr Row kRows[kRowCount] = {
    {1071, 1001, 1002, 1042, 1060, 1061, 1030, 1070, 1080}, {1072, 1004, 1005, 1043, 1062, 1063, 1031, 1075, 1081},
    {1073, 1007, 1008, 1044, 1064, 1065, 1032, 1076, 1082}, {1074, 1010, 1011, 1045, 1066, 1067, 1034, 1077, 1083},
    {1086, 1013, 1014, 1046, 1068, 1069, 1039, 1078, 1084}, {1087, 1016, 1017, 1047, 1088, 1096, 1041, 1079, 1085},
};
enum : int {
    EndLabel = 1098,
    TxLabel = 1099,
    StopIcon = 1095,
    CountText = 1094,
    TxText = 1092,
    WatchText = 1093,
    CountBar = 1091,
    TxBar = 1089,
    WatchBar = 1090,
};
inline constexpr const char* kCaption =
    " Tarvo           VOICE memory   CQ CQ CQ ...                ESC: stop   SPACE: last";
inline constexpr const char* kHeadings[] = {"times", "comments", "on(+ms)", "off(-ms)", "voice files ( wav )", "test"};
inline constexpr const char* kOnce = "1";
inline constexpr const char* kBrowse = "...";
inline constexpr const char* kCountText = "Count (  xx / xx Times )";
inline constexpr const char* kTxText = "TX ( xxx.xxx Sec )";
inline constexpr const char* kWatchText = "Watch ( xxx Sec )";
inline constexpr const char* kFileFilter = "wave file (*.wav)|*.wav|All file (*.*)|*.*||";
inline constexpr const char* kFileSuffix = "wav";
/// Each cut list holds 0 .. 2000 ms in steps of 100.
inline constexpr int kCutEntries = 21;
inline constexpr int kCutStepMs = 100;
} // namespace VoiceCtl

/// Accelerator table 129 of the voice dialog: Ctrl+1 .. 6, entry n running row n + 1.
const QList<Accelerator>& Accel129();
