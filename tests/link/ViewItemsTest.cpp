#include "link/ViewItems.h"
#include "QtPrinters.h"

#include "link/CompanionMessage.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

namespace {

QString Column(const QString& text, qsizetype width) {
    return text.leftJustified(width, QLatin1Char(' '), true);
}

/// A record as the companion writes it; the four unread columns hold something to be skipped.
QString Record(const QString& name, const QString& value, QChar type, const QString& minimum = QString(),
               const QString& maximum = QString(), const QString& scale = QString()) {
    const QString record = Column(name, 16) + Column(value, 4) + QStringLiteral("9999") + type + Column(minimum, 4) +
                           Column(maximum, 4) + Column(scale, 4);
    EXPECT_EQ(record.size(), kSpecRecordLength);
    return record;
}

ViewItem Item(int minimum, int maximum, int scale, const QString& value) {
    ViewItem item;
    item.type = ViewItem::List;
    item.minimum = minimum;
    item.maximum = maximum;
    item.scale = scale;
    item.value = value;
    return item;
}

void ExpectItem(const ViewItem& item, const ViewItem& expected) {
    EXPECT_EQ(item.name, expected.name);
    EXPECT_EQ(item.value, expected.value);
    EXPECT_EQ(item.type, expected.type);
    EXPECT_EQ(item.minimum, expected.minimum);
    EXPECT_EQ(item.maximum, expected.maximum);
    EXPECT_EQ(item.scale, expected.scale);
}

TEST(ViewItems, EveryTypeIsReadWithItsColumns) {
    const QList<std::tuple<QString, ViewItem>> cases = {
        {Record("Clear decoders", "0", '0'), {"Clear decoders  ", "0   ", ViewItem::Action, 0, 0, 0}},
        {Record("AFC", "1", '1', "0", "1"), {"AFC             ", "1   ", ViewItem::OnOff, 0, 1, 0}},
        {Record("Squelch", "15", '2', "0", "50", "1"), {"Squelch         ", "15  ", ViewItem::List, 0, 50, 1}},
        {Record("Filter width Hz", "200", '2', "50", "500", "500"),
         {"Filter width Hz ", "200 ", ViewItem::List, 50, 500, 500}},
        {Record("Prefix", "Q1", '3', "", "4"), {"Prefix          ", "Q1  ", ViewItem::Text, 0, 4, 0}},
        // A name of sixteen characters runs into the value without a blank.
        {Record("Sixteen letters!", "7", '1'), {"Sixteen letters!", "7   ", ViewItem::OnOff, 0, 0, 0}},
    };
    for (const auto& [record, expected] : cases) {
        SCOPED_TRACE(record.toStdString());
        ExpectItem(ParseViewItem(record), expected);
    }
}

TEST(ViewItems, ATypeOtherThanZeroToThreeIsUnknown) {
    for (const QChar type : {QChar('4'), QChar('9'), QChar(' '), QChar('A'), QChar('/')}) {
        SCOPED_TRACE(QString(type).toStdString());
        EXPECT_EQ(ParseViewItem(Record("Odd", "1", type, "1", "2", "3")).type, ViewItem::Unknown);
    }
}

TEST(ViewItems, EachNumberIsReadFromItsOwnFourColumns) {
    const QList<std::tuple<QString, QString, QString, int, int, int>> cases = {
        {"1234", "5678", "9012", 1234, 5678, 9012}, // full columns do not run into each other
        {"  12", " 3  ", "   7", 12, 3, 7},         // blanks before the digits are skipped
        {"12ab", "x1  ", "    ", 12, 0, 0},         // digits end at anything else; none reads 0
        {"-5  ", "+20 ", "-   ", -5, 20, 0},
    };
    for (const auto& [minimum, maximum, scale, min, max, sc] : cases) {
        SCOPED_TRACE((minimum + '|' + maximum + '|' + scale).toStdString());
        const ViewItem item = ParseViewItem(Record("List", "1", '2', minimum, maximum, scale));
        EXPECT_EQ(item.minimum, min);
        EXPECT_EQ(item.maximum, max);
        EXPECT_EQ(item.scale, sc);
    }
}

TEST(ViewItems, SeventyFourCharactersAreTwoItems) {
    const QString first = Record("AFC", "1", '1', "0", "1");
    const QString second = Record("Squelch", "15", '2', "0", "50", "1");
    for (const QString& tail : {QString(), QStringLiteral("Partial rec")}) {
        SCOPED_TRACE(tail.toStdString());
        const QStringList records = SpecRecords(first + second + tail);
        ASSERT_EQ(records.size(), 2);
        ExpectItem(ParseViewItem(records[0]), {"AFC             ", "1   ", ViewItem::OnOff, 0, 1, 0});
        ExpectItem(ParseViewItem(records[1]), {"Squelch         ", "15  ", ViewItem::List, 0, 50, 1});
    }
}

TEST(ViewItems, AShortRecordReadsOnlyWhatItHas) {
    const QString whole = Record("Filter width Hz", "200", '2', "1234", "5678", "9012");
    const QList<std::tuple<qsizetype, ViewItem>> cases = {
        {0, {"", "", ViewItem::Unknown, 0, 0, 0}},
        {5, {"Filte", "", ViewItem::Unknown, 0, 0, 0}},
        {16, {"Filter width Hz ", "", ViewItem::Unknown, 0, 0, 0}},
        {18, {"Filter width Hz ", "20", ViewItem::Unknown, 0, 0, 0}},
        {24, {"Filter width Hz ", "200 ", ViewItem::Unknown, 0, 0, 0}},
        {25, {"Filter width Hz ", "200 ", ViewItem::List, 0, 0, 0}},
        {27, {"Filter width Hz ", "200 ", ViewItem::List, 12, 0, 0}},
        {31, {"Filter width Hz ", "200 ", ViewItem::List, 1234, 56, 0}},
        {36, {"Filter width Hz ", "200 ", ViewItem::List, 1234, 5678, 901}},
    };
    for (const auto& [length, expected] : cases) {
        SCOPED_TRACE(length);
        ExpectItem(ParseViewItem(whole.left(length)), expected);
    }
}

struct ListCase {
    const char* what;
    ViewItem item;
    QStringList entries;
    QList<int> values;
    int selected;
};

TEST(ViewItems, ValueListsRunFromMinimumToMaximum) {
    const QList<ListCase> cases = {
        {"tenths",
         Item(0, 15, 1, "12  "),
         {"0.0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1.0", "1.1", "1.2", "1.3", "1.4",
          "1.5"},
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
         12},
        {"tenths above ten", Item(98, 101, 1, "101 "), {"9.8", "9.9", "10.0", "10.1"}, {98, 99, 100, 101}, 3},
        {"negative tenths",
         Item(-12, 1, 1, "-10 "),
         {"-1.2", "-1.1", "-1.0", "-0.9", "-0.8", "-0.7", "-0.6", "-0.5", "-0.4", "-0.3", "-0.2", "-0.1", "0.0", "0.1"},
         {-12, -11, -10, -9, -8, -7, -6, -5, -4, -3, -2, -1, 0, 1},
         2},
        {"steps of fifty",
         Item(50, 500, 500, "200 "),
         {"50", "100", "150", "200", "250", "300", "350", "400", "450", "500"},
         {50, 100, 150, 200, 250, 300, 350, 400, 450, 500},
         3},
        {"steps of two", Item(1, 9, 20, "1"), {"1", "3", "5", "7", "9"}, {1, 3, 5, 7, 9}, 0},
        {"a step past the maximum", Item(0, 25, 100, "20"), {"0", "10", "20"}, {0, 10, 20}, 2},
        {"scale 0", Item(3, 6, 0, "6   "), {"3", "4", "5", "6"}, {3, 4, 5, 6}, 3},
        {"scale 5", Item(3, 5, 5, "4"), {"3", "4", "5"}, {3, 4, 5}, 1},
        {"scale below 0", Item(3, 5, -20, "4"), {"3", "4", "5"}, {3, 4, 5}, 1},
        {"a value not in the list",
         Item(50, 500, 500, "205 "),
         {"50", "100", "150", "200", "250", "300", "350", "400", "450", "500"},
         {50, 100, 150, 200, 250, 300, 350, 400, 450, 500},
         -1},
        {"a single entry", Item(7, 7, 10, "7"), {"7"}, {7}, 0},
        {"minimum above maximum", Item(10, 9, 10, "10"), {}, {}, -1},
        {"up to the largest int",
         Item(INT_MAX - 1, INT_MAX, 0, "0"),
         {"2147483646", "2147483647"},
         {INT_MAX - 1, INT_MAX},
         -1},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.what);
        const ValueList list = ValueListOf(c.item);
        EXPECT_EQ(list.entries, c.entries);
        EXPECT_EQ(list.values, c.values);
        EXPECT_EQ(list.selected, c.selected);
    }
}

