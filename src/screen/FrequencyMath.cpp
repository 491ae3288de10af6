#include "screen/FrequencyMath.h"

#include <QByteArray>
#include <QStringView>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr std::array<int, 5> kStepSizes = {10, 100, 1000, 10000, 20000};

bool IsAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The blanks C's isspace knows in the "C" locale.
bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

// Length of the decimal number that starts at `from` (sign, digits, point, exponent), 0 when there
// is none. Only what a decimal number may hold: no hex, inf or nan, no locale's separators.
qsizetype DecimalNumberLength(QStringView text, qsizetype from) {
    qsizetype i = from;
    const auto digitsFrom = [&text](qsizetype at) {
        qsizetype end = at;
        while (end < text.size() && IsAsciiDigit(text[end]))
            ++end;
        return end - at;
    };
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype mantissaDigits = digitsFrom(i);
    i += mantissaDigits;
    if (i < text.size() && text[i] == u'.') {
        const qsizetype fraction = digitsFrom(i + 1);
        mantissaDigits += fraction;
        i += 1 + fraction;
    }
    if (mantissaDigits == 0)
        return 0;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype exponent = i + 1;
        if (exponent < text.size() && (text[exponent] == u'+' || text[exponent] == u'-'))
            ++exponent;
        const qsizetype exponentDigits = digitsFrom(exponent);
        if (exponentDigits > 0)
            i = exponent + exponentDigits;
    }
    return i - from;
}

} // namespace

double FrequencyValue(const QString& text) {
    qsizetype start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    const qsizetype length = DecimalNumberLength(text, start);
    if (length == 0)
        return 0.0;
    // QString's own reading ignores the locale, gives infinity on overflow and 0 on underflow.
    return QStringView(text).mid(start, length).toDouble();
}

std::optional<double> SteppedFrequency(double f, double s, bool up) {
    double n = f;
    if (s != 0.0) {
        const double r = 1.0 / s;
        // Both directions allow for r·f a hair off its grid point: down without it, a frequency just
        // above the point would snap up to the next one and the step would land back on f.
        n = up ? std::floor(r * f + 0.00001) / r + s : std::ceil(r * f - 0.00001) / r - s;
        // n often comes out a hair below its point too; cut bare, it would lose a whole 1e-8.
        n = std::floor(n * 1e8 + 0.001) * 1e-8;
        if (n == f)
            n += up ? s : -s;
    }
    if (n < 0.00001)
        return std::nullopt;
    return n;
}

QString FormatFrequency(double f, int digits) {
    int integerPlaces = 7;
    if (f < 10)
        integerPlaces = 2;
    else if (f < 100)
        integerPlaces = 3;
    else if (f < 1000)
        integerPlaces = 4;
    else if (f < 10000)
        integerPlaces = 5;
    else if (f < 100000)
        integerPlaces = 6;
    const int decimals = std::max(digits - integerPlaces, 0);
    const QByteArray format = "%" + QByteArray::number(digits) + "." + QByteArray::number(decimals) + "f";
    return QString::asprintf(format.constData(), f);
}

QString DigitStepText(const QString& frequency, int caret) {
    const qsizetype stepped = std::max(caret - 1, 0);
    QString step;
    bool pointSeen = false;
    for (qsizetype i = 0; i < frequency.size(); ++i) {
        const bool point = frequency[i] == u'.';
        if (i == stepped) {
            step += u'1';
            // Standing on the point, the 1 takes the units' place.
            if (point || pointSeen)
                break;
        } else if (point) {
            step += u'.';
        } else {
            step += u'0';
        }
        pointSeen = pointSeen || point;
    }
    return step;
}

QString FixedStepText(int stepHz) {
    return QString::asprintf("%g", stepHz * 0.000001);
}

// A value between two sizes goes to the neighbouring size; the result is always one of the sizes.
int StepRangeUp(int stepHz) {
    for (const int size : kStepSizes)
        if (size > stepHz)
            return size;
    return kStepSizes.back();
}

int StepRangeDown(int stepHz) {
    for (auto size = kStepSizes.rbegin(); size != kStepSizes.rend(); ++size)
        if (*size < stepHz)
            return *size;
    return kStepSizes.front();
}

int FsetCaretPosition(const QString& frequency, double pendingStep) {
    const double value = FrequencyValue(frequency);
    // On the grid the quotient is a whole number, yet it may come out a hair below a power of
    // ten (10 / 0.00001 is 999999.99…), which would cost it a digit.
    const double q = value / pendingStep * (1.0 + 1e-12);
    int digits = 0;
    for (double power = 1.0; digits < 12 && q >= power; power *= 10.0)
        ++digits;
    if (value < 1.0)
        ++digits;
    int counted = 0;
    for (qsizetype i = 0; i < frequency.size(); ++i) {
        if (frequency[i] == u'.')
            continue;
        if (++counted == digits)
            return int(i + 1);
    }
    return 12;
}
