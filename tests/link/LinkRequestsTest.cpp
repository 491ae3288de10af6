#include "link/LinkRequests.h"
#include "QtPrinters.h"
#include "link/LinkText.h"
#include "link/ValPayloads.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {

TEST(LinkRequests, CommandsAreTheirKeywordABlankAndACarriageReturn) {
    const QList<std::tuple<LinkCommand, QByteArray>> cases = {
        {LinkCommand::TIMEJ, "TIMEJ \r"}, {LinkCommand::TIMEU, "TIMEU \r"}, {LinkCommand::RCVCW, "RCVCW \r"},
        {LinkCommand::CLR, "CLR \r"},     {LinkCommand::SAVE, "SAVE \r"},   {LinkCommand::SPEC, "SPEC \r"},
        {LinkCommand::FREQ, "FREQ \r"},
    };
    for (const auto& [command, bytes] : cases)
        EXPECT_EQ(CommandMessage(command), bytes);
}

TEST(LinkRequests, GetAsksForStringsOneToThirteen) {
    const QList<std::tuple<int, QByteArray>> cases = {
        {0, "GET01 \r"},  {1, "GET01 \r"},  {2, "GET02 \r"},  {9, "GET09 \r"},   {10, "GET10 \r"},
        {13, "GET13 \r"}, {14, "GET01 \r"}, {-3, "GET01 \r"}, {100, "GET01 \r"},
    };
    for (const auto& [string, bytes] : cases) {
        SCOPED_TRACE(string);
        EXPECT_EQ(GetStringMessage(string), bytes);
    }
}

TEST(LinkRequests, FsetCarriesTwelveCharactersOfFrequencyAndTheMode) {
    const QList<std::tuple<QString, QString, QByteArray>> cases = {
        {"7.02500", "CW", "FSET 7.02500      CW\r"},
        {"14.025000000", "CW-R", "FSET 14.025000000 CW-R\r"},
        {"1234567890123456", "USB", "FSET 123456789012 USB\r"},
        {"", "", "FSET              \r"},
    };
    for (const auto& [frequency, mode, bytes] : cases)
        EXPECT_EQ(FsetMessage(frequency, mode), bytes);
}

TEST(LinkRequests, ValPayloadsHaveTheirFormats) {
    const QList<std::tuple<QString, QString>> cases = {
        {ValChoicePayload(3, 2), "0003 0002"},      {ValChoicePayload(12, 0), "0012 0000"},
        {ValChoicePayload(12345, 1), "12345 0001"}, {ValTextPayload(7, "  TRV1ABC  "), "0007 TRV1ABC"},
        {ValTextPayload(7, "A B"), "0007 A B"},     {ValTextPayload(7, "   "), "0007 "},
        {ValTextPayload(0, ""), "0000 "},
    };
    for (const auto& [payload, expected] : cases)
        EXPECT_EQ(payload, expected);
    EXPECT_EQ(ValMessage(ValChoicePayload(3, 2)), "VAL 0003 0002\r");
}

TEST(LinkRequests, RcvCwKeysSendTheirItems) {
    const QList<std::tuple<QChar, int, std::optional<QString>>> cases = {
        {u'A', 1, "0026 0000"}, {u'A', 13, "0038 0000"}, {u'W', 3, "0028 0001"},
        {u'C', 1, "0055 0001"}, {u'C', 13, "0067 0001"}, {u'S', 5, "0015 0001"},
        {u'R', 5, "0016 0001"}, {u'a', 1, std::nullopt}, {u'X', 1, std::nullopt},
    };
    for (const auto& [key, selected, payload] : cases) {
        SCOPED_TRACE(QString(key).toStdString() + std::to_string(selected));
        EXPECT_EQ(RcvCwKeyPayload(key, selected), payload);
    }
}

TEST(LinkRequests, EachFieldGoesUnderItsKeywordWhileItsOptionIsOn) {
    struct Case {
        ContactField field;
        std::function<void(Settings&)> setUp;
        std::optional<QByteArray> bytes;
    };
    const auto off = [](int Settings::*flag) {
        return [flag](Settings& s) {
            s.*flag = 0;
        };
    };
    const QList<Case> cases = {
        {FieldCALL, nullptr, "CALL X1\r"},
        {FieldRST, nullptr, "RST X1\r"},
        {FieldNAME, nullptr, "NAME X1\r"},
        {FieldQTH, nullptr, "QTH X1\r"},
        {FieldM2, nullptr, "MYRST X1\r"},
        {FieldM1, nullptr, "CODE X1\r"}, // M1 b is the default choice
        {FieldM1, [](Settings& s) { s.Send_RMK1 = 1; }, "RMK1 X1\r"},
        {FieldM1,
         [](Settings& s) {
             s.Send_RMK1 = 1;
             s.Send_RMK1b = 0;
         },
         "RMK1 X1\r"},
        {FieldM1, off(&Settings::Send_RMK1b), std::nullopt},
        {FieldCALL, off(&Settings::Send_CALL), std::nullopt},
        {FieldRST, off(&Settings::Send_RST), std::nullopt},
        {FieldNAME, off(&Settings::Send_NAME), std::nullopt},
        {FieldQTH, off(&Settings::Send_QTH), std::nullopt},
        {FieldM2, off(&Settings::Send_MYRST), std::nullopt},
        // Stored but gating nothing.
        {FieldM1, off(&Settings::Send_CODE), "CODE X1\r"},
        {FieldM2, off(&Settings::Send_RMK2), "MYRST X1\r"},
        {ContactField(kContactFields), nullptr, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.value_or("none").toStdString());
        Settings s;
        if (c.setUp)
            c.setUp(s);
        EXPECT_EQ(FieldMessage(c.field, QStringLiteral("X1"), s), c.bytes);
    }
}

