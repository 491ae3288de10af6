#include "link/ValPayloads.h"

namespace {

QString WithoutSurroundingBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

QString ValChoicePayload(int item, int value) {
    return QString::asprintf("%04d %04d", item, value);
}

QString ValTextPayload(int item, const QString& text) {
    return QString::asprintf("%04d ", item) + WithoutSurroundingBlanks(text);
}

std::optional<QString> RcvCwKeyPayload(QChar key, int selectedString) {
    switch (key.unicode()) {
    case u'A':
        return ValChoicePayload(selectedString + 25, 0);
    case u'W':
        return ValChoicePayload(selectedString + 25, 1);
    case u'C':
        return ValChoicePayload(selectedString + 54, 1);
    case u'S':
        return ValChoicePayload(15, 1);
    case u'R':
        return ValChoicePayload(16, 1);
    default:
        return std::nullopt;
    }
}
