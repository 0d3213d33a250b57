#include "engine/RelationCompatibility.h"
#include "engine/SunSign.h"
#include "support/TextOf.h"

#include <QSet>
#include <QTest>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <utility>

namespace qx::test {
namespace {

QString sentenceText(int number)
{
    return textOf(qx::relationSentence(number));
}

std::optional<QString> sentenceFor(const QString &user, const QString &friendSign)
{
    const auto text = qx::GetRelationCompatibility(user.toStdString(), friendSign.toStdString());
    if (!text)
        return std::nullopt;
    return textOf(*text);
}

// The 25 pairs of sentences that say the same and differ only at their end;
// the two orders of a pair of different signs carry either one sentence or
// the two of such a pair.
const std::array<std::pair<int, int>, 25> NearIdenticalPairs = {{
    {2, 13},   {4, 36},  {5, 46},  {6, 56},  {8, 75},  {10, 89}, {11, 95},  {15, 25}, {18, 57},
    {19, 66},  {20, 76}, {22, 90}, {28, 47}, {30, 67}, {31, 77}, {33, 91},  {35, 99}, {39, 58},
    {45, 100}, {51, 78}, {52, 84}, {53, 92}, {60, 68}, {87, 96}, {98, 101},
}};

bool isNearIdenticalPair(int a, int b)
{
    for (const auto &[first, second] : NearIdenticalPairs) {
        if ((a == first && b == second) || (a == second && b == first))
            return true;
    }
    return false;
}

// Character counts of sentences 1 to 102, blanks and quotes included.
const std::array<int, qx::RelationSentenceCount> SentenceLengths = {
    129, 93,  96,  103, 100, 105, 108, 120, 102, 117, 112, 100, 94,  141, 110, 89,  123, 102, 154, 115, 76,
    136, 145, 113, 111, 134, 86,  128, 78,  122, 85,  94,  141, 107, 90,  104, 97,  77,  100, 120, 99,  97,
    83,  91,  85,  101, 127, 96,  104, 117, 122, 74,  97,  92,  71,  106, 103, 101, 94,  74,  97,  88,  91,
    129, 98,  156, 123, 75,  74,  80,  86,  103, 92,  105, 121, 114, 86,  123, 68,  74,  104, 92,  94,  75,
    94,  75,  75,  96,  118, 137, 140, 98,  147, 92,  113, 76,  98,  87,  89,  86,  86,  119,
};

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

// The table of sentences for ordered pairs of signs and its lookup.
class TestRelationCompatibility : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tableHasOneUnusedLastSlot();
    void keysAreUniqueAndNameTheirSlot();
    void everyKeyFindsItsOwnSlot();
    void grid_data();
    void grid();
    void sentenceUse();
    void reverseOrderGivesTheSameOrANearIdenticalSentence();
    void nearIdenticalPairsDifferOnlyAtTheEnd_data();
    void nearIdenticalPairsDifferOnlyAtTheEnd();
    void sentencesAreDistinctPlainText();
    void sentenceLengths();
    void sentenceTexts_data();
    void sentenceTexts();
    void lookup_data();
    void lookup();
    void unknownKeysAreNotFound_data();
    void unknownKeysAreNotFound();
};

void TestRelationCompatibility::tableHasOneUnusedLastSlot()
{
    QCOMPARE(qx::RelationSlotCount, std::size_t(145));
    QCOMPARE(qx::RelationSlotsInUse, std::size_t(144));
    QVERIFY(qx::relationKey(144).empty());
    QVERIFY(qx::relationText(144).empty());
    QCOMPARE(qx::relationSentenceNumber(144), 0);
    QVERIFY(qx::relationSentence(0).empty());
    QVERIFY(qx::relationSentence(103).empty());
}

void TestRelationCompatibility::keysAreUniqueAndNameTheirSlot()
{
    QSet<QString> keys;
    for (std::size_t slot = 0; slot < qx::RelationSlotsInUse; ++slot) {
        const QString key = textOf(qx::relationKey(slot));
        const QStringList parts = key.split(QLatin1Char('-'));
        QCOMPARE(parts.size(), 2);
        const auto user = qx::signFromName(parts.at(0).toStdString());
        const auto friendSign = qx::signFromName(parts.at(1).toStdString());
        QVERIFY2(user && friendSign, qPrintable(key));
        QCOMPARE(static_cast<std::size_t>(*user) * 12 + static_cast<std::size_t>(*friendSign), slot);
        keys.insert(key);
    }
    QCOMPARE(keys.size(), 144);
    QCOMPARE(textOf(qx::relationKey(0)), QStringLiteral("Aries-Aries"));
    QCOMPARE(textOf(qx::relationKey(1)), QStringLiteral("Aries-Taurus"));
    QCOMPARE(textOf(qx::relationKey(12)), QStringLiteral("Taurus-Aries"));
    QCOMPARE(textOf(qx::relationKey(143)), QStringLiteral("Pisces-Pisces"));
}

void TestRelationCompatibility::everyKeyFindsItsOwnSlot()
{
    for (std::size_t slot = 0; slot < qx::RelationSlotsInUse; ++slot) {
        const QStringList parts = textOf(qx::relationKey(slot)).split(QLatin1Char('-'));
        const auto found = sentenceFor(parts.at(0), parts.at(1));
        QVERIFY(found.has_value());
        QCOMPARE(*found, textOf(qx::relationText(slot)));
        QCOMPARE(*found, sentenceText(qx::relationSentenceNumber(slot)));
    }
}

void TestRelationCompatibility::grid_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QList<int>>("sentences"); // one per friend's sign, Aries to Pisces

