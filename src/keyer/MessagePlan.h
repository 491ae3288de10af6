#pragma once

#include "keyer/MorseTable.h"

#include <QString>
#include <QtGlobal>

#include <vector>

/// One mark of a planned message, in microseconds from the message's first edge.
struct PlannedMark {
    qint64 downUs;
    qint64 upUs;
    int units; ///< 1 dot, 3 dash
};

/// One character of a planned message: when it begins and which marks it keys.
struct PlannedCharacter {
    qint64 beginUs;
    int firstMark;
    int markCount;
    bool space;
    bool lowByteOnly; ///< not in the table, though its low byte selects another entry
};

/// The timing of a whole message, worked out before its first edge, so that the engine can be handed
/// the schedule ahead while the screen walks through the characters.
struct MessagePlan {
    std::vector<PlannedCharacter> characters;
    std::vector<PlannedMark> marks;
    qint64 endUs = 0; ///< the end of the last gap (of the last mark in keyboard mode)
};

struct ElementLengths {
    int wpm;
    int ratio;
    int ratio2;
};

/// Element by element, with a dot's gap inside a character, a dash-length gap after it unless a
/// space follows, and the word gap for a space. In keyboard mode only the first character, with no
/// gap after it.
MessagePlan PlanMessage(const QString& text, bool keyboardMode, const MorseIndex& index, const ElementLengths& lengths);
