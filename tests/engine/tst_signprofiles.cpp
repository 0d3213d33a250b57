#include "engine/SignProfiles.h"
#include "support/TextOf.h"

#include <QTest>

Q_DECLARE_METATYPE(qx::SunSign)

namespace qx::test {
namespace {

QString profileOf(SunSign sign)
{
    return textOf(qx::GetSignProfile(sign));
}

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

// The twelve friendship profiles: one paragraph each, of a fixed length,
// opening and closing with fixed sentences.
class TestSignProfiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void profile_data();
    void profile();
    void virgoIsTwoPiecesJoinedWithoutBlank();
};

void TestSignProfiles::profile_data()
{
    QTest::addColumn<SunSign>("sign");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<QString>("closing");

    QTest::newRow("Aries") << SunSign::Aries << 633
                           << QStringLiteral(
                                  "Friendship with an Arian can be a sweet-n-sour experience for some people.")
                           << QStringLiteral("the Arian's patience will inevitably snap. ");
    QTest::newRow("Taurus") << SunSign::Taurus << 670
                            << QStringLiteral("One cannot ask for a better friend than Taurus in one's lifetime.")
                            << QStringLiteral("So be prepared to wait for the Taurean friendship to blossom.");
    QTest::newRow("Gemini")
        << SunSign::Gemini << 895
        << QStringLiteral(
               "If you ever meet a person who can talk a dime a dozen in one minute and seems to dazzle you with "
               "things you have never heard before, chances are you have been attracted towards a Gemini!")
        << QStringLiteral("everyone agrees they are extremely fun and exciting to be with! ");
    QTest::newRow("Cancer")
        << SunSign::Cancer << 931
        << QStringLiteral(
               "The best part to have a Cancerian as a friend is the chance to give delight to your taste buds!!")
        << QStringLiteral("However, they don't mind to set out for dinner or a movie occasionally. ");
    QTest::newRow("Leo")
        << SunSign::Leo << 906
        << QStringLiteral("These people are in an elated mood when they are in the company of others, as they love to "
                          "hog the limelight in any crowd.")
        << QStringLiteral("A friend who does not appreciate their generosity may not get the chance to show it later.");
    QTest::newRow("Virgo") << SunSign::Virgo << 1146
                           << QStringLiteral(
                                  "The Virgo male / female is one of the most reliable friends and can be your")
                           << QStringLiteral("Virgos are practical people who help you sail through a crisis.");
    QTest::newRow("Libra") << SunSign::Libra << 818
                           << QStringLiteral(
                                  "Libra is a great friend to make, and they can be real charmers, my friend!")
                           << QStringLiteral("And they just love to go on an adventure trip with you.");
    QTest::newRow("Scorpio") << SunSign::Scorpio << 799
                             << QStringLiteral(
                                    "Your relationship with a Scorpio will always turn out to be fifty-fifty situation "
                                    "- they will either be your best friend or your worst enemy.")
                             << QStringLiteral("but they do cling on real tight to the ones they know.");
    QTest::newRow("Sagittarius") << SunSign::Sagittarius << 898
                                 << QStringLiteral("For the Sagittarian, friendship is a stimulating experience.")
                                 << QStringLiteral("On the whole, Sagittarians are your friends for life!");
    QTest::newRow("Capricorn")
        << SunSign::Capricorn << 735
        << QStringLiteral("In the realm of friendship, a Capricorn needs to be convinced that you are worthwhile to "
                          "him before the person extends to you a hand of friendship.")
        << QStringLiteral(
               "However, always be careful not to break their trust, for they really take a long time to recover.");
    QTest::newRow("Aquarius")
        << SunSign::Aquarius << 750 << QStringLiteral("An Aquarian can make friends with almost everyone with ease.")
        << QStringLiteral("For an Aquarian, the best friend is one who stands at the same intellectual plane.");
    QTest::newRow("Pisces")
        << SunSign::Pisces << 664 << QStringLiteral("As a friend, Pisceans are very caring.")
        << QStringLiteral("There is a guarantee though that the company of a Piscean pal would never be boring.");
}

void TestSignProfiles::profile()
{
    QFETCH(SunSign, sign);
    QFETCH(int, length);
    QFETCH(QString, opening);
    QFETCH(QString, closing);

    const QString text = profileOf(sign);
    QCOMPARE(text.size(), length);
    QVERIFY2(text.startsWith(opening), qPrintable(text.left(opening.size())));
    QVERIFY2(text.endsWith(closing), qPrintable(text.right(closing.size())));
    for (QChar c : text)
        QVERIFY2(c.unicode() >= 0x20 && c.unicode() < 0x7f,
                 qPrintable(QStringLiteral("character %1").arg(c.unicode())));
    QVERIFY(!text.startsWith(QLatin1Char(' ')));
    // Only Aries, Gemini and Cancer end with one blank after the last sentence.
    const bool trailingBlank = sign == SunSign::Aries || sign == SunSign::Gemini || sign == SunSign::Cancer;
    QCOMPARE(text.endsWith(QLatin1Char(' ')), trailingBlank);
    QVERIFY(!text.endsWith(QStringLiteral("  ")));
    // Asking twice gives the same text.
    QCOMPARE(profileOf(sign), text);
}

void TestSignProfiles::virgoIsTwoPiecesJoinedWithoutBlank()
{
    const QString text = profileOf(SunSign::Virgo);
    const QString first = text.left(630);
    const QString second = text.mid(630);
    QVERIFY(first.endsWith(QStringLiteral("against the Virgo becoming excessively interfering.")));
    QVERIFY(second.startsWith(QStringLiteral("But you keep silent upon realizing that it is all for your own good.")));
    QVERIFY(first.contains(QStringLiteral("\"walking-talking\"")));
    QVERIFY(first.contains(QStringLiteral("organizer")));
}

QTEST_APPLESS_MAIN(TestSignProfiles)
#include "tst_signprofiles.moc"
