#include "QtPrinters.h"
#include "platform/RegistryFile.h"
#include "settings/PageSettings.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <vector>

// An exported settings file as an operator keeps it, with every key of a page set away from its default,
// read through the program's load path and written back by its save path. The key names and section paths
// here are spelt out independently of the program, so a misspelt key or section makes a value go missing.

namespace {

using Value = RegistryData::Value;
using Where = std::pair<QString, QString>; ///< key path, value name

const QString kApp = QStringLiteral("HKEY_CURRENT_USER\\software\\Zorvik\\Tarvo");
constexpr int kPage = 3;

enum class Kind {
    Kept,        ///< read, then written back as it is
    Cut,         ///< cut to its first 250 characters on reading
    ReadOnly,    ///< read, never written
    WrittenOnly, ///< written, never read
};

struct Row {
    QString path;
    QString key;
    Kind kind;
    std::function<Value(const Settings&)> member; ///< the member the key lands in, as the file holds it
};

class Table {
public:
    void contents() { m_path = kApp + QStringLiteral("\\Contents"); }
    void page(const char* base) { m_path = kApp + QStringLiteral("\\%1\\%2").arg(kPage).arg(QLatin1String(base)); }

    template <class Get> void number(const QString& key, Get get, Kind kind = Kind::Kept) {
        const auto member = [get](const Settings& s) {
            return Value(quint32(get(s)));
        };
        rows.push_back({m_path, key, kind, member});
    }
    template <class Get> void text(const QString& key, Get get, Kind kind = Kind::Kept) {
        const auto member = [get](const Settings& s) {
            return Value(QString(get(s)));
        };
        rows.push_back({m_path, key, kind, member});
    }
    void number(const QString& key, int Settings::*m) {
        number(key, [m](const Settings& s) { return s.*m; });
    }
    void text(const QString& key, QString Settings::*m) {
        text(key, [m](const Settings& s) { return s.*m; });
    }

