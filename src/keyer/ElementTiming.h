#pragma once

/// Length in milliseconds of an element of the given units: 1 a dot, 3 a dash or the gap between
/// characters, 7 the gap for a space. Integer arithmetic, product first, as the keying has always done.
int ElementMs(int units, int wpm, int ratio, int ratio2);
