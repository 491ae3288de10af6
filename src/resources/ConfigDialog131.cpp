#include "resources/ConfigDialog131.h"

namespace {

using C = ConfigControl;

QStringList numbers(int first, int last, int step = 1) {
    QStringList entries;
    for (int n = first; n <= last; n += step)
        entries.append(QString::asprintf("%3d", n));
    return entries;
}

} // namespace

// clang-format off
const QList<ConfigGroup>& ConfigDialog131() {
    static const QList<ConfigGroup> groups{
        {"Initialize (CW)", {
            {1021, C::Check, "CALL", 0, 0}, {1030, C::Edit, "", 0, 1, 250},
            {1022, C::Check, "RST", 1, 0}, {1031, C::Edit, "", 1, 1, 250},
            {1023, C::Check, "NAME", 2, 0}, {1032, C::Edit, "", 2, 1, 250},
            {1024, C::Check, "QTH", 3, 0}, {1033, C::Edit, "", 3, 1, 250},
            {1025, C::Check, "M1", 4, 0}, {1034, C::Edit, "", 4, 1, 250},
            {1026, C::Check, "M2", 5, 0}, {1035, C::Edit, "", 5, 1, 250},
        }},
        {"CQ", {
            {0, C::Label, "Watch", 0, 0}, {CfgCtl::Watch, C::List, "", 0, 1}, {0, C::Label, "(Sec)", 0, 2},
            {0, C::Label, "Limit", 1, 0}, {CfgCtl::Limit, C::List, "", 1, 1}, {0, C::Label, "(Times)", 1, 2},
            {0, C::Label, "TX1-16", 2, 0}, {CfgCtl::TxSel, C::List, "", 2, 1}, {0, C::Label, "(CW)", 2, 2},
            {0, C::Label, "Progress", 3, 0}, {CfgCtl::Progress, C::List, "", 3, 1}, {0, C::Label, "Step(CW)", 3, 2},
        }},
        {"Port", {
            {0, C::Label, "COM", 0, 0}, {CfgCtl::Com, C::List, "", 0, 1},
            {0, C::Label, "KEY", 1, 0}, {CfgCtl::KeyDtr, C::Radio, "DTR", 1, 1}, {CfgCtl::KeyRts, C::Radio, "RTS", 1, 2},
            {CfgCtl::KeyBoth, C::Radio, "BOTH", 1, 3}, {CfgCtl::KeyOff, C::Radio, "OFF", 1, 4},
            {0, C::Label, "PTT", 2, 0}, {CfgCtl::PttDtr, C::Radio, "DTR", 2, 1}, {CfgCtl::PttRts, C::Radio, "RTS", 2, 2},
            {CfgCtl::PttBoth, C::Radio, "BOTH", 2, 3}, {CfgCtl::PttOff, C::Radio, "OFF", 2, 4},
            {0, C::Label, "Delay", 3, 0}, {CfgCtl::Delay, C::List, "", 3, 1}, {0, C::Label, " (ms)", 3, 2},
            {CfgCtl::Close, C::Check, "Everytime,\nit close.", 4, 1}, {CfgCtl::Tone, C::Check, "TONE(CW)", 5, 1},
        }},
        {"TrvRcvCW", {
            {CfgCtl::Use, C::Check, "Use", 0, 0}, {CfgCtl::IpCheck, C::Check, "IP Check", 0, 1},
            {0, C::Label, "MyPort", 1, 0}, {CfgCtl::MyPort, C::Edit, "", 1, 1, 5},
            {0, C::Label, "Port", 2, 0}, {CfgCtl::CompanionPort, C::Edit, "", 2, 1, 5},
            {0, C::Label, "IP", 3, 0}, {CfgCtl::CompanionIp, C::Edit, "", 3, 1, 15},
        }},
        {"Remote/Host Port (CW)", {
            {CfgCtl::RemoteUse, C::Check, "Use", 0, 0}, {CfgCtl::RemoteHost, C::Check, "this Port", 0, 1},
            {0, C::Label, "Port", 1, 0}, {CfgCtl::RemotePort, C::Edit, "", 1, 1, 5},
            {0, C::Label, "IP", 2, 0}, {CfgCtl::RemoteIp, C::Edit, "", 2, 1, 15},
        }},
    };
    return groups;
}
// clang-format on

QStringList ConfigListEntries(int id) {
    switch (id) {
    case CfgCtl::Watch:
        return numbers(2, 60);
    case CfgCtl::Limit:
        return numbers(1, 50);
    case CfgCtl::TxSel:
        return numbers(1, 16);
    case CfgCtl::Progress:
        return {QStringLiteral("All Off"), QStringLiteral("Word"), QStringLiteral("Char"), QStringLiteral("None")};
    case CfgCtl::Com:
        return numbers(1, 99);
    case CfgCtl::Delay:
        return numbers(0, 500, 10);
    }
    return {};
}
