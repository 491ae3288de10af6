#include "FuzzCheck.h"
#include "screen/Picking.h"

#include <cstdint>

// Any transcript and caret: the word around the caret lies inside the text and is at most 40
// characters long, a picked word fits its field, and the finders return text the transcript holds
// (up to their cleaning). The first two bytes give the caret and the field, the rest the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    const int caret = int(data[0]) * int(text.size() + 1) / 256;
    const WordSpan span = WordAround(text, caret);
    Require(span.start >= 0 && span.end <= text.size() && span.end - span.start <= 40);
    const PickField field = PickField(data[1] % 6);
    const QString picked = CleanPick(field, text.mid(span.start, span.end - span.start));
    Require(picked.size() <= 250 && picked == picked.trimmed());

    const QString call = ExtractCall(text, QStringLiteral("Q1ABC/K"));
    const CallSelection selection = SelectionForCall(call);
    Require(selection.start >= 0 && selection.length >= 0 && selection.start + selection.length <= call.size());
    Require(ExtractCode(text).size() <= text.size());
    return 0;
}
