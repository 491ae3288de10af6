#pragma once

#include <QList>
#include <QStringList>

/// One control of the configuration dialog, in a grid cell of its group.
struct ConfigControl {
    enum Kind { Check, Edit, List, Radio, Label };
    int id; ///< 0 for a label
    Kind kind;
    const char* text;
    int row;
    int column;
    int length = 0; ///< how many characters an edit holds
};

struct ConfigGroup {
    const char* title;
    QList<ConfigControl> controls;
};

inline constexpr const char* kConfigCaption = " Tarvo Configurations";

/// Dialog 131, group by group.
const QList<ConfigGroup>& ConfigDialog131();
/// The entries of one of its lists.
QStringList ConfigListEntries(int id);

/// Control identifiers of dialog 131.
namespace CfgCtl {
enum : int {
    KeyDtr = 1000,
    KeyRts = 1001,
    KeyBoth = 1002,
    KeyOff = 1003,
    PttDtr = 1004,
    PttRts = 1005,
    PttBoth = 1006,
    PttOff = 1007,
    Tone = 1020,
    Close = 1027,
    Com = 1060,
    Watch = 1061,
    TxSel = 1062,
    Limit = 1063,
    Progress = 1064,
    Delay = 1065,
    CompanionPort = 1039,
    CompanionIp = 1040,
    MyPort = 1041,
    RemotePort = 1042,
    RemoteIp = 1043,
    Use = 1101,
    IpCheck = 1102,
    RemoteUse = 1103,
    RemoteHost = 1105,
};
/// The check boxes and edits of the six contact fields' initial texts, in field order.
inline constexpr int kInitChecks[6] = {1021, 1022, 1023, 1024, 1025, 1026};
inline constexpr int kInitEdits[6] = {1030, 1031, 1032, 1033, 1034, 1035};
/// The KEY and PTT radios in the order of the line codes 1 DTR, 2 RTS, 3 BOTH, then 0 OFF.
inline constexpr int kKeyRadios[4] = {KeyDtr, KeyRts, KeyBoth, KeyOff};
inline constexpr int kPttRadios[4] = {PttDtr, PttRts, PttBoth, PttOff};
} // namespace CfgCtl