    QTest::newRow("Aries") << QStringLiteral("Aries") << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    QTest::newRow("Taurus") << QStringLiteral("Taurus") << QList<int>{13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    QTest::newRow("Gemini") << QStringLiteral("Gemini") << QList<int>{3, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35};
    QTest::newRow("Cancer") << QStringLiteral("Cancer") << QList<int>{36, 16, 27, 37, 38, 39, 40, 41, 42, 43, 44, 45};
    QTest::newRow("Leo") << QStringLiteral("Leo") << QList<int>{46, 17, 47, 38, 48, 49, 50, 51, 52, 53, 54, 55};
    QTest::newRow("Virgo") << QStringLiteral("Virgo") << QList<int>{56, 57, 29, 58, 49, 59, 60, 61, 62, 63, 64, 65};
    QTest::newRow("Libra") << QStringLiteral("Libra") << QList<int>{7, 66, 67, 40, 50, 68, 69, 70, 71, 72, 73, 74};
    QTest::newRow("Scorpio") << QStringLiteral("Scorpio") << QList<int>{75, 76, 77, 41, 78, 61, 70, 79, 80, 81, 82, 83};
    QTest::newRow("Sagittarius") << QStringLiteral("Sagittarius")
                                 << QList<int>{9, 21, 32, 42, 84, 62, 71, 80, 85, 86, 87, 88};
    QTest::newRow("Capricorn") << QStringLiteral("Capricorn")
                               << QList<int>{89, 90, 91, 43, 92, 63, 72, 81, 86, 93, 94, 94};
    QTest::newRow("Aquarius") << QStringLiteral("Aquarius")
                              << QList<int>{95, 23, 34, 44, 54, 64, 73, 82, 96, 94, 97, 98};
    QTest::newRow("Pisces") << QStringLiteral("Pisces")
                            << QList<int>{12, 24, 99, 100, 55, 65, 74, 83, 88, 94, 101, 102};
}

void TestRelationCompatibility::grid()
{
    QFETCH(QString, user);
    QFETCH(QList<int>, sentences);
    QCOMPARE(sentences.size(), 12);
    for (qsizetype column = 0; column < sentences.size(); ++column) {
        const QString friendSign = textOf(qx::signName(qx::AllSigns[static_cast<std::size_t>(column)]));
        const auto found = sentenceFor(user, friendSign);
        QVERIFY2(found.has_value(), qPrintable(friendSign));
        QCOMPARE(*found, sentenceText(sentences.at(column)));
    }
}

void TestRelationCompatibility::sentenceUse()
{
    std::map<int, int> uses;
    for (std::size_t slot = 0; slot < qx::RelationSlotsInUse; ++slot)
        ++uses[qx::relationSentenceNumber(slot)];

    QCOMPARE(uses.size(), std::size_t(qx::RelationSentenceCount));
    QCOMPARE(uses.begin()->first, 1);
    QCOMPARE(uses.rbegin()->first, qx::RelationSentenceCount);
    for (const auto &[number, count] : uses) {
        if (number == 94)
            QCOMPARE(count, 4);
        else
            QVERIFY2(count == 1 || count == 2, qPrintable(QString::number(number)));
    }
    const QString shared = sentenceText(94);
    for (const auto &[user, friendSign] : {std::pair{"Capricorn", "Aquarius"},
                                           {"Capricorn", "Pisces"},
                                           {"Aquarius", "Capricorn"},
                                           {"Pisces", "Capricorn"}})
        QCOMPARE(sentenceFor(QString::fromLatin1(user), QString::fromLatin1(friendSign)).value_or(QString()), shared);
}

void TestRelationCompatibility::reverseOrderGivesTheSameOrANearIdenticalSentence()
{
    QSet<int> pairsSeen;
    for (std::size_t user = 0; user < 12; ++user) {
        for (std::size_t friendSign = 0; friendSign < 12; ++friendSign) {
            if (user == friendSign)
                continue;
            const int there = qx::relationSentenceNumber(user * 12 + friendSign);
            const int back = qx::relationSentenceNumber(friendSign * 12 + user);
            if (there == back)
                continue;
            QVERIFY2(isNearIdenticalPair(there, back),
                     qPrintable(QStringLiteral("sentences %1 and %2").arg(there).arg(back)));
            pairsSeen.insert(std::min(there, back) * 1000 + std::max(there, back));
        }
    }
    QCOMPARE(pairsSeen.size(), 25);
}

void TestRelationCompatibility::nearIdenticalPairsDifferOnlyAtTheEnd_data()
{
    QTest::addColumn<int>("shorter");
    QTest::addColumn<int>("longer");
    QTest::addColumn<QString>("ending");

    QTest::newRow("2 and 13") << 2 << 13 << QStringLiteral(".");
    QTest::newRow("4 and 36") << 4 << 36 << QStringLiteral(".");
    QTest::newRow("5 and 46") << 5 << 46 << QStringLiteral(".");
    QTest::newRow("6 and 56") << 6 << 56 << QStringLiteral(".");
    QTest::newRow("8 and 75") << 8 << 75 << QStringLiteral(".");
    QTest::newRow("10 and 89") << 10 << 89 << QStringLiteral(".");
    QTest::newRow("11 and 95") << 11 << 95 << QStringLiteral(".");
    QTest::newRow("15 and 25") << 15 << 25 << QStringLiteral("\"");
    QTest::newRow("18 and 57") << 18 << 57 << QStringLiteral(".");
    QTest::newRow("19 and 66") << 19 << 66 << QStringLiteral(". ");
    QTest::newRow("20 and 76") << 76 << 20 << QStringLiteral(".");
    QTest::newRow("22 and 90") << 22 << 90 << QStringLiteral(".");
    QTest::newRow("28 and 47") << 47 << 28 << QStringLiteral(".");
    QTest::newRow("30 and 67") << 30 << 67 << QStringLiteral(".");
    QTest::newRow("31 and 77") << 31 << 77 << QStringLiteral(".");
    QTest::newRow("33 and 91") << 91 << 33 << QStringLiteral(".");
    QTest::newRow("35 and 99") << 99 << 35 << QStringLiteral(".");
    QTest::newRow("39 and 58") << 39 << 58 << QStringLiteral(".");
    QTest::newRow("45 and 100") << 45 << 100 << QStringLiteral(".");
    QTest::newRow("51 and 78") << 51 << 78 << QStringLiteral(".");
    QTest::newRow("52 and 84") << 52 << 84 << QStringLiteral(".");
    QTest::newRow("53 and 92") << 53 << 92 << QStringLiteral(".");
    QTest::newRow("60 and 68") << 60 << 68 << QStringLiteral(".");
    QTest::newRow("87 and 96") << 87 << 96 << QStringLiteral(".");
    QTest::newRow("98 and 101") << 101 << 98 << QStringLiteral(".");
}

void TestRelationCompatibility::nearIdenticalPairsDifferOnlyAtTheEnd()
{
    QFETCH(int, shorter);
    QFETCH(int, longer);
    QFETCH(QString, ending);
    QCOMPARE(sentenceText(longer), sentenceText(shorter) + ending);
}

void TestRelationCompatibility::sentencesAreDistinctPlainText()
{
    QSet<QString> seen;
    for (int number = 1; number <= qx::RelationSentenceCount; ++number) {
        const QString text = sentenceText(number);
        const QByteArray label = QByteArray::number(number);
        QVERIFY2(!text.isEmpty(), label);
        QVERIFY2(!seen.contains(text), label);
        seen.insert(text);
        for (QChar c : text)
            QVERIFY2(c.unicode() >= 0x20 && c.unicode() < 0x7f, label);
        QVERIFY2(!text.startsWith(QLatin1Char(' ')), label);
        QVERIFY2(!text.contains(QStringLiteral("  ")), label);
        // Only 21 and 66 end with a blank, after their period.
        const bool trailingBlank = number == 21 || number == 66;
        QVERIFY2(text.endsWith(QStringLiteral(". ")) == trailingBlank, label);
        QVERIFY2(text.endsWith(QLatin1Char(' ')) == trailingBlank, label);
    }
    QCOMPARE(sentenceText(25), sentenceText(15) + QLatin1Char('"'));
    QCOMPARE(sentenceText(25).size(), 111);
}

void TestRelationCompatibility::sentenceLengths()
{
    for (int number = 1; number <= qx::RelationSentenceCount; ++number)
        QVERIFY2(sentenceText(number).size() == SentenceLengths[static_cast<std::size_t>(number - 1)],
                 qPrintable(QStringLiteral("sentence %1: %2").arg(number).arg(sentenceText(number))));
}

void TestRelationCompatibility::sentenceTexts_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");

