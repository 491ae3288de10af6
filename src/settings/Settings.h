#pragma once

#include <QString>

#include <array>

/// The six contact fields, in the order the program names them.
enum ContactField { FieldCALL, FieldRST, FieldNAME, FieldQTH, FieldM1, FieldM2 };
inline constexpr int kContactFields = 6;
using ContactTexts = std::array<QString, kContactFields>;

inline constexpr int kPages = 5;       ///< stored parameter pages 1..5
inline constexpr int kDefaultPage = 6; ///< the Default page: built-in values, never stored
inline constexpr int kFocusEntries = 62;
inline constexpr int kVoiceRows = 6;
inline constexpr int kRigModes = 18;
inline constexpr int kTextLimit = 250; ///< contact-field and message texts are cut to this on loading

/// The entry the focus moves to after entry `entry` (both 0-based) in the factory table.
int DefaultFocusTarget(int entry);

/// The process-wide settings, each named by its registry key and starting at its built-in default.
/// Keys that cannot be C++ names keep their key in a comment.
struct Settings {
    Settings();

    // Contents
    int Select = 1;
    std::array<QString, kDefaultPage> Title;  ///< Title1..Title6
    std::array<QString, kDefaultPage> MYCALL; ///< MYCALL1..MYCALL6
    std::array<QString, kDefaultPage> MYQTH;  ///< MYQTH1..MYQTH6

    /// The "/viewfocusfreq" option of the command line; never stored.
    bool viewFocusFreq = false;

    // Desktop: the main window's size (0 before it was first kept) and the form's zoom in percent.
    int desktopWidth = 0;
    int desktopHeight = 0;
    int desktopZoom = 100;

    // The page in use and the copies taken from it after the load dialog.
    int page = 1;
    QString currentTitle;
    QString currentMYCALL;
    QString currentMYQTH;

    // CONFIG\INIT
    ContactTexts init;                   ///< CALL, RST, NAME, QTH, M1, M2 initial texts
    std::array<int, kContactFields> chk; ///< chk_CALL .. chk_M2

    // CONFIG\CQ
    int CQ_Sec = 6;
    int CQ_Sel = 1;
    int CQ_Limit = 10;
    int CQ_Progress = 2;

    // CONFIG\COM
    int COM = 1;
    int SIG = 0;
    int chk_TONE = 1;
    int chk_CLOSE = 0;
    int DELAY = 0;
    int SIG_STANDBY = 0;

    // HIS_DATA: the contact as it stands; always the texts of the six fields on screen.
    ContactTexts his;

    // SEND_DATA
    std::array<QString, 16> TX; ///< TX01..TX16
    QString KEY_DATA;
    int to9 = 0; ///< key "9to": TX bank shown, 0 TX01..TX08, 1 TX09..TX16
    int KEY = 0;
    bool cqRunning = false; ///< automatic CQ; written as "CQ", never read
    int WPM = 20;
    int GoodMAE = 0;
    int RATIO = 0;
    int RATIO2 = 0;

    // VOICE
    std::array<QString, kVoiceRows> File;
    std::array<QString, kVoiceRows> Cmnt;
    std::array<int, kVoiceRows> CQ{};
    int Boot = 0;
    std::array<int, kVoiceRows> CutPre{};
    std::array<int, kVoiceRows> CutPost{};

    // LOG\CW
    int Logging = 1;
    int Ansi = 1;

    // FOCUS: 0-based target entry of each of the 62 entries
    std::array<int, kFocusEntries> focusTarget{};

    // HOST
    int enable = 0;
    int ipcheck = 1;
    QString ip = QStringLiteral("192.168.1.10");
    int port = 10000;
    int myport = 10001;
    int Recv_ENABLEALL = 1, Recv_CALL = 1, Recv_CODE = 1, Recv_TIMEJ = 0, Recv_TIMEU = 0, Recv_GL = 0;
    int Recv_NAME = 1, Recv_RST = 1, Recv_MYRST = 1, Recv_QTH = 1, Recv_RMK1 = 0, Recv_RMK2 = 0;
    int Recv_FORE = 1, Recv_CLR = 1;
    int Send_ENABLEALL = 1, Send_CALL = 1, Send_CODE = 1, Send_TIMEJ = 0, Send_TIMEU = 0, Send_GL = 0;
    int Send_NAME = 1, Send_RST = 1, Send_MYRST = 1, Send_QTH = 1, Send_RMK1 = 0, Send_RMK1b = 1, Send_RMK2 = 1;
    int Recv_STRINGS = 0;
    int Send_CLSYNC = 1;
    int Send_SAVECL = 1;

    // REMOTE
    int Remote_USE = 0;
    int Remote_HOST = 0;
    int Remote_PORT = 10001;
    QString Remote_IP = QStringLiteral("192.168.1.10");

    // VIEW
    int LOOP = 0;
    int HAMLOG = 0;
    int SELEXIT = 1;
    int SELECT = 0;

    // FREQ
    int DIGITS = 7;
    int STEP = 10;
    std::array<QString, kRigModes> Mode; ///< Mode_01..Mode_18
};