TEST(ViewItems, AnEnormousListIsCut) {
    const ValueList list = ValueListOf(Item(INT_MIN, INT_MAX, 0, "5"));
    ASSERT_EQ(list.entries.size(), 10000);
    ASSERT_EQ(list.values.size(), 10000);
    EXPECT_EQ(list.values.first(), INT_MIN);
    EXPECT_EQ(list.values.last(), INT_MIN + 9999);
    EXPECT_EQ(list.selected, -1);
}

TEST(ViewItems, AnItemReadFromItsRecordListsItsValues) {
    const ValueList list = ValueListOf(ParseViewItem(Record("Squelch", "15", '2', "10", "20", "1")));
    EXPECT_EQ(list.entries.first(), "1.0");
    EXPECT_EQ(list.entries.last(), "2.0");
    EXPECT_EQ(list.selected, 5);
}

TEST(ViewItems, SetItemValueFillsTheValueColumnsOnly) {
    const QString before = Record("Prefix", "Q1", '3', "", "4");
    const QList<std::tuple<QString, QString>> cases = {
        {"7", "7   "}, {"Q12", "Q12 "}, {"1234", "1234"}, {"12345", "1234"}, {"", "    "}, {" 1 ", " 1  "},
    };
    for (const auto& [value, field] : cases) {
        SCOPED_TRACE(value.toStdString());
        QStringList records = {Record("AFC", "1", '1'), before};
        SetItemValue(records, 1, value);
        EXPECT_EQ(records[1], before.left(16) + field + before.mid(20));
        EXPECT_EQ(records[0], Record("AFC", "1", '1'));
    }
}

