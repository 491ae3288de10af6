#include "templates/TemplateTokens.h"
#include "QtPrinters.h"
#include "templates/TokenTable.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Case {
    const char* name;
    QString text;
    std::function<void(Settings&)> setUp;
    std::optional<QString> expanded; ///< nothing: refused
    TokenSpan span;                  ///< the span after expanding
};

void contact(Settings& s) {
    s.his[FieldCALL] = QStringLiteral("TRV1ABC");
    s.his[FieldRST] = QStringLiteral("599");
    s.currentMYCALL = QStringLiteral("TRV/PC");
    s.currentMYQTH = QStringLiteral("QTH0000");
}

void emptyCall(Settings& s) {
    s.his[FieldCALL].clear();
}

class ExpandTable : public ::testing::TestWithParam<Case> {};

TEST_P(ExpandTable, ExpandsOrRefuses) {
    const Case& c = GetParam();
    Settings s;
    contact(s);
    if (c.setUp)
        c.setUp(s);
    TemplateTokens tokens(s);
    TokenSpan span{-1, -1};
    const auto out = tokens.ExpandTemplate(c.text, span);
    EXPECT_EQ(out, c.expanded);
    EXPECT_EQ(span.start, c.span.start);
    EXPECT_EQ(span.end, c.span.end);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExpandTable,
    ::testing::Values(
        Case{"refused_required_call", "{*CALL} {GMAE} UR {*RST} BK", emptyCall, std::nullopt, {0, 7}},
        Case{"full_report", "{*CALL} {GMAE} UR {*RST} BK", nullptr, "TRV1ABC GM UR 599 BK", {18, 24}},
        Case{"empty_plain_drops_one_space",
             "CQ CQ DE {MYCALL} {MYQTH} PSE K",
             [](Settings& s) { s.currentMYQTH.clear(); },
             "CQ CQ DE TRV/PC PSE K",
             {18, 25}},
        Case{"empty_plain_before_question", "{CALL}?", emptyCall, "?", {0, 6}},
        Case{"lower_case_is_no_token", "{call} K", nullptr, "{call} K", {0, -1}},
        Case{"brace_before_token", "{{CALL}", nullptr, "{TRV1ABC", {1, 7}},
        Case{"inserted_message_not_expanded", "{TX05}", nullptr, "{CALL}?", {0, 6}},
        Case{"greeting_evening", "{GMAE} {*GMAE}", [](Settings& s) { s.GoodMAE = 2; }, "GE GE", {7, -1}},
        Case{"greeting_afternoon", "{GMAE}", [](Settings& s) { s.GoodMAE = 1; }, "GA", {0, -1}},
        Case{"three_stars_empty_is_skipped",
             "{***NAME} TU",
             [](Settings& s) { s.his[FieldNAME].clear(); },
             "TU",
             {0, 9}},
        Case{"two_stars_empty_is_refused",
             "TU {**NAME}",
             [](Settings& s) { s.his[FieldNAME].clear(); },
             std::nullopt,
             {3, 11}},
        Case{"two_stars_with_value", "{**CALL} {***RST}", nullptr, "TRV1ABC 599", {9, 17}},
        Case{"required_mycall_empty",
             "DE {*MYCALL} K",
             [](Settings& s) { s.currentMYCALL.clear(); },
             std::nullopt,
             {3, 12}},
        Case{"required_message_empty", "{*TX16}", [](Settings& s) { s.TX[15].clear(); }, std::nullopt, {0, 7}},
        Case{"blank_inside_is_no_token", "{ CALL} K", nullptr, "{ CALL} K", {0, -1}},
        Case{"unclosed_token", "CQ {CALL", nullptr, "CQ {CALL", {3, -1}},
        Case{"no_tokens", "73 TU EE", nullptr, "73 TU EE", {-1, -1}},
        Case{"only_empty_plain_tokens",
             "{CALL} {NAME}",
             [](Settings& s) {
                 s.his[FieldCALL].clear();
                 s.his[FieldNAME].clear();
             },
             "",
             {7, 13}},
        Case{"space_dropped_only_once", "{CALL}  K", emptyCall, " K", {0, 6}},
        Case{"empty_template", "", nullptr, "", {-1, -1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TokenTable, MatchesEveryFormOfEveryRow) {
    for (int row = 0; row < kTokenRows; ++row) {
        for (int stars = 0; stars < (row < kContactFields ? 4 : 2); ++stars) {
            const QString token = TokenText(row, stars);
            const auto match = MatchToken(QStringLiteral("x") + token + QStringLiteral(" K"), 1);
            ASSERT_TRUE(match) << token.toStdString();
            EXPECT_EQ(match->row, row);
            EXPECT_EQ(match->stars, stars);
            EXPECT_EQ(match->length, token.size());
        }
    }
    EXPECT_FALSE(MatchToken(QStringLiteral("{**MYCALL}"), 0));
    EXPECT_FALSE(MatchToken(QStringLiteral("{TX17}"), 0));
    EXPECT_FALSE(MatchToken(QStringLiteral("{****CALL}"), 0));
}

TEST(PrePick, FieldsWithTwoOrThreeStarTokensInPickOrder) {
    EXPECT_EQ(FieldsToPrePick(QStringLiteral("{**RST} {***CALL} {**M2} {*NAME} {QTH}")),
              (QList<ContactField>{FieldCALL, FieldM2, FieldRST}));
    EXPECT_TRUE(FieldsToPrePick(QStringLiteral("{*CALL} {GMAE}")).isEmpty());
}

} // namespace
