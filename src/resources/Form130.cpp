#include "resources/Form130.h"

#include "resources/ControlIds.h"

namespace {

using C = FormControl;
constexpr int Up = FormControl::UpperCase;
constexpr int Hid = FormControl::Hidden;

} // namespace

// clang-format off
const FormTemplate& Form130() {
    static const FormTemplate form{350, 105, {
        {Ctl::LabelCall, C::Label, "{CALL}(C)", 41, 1, 38, 8, 0},
        {Ctl::CallExtractor, C::PushButton, "...", 80, 1, 10, 8, 0},
        {Ctl::LabelRst, C::Label, "{RST}(His)", 93, 1, 49, 8, 0},
        {Ctl::LabelName, C::Label, "{NAME}(N)", 142, 1, 52, 8, 0},
        {Ctl::LabelQth, C::Label, "{QTH}(Q)", 194, 1, 52, 8, 0},
        {Ctl::LabelM1, C::Label, "{M1}(codE)", 246, 1, 40, 8, 0},
        {Ctl::CodeExtractor, C::PushButton, "...", 287, 1, 10, 8, 0},
        {Ctl::LabelM2, C::Label, "{M2}(mY)", 298, 1, 52, 8, 0},
        {Ctl::Esc, C::PushButton, "Esc", 5, 0, 35, 8, Hid},
        {Ctl::Hidden1075, C::PushButton, "", 95, 0, 32, 7, Hid},
        {Ctl::Hidden1076, C::PushButton, "", 141, 0, 32, 7, Hid},
        {Ctl::Clear, C::PushButton, "Clear[0]", 5, 8, 35, 13, 0},
        {Ctl::Call, C::Edit, "", 41, 9, 52, 12, Up},
        {Ctl::Rst, C::Edit, "", 93, 9, 49, 12, Up},
        {Ctl::Name, C::Edit, "", 142, 9, 52, 12, Up},
        {Ctl::Qth, C::Edit, "", 194, 9, 52, 12, Up},
        {Ctl::M1, C::Edit, "", 246, 9, 52, 12, Up},
        {Ctl::M2, C::Edit, "", 298, 9, 52, 12, Up},
        {Ctl::Tx1, C::PushButton, "{TX01}[1]", 5, 21, 35, 12, 0},
        {Ctl::Msg1, C::Edit, "", 41, 21, 136, 12, Up},
        {Ctl::Tx5, C::PushButton, "{TX05}[5]", 178, 20, 35, 13, 0},
        {Ctl::Msg5, C::Edit, "", 214, 21, 136, 12, Up},
        {Ctl::Tx2, C::PushButton, "{TX02}[2]", 5, 33, 35, 12, 0},
        {Ctl::Msg2, C::Edit, "", 41, 33, 136, 12, Up},
        {Ctl::Tx6, C::PushButton, "{TX06}[6]", 178, 33, 35, 12, 0},
        {Ctl::Msg6, C::Edit, "", 214, 33, 136, 12, Up},
        {Ctl::Tx3, C::PushButton, "{TX03}[3]", 5, 45, 35, 12, 0},
        {Ctl::Msg3, C::Edit, "", 41, 45, 136, 12, Up},
        {Ctl::Tx7, C::PushButton, "{TX07}[7]", 178, 45, 35, 12, 0},
        {Ctl::Msg7, C::Edit, "", 214, 45, 136, 12, Up},
        {Ctl::Tx4, C::PushButton, "{TX04}[4]", 5, 57, 35, 12, 0},
        {Ctl::Msg4, C::Edit, "", 41, 57, 136, 12, Up},
        {Ctl::Tx8, C::PushButton, "{TX08}[8]", 178, 57, 35, 12, 0},
        {Ctl::Msg8, C::Edit, "", 214, 57, 136, 12, Up},
        {Ctl::Bank, C::CheckBox, "9- [9]", 5, 71, 34, 8, 0},
        {Ctl::TextArea, C::TextArea, "", 41, 69, 309, 24, Up},
        {Ctl::Cq, C::CheckBox, "CQ[Q]", 5, 82, 35, 9, 0},
        {Ctl::CountProgress, C::Progress, "", 44, 87, 84, 6, Hid},
        {Ctl::TxProgress, C::Progress, "", 129, 87, 113, 6, Hid},
        {Ctl::WatchProgress, C::Progress, "", 243, 87, 94, 6, Hid},
        {Ctl::Key, C::CheckBox, "KEY[K]", 5, 94, 35, 9, 0},
        {Ctl::InputLine, C::Edit, "", 41, 93, 230, 12, Up},
        {Ctl::Mode, C::Combo, "", 181, 93, 38, 49, Hid},
        {Ctl::FreqSmall, C::Edit, "", 185, 93, 25, 12, Hid | Up},
        {Ctl::Freq, C::Edit, "", 219, 93, 52, 12, Hid | Up},
        {Ctl::Request, C::PushButton, "R", 271, 93, 10, 12, 0},
        {Ctl::View, C::PushButton, "V", 281, 93, 10, 12, 0},
        {Ctl::RcvCw, C::CheckBox, "RcvCW", 294, 94, 43, 10, 0},
        {Ctl::StringChannel, C::UpDown, "", 338, 93, 6, 12, 0},
    }};
    return form;
}
// clang-format on
