#include "keyer/ElementTiming.h"

#include <gtest/gtest.h>

namespace {

TEST(ElementTiming, IntegerLengthsOfEachUnit) {
    struct Case {
        int units, wpm, ratio, ratio2, ms;
    };
    const Case cases[] = {
        {0, 20, 0, 0, 0},   {1, 20, 0, 0, 60},  {3, 20, 0, 0, 180}, {3, 20, 9, 0, 288}, {7, 20, 0, 0, 421},
        {7, 20, 0, 9, 963}, {3, 25, 5, 0, 192}, {1, 50, 0, 0, 24},  {7, 50, 0, 0, 168}, {1, 13, 0, 0, 92},
        {3, 13, 1, 0, 295}, {2, 20, 0, 0, 120}, {-1, 20, 0, 0, 0},  {1, 0, 0, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ElementMs(c.units, c.wpm, c.ratio, c.ratio2), c.ms)
            << c.units << " units at " << c.wpm << " WPM, ratio " << c.ratio << "/" << c.ratio2;
}

} // namespace
