#pragma once

#include <QString>

#include <optional>

/// The arithmetic of the frequency display: frequencies and steps in MHz.

/// A frequency text read as the display's number: leading blanks skipped, the longest decimal
/// number at the start taken, 0 when there is none.
double FrequencyValue(const QString& text);

/// The frequency a step gives. With step s ≠ 0 a frequency off the s grid first snaps to it in
/// the step's direction; the result is cut after the eighth decimal and moves once more when it
/// equals f. Step 0 keeps f. Nothing when the result is below 0.00001 MHz.
std::optional<double> SteppedFrequency(double f, double s, bool up);

/// f in digits characters: "%<digits>.<decimals>f" with decimals digits − 2 below 10 MHz,
/// digits − 3 below 100 MHz, and so on.
QString FormatFrequency(double f, int digits);

/// The step of a digit step: the frequency text with a 1 in place of the digit left of the caret
/// (the one before the point when the caret follows the point) and 0 for every other digit,
/// ending right after that 1 when it lies behind the point. caret is at least 0.
QString DigitStepText(const QString& frequency, int caret);

/// The fixed step of `STEP` Hz as a text in MHz ("%g": 10 Hz gives "1e-05").
QString FixedStepText(int stepHz);

/// `STEP` one size up (10 → 100 → 1000 → 10000 → 20000) or down; the ends stay.
int StepRangeUp(int stepHz);
int StepRangeDown(int stepHz);

/// Where the "FSET" answer puts the caret after a step of pendingStep (> 0) MHz: right after the
/// digit that the step moved, counting digits only; 12 when the text is too short.
int FsetCaretPosition(const QString& frequency, double pendingStep);
