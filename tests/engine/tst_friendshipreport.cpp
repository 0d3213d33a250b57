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
    void verdictIsSymmetricAndMeansTwoSignsApart();
    void traitLines_data();
    void traitLines();
    void profilesAndPairText();
    void firstTestWithoutUserSignLeavesUserFieldsEmpty();
    void missingUserSignKeepsTheEarlierOne();
    void missingFriendSignKeepsTheEarlierOne();
};

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

    // In zodiac order, Aries first.
    const QStringList rows[] = {
        {LetsDown, DoesNotCare, Extrovert, NotAlwaysLoyal, LovesAdventures, KeepsGoing, DoesNotListen},
        {AlwaysThere, CareALot, Introvert, HighlyLoyal, HatesAdventures, NoInitiative, ListensSometimes},
        {NotDependable, CaresAtTimes, Extrovert, NotAlwaysLoyal, LovesAdventures, Forgives, ListensToAll},
        {NotDependable, CareALot, Introvert, HighlyLoyal, HatesAdventures, KeepsGoing, ListensSometimes},
        {LetsDown, CareALot, Extrovert, HighlyLoyal, DoesNotMind, KeepsGoing, ListensSometimes},
        {AlwaysThere, CareALot, Introvert, MostlyLoyal, DoesNotMind, Forgives, ListensSometimes},
        {LetsDown, CareALot, NotOutgoing, MostlyLoyal, HatesAdventures, KeepsGoing, ListensToAll},
        {LetsDown, CaresAtTimes, Introvert, HighlyLoyal, HatesAdventures, Forgives, ListensSometimes},
        {NotDependable, CaresAtTimes, Extrovert, NotAlwaysLoyal, LovesAdventures, Forgives, DoesNotListen},
        {AlwaysThere, CaresAtTimes, NotOutgoing, MostlyLoyal, HatesAdventures, KeepsGoing, ListensSometimes},
        {LetsDown, DoesNotCare, NotOutgoing, NotAlwaysLoyal, LovesAdventuresAquarius, KeepsGoing, DoesNotListen},
        {LetsDown, CareALot, Introvert, MostlyLoyal, DoesNotMind, NoInitiative, ListensToAll},
    };
    for (SunSign user : qx::AllSigns)
        QTest::newRow(qx::signName(user).data()) << user << rows[static_cast<std::size_t>(user)];
}

void TestFriendshipReport::traitLines()
{
    QFETCH(SunSign, user);
    QFETCH(QStringList, expected);
    // The friend's sign plays no part in them.
    for (SunSign friendSign : qx::AllSigns)
        QCOMPARE(traitsOf(reportFor(user, friendSign)), expected);
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

QTEST_APPLESS_MAIN(TestFriendshipReport)
#include "tst_friendshipreport.moc"