    QTest::newRow("1") << 1
                       << QStringLiteral("This is an electric friendship. You can have a good time if both of you are "
                                         "understanding else this can turn into a selfish match");
    QTest::newRow("2")
        << 2
        << QStringLiteral(
               "This is a balanced friendship in which one will be cautious while the other will be assertive");
    QTest::newRow("15") << 15
                        << QStringLiteral("This can turn out to be a great friendship if you are ready to give each "
                                          "other time to get to know each other.");
    QTest::newRow("18 keeps 'both of can'") << 18
                                            << QStringLiteral("This is a very practical relationship where both of can "
                                                              "teach each other a lot and gain in the process");
    QTest::newRow("21") << 21
                        << QStringLiteral(
                               "You will have to work on your friendship and have patience to make it work. ");
    QTest::newRow("23 keeps 'both of your strive'")
        << 23
        << QStringLiteral("This may seem a very unlikely combination but this can be a great pair since both of your "
                          "strive for the same achievement only in different ways.");
    QTest::newRow("33 keeps 'both you are able'")
        << 33
        << QStringLiteral("This friendship will work if both you are able to overcome the exterior differences and "
                          "understand the underlying meaning of your friendship.");
    QTest::newRow("38") << 38
                        << QStringLiteral(
                               "This can be a sincere relationship if both of you strive to make it work out.");
    QTest::newRow("66") << 66
                        << QStringLiteral(
                               "This can be a very respectable friendship where both of you are artistically inclined "
                               "and understand each other's likes and dislikes over a period of time. ");
    QTest::newRow("88 keeps 'both of fulfill'")
        << 88
        << QStringLiteral(
               "This may seem to be an unlikely friendship but both of fulfill each other's philosophical needs.");
    QTest::newRow("94")
        << 94
        << QStringLiteral(
               "You both are opposites but can work in harmony with each other if you understand each other.");
    QTest::newRow("102") << 102
                         << QStringLiteral("This is a very sensitive and emotional relationship where both of you "
                                           "share a strong spiritual and mental understanding");
}

