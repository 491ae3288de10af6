#include "keyer/ElementTiming.h"

int ElementMs(int units, int wpm, int ratio, int ratio2) {
    if (units <= 0 || wpm <= 0)
        return 0;
    switch (units) {
    case 3:
        return (ratio + 15) * 240 / wpm;
    case 7:
        // 1204, not 1200: the word gap has always been this hair longer than seven dots.
        return (ratio2 + 7) * 1204 / wpm;
    default:
        return units * 1200 / wpm;
    }
}
