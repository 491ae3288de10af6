#pragma once

/// A contact field both ways: Tarvo's keyword and fldigi's log methods.
struct LogField {
    const char* keyword;
    const char* getter;
    const char* setter;
};

/// Tarvo's RST is the report it gives, fldigi's RST(s); its M2 ("MYRST") the one it receives, RST(r).
inline constexpr LogField kLogFields[] = {
    {"CALL ", "log.get_call", "log.set_call"},      {"NAME ", "log.get_name", "log.set_name"},
    {"QTH ", "log.get_qth", "log.set_qth"},         {"RST ", "log.get_rst_out", "log.set_rst_out"},
    {"MYRST ", "log.get_rst_in", "log.set_rst_in"},
};
inline constexpr int kLogFieldCount = int(sizeof(kLogFields) / sizeof(kLogFields[0]));