void TestRelationCompatibility::sentenceTexts()
{
    QFETCH(int, number);
    QFETCH(QString, text);
    QCOMPARE(sentenceText(number), text);
}

void TestRelationCompatibility::lookup_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("friendSign");
    QTest::addColumn<int>("sentence");

    QTest::newRow("Aries-Aries") << QStringLiteral("Aries") << QStringLiteral("Aries") << 1;
    QTest::newRow("Pisces-Pisces") << QStringLiteral("Pisces") << QStringLiteral("Pisces") << 102;
    QTest::newRow("Taurus-Gemini") << QStringLiteral("Taurus") << QStringLiteral("Gemini") << 15;
    QTest::newRow("Gemini-Taurus") << QStringLiteral("Gemini") << QStringLiteral("Taurus") << 25;
    QTest::newRow("Aries-Taurus") << QStringLiteral("Aries") << QStringLiteral("Taurus") << 2;
    QTest::newRow("Taurus-Aries") << QStringLiteral("Taurus") << QStringLiteral("Aries") << 13;
    QTest::newRow("Taurus-Sagittarius") << QStringLiteral("Taurus") << QStringLiteral("Sagittarius") << 21;
    QTest::newRow("Sagittarius-Taurus") << QStringLiteral("Sagittarius") << QStringLiteral("Taurus") << 21;
    QTest::newRow("Leo-Cancer") << QStringLiteral("Leo") << QStringLiteral("Cancer") << 38;
}

