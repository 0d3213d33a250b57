#include "core/modTellAFriend.h"
#include "core/ProgramInfo.h"
#include "core/SiteDirectory.h"
#include "support/TestPlatform.h"
#include "support/Windows.h"
#include "ui/DesktopApplication.h"
#include "ui/Forms.h"
#include "ui/FrmNagScreen2.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include <memory>
#include <optional>

namespace qx::test {
namespace {

const QString ProperAddress = QStringLiteral("Please Enter Proper Email Address");
const QString DistinctAddresses = QStringLiteral("Please Enter Distinct Email Addresses");
const QString EnterName = QStringLiteral("Please Enter Your Name");
const QString EnterEmail = QStringLiteral("Please Enter Your Email");
const QString EnterMessage = QStringLiteral("Please Enter Your Message");
const QString EnterFriendName = QStringLiteral("Please Enter Your Friend's Name");
const QString EnterFriendEmail = QStringLiteral("Please Enter Your Friend's Email");

// Leaves a box as the window set it up.
const QString Untouched = QStringLiteral("<untouched>");

QString referralPage()
{
    return QStringLiteral("http://") + siteHost()
           + QStringLiteral("/qx-free-friendship-compatibility-test/ssd.php?page=qxos-refer-a-friend");
}

QString encodedDirectory()
{
    return QStringLiteral("http%3A%2F%2F") + QString(siteHost()).replace(u':', QStringLiteral("%3A"))
           + QStringLiteral("%2Fqx-free-friendship-compatibility-test%2F");
}

struct Boxes {
    QLineEdit *name;
    QLineEdit *email;
    QLineEdit *friendName;
    QLineEdit *friendEmail;
    QPlainTextEdit *message;
    QPushButton *submit;
};

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

class TestReferAFriend : public QObject {
    Q_OBJECT

    std::unique_ptr<TestPlatform> services;
    FrmNagScreen2 *screen = nullptr;
    Boxes boxes{};

    void fill(const QString &name, const QString &email, const QString &friendName, const QString &friendEmail,
              const QString &message = Untouched)
    {
        if (name != Untouched)
            boxes.name->setText(name);
        if (email != Untouched)
            boxes.email->setText(email);
        if (friendName != Untouched)
            boxes.friendName->setText(friendName);
        if (friendEmail != Untouched)
            boxes.friendEmail->setText(friendEmail);
        if (message != Untouched)
            boxes.message->setPlainText(message);
    }

    QStringList texts() const
    {
        return {boxes.name->text(), boxes.email->text(), boxes.friendName->text(), boxes.friendEmail->text(),
                boxes.message->toPlainText()};
    }

    void press() { QTest::mouseClick(boxes.submit, Qt::LeftButton); }

private Q_SLOTS:
    void initTestCase() { setUpDesktopApplication(); }

    void init()
    {
        services = std::make_unique<TestPlatform>();
        screen = Forms::get<FrmNagScreen2>();
        boxes = {control<QLineEdit>(screen, "txtName"),         control<QLineEdit>(screen, "txtEmail"),
                 control<QLineEdit>(screen, "txtFriendName"),   control<QLineEdit>(screen, "txtFriendEmail"),
                 control<QPlainTextEdit>(screen, "txtMessage"), control<QPushButton>(screen, "cmdSubmit")};
        QVERIFY(boxes.name && boxes.email && boxes.friendName && boxes.friendEmail && boxes.message && boxes.submit);
    }

    void cleanup()
    {
        Forms::reset();
        destroyUnloadedWindows();
    }

    void trimmingRemovesSpacesOnly()
    {
        QCOMPARE(trimReferralText(QStringLiteral("  Ann Lee  ")), QStringLiteral("Ann Lee"));
        QCOMPARE(trimReferralText(QStringLiteral("     ")), QString());
        QCOMPARE(trimReferralText(QStringLiteral(" \tAnn\r\n ")), QStringLiteral("\tAnn\r\n"));
        QCOMPARE(trimReferralText(QStringLiteral("Your Message\r\n")), QStringLiteral("Your Message\r\n"));
    }

    void aRefusedPressShowsOneMessageAndChangesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("friendName");
        QTest::addColumn<QString>("friendEmail");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("expected");

        const QString ann = QStringLiteral("ann@example.com");
        const QString bob = QStringLiteral("bob@example.org");
        const auto row = [](const char *tag, const QString &name, const QString &email, const QString &friendName,
                            const QString &friendEmail, const QString &message, const QString &expected) {
            QTest::newRow(tag) << name << email << friendName << friendEmail << message << expected;
        };

