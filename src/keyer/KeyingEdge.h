#pragma once

#include <QtGlobal>

/// One step of a transmission: a change of the KEY or the PTT line, due at an absolute moment.
struct KeyingEdge {
    enum class Line { Key, Ptt };

    qint64 dueUs = 0;
    Line line = Line::Key;
    int code = 0; ///< the modem-control lines: 0 none, 1 DTR, 2 RTS, 3 both
    bool on = false;
    int toneUnits = 0; ///< with a key-down: the sidetone to start, 1 dot or 3 dash; 0 none
};
