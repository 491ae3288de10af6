#pragma once

#include <QString>

/// The fields a word of the transcript can be picked into, numbered as the pick commands are.
enum PickField { PickCall = 0, PickRst = 1, PickM2 = 2, PickM1 = 3, PickName = 4, PickQth = 5 };

/// The word around a caret: at most 20 characters each way, up to white space or a double quote.
struct WordSpan {
    int start = 0;
    int end = 0;
    bool isEmpty() const { return end <= start; }
};
WordSpan WordAround(const QString& text, int caret);

/// A picked word cleaned by its field's rule, cut to the field's limit and trimmed.
QString CleanPick(PickField field, const QString& word);

/// The call sign near the end of the transcript, or empty. ownCall keeps a "/…K" ending intact.
QString ExtractCall(const QString& transcript, const QString& ownCall);

/// What of an extracted call is selected, so the operator can correct the likeliest slip.
struct CallSelection {
    int start = 0;
    int length = 0;
};
CallSelection SelectionForCall(const QString& call);

/// The exchange code after the last "JCC", "JCG" or "AJA" near the end of the transcript, or empty.
QString ExtractCode(const QString& transcript);
