#include "settings/Settings.h"

int DefaultFocusTarget(int entry) {
    if (entry == 0)
        return 1; // Clear goes to CALL
    if (entry >= 1 && entry <= 6)
        return entry == 6 ? 1 : entry + 1; // the six fields form a ring
    if (entry >= 7 && entry <= 54)
        return entry - (entry - 7) % 2; // both rows of a TX pair go to the pair's button
    return entry;
}

Settings::Settings() {
    for (int n = 0; n < kDefaultPage; ++n)
        Title[n] = QStringLiteral("Parameters %1").arg(n + 1);
    Title[5] = QStringLiteral("Default Parameters");
    MYCALL[0] = MYCALL[5] = QStringLiteral("TRV/PC");
    MYQTH[0] = MYQTH[5] = QStringLiteral("QTH0000");

    init = {QString(), QStringLiteral("5NN"), QStringLiteral("OM"),
            QString(), QStringLiteral("JCC"), QStringLiteral("5NN")};
    chk.fill(1);
    his = init;

    TX = {QStringLiteral("CQ CQ DE {MYCALL} {MYQTH} PSE K"),
          QStringLiteral("{*CALL} {GMAE} UR {*RST} BK"),
          QStringLiteral("BK QSL 73 TU EE"),
          QStringLiteral("R R {*CALL} {*CALL} QSL 73 TU EE"),
          QStringLiteral("{CALL}?"),
          QStringLiteral("PSE AGN"),
          QStringLiteral("QRL?"),
          QStringLiteral("*/?=&$+<>(){}.,:;'\"~^-_\\|#@"),
          QStringLiteral("TU EE"),
          QStringLiteral("{*MYCALL}"),
          QStringLiteral("BK {GMAE} TU {*RST} BK"),
          QStringLiteral("73 TU EE"),
          QStringLiteral("DE {*MYCALL} {*MYCALL} BK"),
          QStringLiteral("BK DE {*MYCALL} {GMAE} UR{*RST} BK"),
          QStringLiteral("BK QTH {*MYQTH} BK"),
          QStringLiteral("BK {GMAE} UR{*RST} /{*MYQTH} BK")};

    for (int entry = 0; entry < kFocusEntries; ++entry)
        focusTarget[entry] = DefaultFocusTarget(entry);

    Mode = {"CW",  "AM",  "SSB", "FM",  "FSK", "A1A", "A3E", "F1B", "F3E",
            "J3E", "USB", "LSB", "CWW", "CWN", "AMW", "AMN", "FMW", "FMN"};

    currentTitle = Title[0];
    currentMYCALL = MYCALL[0];
    currentMYQTH = MYQTH[0];
}
