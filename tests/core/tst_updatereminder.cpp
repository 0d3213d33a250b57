#include "core/SettingsEncoding.h"
#include "core/SiteDirectory.h"
#include "core/UpdateReminder.h"
#include "support/TestPlatform.h"

#include <QtTest>

namespace qx::test {
namespace {

const QString Question = QStringLiteral(
    "There maybe an update to this software available\rDo you want to check for an update?");

QString storedKey()
{
    return QStringLiteral("Settings/") + EncodeSetting(QStringLiteral("Duration"));
}

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

class TestUpdateReminder : public QObject {
    Q_OBJECT

    std::unique_ptr<TestPlatform> services;

    void storeDate(const QDate &date)
    {
        services->settings.values.insert(storedKey(), EncodeSetting(reminderDateText(date)));
    }
    void storeDaysFromToday(int days) { storeDate(services->clock.date.addDays(days)); }
    QString storedText() const { return DecodeSetting(services->settings.values.value(storedKey())); }
    bool storedToday() const { return storedText() == services->clock.date.toString(QStringLiteral("yyyy-MM-dd")); }

private Q_SLOTS:
    void init() { services = std::make_unique<TestPlatform>(); }
    void cleanup()
    {
        services.reset();
        QLocale::setDefault(QLocale::c());
    }

    void firstStartStoresTodayAndAsksNothing()
    {
        services->clock.date = QDate(2026, 12, 8);
        PromptForUpdate();
        QVERIFY(services->messages.messages.isEmpty());
        QVERIFY(services->urls.addresses.isEmpty());
        QCOMPARE(services->settings.values.keys(), QStringList{storedKey()});
        QCOMPARE(services->settings.values.value(storedKey()), EncodeSetting(QStringLiteral("2026-12-08")));
        // It reaches the disk later, when the start-up flushes the settings.
        QCOMPARE(services->settings.flushCount, 0);
    }

    void quietWithinFourteenDays_data()
    {
        QTest::addColumn<int>("days");
        for (const int days : {-14, -13, -1, 0, 1, 13, 14})
            QTest::addRow("%d", days) << days;
    }
    void quietWithinFourteenDays()
    {
        QFETCH(int, days);
        storeDaysFromToday(days);
        const QString before = services->settings.values.value(storedKey());
        PromptForUpdate();
        QVERIFY(services->messages.messages.isEmpty());
        QCOMPARE(services->settings.writeCount, 0);
        QCOMPARE(services->settings.values.value(storedKey()), before);
        QVERIFY(services->urls.addresses.isEmpty());
    }

    void asksBeyondFourteenDays_data()
    {
        QTest::addColumn<int>("days");
        for (const int days : {-15, -16, -400, 15, 16, 4000})
            QTest::addRow("%d", days) << days;
    }
    void asksBeyondFourteenDays()
    {
        QFETCH(int, days);
        storeDaysFromToday(days);
        PromptForUpdate();
        QCOMPARE(services->messages.messages.size(), 1);
        const auto &message = services->messages.messages.constFirst();
        QCOMPARE(message.text, Question);
        QCOMPARE(message.icon, MessageIcon::Information);
        QCOMPARE(message.buttons, MessageButtons::YesNo);
        QVERIFY(storedToday());
    }

    void daysAreCalendarDays_data()
    {
        QTest::addColumn<QDate>("stored");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<bool>("asks");
        QTest::newRow("over new year, 15") << QDate(2026, 12, 31) << QDate(2027, 1, 15) << true;
        QTest::newRow("over new year, 14") << QDate(2026, 12, 31) << QDate(2027, 1, 14) << false;
        QTest::newRow("leap February, 15") << QDate(2024, 2, 14) << QDate(2024, 2, 29) << true;
        QTest::newRow("leap February, 14") << QDate(2024, 2, 15) << QDate(2024, 2, 29) << false;
        QTest::newRow("March after leap day, 14") << QDate(2024, 2, 20) << QDate(2024, 3, 5) << false;
        QTest::newRow("clock set back 15") << QDate(2026, 3, 20) << QDate(2026, 3, 5) << true;
    }
    void daysAreCalendarDays()
    {
        QFETCH(QDate, stored);
        QFETCH(QDate, today);
        QFETCH(bool, asks);
        services->clock.date = today;
        storeDate(stored);
        PromptForUpdate();
        QCOMPARE(services->messages.messages.size(), asks ? 1 : 0);
        QCOMPARE(services->settings.writeCount, asks ? 1 : 0);
    }