TEST(ViewItems, SetItemValueLeavesRecordsThatDoNotExistAlone) {
    const QStringList before = {Record("AFC", "1", '1'), Record("Prefix", "Q1", '3', "", "4")};
    for (const int item : {-1, 2, 100}) {
        SCOPED_TRACE(item);
        QStringList records = before;
        SetItemValue(records, item, QStringLiteral("0"));
        EXPECT_EQ(records, before);
    }
}

TEST(ViewItems, SetItemValueGivesAShortRecordItsValueColumns) {
    QStringList records = {QStringLiteral("AFC")};
    SetItemValue(records, 0, QStringLiteral("1"));
    EXPECT_EQ(records[0], QStringLiteral("AFC") + QString(13, QLatin1Char(' ')) + QStringLiteral("1   "));
    EXPECT_EQ(ParseViewItem(records[0]).value, "1   ");
}

/// Records 0 .. 38, each with its own number as its value, record 17 holding mode.
QStringList ThirtyNineRecords(const QString& mode) {
    QStringList records;
    for (int item = 0; item <= 38; ++item)
        records.append(Record(QStringLiteral("Item %1").arg(item), item == 17 ? mode : QString::number(item), '0'));
    return records;
}

/// The value of every record, as they stand.
QStringList Values(const QStringList& records) {
    QStringList values;
    for (const QString& record : records)
        values.append(ParseViewItem(record).value.trimmed());
    return values;
}

TEST(ViewItems, PressActionMirrorsTheSelectOfItemsFifteenAndSixteen) {
    const QList<std::tuple<const char*, int, QString, QString>> cases = {
        // One letter per record 26 .. 38: what it holds afterwards, "." for its own number.
        {"15, record 17 not beginning with 1", 15, "0", "1111111111111"},
        {"15, record 17 blank", 15, "", "1111111111111"},
        {"15, record 17 with 1 after a blank", 15, " 1", "1111111111111"},
        {"15, record 17 beginning with 1", 15, "1", ".1.1.1.1.1.1."},
        {"15, record 17 of 10", 15, "10", ".1.1.1.1.1.1."},
        {"16, record 17 beginning with 1", 16, "1", "0000000000000"},
        {"16, record 17 not beginning with 1", 16, "0", "0000000000000"},
        {"14", 14, "1", "............."},
        {"17", 17, "0", "............."},
        {"26", 26, "0", "............."},
    };
    for (const auto& [what, item, mode, mirrored] : cases) {
        SCOPED_TRACE(what);
        QStringList records = ThirtyNineRecords(mode);
        QStringList expected = Values(records);
        for (int record = 26; record <= 38; ++record) {
            if (mirrored[record - 26] != QLatin1Char('.'))
                expected[record] = mirrored[record - 26];
        }
        PressAction(records, item);
        EXPECT_EQ(Values(records), expected);
        // Only the value columns change.
        const QStringList untouched = ThirtyNineRecords(mode);
        for (int record = 0; record < records.size(); ++record) {
            EXPECT_EQ(records[record].left(16), untouched[record].left(16));
            EXPECT_EQ(records[record].mid(20), untouched[record].mid(20));
        }
    }
}

TEST(ViewItems, PressActionOnAShortListSetsTheRecordsItHas) {
    const QList<std::tuple<QString, int, QStringList>> cases = {
        {"0", 15, {"1", "1", "1", "1"}},
        {"1", 15, {"26", "1", "28", "1"}},
        {"1", 16, {"0", "0", "0", "0"}},
    };
    for (const auto& [mode, item, values] : cases) {
        SCOPED_TRACE(item);
        QStringList records = ThirtyNineRecords(mode).mid(0, 30);
        PressAction(records, item);
        EXPECT_EQ(records.size(), 30);
        EXPECT_EQ(Values(records).mid(26), values);
        EXPECT_EQ(Values(records).mid(0, 26), Values(ThirtyNineRecords(mode)).mid(0, 26));
    }
    // Without records 26 .. 38 (and record 17) nothing changes.
    QStringList few = ThirtyNineRecords("1").mid(0, 10);
    const QStringList before = few;
    PressAction(few, 15);
    PressAction(few, 16);
    EXPECT_EQ(few, before);
}

} // namespace
