#pragma once

#include "settings/Settings.h"

/// Settings with every receive option on, so that each keyword can match.
inline Settings EveryReceiveOption() {
    Settings s;
    for (int Settings::*flag :
         {&Settings::Recv_CALL, &Settings::Recv_CODE, &Settings::Recv_TIMEJ, &Settings::Recv_TIMEU, &Settings::Recv_GL,
          &Settings::Recv_NAME, &Settings::Recv_RST, &Settings::Recv_MYRST, &Settings::Recv_QTH, &Settings::Recv_RMK1,
          &Settings::Recv_RMK2, &Settings::Recv_FORE, &Settings::Recv_CLR})
        s.*flag = 1;
    return s;
}