    // The answer reaches the disk before anything else happens.
    void answerNoStoresTodayAndOpensNothing()
    {
        storeDaysFromToday(-20);
        services->messages.answers.enqueue(MessageAnswer::No);
        PromptForUpdate();
        QCOMPARE(services->messages.messages.size(), 1);
        QVERIFY(services->urls.addresses.isEmpty());
        QVERIFY(storedToday());
        QCOMPARE(services->settings.flushCount, 1);

        // The next question comes no sooner than 15 days later.
        const QDate answered = services->clock.date;
        services->clock.date = answered.addDays(14);
        PromptForUpdate();
        QCOMPARE(services->messages.messages.size(), 1);
        services->clock.date = answered.addDays(15);
        PromptForUpdate();
        QCOMPARE(services->messages.messages.size(), 2);
    }

    // The program was told to end while the question was up: as if it had
    // not been asked.
    void unansweredQuestionStoresNothing()
    {
        storeDaysFromToday(-20);
        const QString before = storedText();
        services->messages.answers.enqueue(MessageAnswer::Unanswered);
        PromptForUpdate();
        QCOMPARE(services->messages.messages.size(), 1);
        QCOMPARE(storedText(), before);
        QVERIFY(services->urls.addresses.isEmpty());
    }

    // Stored and on the disk before the page opens.
    void answerYesStoresFirstThenOpensTheDownloadPage()
    {
        storeDaysFromToday(-15);
        services->messages.answers.enqueue(MessageAnswer::Yes);
        QString storedWhenOpened;
        int flushesWhenOpened = -1;
        services->urls.onOpen = [&](const QString &) {
            storedWhenOpened = storedText();
            flushesWhenOpened = services->settings.flushCount;
        };
        QString storedWhenAsked;
        services->messages.onShow = [&](const auto &) { storedWhenAsked = storedText(); };

        PromptForUpdate();

        QCOMPARE(services->urls.addresses, QStringList{pageAddress(SitePage::Download)});
        QCOMPARE(storedWhenAsked, reminderDateText(services->clock.date.addDays(-15)));
        QCOMPARE(storedWhenOpened, reminderDateText(services->clock.date));
        QCOMPARE(flushesWhenOpened, 1);
        QVERIFY(storedToday());
    }

    void valueThatIsNoDateIsLeftAlone_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("words") << EncodeSetting(QStringLiteral("not a date"));
        QTest::newRow("two-digit year") << EncodeSetting(QStringLiteral("12/8/26"));
        QTest::newRow("impossible date") << EncodeSetting(QStringLiteral("2026-13-45"));
        QTest::newRow("plain text") << QStringLiteral("abc");
        QTest::newRow("not encoded") << QStringLiteral("2026-12-08\u00ff");
    }
    void valueThatIsNoDateIsLeftAlone()
    {
        QFETCH(QString, stored);
        services->settings.values.insert(storedKey(), stored);
        for (int start = 0; start < 2; ++start) {
            PromptForUpdate();
            QVERIFY(services->messages.messages.isEmpty());
            QVERIFY(services->urls.addresses.isEmpty());
            QCOMPARE(services->settings.writeCount, 0);
            QCOMPARE(services->settings.values.value(storedKey()), stored);
        }
    }

    void unreadableStoreEndsTheReminder()
    {
        services->settings.unreadable = true;
        PromptForUpdate();
        QVERIFY(services->messages.messages.isEmpty());
        QCOMPARE(services->settings.writeCount, 0);
    }