TEST(LinkRequests, FieldTextsTravelInTheLinkEncoding) {
    EXPECT_EQ(FieldMessage(FieldNAME, QStringLiteral("J\u00F6rg \u65E5"), Settings()),
              QByteArray("NAME J\xC3\xB6rg \xE6\x97\xA5\r"));
    EXPECT_EQ(FieldMessage(FieldCALL, QString(), Settings()), QByteArray("CALL \r"));
}

TEST(LinkRequests, LongTextsAreCutSoTheRequestFitsItsBuffer) {
    const QByteArray ascii = *FieldMessage(FieldCALL, QString(300, u'A'), Settings());
    EXPECT_EQ(ascii, "CALL " + QByteArray(kFieldReadLimit, 'A') + "\r");

    // Three bytes a character: the byte limit cuts before the character limit does.
    const QByteArray wide = *FieldMessage(FieldM2, QString(250, QChar(0x65E5)), Settings());
    EXPECT_EQ(wide.size(), 6 + 264 + 1);
    EXPECT_TRUE(wide.endsWith('\r'));
    EXPECT_EQ(FromLinkBytes(wide.mid(6).chopped(1)), QString(88, QChar(0x65E5)));

    const QByteArray val = ValMessage(ValTextPayload(1, QString(400, u'V')));
    EXPECT_EQ(val.size(), kRequestLimit);
    EXPECT_EQ(val, "VAL 0001 " + QByteArray(kRequestLimit - 10, 'V') + "\r");
    EXPECT_EQ(FsetMessage("7.0", QString(400, u'M')).size(), kRequestLimit);
}

struct SaveCase {
    const char* name;
    std::function<void(Settings&)> setUp;
    QList<QByteArray> requests;
};

TEST(LinkRequests, SaveSendsTheChangedFieldsInItsOrderThenSave) {
    const QList<SaveCase> cases = {
        {"every field still initial", nullptr, {"SAVE \r"}},
        {"every field changed",
         [](Settings& s) { s.his = {"C1", "R1", "N1", "Q1", "M1X", "M2X"}; },
         {"CALL C1\r", "MYRST M2X\r", "CODE M1X\r", "NAME N1\r", "QTH Q1\r", "RST R1\r", "SAVE \r"}},
        {"initial value without its flag is sent",
         [](Settings& s) { s.chk.fill(0); },
         {"CALL \r", "MYRST 5NN\r", "CODE JCC\r", "NAME OM\r", "QTH \r", "RST 5NN\r", "SAVE \r"}},
        {"a flag other than 1 is off", [](Settings& s) { s.chk[FieldNAME] = 2; }, {"NAME OM\r", "SAVE \r"}},
        {"options off skip their fields",
         [](Settings& s) {
             s.his = {"C1", "R1", "N1", "Q1", "M1X", "M2X"};
             s.Send_CALL = s.Send_QTH = s.Send_RMK1b = 0;
         },
         {"MYRST M2X\r", "NAME N1\r", "RST R1\r", "SAVE \r"}},
        {"M1 as RMK1",
         [](Settings& s) {
             s.his[FieldM1] = "M1X";
             s.Send_RMK1 = 1;
         },
         {"RMK1 M1X\r", "SAVE \r"}},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.name);
        Settings s;
        if (c.setUp)
            c.setUp(s);
        EXPECT_EQ(SaveRequests(s), c.requests);
    }
}

TEST(LinkRequests, ClearSavesFirstWhenItsOptionIsOn) {
    Settings s;
    s.his[FieldCALL] = QStringLiteral("TRV1ABC");
    EXPECT_EQ(ClearRequests(s), (QList<QByteArray>{"CALL TRV1ABC\r", "SAVE \r", "CLR \r"}));
    s.Send_SAVECL = 0;
    EXPECT_EQ(ClearRequests(s), (QList<QByteArray>{"CLR \r"}));
}

} // namespace
