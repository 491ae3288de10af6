#include "settings/LineRules.h"

#include "settings/Settings.h"

int CoupledLine(int taken, int other) {
    switch (taken) {
    case LineDtr:
        return other == LineDtr || other == LineBoth ? LineRts : other;
    case LineRts:
        return other == LineRts || other == LineBoth ? LineDtr : other;
    case LineBoth:
        return LineOff;
    }
    return other;
}

bool PortMustClose(int comBefore, int closeBefore, const Settings& now) {
    const bool keep = now.COM == comBefore && (now.chk_CLOSE == closeBefore || now.chk_CLOSE == 0) &&
                      (now.SIG != LineOff || now.SIG_STANDBY != LineOff);
    return !keep;
}
