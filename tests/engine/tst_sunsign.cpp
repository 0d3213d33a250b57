#include "engine/SunSign.h"
#include "support/TextOf.h"

#include <QTest>

#include <limits>

using namespace qx;
using namespace qx::test;

Q_DECLARE_METATYPE(qx::SunSign)

// Sign derivation from the month and day positions of the main window's
// lists: month index 0 is January, day index k is day k + 1.
class TestSunSign : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void boundaries_data();
    void boundaries();
    void outOfRangeGivesNoSign_data();
    void outOfRangeGivesNoSign();
    void namesRoundTrip();
    void namesAreExactAndCaseSensitive_data();
    void namesAreExactAndCaseSensitive();
};

void TestSunSign::boundaries_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<SunSign>("expected");

    // The last day of the first sign and the first day of the next one, for
    // every month (24 boundaries), written as calendar dates.
    struct Boundary {
        const char *month;
        int lastDayOfFirstSign;
        SunSign first;
        SunSign second;
    };
    const Boundary boundaries[] = {
        {"January", 19, SunSign::Capricorn, SunSign::Aquarius},
        {"February", 18, SunSign::Aquarius, SunSign::Pisces},
        {"March", 20, SunSign::Pisces, SunSign::Aries},
        {"April", 20, SunSign::Aries, SunSign::Taurus},
        {"May", 20, SunSign::Taurus, SunSign::Gemini},
        {"June", 20, SunSign::Gemini, SunSign::Cancer},
        {"July", 20, SunSign::Cancer, SunSign::Leo},
        {"August", 20, SunSign::Leo, SunSign::Virgo},
        {"September", 20, SunSign::Virgo, SunSign::Libra},
        {"October", 20, SunSign::Libra, SunSign::Scorpio},
        {"November", 20, SunSign::Scorpio, SunSign::Sagittarius},
        {"December", 20, SunSign::Sagittarius, SunSign::Capricorn},
    };
    int month = 1;
    for (const Boundary &b : boundaries) {
        const int last = b.lastDayOfFirstSign;
        QTest::addRow("1 %s", b.month) << month << 1 << b.first;
        QTest::addRow("%d %s", last, b.month) << month << last << b.first;
        QTest::addRow("%d %s", last + 1, b.month) << month << last + 1 << b.second;
        QTest::addRow("31 %s", b.month) << month << 31 << b.second;
        ++month;
    }
    // Days the input check refuses still get a sign from the table.
    QTest::newRow("29 February") << 2 << 29 << SunSign::Pisces;
    QTest::newRow("30 February") << 2 << 30 << SunSign::Pisces;
}

void TestSunSign::boundaries()
{
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(SunSign, expected);

    const auto sign = qx::GetSunSign(static_cast<std::int16_t>(month - 1), static_cast<std::int16_t>(day - 1));
    QVERIFY(sign.has_value());
    QCOMPARE(textOf(qx::signName(*sign)), textOf(qx::signName(expected)));
}

void TestSunSign::outOfRangeGivesNoSign_data()
{
    QTest::addColumn<int>("monthIndex");
    QTest::addColumn<int>("dayIndex");

    QTest::newRow("no month selected") << -1 << 0;
    QTest::newRow("no day selected") << 0 << -1;
    QTest::newRow("nothing selected") << -1 << -1;
    QTest::newRow("month index 12") << 12 << 0;
    QTest::newRow("day index 31") << 0 << 31;
    QTest::newRow("day index 31 in December") << 11 << 31;
    QTest::newRow("smallest month") << int(std::numeric_limits<std::int16_t>::min()) << 5;
    QTest::newRow("largest day") << 6 << int(std::numeric_limits<std::int16_t>::max());
}

void TestSunSign::outOfRangeGivesNoSign()
{
    QFETCH(int, monthIndex);
    QFETCH(int, dayIndex);
    QVERIFY(!qx::GetSunSign(static_cast<std::int16_t>(monthIndex), static_cast<std::int16_t>(dayIndex)));
}

void TestSunSign::namesRoundTrip()
{
    const char *const names[] = {"Aries", "Taurus",  "Gemini",      "Cancer",    "Leo",      "Virgo",
                                 "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"};
    for (std::size_t i = 0; i < qx::SignCount; ++i) {
        QCOMPARE(textOf(qx::signName(qx::AllSigns[i])), QString::fromLatin1(names[i]));
        QCOMPARE(static_cast<std::size_t>(qx::AllSigns[i]), i);
        const auto sign = qx::signFromName(names[i]);
        QVERIFY(sign.has_value());
        QVERIFY(*sign == qx::AllSigns[i]);
    }
}

void TestSunSign::namesAreExactAndCaseSensitive_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("lower case") << QStringLiteral("leo");
    QTest::newRow("upper case") << QStringLiteral("LEO");
    QTest::newRow("trailing blank") << QStringLiteral("Leo ");
    QTest::newRow("leading blank") << QStringLiteral(" Leo");
    QTest::newRow("pair key") << QStringLiteral("Leo-Leo");
}

void TestSunSign::namesAreExactAndCaseSensitive()
{
    QFETCH(QString, text);
    QVERIFY(!qx::signFromName(text.toStdString()));
}

QTEST_APPLESS_MAIN(TestSunSign)
#include "tst_sunsign.moc"