    std::vector<Row> rows;

private:
    QString m_path;
};

QString numbered(const char* stem, int n) {
    return QLatin1String(stem) + QString::number(n);
}

QString twoDigits(const char* stem, int n) {
    return QLatin1String(stem) + QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

/// Every key of Contents and of one page, in the order they are read and written.
std::vector<Row> DocumentedKeys() {
    Table t;
    t.contents();
    t.number("Select", &Settings::Select);
    for (int n = 1; n <= 6; ++n)
        t.text(numbered("Title", n), [n](const Settings& s) { return s.Title[n - 1]; });
    for (int n = 1; n <= 6; ++n)
        t.text(numbered("MYCALL", n), [n](const Settings& s) { return s.MYCALL[n - 1]; });
    for (int n = 1; n <= 6; ++n)
        t.text(numbered("MYQTH", n), [n](const Settings& s) { return s.MYQTH[n - 1]; });

    const std::pair<const char*, ContactField> fields[] = {{"CALL", FieldCALL}, {"RST", FieldRST}, {"QTH", FieldQTH},
                                                           {"NAME", FieldNAME}, {"M1", FieldM1},   {"M2", FieldM2}};
    t.page("CONFIG\\INIT");
    for (const auto& [key, f] : fields)
        t.text(
            key, [f](const Settings& s) { return s.init[f]; }, Kind::Cut);
    for (const auto& [key, f] : fields)
        t.number(QStringLiteral("chk_") + key, [f](const Settings& s) { return s.chk[f]; });

    t.page("CONFIG\\CQ");
    t.number("CQ_Sec", &Settings::CQ_Sec);
    t.number("CQ_Sel", &Settings::CQ_Sel);
    t.number("CQ_Limit", &Settings::CQ_Limit);
    t.number("CQ_Progress", &Settings::CQ_Progress);

    t.page("CONFIG\\COM");
    t.number("COM", &Settings::COM);
    t.number("SIG", &Settings::SIG);
    t.number("chk_TONE", &Settings::chk_TONE);
    t.number("chk_CLOSE", &Settings::chk_CLOSE);
    t.number("DELAY", &Settings::DELAY);
    t.number("SIG_STANDBY", &Settings::SIG_STANDBY);

    t.page("HIS_DATA");
    for (const auto& [key, f] : fields)
        t.text(
            key, [f](const Settings& s) { return s.his[f]; }, Kind::Cut);

    t.page("SEND_DATA");
    for (int n = 1; n <= 16; ++n)
        t.text(
            twoDigits("TX", n), [n](const Settings& s) { return s.TX[n - 1]; }, Kind::Cut);
    t.text(
        "KEY_DATA", [](const Settings& s) { return s.KEY_DATA; }, Kind::Cut);
    t.number("9to", &Settings::to9);
    t.number("KEY", &Settings::KEY);
    t.number(
        "CQ", [](const Settings& s) { return s.cqRunning ? 1 : 0; }, Kind::WrittenOnly);
    t.number("WPM", &Settings::WPM);
    t.number("GoodMAE", &Settings::GoodMAE);
    t.number("RATIO", &Settings::RATIO);
    t.number("RATIO2", &Settings::RATIO2);

    t.page("VOICE");
    for (int n = 1; n <= 6; ++n)
        t.text(numbered("File", n), [n](const Settings& s) { return s.File[n - 1]; });
    for (int n = 1; n <= 6; ++n)
        t.text(numbered("Cmnt", n), [n](const Settings& s) { return s.Cmnt[n - 1]; });
    for (int n = 1; n <= 6; ++n)
        t.number(numbered("CQ", n), [n](const Settings& s) { return s.CQ[n - 1]; });
    t.number("Boot", &Settings::Boot);
    for (int n = 1; n <= 6; ++n) {
        t.number(numbered("CutPre", n), [n](const Settings& s) { return s.CutPre[n - 1]; });
        t.number(numbered("CutPost", n), [n](const Settings& s) { return s.CutPost[n - 1]; });
    }

    t.page("LOG\\CW");
    t.number("Logging", &Settings::Logging);
    t.number("Ansi", &Settings::Ansi);

    t.page("FOCUS");
    for (int n = 1; n <= 62; ++n)
        t.number(twoDigits("", n), [n](const Settings& s) { return s.focusTarget[n - 1] + 1; });

    t.page("HOST");
    t.number("enable", &Settings::enable);
    t.number("ipcheck", &Settings::ipcheck);
    t.text("ip", &Settings::ip);
    const std::pair<const char*, int Settings::*> host[] = {
        {"port", &Settings::port},
        {"myport", &Settings::myport},
        {"Recv_ENABLEALL", &Settings::Recv_ENABLEALL},
        {"Recv_CALL", &Settings::Recv_CALL},
        {"Recv_CODE", &Settings::Recv_CODE},
        {"Recv_TIMEJ", &Settings::Recv_TIMEJ},
        {"Recv_TIMEU", &Settings::Recv_TIMEU},
        {"Recv_GL", &Settings::Recv_GL},
        {"Recv_NAME", &Settings::Recv_NAME},
        {"Recv_RST", &Settings::Recv_RST},
        {"Recv_MYRST", &Settings::Recv_MYRST},
        {"Recv_QTH", &Settings::Recv_QTH},
        {"Recv_RMK1", &Settings::Recv_RMK1},
        {"Recv_RMK2", &Settings::Recv_RMK2},
        {"Recv_FORE", &Settings::Recv_FORE},
        {"Recv_CLR", &Settings::Recv_CLR},
        {"Send_ENABLEALL", &Settings::Send_ENABLEALL},
        {"Send_CALL", &Settings::Send_CALL},
        {"Send_CODE", &Settings::Send_CODE},
        {"Send_TIMEJ", &Settings::Send_TIMEJ},
        {"Send_TIMEU", &Settings::Send_TIMEU},
        {"Send_GL", &Settings::Send_GL},
        {"Send_NAME", &Settings::Send_NAME},
        {"Send_RST", &Settings::Send_RST},
        {"Send_MYRST", &Settings::Send_MYRST},
        {"Send_QTH", &Settings::Send_QTH},
        {"Send_RMK1", &Settings::Send_RMK1},
        {"Send_RMK1b", &Settings::Send_RMK1b},
        {"Send_RMK2", &Settings::Send_RMK2},
        {"Recv_STRINGS", &Settings::Recv_STRINGS},
        {"Send_CLSYNC", &Settings::Send_CLSYNC},
        {"Send_SAVECL", &Settings::Send_SAVECL},
    };
    for (const auto& [key, m] : host)
        t.number(key, m);

    t.page("REMOTE");
    t.number("Remote_USE", &Settings::Remote_USE);
    t.number("Remote_HOST", &Settings::Remote_HOST);
    t.number("Remote_PORT", &Settings::Remote_PORT);
    t.text("Remote_IP", &Settings::Remote_IP);

    t.page("VIEW");
    t.number("LOOP", &Settings::LOOP);
    t.number("HAMLOG", &Settings::HAMLOG);
    t.number("SELEXIT", &Settings::SELEXIT);
    t.number("SELECT", &Settings::SELECT);

    t.page("FREQ");
    t.number("DIGITS", &Settings::DIGITS);
    t.number("STEP", &Settings::STEP);
    for (int n = 1; n <= 18; ++n)
        t.text(
            twoDigits("Mode_", n), [n](const Settings& s) { return s.Mode[n - 1]; }, Kind::ReadOnly);
    return t.rows;
}

/// Every value of the store under its exact spelling; the store itself ignores case.
std::map<Where, Value> ExactValues(const RegistryData& data) {
    std::map<Where, Value> values;
    for (const auto& key : data.keys()) {
        for (const auto& entry : key.entries)
            values.emplace(Where{key.path, entry.name}, entry.value);
    }
    return values;
}

/// What the settings hold after loading a row whose stored value is `stored`.
Value Loaded(const Row& row, const Value& stored) {
    if (row.kind == Kind::Cut)
        return std::get<QString>(stored).left(kTextLimit);
    if (row.kind == Kind::WrittenOnly)
        return quint32(0); // automatic CQ is off after every start
    return stored;
}

std::string Describe(const Row& row) {
    return (row.path + QStringLiteral(" : ") + row.key).toStdString();
}

class OperatorFile : public ::testing::Test {
protected:
    void SetUp() override {
        file.load();
        ASSERT_TRUE(QFile::exists(file.path())) << file.path().toStdString();
        ASSERT_FALSE(file.hadBadLines());
        stored = ExactValues(file.data());

        SettingsStore store(file.data());
        loaded.cqRunning = true;
        LoadContents(loaded, store);
        ASSERT_EQ(loaded.Select, kPage);
        loaded.page = loaded.Select;
        LoadPageSettings(loaded, store);
    }

    RegistryFileStore file{QStringLiteral(TARVO_OPERATOR_FILE)};
    std::map<Where, Value> stored;
    Settings loaded;
    const std::vector<Row> rows = DocumentedKeys();
};

TEST_F(OperatorFile, EveryKeyLandsInItsMember) {
    const Settings defaults;
    std::set<Where> documented;
    for (const Row& row : rows) {
        documented.insert({row.path, row.key});
        const auto it = stored.find({row.path, row.key});
        ASSERT_NE(it, stored.end()) << "the file lacks " << Describe(row);
        const Value expected = Loaded(row, it->second);
        if (row.kind != Kind::WrittenOnly) {
            EXPECT_NE(row.member(defaults), expected) << Describe(row) << " must differ from its default";
        }
        EXPECT_EQ(row.member(loaded), expected) << Describe(row);
    }
    // Nothing in the loaded sections goes unchecked.
    const QString pagePrefix = kApp + QStringLiteral("\\%1\\").arg(kPage);
    for (const auto& [where, value] : stored) {
        if (where.first.startsWith(pagePrefix) || where.first == kApp + QStringLiteral("\\Contents")) {
            EXPECT_TRUE(documented.count(where)) << (where.first + " : " + where.second).toStdString();
        }
    }
}

TEST_F(OperatorFile, SavingWritesTheSameKeysUnderTheSamePaths) {
    QTemporaryDir dir;
    RegistryFileStore saved(dir.filePath(QStringLiteral("Tarvo.reg")));
    SettingsStore store(saved.data());
    SaveContents(loaded, store);
    SavePageSettings(loaded, store, loaded.WPM);
    ASSERT_TRUE(saved.save());

    QFile text(saved.path());
    ASSERT_TRUE(text.open(QIODevice::ReadOnly));
    const auto parsed = RegistryFile::parse(text.readAll());
    ASSERT_TRUE(parsed.badLines.isEmpty());

    std::vector<std::pair<QString, std::vector<QString>>> expectedOrder;
    std::map<Where, Value> expected;
    for (const Row& row : rows) {
        if (row.kind == Kind::ReadOnly)
            continue;
        if (expectedOrder.empty() || expectedOrder.back().first != row.path)
            expectedOrder.push_back({row.path, {}});
        expectedOrder.back().second.push_back(row.key);
        expected.emplace(Where{row.path, row.key}, Loaded(row, stored.at({row.path, row.key})));
    }
    std::vector<std::pair<QString, std::vector<QString>>> writtenOrder;
    for (const auto& key : parsed.data.keys()) {
        if (key.entries.isEmpty())
            continue;
        writtenOrder.push_back({key.path, {}});
        for (const auto& entry : key.entries)
            writtenOrder.back().second.push_back(entry.name);
    }
    EXPECT_EQ(writtenOrder, expectedOrder);
    EXPECT_EQ(ExactValues(parsed.data), expected);
}

// Values outside their ranges, as a hand edit leaves them; dwords read as signed numbers. Each member starts
// in range and away from its fallback, so a value that is not read at all cannot pass for one replaced.
TEST(OperatorFileRanges, OutOfRangeValuesTakeTheirFallback) {
    struct Case {
        const char* base;
        const char* key;
        const char* dword;
        std::function<int&(Settings&)> member;
        int before;
        int expected;
    };
    const Settings defaults;
    const Case cases[] = {
        {"CONFIG\\CQ", "CQ_Sec", "00000001", [](Settings& s) -> int& { return s.CQ_Sec; }, 30, 6},
        {"CONFIG\\CQ", "CQ_Sel", "00000000", [](Settings& s) -> int& { return s.CQ_Sel; }, 5, 1},
        {"CONFIG\\CQ", "CQ_Limit", "00000033", [](Settings& s) -> int& { return s.CQ_Limit; }, 20, 1},
        {"CONFIG\\CQ", "CQ_Progress", "ffffffff", [](Settings& s) -> int& { return s.CQ_Progress; }, 0, 2},
        {"CONFIG\\COM", "COM", "00000000", [](Settings& s) -> int& { return s.COM; }, 9, 1},
        {"CONFIG\\COM", "SIG", "00000004", [](Settings& s) -> int& { return s.SIG; }, 2, 0},
        {"CONFIG\\COM", "chk_CLOSE", "00000002", [](Settings& s) -> int& { return s.chk_CLOSE; }, 1, 0},
        {"CONFIG\\COM", "SIG_STANDBY", "ffffffff", [](Settings& s) -> int& { return s.SIG_STANDBY; }, 2, 0},
        {"SEND_DATA", "KEY", "00000002", [](Settings& s) -> int& { return s.KEY; }, 1, 0},
        {"SEND_DATA", "WPM", "ffffffff", [](Settings& s) -> int& { return s.WPM; }, 30, 15},
        {"SEND_DATA", "GoodMAE", "ffffffff", [](Settings& s) -> int& { return s.GoodMAE; }, 1, 0},
        {"SEND_DATA", "RATIO", "0000000a", [](Settings& s) -> int& { return s.RATIO; }, 5, 0},
        {"VOICE", "CutPost1", "00000015", [](Settings& s) -> int& { return s.CutPost[0]; }, 7, 0},
        {"VOICE", "CutPre6", "ffffffff", [](Settings& s) -> int& { return s.CutPre[5]; }, 7, 0},
        {"FOCUS", "01", "ffffffff", [](Settings& s) -> int& { return s.focusTarget[0]; }, 10, defaults.focusTarget[0]},
        {"FOCUS", "62", "0000003f", [](Settings& s) -> int& { return s.focusTarget[61]; }, 30,
         defaults.focusTarget[61]},
    };
    QString text = QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n");
    for (const Case& c : cases)
        text +=
            QStringLiteral("[%1\\%2\\%3]\r\n\"%4\"=dword:%5\r\n\r\n").arg(kApp).arg(kPage).arg(c.base, c.key, c.dword);
    auto parsed = RegistryFile::parse(text.toUtf8());
    ASSERT_TRUE(parsed.badLines.isEmpty());
    SettingsStore store(parsed.data);
    Settings s;
    s.page = kPage;
    for (const Case& c : cases)
        c.member(s) = c.before;
    LoadPageSettings(s, store);
    for (const Case& c : cases)
        EXPECT_EQ(c.member(s), c.expected) << c.base << " : " << c.key << " = " << c.dword;
}

} // namespace
