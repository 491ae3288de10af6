#pragma once

struct Settings;

/// Line codes of SIG (KEY) and SIG_STANDBY (PTT).
enum LineCode { LineOff = 0, LineDtr = 1, LineRts = 2, LineBoth = 3 };

/// The other function's line once one function took `taken`: KEY and PTT never share a line.
int CoupledLine(int taken, int other);

/// Whether the configuration dialog's end closes the port: it stays open only on the same COM,
/// with "close after every message" not newly switched on, and with a line still in use.
bool PortMustClose(int comBefore, int closeBefore, const Settings& now);
