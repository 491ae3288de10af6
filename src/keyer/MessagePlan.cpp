#include "keyer/MessagePlan.h"

#include "keyer/ElementTiming.h"

#include <algorithm>

namespace {

qint64 elementUs(int units, const ElementLengths& l) {
    return qint64(ElementMs(units, l.wpm, l.ratio, l.ratio2)) * 1000;
}

} // namespace

MessagePlan PlanMessage(const QString& text, bool keyboardMode, const MorseIndex& index,
                        const ElementLengths& lengths) {
    MessagePlan plan;
    qint64 at = 0;
    const qsizetype count = keyboardMode ? std::min<qsizetype>(text.size(), 1) : text.size();
    for (qsizetype i = 0; i < count; ++i) {
        PlannedCharacter character{at, int(plan.marks.size()), 0, text[i] == QLatin1Char(' '), false};
        if (character.space) {
            at += elementUs(7, lengths);
            plan.characters.push_back(character);
            continue;
        }
        const MorseLookup found = index.LookupMorse(text[i].unicode());
        character.lowByteOnly = found.kind == MorseLookup::Kind::LowByteOnly;
        if (found.kind == MorseLookup::Kind::Found) {
            for (const char16_t* element = found.code; *element; ++element) {
                const int units = *element == u'.' ? 1 : 3;
                plan.marks.push_back({at, at + elementUs(units, lengths), units});
                at = plan.marks.back().upUs;
                if (element[1])
                    at += elementUs(1, lengths);
            }
            character.markCount = int(plan.marks.size()) - character.firstMark;
        }
        const bool spaceFollows = i + 1 < text.size() && text[i + 1] == QLatin1Char(' ');
        if (!keyboardMode && !spaceFollows)
            at += elementUs(3, lengths);
        plan.characters.push_back(character);
    }
    plan.endUs = at;
    return plan;
}
