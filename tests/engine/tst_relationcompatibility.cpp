#include "engine/RelationCompatibility.h"
#include "engine/SunSign.h"
#include "support/TextOf.h"

#include <QSet>
#include <QTest>

#include <array>
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

// Character counts of sentences 1 to 102, blanks and quotes included.
const std::array<int, qx::RelationSentenceCount> SentenceLengths = {
    129, 93,  96,  103, 100, 105, 108, 120, 102, 117, 112, 100, 94,  141, 110, 89,  123, 102, 154, 115, 76,
    136, 145, 113, 111, 134, 86,  128, 78,  122, 85,  94,  141, 107, 90,  104, 97,  77,  100, 120, 99,  97,
    83,  91,  85,  101, 127, 96,  104, 117, 122, 74,  97,  92,  71,  106, 103, 101, 94,  74,  97,  88,  91,
    129, 98,  156, 123, 75,  74,  80,  86,  103, 92,  105, 121, 114, 86,  123, 68,  74,  104, 92,  94,  75,
    94,  75,  75,  96,  118, 137, 140, 98,  147, 92,  113, 76,  98,  87,  89,  86,  86,  119,
};

// The 25 pairs of sentences that say the same and differ only at their end.
// The two orders of two different signs carry one sentence, or the two of
// such a pair.
const struct {
    int shorter, longer;
    const char *ending;
} NearIdenticalPairs[] = {
    {2, 13, "."},   {4, 36, "."},  {5, 46, "."},   {6, 56, "."},   {8, 75, "."},   {10, 89, "."}, {11, 95, "."},
    {15, 25, "\""}, {18, 57, "."}, {19, 66, ". "}, {76, 20, "."},  {22, 90, "."},  {47, 28, "."}, {30, 67, "."},
    {31, 77, "."},  {91, 33, "."}, {99, 35, "."},  {39, 58, "."},  {45, 100, "."}, {51, 78, "."}, {52, 84, "."},
    {53, 92, "."},  {60, 68, "."}, {87, 96, "."},  {101, 98, "."},
};

bool nearIdentical(int first, int second)
{
    for (const auto &pair : NearIdenticalPairs)
        if ((pair.shorter == first && pair.longer == second) || (pair.shorter == second && pair.longer == first))
            return true;
    return false;
}

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

// The table of sentences for ordered pairs of signs and its lookup.
class TestRelationCompatibility : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tableHasOneUnusedLastSlot();
    void keysAreUniqueAndFindTheirSlot();
    void mirroredPairsAndSentenceUse();
    void lookups_data();
    void lookups();
    void nearIdenticalPairsDifferOnlyAtTheEnd_data();
    void nearIdenticalPairsDifferOnlyAtTheEnd();
    void sentencesAreDistinctPlainText();
    void sentenceLengths();
    void sentenceTexts_data();
    void sentenceTexts();
    void unknownKeysAreNotFound_data();
    void unknownKeysAreNotFound();
};

void TestRelationCompatibility::tableHasOneUnusedLastSlot()
{
    QCOMPARE(qx::RelationSlotCount, std::size_t(145));
    QCOMPARE(qx::RelationSlotsInUse, std::size_t(144));
    // The unused slot, and one past the table.
    for (const std::size_t slot : {std::size_t(144), std::size_t(145)}) {
        QVERIFY(qx::relationKey(slot).empty());
        QVERIFY(qx::relationText(slot).empty());
        QCOMPARE(qx::relationSentenceNumber(slot), 0);
    }
    QVERIFY(qx::relationSentence(0).empty());
    QVERIFY(qx::relationSentence(103).empty());
}

void TestRelationCompatibility::keysAreUniqueAndFindTheirSlot()
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
        // The key finds its own slot's text, which is its numbered sentence.
        const auto found = sentenceFor(parts.at(0), parts.at(1));
        QVERIFY(found.has_value());
        QCOMPARE(*found, textOf(qx::relationText(slot)));
        QCOMPARE(*found, sentenceText(qx::relationSentenceNumber(slot)));
    }
    QCOMPARE(keys.size(), 144);
}

void TestRelationCompatibility::mirroredPairsAndSentenceUse()
{
    QList<int> uses(qx::RelationSentenceCount + 1);
    for (const SunSign user : qx::AllSigns) {
        for (const SunSign friendSign : qx::AllSigns) {
            const std::size_t slot = static_cast<std::size_t>(user) * 12 + static_cast<std::size_t>(friendSign);
            const int number = qx::relationSentenceNumber(slot);
            const int mirrored = qx::relationSentenceNumber(static_cast<std::size_t>(friendSign) * 12
                                                            + static_cast<std::size_t>(user));
            QVERIFY2(number >= 1 && number <= qx::RelationSentenceCount, qPrintable(textOf(qx::relationKey(slot))));
            ++uses[number];
            QVERIFY2(number == mirrored || nearIdentical(number, mirrored), qPrintable(textOf(qx::relationKey(slot))));
        }
    }
    for (int number = 1; number <= qx::RelationSentenceCount; ++number)
        QVERIFY2(uses.at(number) >= 1, qPrintable(QStringLiteral("sentence %1 serves no slot").arg(number)));
    QCOMPARE(uses.at(94), 4);
}

void TestRelationCompatibility::lookups_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("friendSign");
    QTest::addColumn<int>("sentence");

    const struct {
        const char *user, *friendSign;
        int sentence;
    } rows[] = {
        {"Aries", "Aries", 1},   {"Pisces", "Pisces", 102}, {"Aries", "Taurus", 2},
        {"Taurus", "Aries", 13}, {"Gemini", "Taurus", 25},  {"Pisces", "Capricorn", 94},
    };
    for (const auto &row : rows)
        QTest::addRow("%s-%s", row.user, row.friendSign) << row.user << row.friendSign << row.sentence;
}

void TestRelationCompatibility::lookups()
{
    QFETCH(QString, user);
    QFETCH(QString, friendSign);
    QFETCH(int, sentence);
    QCOMPARE(sentenceFor(user, friendSign), std::optional<QString>(sentenceText(sentence)));
}

void TestRelationCompatibility::nearIdenticalPairsDifferOnlyAtTheEnd_data()
{
    QTest::addColumn<int>("shorter");
    QTest::addColumn<int>("longer");
    QTest::addColumn<QString>("ending");

    for (const auto &pair : NearIdenticalPairs)
        QTest::addRow("%d and %d", pair.shorter, pair.longer)
            << pair.shorter << pair.longer << QString::fromLatin1(pair.ending);
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