void TestRelationCompatibility::lookup()
{
    QFETCH(QString, user);
    QFETCH(QString, friendSign);
    QFETCH(int, sentence);
    const auto found = sentenceFor(user, friendSign);
    QVERIFY(found.has_value());
    QCOMPARE(*found, sentenceText(sentence));
}

void TestRelationCompatibility::unknownKeysAreNotFound_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("friendSign");

    QTest::newRow("no user's sign") << QString() << QStringLiteral("Leo");
    QTest::newRow("no friend's sign") << QStringLiteral("Leo") << QString();
    QTest::newRow("no signs") << QString() << QString();
    QTest::newRow("lower-case user's sign") << QStringLiteral("leo") << QStringLiteral("Cancer");
    QTest::newRow("lower-case friend's sign") << QStringLiteral("Leo") << QStringLiteral("cancer");
    QTest::newRow("upper case") << QStringLiteral("LEO") << QStringLiteral("CANCER");
    QTest::newRow("trailing blank") << QStringLiteral("Leo ") << QStringLiteral("Cancer");
    QTest::newRow("whole key as user's sign") << QStringLiteral("Leo-Cancer") << QString();
    QTest::newRow("hyphen moved") << QStringLiteral("Leo-Can") << QStringLiteral("cer");
}

void TestRelationCompatibility::unknownKeysAreNotFound()
{
    QFETCH(QString, user);
    QFETCH(QString, friendSign);
    QVERIFY(!sentenceFor(user, friendSign).has_value());
}

QTEST_APPLESS_MAIN(TestRelationCompatibility)
#include "tst_relationcompatibility.moc"
