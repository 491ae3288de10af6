#include "peer/ReadableDatagram.h"
#include "QtPrinters.h"

#include <QList>

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(ReadableDatagram, ShowsTextWithItsControlCharactersEscaped) {
    const QList<std::tuple<QByteArray, QString>> cases = {
        {"CALL Q1ABC\r", R"("CALL Q1ABC\r")"},
        {"GET03 \r", R"("GET03 \r")"},
        {"LOGDT \nQ1ABC\n\r", R"("LOGDT \nQ1ABC\n\r")"},
        {"A\tB", R"("A\tB")"},
        {R"(say "hi" \o/)", R"("say \"hi\" \\o/")"},
        {QByteArray("A\0B\x01\x1f\x7f", 6), R"("A\x00B\x01\x1F\x7F")"},
        {"", R"("")"},
        {QStringLiteral("NAME Ünal 日本\r").toUtf8(), QStringLiteral("\"NAME Ünal 日本\\r\"")},
        {QStringLiteral("A\u0085B").toUtf8(), R"("A\u0085B")"},
    };
    for (const auto& [datagram, shown] : cases)
        EXPECT_EQ(ReadableDatagram(datagram), shown);
}

TEST(ReadableDatagram, BytesThatAreNoTextShowAsBytes) {
    EXPECT_EQ(ReadableDatagram("NAME \xC3\r"), R"("NAME \xC3\r")");
    EXPECT_EQ(ReadableDatagram("\xFF\xFE"
                               "A\"\n"),
              R"("\xFF\xFEA\"\n")");
    // Valid characters elsewhere in such a datagram show as their bytes too.
    EXPECT_EQ(ReadableDatagram(QStringLiteral("Ü").toUtf8() + "\xFF"), R"("\xC3\x9C\xFF")");
}

} // namespace