        // The e-mail checks come first, so placeholders end at the "@" check.
        row("all placeholders", Untouched, Untouched, Untouched, Untouched, Untouched, ProperAddress);
        row("e-mails emptied", Untouched, "", Untouched, "", Untouched, DistinctAddresses);
        row("same address", "Ann", ann, "Bob", ann, Untouched, DistinctAddresses);
        row("same malformed address", "Ann", "abc", "Bob", "abc", Untouched, DistinctAddresses);
        row("same address once trimmed", "Ann", ann, "Bob", "  " + ann + " ", Untouched, DistinctAddresses);
        row("no @ in yours", "Ann", "ann.example.com", "Bob", bob, Untouched, ProperAddress);
        row("no @ in friend's", "Ann", ann, "Bob", "bob.example.org", Untouched, ProperAddress);
        row("no . in yours", "Ann", "ann@example", "Bob", bob, Untouched, ProperAddress);
        row("no . in friend's", "Ann", ann, "Bob", "bob@example", Untouched, ProperAddress);
        // Then the entries, in the order name, e-mail, message, friend's name.
        row("name placeholder", Untouched, ann, "Bob", bob, Untouched, EnterName);
        row("name placeholder with spaces", "  Your Name ", ann, "Bob", bob, Untouched, EnterName);
        row("name of spaces", "    ", ann, "Bob", bob, Untouched, EnterName);
        row("name before friend's name", "", ann, "", bob, Untouched, EnterName);
        row("message placeholder", "Ann", ann, "Bob", bob, "Your Message", EnterMessage);
        row("message emptied", "Ann", ann, "Bob", bob, "", EnterMessage);
        row("message of spaces", "Ann", ann, "Bob", bob, "   ", EnterMessage);
        row("message before friend's name", "Ann", ann, Untouched, bob, "", EnterMessage);
        row("friend's name placeholder", "Ann", ann, Untouched, bob, Untouched, EnterFriendName);
        row("friend's name of spaces", "Ann", ann, "  ", bob, Untouched, EnterFriendName);
    }

    void aRefusedPressShowsOneMessageAndChangesNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, email);
        QFETCH(QString, friendName);
        QFETCH(QString, friendEmail);
        QFETCH(QString, message);
        QFETCH(QString, expected);

        fill(name, email, friendName, friendEmail, message);
        const QStringList before = texts();
        const QString urlBefore = ReferralUrl();

        press();

        QCOMPARE(services->messages.texts(), QStringList{expected});
        QCOMPARE(services->messages.messages.first().icon, MessageIcon::Critical);
        QCOMPARE(services->messages.messages.first().buttons, MessageButtons::Ok);
        QVERIFY(services->urls.addresses.isEmpty());
        QCOMPARE(texts(), before);
        QCOMPARE(ReferralUrl(), urlBefore);