    void unwritableStoreOnFirstStart()
    {
        services->settings.unwritable = true;
        PromptForUpdate();
        QVERIFY(services->messages.messages.isEmpty());
        QCOMPARE(services->settings.writeCount, 1);
        QVERIFY(services->settings.values.isEmpty());
    }

    void unwritableStoreEndsTheReminderBeforeThePage()
    {
        storeDaysFromToday(-30);
        services->settings.unwritable = true;
        services->messages.answers.enqueue(MessageAnswer::Yes);
        PromptForUpdate();
        QCOMPARE(services->messages.messages.size(), 1);
        QCOMPARE(services->settings.writeCount, 1);
        QVERIFY(services->urls.addresses.isEmpty());
    }

    // A service that is not installed does nothing: without a clock nothing
    // is stored; without message boxes a due question goes unanswered and
    // the date stays as it was.
    void missingServicesDoNothing()
    {
        installPlatform(Platform{.settings = &services->settings});
        PromptForUpdate();
        QCOMPARE(services->settings.writeCount, 0);

        storeDaysFromToday(-30);
        installPlatform(Platform{.urls = &services->urls, .clock = &services->clock, .settings = &services->settings});
        PromptForUpdate();
        QCOMPARE(services->settings.writeCount, 0);
        QVERIFY(services->urls.addresses.isEmpty());

        // With none installed, every service is there and does nothing.
        installPlatform({});
        PromptForUpdate();
        const Platform &none = platform();
        none.urls->open(pageAddress(SitePage::Home));
        none.clipboard->clear();
        QCOMPARE(none.random->next(), 0.0f);
        QCOMPARE(none.settings->value(QStringLiteral("Settings"), QStringLiteral("x")), std::nullopt);
        QVERIFY(!none.settings->setValue(QStringLiteral("Settings"), QStringLiteral("x"), QStringLiteral("y")));
    }

    void dateTextReadsBackInEveryLocale_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<QString>("reader");
        const QStringList locales{QStringLiteral("en_US"), QStringLiteral("de_DE"), QStringLiteral("ar_EG"),
                                  QStringLiteral("fa_IR"), QStringLiteral("C")};
        for (const QString &writer : locales)
            for (const QString &reader : locales)
                QTest::addRow("%s then %s", qPrintable(writer), qPrintable(reader)) << writer << reader;
    }
    void dateTextReadsBackInEveryLocale()
    {
        QFETCH(QString, writer);
        QFETCH(QString, reader);
        const QDate firstStart(2026, 12, 8);

        QLocale::setDefault(QLocale(writer));
        services->clock.date = firstStart;
        PromptForUpdate();
        QCOMPARE(storedText(), QStringLiteral("2026-12-08"));
        QCOMPARE(DecodeSetting(EncodeSetting(storedText())), storedText());

        QLocale::setDefault(QLocale(reader));
        services->clock.date = firstStart.addDays(14);
        PromptForUpdate();
        QVERIFY(services->messages.messages.isEmpty());
        QCOMPARE(services->settings.writeCount, 1);

        services->clock.date = firstStart.addDays(15);
        PromptForUpdate();
        QCOMPARE(services->messages.messages.size(), 1);
        QCOMPARE(storedText(), QStringLiteral("2026-12-23"));
    }

    void dateTextIsIso8601()
    {
        QCOMPARE(reminderDateText(QDate(2026, 1, 2)), QStringLiteral("2026-01-02"));
        QCOMPARE(reminderDateFromText(QStringLiteral("2026-01-02")), QDate(2026, 1, 2));
        QVERIFY(!reminderDateFromText(QString()).isValid());
        QVERIFY(!reminderDateFromText(QStringLiteral("02.01.2026")).isValid());
    }
};

QTEST_GUILESS_MAIN(TestUpdateReminder)
#include "tst_updatereminder.moc"
