#pragma once

/// The process-wide settings, each named by its registry key and starting at its built-in default.
struct Settings {
    // CONFIG\CQ
    int CQ_Progress = 2;
    // CONFIG\COM
    int COM = 1;
    int SIG = 0;
    int chk_TONE = 1;
    int chk_CLOSE = 0;
    int DELAY = 0;
    int SIG_STANDBY = 0;
    // SEND_DATA
    int WPM = 20;
    int RATIO = 0;
    int RATIO2 = 0;
};
