#include "engine/FriendshipReport.h"
#include "engine/RelationCompatibility.h"
#include "engine/SignProfiles.h"
#include "support/TextOf.h"

#include <QTest>

#include <optional>

namespace qx::test {
namespace {

const QString VeryGood = QStringLiteral("You Both Are Very Good Friends");
const QString CouldBeBetter = QStringLiteral("You both Could Be Better Friends");

FriendshipReport reportFor(std::optional<SunSign> user, std::optional<SunSign> friendSign)
{
    FriendshipReport report;
    qx::UpdateFriendshipReport(report, user, friendSign);
    return report;
}

QStringList traitsOf(const FriendshipReport &report)
{
    return {textOf(report.Dependable),  textOf(report.Caring),    textOf(report.Outgoing), textOf(report.Loyal),
            textOf(report.Adventurous), textOf(report.Initiator), textOf(report.Listener)};
}

// The statements, named after what they say.
const QString LetsDown = QStringLiteral("You may let down your friend sometimes");
const QString AlwaysThere = QStringLiteral("You are always there for your friend");
const QString NotDependable = QStringLiteral("You do not care to have a dependable relationship");
const QString DoesNotCare = QStringLiteral("You do not care about your friend's feelings at all");
const QString CareALot = QStringLiteral("You care about each other a lot");
const QString CaresAtTimes = QStringLiteral("You may care for your friend at times");
const QString Extrovert = QStringLiteral("You are an extrovert");
const QString Introvert = QStringLiteral("You are an introvert");
const QString NotOutgoing = QStringLiteral("You are not as outgoing as your friend would like you to be");
const QString NotAlwaysLoyal = QStringLiteral("You may not always be loyal to your friend");
const QString HighlyLoyal = QStringLiteral("You are highly loyal to each other");
const QString MostlyLoyal = QStringLiteral("You may be loyal to each other most of the times");
const QString LovesAdventures = QStringLiteral("You love adventures");
const QString LovesAdventuresAquarius = QStringLiteral(" You love adventures");
const QString HatesAdventures = QStringLiteral("You hate adventures");
const QString DoesNotMind = QStringLiteral("You do not mind adventures");
const QString KeepsGoing = QStringLiteral("You keep the relationship going at all costs");
const QString NoInitiative = QStringLiteral("You do not initiate anything in your relationship");
const QString Forgives = QStringLiteral("You may forgive your friend sometimes");
const QString DoesNotListen = QStringLiteral("You do not listen to your friend at all");
const QString ListensSometimes = QStringLiteral("You listen to your friend sometimes");
const QString ListensToAll = QStringLiteral("You listen to all that your friend has to say");

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

Q_DECLARE_METATYPE(qx::SunSign)

// The report as the results window shows it: signs, verdict, trait lines,
// profiles and the pair text, and what stays when a sign is missing.
class TestFriendshipReport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void verdict_data();
    void verdict();
    void verdictIsSymmetricAndMeansTwoSignsApart();
    void traitLines_data();
    void traitLines();
    void traitsDependOnTheUserAlone();
    void profilesAndPairText();
    void sameSignGivesTheSameProfileTwice();
    void firstTestWithoutUserSignLeavesUserFieldsEmpty();
    void missingUserSignKeepsTheEarlierOne();
    void missingFriendSignKeepsTheEarlierOne();
    void repeatedTestGivesTheSameReport();
    void fieldsInOrder();
};

void TestFriendshipReport::verdict_data()
{
    QTest::addColumn<SunSign>("user");
    QTest::addColumn<SunSign>("friendSign");
    QTest::addColumn<QString>("expected");

    QTest::newRow("Aries, Gemini") << SunSign::Aries << SunSign::Gemini << VeryGood;
    QTest::newRow("Aries, Aquarius") << SunSign::Aries << SunSign::Aquarius << VeryGood;
    QTest::newRow("Aries, Aries") << SunSign::Aries << SunSign::Aries << CouldBeBetter;
    QTest::newRow("Aries, Leo") << SunSign::Aries << SunSign::Leo << CouldBeBetter;
    QTest::newRow("Aries, Libra") << SunSign::Aries << SunSign::Libra << CouldBeBetter;
    QTest::newRow("Aries, Taurus") << SunSign::Aries << SunSign::Taurus << CouldBeBetter;
    QTest::newRow("Scorpio, Capricorn") << SunSign::Scorpio << SunSign::Capricorn << VeryGood;
    QTest::newRow("Capricorn, Scorpio") << SunSign::Capricorn << SunSign::Scorpio << VeryGood;
    QTest::newRow("Pisces, Taurus (wraps)") << SunSign::Pisces << SunSign::Taurus << VeryGood;
    QTest::newRow("Leo, Cancer") << SunSign::Leo << SunSign::Cancer << CouldBeBetter;
}

void TestFriendshipReport::verdict()
{
    QFETCH(SunSign, user);
    QFETCH(SunSign, friendSign);
    QFETCH(QString, expected);
    QCOMPARE(textOf(reportFor(user, friendSign).FriendshipCompatibility), expected);
}

void TestFriendshipReport::verdictIsSymmetricAndMeansTwoSignsApart()
{
    int veryGoodPairs = 0;
    for (SunSign user : qx::AllSigns) {
        for (SunSign friendSign : qx::AllSigns) {
            const QString there = textOf(reportFor(user, friendSign).FriendshipCompatibility);
            const QString back = textOf(reportFor(friendSign, user).FriendshipCompatibility);
            const int distance = (static_cast<int>(friendSign) - static_cast<int>(user) + 12) % 12;
            const bool twoApart = distance == 2 || distance == 10;
            const QString pair = textOf(qx::signName(user)) + QLatin1Char('-') + textOf(qx::signName(friendSign));
            QVERIFY2(there == back, qPrintable(pair));
            QVERIFY2(there == (twoApart ? VeryGood : CouldBeBetter), qPrintable(pair));
            veryGoodPairs += twoApart ? 1 : 0;
        }
    }
    QCOMPARE(veryGoodPairs, 24);
}

void TestFriendshipReport::traitLines_data()
{
    QTest::addColumn<SunSign>("user");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("Aries") << SunSign::Aries << QStringList{LetsDown,        DoesNotCare, Extrovert,    NotAlwaysLoyal,
                                                            LovesAdventures, KeepsGoing,  DoesNotListen};
    QTest::newRow("Taurus") << SunSign::Taurus
                            << QStringList{AlwaysThere,     CareALot,     Introvert,       HighlyLoyal,
                                           HatesAdventures, NoInitiative, ListensSometimes};
    QTest::newRow("Gemini") << SunSign::Gemini
                            << QStringList{NotDependable,   CaresAtTimes, Extrovert,   NotAlwaysLoyal,
                                           LovesAdventures, Forgives,     ListensToAll};
    QTest::newRow("Cancer") << SunSign::Cancer << QStringList{NotDependable,   CareALot,   Introvert,       HighlyLoyal,
                                                              HatesAdventures, KeepsGoing, ListensSometimes};
    QTest::newRow("Leo") << SunSign::Leo << QStringList{LetsDown,    CareALot,   Extrovert,       HighlyLoyal,
                                                        DoesNotMind, KeepsGoing, ListensSometimes};
    QTest::newRow("Virgo") << SunSign::Virgo << QStringList{AlwaysThere, CareALot, Introvert,       MostlyLoyal,
                                                            DoesNotMind, Forgives, ListensSometimes};
    QTest::newRow("Libra") << SunSign::Libra << QStringList{LetsDown,        CareALot,   NotOutgoing, MostlyLoyal,
                                                            HatesAdventures, KeepsGoing, ListensToAll};
    QTest::newRow("Scorpio") << SunSign::Scorpio
                             << QStringList{LetsDown,        CaresAtTimes, Introvert,       HighlyLoyal,
                                            HatesAdventures, Forgives,     ListensSometimes};
    QTest::newRow("Sagittarius") << SunSign::Sagittarius
                                 << QStringList{NotDependable,   CaresAtTimes, Extrovert,    NotAlwaysLoyal,
                                                LovesAdventures, Forgives,     DoesNotListen};
    QTest::newRow("Capricorn") << SunSign::Capricorn
                               << QStringList{AlwaysThere,     CaresAtTimes, NotOutgoing,     MostlyLoyal,
                                              HatesAdventures, KeepsGoing,   ListensSometimes};
    QTest::newRow("Aquarius")
        << SunSign::Aquarius
        << QStringList{LetsDown,   DoesNotCare,  NotOutgoing, NotAlwaysLoyal, LovesAdventuresAquarius,
                       KeepsGoing, DoesNotListen};
    QTest::newRow("Pisces") << SunSign::Pisces << QStringList{LetsDown,    CareALot,     Introvert,   MostlyLoyal,
                                                              DoesNotMind, NoInitiative, ListensToAll};
}

void TestFriendshipReport::traitLines()
{
    QFETCH(SunSign, user);
    QFETCH(QStringList, expected);
    QCOMPARE(traitsOf(reportFor(user, SunSign::Leo)), expected);
}

void TestFriendshipReport::traitsDependOnTheUserAlone()
{
    for (SunSign user : qx::AllSigns) {
        const QStringList reference = traitsOf(reportFor(user, SunSign::Aries));
        for (SunSign friendSign : qx::AllSigns)
            QCOMPARE(traitsOf(reportFor(user, friendSign)), reference);
    }
}

void TestFriendshipReport::profilesAndPairText()
{
    const FriendshipReport report = reportFor(SunSign::Gemini, SunSign::Taurus);
    QCOMPARE(textOf(report.YourSunSign), QStringLiteral("Gemini"));
    QCOMPARE(textOf(report.YourFriendsSunSign), QStringLiteral("Taurus"));
    QCOMPARE(textOf(report.YourFriendshipProfile), textOf(qx::GetSignProfile(SunSign::Gemini)));
    QCOMPARE(textOf(report.YourFriendsFriendshipProfile), textOf(qx::GetSignProfile(SunSign::Taurus)));
    // The ordered pair decides the text: Gemini-Taurus is not Taurus-Gemini.
    QCOMPARE(textOf(report.FriendshipCompatibilityResult), textOf(qx::relationSentence(25)));
    QCOMPARE(textOf(reportFor(SunSign::Taurus, SunSign::Gemini).FriendshipCompatibilityResult),
             textOf(qx::relationSentence(15)));
}

void TestFriendshipReport::sameSignGivesTheSameProfileTwice()
{
    const FriendshipReport report = reportFor(SunSign::Virgo, SunSign::Virgo);
    QVERIFY(!report.YourFriendshipProfile.empty());
    QCOMPARE(textOf(report.YourFriendshipProfile), textOf(report.YourFriendsFriendshipProfile));
    QCOMPARE(textOf(report.FriendshipCompatibility), CouldBeBetter);
}

void TestFriendshipReport::firstTestWithoutUserSignLeavesUserFieldsEmpty()
{
    const FriendshipReport report = reportFor(std::nullopt, SunSign::Cancer);
    QVERIFY(report.YourSunSign.empty());
    QVERIFY(report.YourFriendshipProfile.empty());
    QVERIFY(report.FriendshipCompatibility.empty());
    QVERIFY(report.FriendshipCompatibilityResult.empty());
    for (const QString &trait : traitsOf(report))
        QVERIFY(trait.isEmpty());
    // The friend's side does not depend on the user's sign.
    QCOMPARE(textOf(report.YourFriendsSunSign), QStringLiteral("Cancer"));
    QCOMPARE(textOf(report.YourFriendsFriendshipProfile), textOf(qx::GetSignProfile(SunSign::Cancer)));
}

void TestFriendshipReport::missingUserSignKeepsTheEarlierOne()
{
    FriendshipReport report;
    qx::UpdateFriendshipReport(report, SunSign::Leo, SunSign::Cancer);
    QCOMPARE(textOf(report.FriendshipCompatibility), CouldBeBetter);

    // Libra is one of Leo's partners: the verdict is worked out afresh with
    // the kept user's sign against the new friend's sign.
    qx::UpdateFriendshipReport(report, std::nullopt, SunSign::Libra);
    QCOMPARE(textOf(report.YourSunSign), QStringLiteral("Leo"));
    QCOMPARE(textOf(report.YourFriendsSunSign), QStringLiteral("Libra"));
    QCOMPARE(textOf(report.FriendshipCompatibility), VeryGood);
    QCOMPARE(traitsOf(report), traitsOf(reportFor(SunSign::Leo, SunSign::Leo)));
    QCOMPARE(textOf(report.YourFriendshipProfile), textOf(qx::GetSignProfile(SunSign::Leo)));
    QCOMPARE(textOf(report.YourFriendsFriendshipProfile), textOf(qx::GetSignProfile(SunSign::Libra)));
    QCOMPARE(textOf(report.FriendshipCompatibilityResult), textOf(*qx::GetRelationCompatibility("Leo", "Libra")));
}

void TestFriendshipReport::missingFriendSignKeepsTheEarlierOne()
{
    FriendshipReport report;
    qx::UpdateFriendshipReport(report, SunSign::Aries, SunSign::Gemini);
    qx::UpdateFriendshipReport(report, SunSign::Taurus, std::nullopt);
    QCOMPARE(textOf(report.YourSunSign), QStringLiteral("Taurus"));
    QCOMPARE(textOf(report.YourFriendsSunSign), QStringLiteral("Gemini"));
    QCOMPARE(textOf(report.YourFriendsFriendshipProfile), textOf(qx::GetSignProfile(SunSign::Gemini)));
    QCOMPARE(textOf(report.FriendshipCompatibilityResult), textOf(qx::relationSentence(15)));
    QCOMPARE(textOf(report.FriendshipCompatibility), CouldBeBetter);
}

void TestFriendshipReport::repeatedTestGivesTheSameReport()
{
    FriendshipReport report;
    qx::UpdateFriendshipReport(report, SunSign::Scorpio, SunSign::Capricorn);
    const FriendshipReport first = report;
    qx::UpdateFriendshipReport(report, SunSign::Scorpio, SunSign::Capricorn);
    const auto before = qx::reportFields(first);
    const auto after = qx::reportFields(report);
    for (std::size_t i = 0; i < before.size(); ++i)
        QCOMPARE(textOf(*after[i].second), textOf(*before[i].second));
}

void TestFriendshipReport::fieldsInOrder()
{
    FriendshipReport report;
    const auto fields = qx::reportFields(report);
    const QStringList expectedNames = {
        QStringLiteral("YourSunSign"),
        QStringLiteral("YourFriendsSunSign"),
        QStringLiteral("YourFriendshipProfile"),
        QStringLiteral("YourFriendsFriendshipProfile"),
        QStringLiteral("FriendshipCompatibilityResult"),
        QStringLiteral("FriendshipCompatibility"),
        QStringLiteral("Dependable"),
        QStringLiteral("Caring"),
        QStringLiteral("Outgoing"),
        QStringLiteral("Loyal"),
        QStringLiteral("Adventurous"),
        QStringLiteral("Initiator"),
        QStringLiteral("Listener"),
    };
    QStringList names;
    for (const auto &field : fields)
        names << textOf(field.first);
    QCOMPARE(names, expectedNames);

    // Each name leads to its own field.
    const std::string *const members[] = {
        &report.YourSunSign,
        &report.YourFriendsSunSign,
        &report.YourFriendshipProfile,
        &report.YourFriendsFriendshipProfile,
        &report.FriendshipCompatibilityResult,
        &report.FriendshipCompatibility,
        &report.Dependable,
        &report.Caring,
        &report.Outgoing,
        &report.Loyal,
        &report.Adventurous,
        &report.Initiator,
        &report.Listener,
    };
    for (std::size_t i = 0; i < fields.size(); ++i)
        QVERIFY2(fields[i].second == members[i], qPrintable(names.at(static_cast<qsizetype>(i))));
}

QTEST_APPLESS_MAIN(TestFriendshipReport)
#include "tst_friendshipreport.moc"
