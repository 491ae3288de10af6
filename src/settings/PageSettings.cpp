#include "settings/PageSettings.h"

#include "settings/Settings.h"
#include "settings/SettingsStore.h"

namespace {

/// One direction of transfer between the settings and the store, for one section at a time.
class Transfer {
public:
    Transfer(SettingsStore& store, bool loading) : m_store(store), m_loading(loading) {}

    bool loading() const { return m_loading; }
    void section(const QString& name) { m_section = name; }

    void number(const QString& key, int& value) {
        if (m_loading)
            value = m_store.readInt(m_section, key, value);
        else
            m_store.writeInt(m_section, key, value);
    }
    void text(const QString& key, QString& value) {
        if (m_loading)
            value = m_store.readString(m_section, key, value);
        else
            m_store.writeString(m_section, key, value);
    }
    /// A number that must lie in lo..hi when read; otherwise it becomes fallback.
    void ranged(const QString& key, int& value, int lo, int hi, int fallback) {
        number(key, value);
        if (m_loading && (value < lo || value > hi))
            value = fallback;
    }
    /// A text of the contact fields or the messages: cut to its limit when read.
    void cut(const QString& key, QString& value) {
        text(key, value);
        if (m_loading)
            value.truncate(kTextLimit);
    }

private:
    SettingsStore& m_store;
    bool m_loading;
    QString m_section;
};

QString numbered(const char* stem, int n) {
    return QString::fromLatin1(stem) + QString::number(n);
}

// Larger than any screen; a bigger stored side is a damaged value.
constexpr int kMostWindowSide = 100000;

QString twoDigits(const char* stem, int n) {
    return QString::fromLatin1(stem) + QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// The order in which the contact fields are stored.
constexpr ContactField kStoredOrder[] = {FieldCALL, FieldRST, FieldQTH, FieldNAME, FieldM1, FieldM2};
const char* const kFieldKeys[] = {"CALL", "RST", "NAME", "QTH", "M1", "M2"};

void transferInit(Transfer& t, Settings& s) {
    for (ContactField f : kStoredOrder)
        t.cut(QString::fromLatin1(kFieldKeys[f]), s.init[f]);
    for (ContactField f : kStoredOrder) {
        int on = s.chk[f] == 1 ? 1 : 0;
        t.number(QStringLiteral("chk_") + QString::fromLatin1(kFieldKeys[f]), on);
        s.chk[f] = on == 1 ? 1 : 0;
    }
}

void transferCq(Transfer& t, Settings& s) {
    t.ranged(QStringLiteral("CQ_Sec"), s.CQ_Sec, 2, 60, 6);
    t.ranged(QStringLiteral("CQ_Sel"), s.CQ_Sel, 1, 16, 1);
    t.ranged(QStringLiteral("CQ_Limit"), s.CQ_Limit, 1, 50, 1);
    t.ranged(QStringLiteral("CQ_Progress"), s.CQ_Progress, 0, 3, 2);
}

/// The PTT line never shares a line with the KEY line.
void applyLineRule(Settings& s) {
    if (s.SIG == 3)
        s.SIG_STANDBY = 0;
    else if (s.SIG == 1 && s.SIG_STANDBY == 1)
        s.SIG_STANDBY = 2;
    else if (s.SIG == 2 && s.SIG_STANDBY == 2)
        s.SIG_STANDBY = 1;
}

void transferCom(Transfer& t, Settings& s) {
    t.ranged(QStringLiteral("COM"), s.COM, 1, 99, 1);
    t.ranged(QStringLiteral("SIG"), s.SIG, 0, 3, 0);
    t.ranged(QStringLiteral("chk_TONE"), s.chk_TONE, 0, 1, 1);
    t.ranged(QStringLiteral("chk_CLOSE"), s.chk_CLOSE, 0, 1, 0);
    t.ranged(QStringLiteral("DELAY"), s.DELAY, 0, 50, 0);
    t.ranged(QStringLiteral("SIG_STANDBY"), s.SIG_STANDBY, 0, 3, 0);
    if (t.loading())
        applyLineRule(s);
}

void transferContact(Transfer& t, Settings& s) {
    if (t.loading())
        s.his = s.init;
    for (ContactField f : kStoredOrder)
        t.cut(QString::fromLatin1(kFieldKeys[f]), s.his[f]);
}

void transferSendData(Transfer& t, Settings& s, int wpmFromBox) {
    for (int n = 0; n < 16; ++n)
        t.cut(twoDigits("TX", n + 1), s.TX[n]);
    t.cut(QStringLiteral("KEY_DATA"), s.KEY_DATA);
    t.ranged(QStringLiteral("9to"), s.to9, 0, 1, 0);
    t.ranged(QStringLiteral("KEY"), s.KEY, 0, 1, 0);
    if (t.loading()) {
        s.cqRunning = false;
    } else {
        int cq = s.cqRunning ? 1 : 0;
        t.number(QStringLiteral("CQ"), cq);
        s.WPM = wpmFromBox;
    }
    t.ranged(QStringLiteral("WPM"), s.WPM, 10, 50, 15);
    t.ranged(QStringLiteral("GoodMAE"), s.GoodMAE, 0, 2, 0);
    t.ranged(QStringLiteral("RATIO"), s.RATIO, 0, 9, 0);
    t.ranged(QStringLiteral("RATIO2"), s.RATIO2, 0, 9, 0);
}

void transferVoice(Transfer& t, Settings& s) {
    for (int n = 0; n < kVoiceRows; ++n)
        t.text(numbered("File", n + 1), s.File[n]);
    for (int n = 0; n < kVoiceRows; ++n)
        t.text(numbered("Cmnt", n + 1), s.Cmnt[n]);
    for (int n = 0; n < kVoiceRows; ++n)
        t.number(numbered("CQ", n + 1), s.CQ[n]);
    t.number(QStringLiteral("Boot"), s.Boot);
    for (int n = 0; n < kVoiceRows; ++n) {
        t.ranged(numbered("CutPre", n + 1), s.CutPre[n], 0, 20, 0);
        t.ranged(numbered("CutPost", n + 1), s.CutPost[n], 0, 20, 0);
    }
}

void transferLog(Transfer& t, Settings& s) {
    t.number(QStringLiteral("Logging"), s.Logging);
    t.number(QStringLiteral("Ansi"), s.Ansi);
}

void transferFocus(Transfer& t, Settings& s) {
    for (int entry = 0; entry < kFocusEntries; ++entry) {
        int stored = s.focusTarget[entry] + 1;
        t.number(twoDigits("", entry + 1), stored);
        if (t.loading())
            s.focusTarget[entry] = stored >= 1 && stored <= kFocusEntries ? stored - 1 : DefaultFocusTarget(entry);
    }
}

void transferHost(Transfer& t, Settings& s) {
    const std::pair<const char*, int*> before[] = {{"enable", &s.enable}, {"ipcheck", &s.ipcheck}};
    for (const auto& [key, value] : before)
        t.number(QString::fromLatin1(key), *value);
    t.text(QStringLiteral("ip"), s.ip);
    const std::pair<const char*, int*> flags[] = {
        {"port", &s.port},
        {"myport", &s.myport},
        {"Recv_ENABLEALL", &s.Recv_ENABLEALL},
        {"Recv_CALL", &s.Recv_CALL},
        {"Recv_CODE", &s.Recv_CODE},
        {"Recv_TIMEJ", &s.Recv_TIMEJ},
        {"Recv_TIMEU", &s.Recv_TIMEU},
        {"Recv_GL", &s.Recv_GL},
        {"Recv_NAME", &s.Recv_NAME},
        {"Recv_RST", &s.Recv_RST},
        {"Recv_MYRST", &s.Recv_MYRST},
        {"Recv_QTH", &s.Recv_QTH},
        {"Recv_RMK1", &s.Recv_RMK1},
        {"Recv_RMK2", &s.Recv_RMK2},
        {"Recv_FORE", &s.Recv_FORE},
        {"Recv_CLR", &s.Recv_CLR},
        {"Send_ENABLEALL", &s.Send_ENABLEALL},
        {"Send_CALL", &s.Send_CALL},
        {"Send_CODE", &s.Send_CODE},
        {"Send_TIMEJ", &s.Send_TIMEJ},
        {"Send_TIMEU", &s.Send_TIMEU},
        {"Send_GL", &s.Send_GL},
        {"Send_NAME", &s.Send_NAME},
        {"Send_RST", &s.Send_RST},
        {"Send_MYRST", &s.Send_MYRST},
        {"Send_QTH", &s.Send_QTH},
        {"Send_RMK1", &s.Send_RMK1},
        {"Send_RMK1b", &s.Send_RMK1b},
        {"Send_RMK2", &s.Send_RMK2},
        {"Recv_STRINGS", &s.Recv_STRINGS},
        {"Send_CLSYNC", &s.Send_CLSYNC},
        {"Send_SAVECL", &s.Send_SAVECL},
    };
    for (const auto& [key, value] : flags)
        t.number(QString::fromLatin1(key), *value);
}

void transferRemote(Transfer& t, Settings& s) {
    t.number(QStringLiteral("Remote_USE"), s.Remote_USE);
    t.number(QStringLiteral("Remote_HOST"), s.Remote_HOST);
    t.number(QStringLiteral("Remote_PORT"), s.Remote_PORT);
    t.text(QStringLiteral("Remote_IP"), s.Remote_IP);
}

void transferView(Transfer& t, Settings& s) {
    t.number(QStringLiteral("LOOP"), s.LOOP);
    t.number(QStringLiteral("HAMLOG"), s.HAMLOG);
    t.number(QStringLiteral("SELEXIT"), s.SELEXIT);
    t.number(QStringLiteral("SELECT"), s.SELECT);
}

void transferFreq(Transfer& t, Settings& s) {
    t.number(QStringLiteral("DIGITS"), s.DIGITS);
    t.number(QStringLiteral("STEP"), s.STEP);
    // The mode names are edited by hand in the file only; the program never writes them back.
    if (t.loading()) {
        for (int n = 0; n < kRigModes; ++n)
            t.text(twoDigits("Mode_", n + 1), s.Mode[n]);
    }
}

void transferPage(Transfer& t, Settings& s, int wpmFromBox) {
    const auto in = [&](const char* base) {
        t.section(PageSection(s, QString::fromLatin1(base)));
    };
    in("CONFIG\\INIT");
    transferInit(t, s);
    in("CONFIG\\CQ");
    transferCq(t, s);
    in("CONFIG\\COM");
    transferCom(t, s);
    in("HIS_DATA");
    transferContact(t, s);
    in("SEND_DATA");
    transferSendData(t, s, wpmFromBox);
    in("VOICE");
    transferVoice(t, s);
    in("LOG\\CW");
    transferLog(t, s);
    in("FOCUS");
    transferFocus(t, s);
    in("HOST");
    transferHost(t, s);
    in("REMOTE");
    transferRemote(t, s);
    in("VIEW");
    transferView(t, s);
    in("FREQ");
    transferFreq(t, s);
}

void transferContents(Transfer& t, Settings& s) {
    t.section(QStringLiteral("Contents"));
    t.number(QStringLiteral("Select"), s.Select);
    for (int n = 0; n < kDefaultPage; ++n)
        t.text(numbered("Title", n + 1), s.Title[n]);
    for (int n = 0; n < kDefaultPage; ++n)
        t.text(numbered("MYCALL", n + 1), s.MYCALL[n]);
    for (int n = 0; n < kDefaultPage; ++n)
        t.text(numbered("MYQTH", n + 1), s.MYQTH[n]);
}

void transferDesktop(Transfer& t, Settings& s) {
    t.section(QStringLiteral("Desktop"));
    t.ranged(QStringLiteral("Width"), s.desktopWidth, 0, kMostWindowSide, 0);
    t.ranged(QStringLiteral("Height"), s.desktopHeight, 0, kMostWindowSide, 0);
    t.ranged(QStringLiteral("Zoom"), s.desktopZoom, 50, 300, 100);
}

} // namespace

QString PageSection(const Settings& settings, const QString& base) {
    return QStringLiteral("%1\\%2").arg(settings.page).arg(base);
}

void LoadContents(Settings& settings, SettingsStore& store) {
    Transfer t(store, true);
    transferContents(t, settings);
}

void SaveContents(Settings& settings, SettingsStore& store) {
    Transfer t(store, false);
    transferContents(t, settings);
}

void LoadPageSettings(Settings& settings, SettingsStore& store) {
    Transfer t(store, true);
    transferPage(t, settings, settings.WPM);
}

void SavePageSettings(Settings& settings, SettingsStore& store, int wpmFromBox) {
    Transfer t(store, false);
    transferPage(t, settings, wpmFromBox);
}

void LoadDesktop(Settings& settings, SettingsStore& store) {
    Transfer t(store, true);
    transferDesktop(t, settings);
}

void SaveDesktop(Settings& settings, SettingsStore& store) {
    Transfer t(store, false);
    transferDesktop(t, settings);
}