        // The entries are copied, trimmed, on every press, also a refused one.
        const ReferralEntries &fields = ReferralFields();
        QCOMPARE(fields.ReferName, trimReferralText(boxes.name->text()));
        QCOMPARE(fields.ReferEmail, trimReferralText(boxes.email->text()));
        QCOMPARE(fields.ReferFriendName, trimReferralText(boxes.friendName->text()));
        QCOMPARE(fields.ReferFriendEmail, trimReferralText(boxes.friendEmail->text()));
    }

    void looseAddressesAndUnusualNamesPass_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("friendEmail");
        const auto row = [](const char *tag, const char *name, const char *email, const char *friendEmail) {
            QTest::newRow(tag) << QString(name) << QString(email) << QString(friendEmail);
        };
        row("same address, other case", "Ann", "Ann@Example.com", "ann@example.com");
        row("just the two characters", "Ann", "@.", ".@");
        row("placeholder in lower case", "your name", "a@b.c", "b@c.d");
        row("a tab is not trimmed", "\t", "a@b.c", "b@c.d");
    }

    void looseAddressesAndUnusualNamesPass()
    {
        QFETCH(QString, name);
        QFETCH(QString, email);
        QFETCH(QString, friendEmail);
        fill(name, email, QStringLiteral("Bob"), friendEmail);
        press();
        QCOMPARE(services->messages.texts(), QStringList());
        QCOMPARE(services->urls.addresses.size(), 1);
    }

    void awkwardValuesAreEncodedAndEachPressOrReopeningOpensThePage()
    {
        fill(QStringLiteral("TOM & JERRY+1"), QStringLiteral(" tom@example.com"), QStringLiteral("#"),
             QStringLiteral("jerry@example.org  "));
        press();
        press();

        // The message box was never touched: its text keeps its line break.
        const QString expected = referralPage()
                                 + QStringLiteral("&taf1=TOM%20%26%20JERRY%2B1"
                                                  "&taf2=tom%40example.com"
                                                  "&taf3=Your%20Message%0D%0A"
                                                  "&taf4=%23"
                                                  "&taf5=jerry%40example.org"
                                                  "&taf6=")
                                 + encodedDirectory();
        QCOMPARE(services->urls.addresses, QStringList({expected, expected}));
        QCOMPARE(ReferralUrl(), expected);
        QVERIFY(services->messages.messages.isEmpty());
        // Opening the referral page again opens the last address.
        OpenReferralUrl();
        QCOMPARE(services->urls.addresses, QStringList({expected, expected, expected}));

        // Nothing is reset after a submission.
        QCOMPARE(boxes.name->text(), QStringLiteral("TOM & JERRY+1"));
        QCOMPARE(boxes.message->toPlainText(), QStringLiteral("Your Message\n"));
    }

    void aTypedMessageIsSentWithCarriageReturnsAndLineFeeds()
    {
        fill(QStringLiteral("Ann"), QStringLiteral("a@b.c"), QStringLiteral("Bob"), QStringLiteral("b@c.d"), QString());
        QTest::keyClicks(boxes.message, QStringLiteral("Hi"));
        QTest::keyClick(boxes.message, Qt::Key_Return);
        QTest::keyClicks(boxes.message, QStringLiteral("there"));
        press();
        QCOMPARE(ReferralFields().ReferMessage, QStringLiteral("Hi\r\nthere"));
        QCOMPARE(services->urls.addresses.size(), 1);
        QVERIFY(services->urls.addresses.first().contains(QStringLiteral("&taf3=Hi%0D%0Athere&taf4=")));
    }

    // The boxes hold what no real name, e-mail address or message needs to
    // exceed, however much is pasted, and the longest entries they hold make
    // an address far below what one argument to the browser launcher takes.
    void entriesAreBoundedAndTheAddressStaysShort()
    {
        const QString flood(1000000, QChar(0x20AC)); // the euro sign: three bytes of UTF-8
        screen->show();
        QGuiApplication::clipboard()->setText(flood);
        for (QLineEdit *box : {boxes.name, boxes.email, boxes.friendName, boxes.friendEmail}) {
            box->clear();
            box->paste();
        }
        boxes.message->clear();
        boxes.message->paste();
        QCOMPARE(texts(),
                 (QStringList{flood.left(128), flood.left(254), flood.left(128), flood.left(254), flood.left(2000)}));
        QVERIFY(boxes.message->verticalScrollBar()->value() > 0); // the paste ends in sight
        QVERIFY(boxes.message->viewport()->rect().contains(boxes.message->cursorRect()));
        // In the full message box a key types nothing, and what replaces a selection may be as long as it.
        QTest::keyClick(boxes.message, Qt::Key_A);
        QCOMPARE(boxes.message->toPlainText(), flood.left(2000));
        QTextCursor selection = boxes.message->textCursor();
        selection.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, 3);
        boxes.message->setTextCursor(selection);
        QGuiApplication::clipboard()->setText(QStringLiteral("abcd"));
        boxes.message->paste();
        QCOMPARE(boxes.message->toPlainText(), flood.left(1997) + QStringLiteral("abc"));
        QTest::keyClick(boxes.message, Qt::Key_Backspace);
        QTest::keyClick(boxes.message, Qt::Key_Z);
        QCOMPARE(boxes.message->toPlainText(), flood.left(1997) + QStringLiteral("abz"));
        // So is composed text: what fits goes in whole, the rest is cut.
        QTest::keyClick(boxes.message, Qt::Key_Backspace);
        QTest::keyClick(boxes.message, Qt::Key_Backspace);
        for (const char *composed : {"x", "yz"}) {
            QInputMethodEvent commit;
            commit.setCommitString(QString::fromLatin1(composed));
            QApplication::sendEvent(boxes.message, &commit);
        }
        QCOMPARE(boxes.message->toPlainText(), flood.left(1997) + QStringLiteral("axy"));
        // A paste without text leaves a selection as it is.
        auto *picture = new QMimeData;
        picture->setImageData(QImage(4, 4, QImage::Format_RGB32));
        QGuiApplication::clipboard()->setMimeData(picture);
        boxes.message->selectAll();
        boxes.message->paste();
        QCOMPARE(boxes.message->toPlainText(), flood.left(1997) + QStringLiteral("axy"));

        const ReferralEntries longest{flood.left(MaxNameLength), flood.left(MaxEmailLength),
                                      QString(MaxMessageLength, QChar(0x20AC)), flood.left(MaxNameLength),
                                      flood.left(MaxEmailLength)};
        QVERIFY(referralAddress(longest).size() < 32 * 1024);
    }

    void everyCharacterOutsideTheUnreservedSetIsEncoded_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("encoded");
        const auto row = [](const char *tag, const QString &value, const char *encoded) {
            QTest::newRow(tag) << value << QString(encoded);
        };
        row("unreserved", "AZaz09-._~", "AZaz09-._~");
        row("query delimiters", "a=b&c;d", "a%3Db%26c%3Bd");
        row("plus and blank", "+ ", "%2B%20");
        row("fragment and percent", "#%", "%23%25");
        row("line breaks and tab", "\r\n\t", "%0D%0A%09");
        row("address characters", "/?:@", "%2F%3F%3A%40");
        row("beyond ASCII", QStringLiteral("Zoë"), "Zo%C3%AB");
    }

    void everyCharacterOutsideTheUnreservedSetIsEncoded()
    {
        QFETCH(QString, value);
        QFETCH(QString, encoded);
        const ReferralEntries entries{value, value, value, value, value};
        const QString address = referralAddress(entries);
        const QString expected = referralPage() + QStringLiteral("&taf1=") + encoded + QStringLiteral("&taf2=")
                                 + encoded + QStringLiteral("&taf3=") + encoded + QStringLiteral("&taf4=") + encoded
                                 + QStringLiteral("&taf5=") + encoded + QStringLiteral("&taf6=") + encodedDirectory();
        QCOMPARE(address, expected);
        // Whatever the values, the address has exactly its seven query pairs.
        const QUrlQuery query(QUrl(address).query(QUrl::FullyEncoded));
        QCOMPARE(query.queryItems().size(), 7);
        QCOMPARE(query.queryItemValue(QStringLiteral("taf3"), QUrl::FullyDecoded), value);
    }

    void theEntriesAreCheckedInTheirOrder()
    {
        // Step by step, each entry filled in lets the next one be reported;
        // the e-mail messages can only be reached this way.
        ReferralEntries &fields = ReferralFields();
        fields = ReferralEntries{};
        const QString urlBefore = ReferralUrl();
        const QList<std::pair<QString ReferralEntries::*, QString>> steps = {
            {&ReferralEntries::ReferName, EnterName},
            {&ReferralEntries::ReferEmail, EnterEmail},
            {&ReferralEntries::ReferMessage, EnterMessage},
            {&ReferralEntries::ReferFriendName, EnterFriendName},
            {&ReferralEntries::ReferFriendEmail, EnterFriendEmail},
        };
        for (const auto &[field, message] : steps) {
            services->messages.messages.clear();
            SubmitReferral();
            QCOMPARE(services->messages.texts(), QStringList{message});
            QCOMPARE(ReferralUrl(), urlBefore);
            fields.*field = QStringLiteral("x");
        }
        services->messages.messages.clear();
        SubmitReferral();
        QVERIFY(services->messages.messages.isEmpty());
        QCOMPARE(services->urls.addresses, QStringList{ReferralUrl()});
        QVERIFY(ReferralUrl().startsWith(referralPage() + QStringLiteral("&taf1=x&taf2=x&")));

        fields.ReferEmail = QStringLiteral("Your Email Address");
        services->messages.messages.clear();
        SubmitReferral();
        QCOMPARE(services->messages.texts(), QStringList{EnterEmail});
        fields.ReferEmail = QStringLiteral("x");
        fields.ReferFriendEmail = QStringLiteral("Friend's Email Address");
        services->messages.messages.clear();
        SubmitReferral();
        QCOMPARE(services->messages.texts(), QStringList{EnterFriendEmail});
    }
};

QTEST_MAIN(TestReferAFriend)
#include "tst_referafriend.moc"
