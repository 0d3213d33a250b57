#include "core/platform/SystemServices.h"
#include "core/SettingsEncoding.h"
#include "core/SingleInstanceGuard.h"
#include "core/SiteDirectory.h"
#include "core/UpdateReminder.h"
#include "support/IsolatedUserDirectories.h"
#include "support/TestPlatform.h"
#include "support/Windows.h"
#include "ui/DesktopApplication.h"
#include "ui/Forms.h"
#include "ui/FrmMain.h"
#include "ui/StartupForm.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

#include <cmath>
#include <functional>

namespace qx::test {
namespace {

QString storedKey()
{
    return QStringLiteral("Settings/") + EncodeSetting(QStringLiteral("Duration"));
}

// Runs a function on every event of one type that the watched objects get.
class EventWatch : public QObject {
public:
    EventWatch(QEvent::Type type, std::function<void()> onEvent)
        : m_type(type)
        , m_onEvent(std::move(onEvent))
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == m_type)
            m_onEvent();
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<void()> m_onEvent;
};

// The banner of the stacked pair that lies in front: the later sibling.
QLabel *frontBanner(const FrmMain *mainWindow)
{
    QLabel *cobrand = control<QLabel>(mainWindow, "lblCobrand");
    QLabel *fullBrand = control<QLabel>(mainWindow, "lblFullBrand");
    if (cobrand->parent() != fullBrand->parent())
        return nullptr;
    const QObjectList siblings = cobrand->parent()->children();
    return siblings.indexOf(cobrand) > siblings.indexOf(fullBrand) ? cobrand : fullBrand;
}

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

class TestStartupForm : public QObject {
    Q_OBJECT

    std::unique_ptr<TestPlatform> services;
    std::unique_ptr<QTemporaryDir> lockDirectory;
    int startupShows = 0;
    EventWatch startupShowWatch{QEvent::Show, [this] { ++startupShows; }};

    // In a folder of the test's own: the guard may make the lock's folder and
    // the one above it, and has no business with the system's /tmp.
    QString lockPath() const { return lockDirectory->filePath(QStringLiteral("lock/copy.lock")); }

    StartupForm *createStartupForm()
    {
        auto *startup = Forms::get<StartupForm>();
        startup->setInstanceLockPath(lockPath());
        startup->installEventFilter(&startupShowWatch);
        return startup;
    }

public:
    static void initMain() { isolateUserDirectories(); }

private Q_SLOTS:
    void initTestCase() { setUpDesktopApplication(); }

    void init()
    {
        services = std::make_unique<TestPlatform>();
        lockDirectory = std::make_unique<QTemporaryDir>();
        QVERIFY(lockDirectory->isValid());
        startupShows = 0;
    }

    void cleanup()
    {
        Forms::reset();
        destroyUnloadedWindows();
        services.reset();
        lockDirectory.reset();
    }

    void firstStartFromLoadToClosingTheStartupForm()
    {
        services->random.values.enqueue(0.25f);
        StartupForm *startup = createStartupForm();
        QCOMPARE(startup->intCoBrandRandomNumber, 0);

        QVERIFY(startup->Form_Load());

        QVERIFY(services->messages.messages.isEmpty());
        QVERIFY(services->urls.addresses.isEmpty());
        auto *mainWindow = Forms::find<FrmMain>();
        QVERIFY(mainWindow);
        QVERIFY(mainWindow->isVisible());
        QVERIFY(!mainWindow->parentWidget());
        QVERIFY(!startup->isVisible());
        QCOMPARE(startupShows, 0);
        QCOMPARE(Forms::loadedInOrder(), (QList<QWidget *>{startup, mainWindow}));
        QCOMPARE(visibleWindows(), QList<QWidget *>{mainWindow});
        QCOMPARE(services->random.randomizeCount, 1);
        QCOMPARE(DecodeSetting(services->settings.values.value(storedKey())), reminderDateText(services->clock.date));
        QCOMPARE(startup->intCoBrandRandomNumber, 2);
        QVERIFY(!Forms::exitRequested());
        // The lock stays with this copy for the whole run.
        SingleInstanceGuard other(lockPath());
        QVERIFY(other.anotherInstanceRunning());

        // Closing the start-up form ends the program.
        startup->close();
        QVERIFY(Forms::exitRequested());
        QVERIFY(Forms::loadedInOrder().isEmpty());
        QVERIFY(visibleWindows().isEmpty());
        QCOMPARE(startupShows, 0);
    }

    void stepsRunInOrder()
    {
        services->settings.values.insert(storedKey(),
                                         EncodeSetting(reminderDateText(services->clock.date.addDays(-15))));
        services->messages.answers.enqueue(MessageAnswer::Yes);
        services->random.values.enqueue(0.75f);
        int randomizedWhenAsked = -1;
        bool mainWindowWhenAsked = true;
        services->messages.onShow = [&](const auto &) {
            randomizedWhenAsked = services->random.randomizeCount;
            mainWindowWhenAsked = Forms::find<FrmMain>() != nullptr;
        };
        bool mainWindowWhenOpened = true;
        services->urls.onOpen = [&](const QString &) { mainWindowWhenOpened = Forms::find<FrmMain>() != nullptr; };

        StartupForm *startup = createStartupForm();
        QVERIFY(startup->Form_Load());

        QCOMPARE(services->messages.messages.size(), 1);
        QCOMPARE(randomizedWhenAsked, 1);
        QVERIFY(!mainWindowWhenAsked);
        QCOMPARE(services->urls.addresses, QStringList{pageAddress(SitePage::Download)});
        QVERIFY(!mainWindowWhenOpened);
        QVERIFY(Forms::find<FrmMain>()->isVisible());
        QCOMPARE(startup->intCoBrandRandomNumber, 6);
        QCOMPARE(frontBanner(Forms::find<FrmMain>()), control<QLabel>(Forms::find<FrmMain>(), "lblFullBrand"));
    }

    // The session may end the program while the reminder's question is up:
    // the question stays unanswered and no window comes up after it.
    void theSessionEndingDuringTheQuestionShowsNoWindow()
    {
        const QString fifteenDaysAgo = EncodeSetting(reminderDateText(services->clock.date.addDays(-15)));
        services->settings.values.insert(storedKey(), fifteenDaysAgo);
        services->messages.answers.enqueue(MessageAnswer::Unanswered);
        services->messages.onShow = [](const auto &) { ExitApplication(); };

        QVERIFY(!createStartupForm()->Form_Load());
        QCOMPARE(services->messages.messages.size(), 1);
        QVERIFY(!Forms::find<FrmMain>());
        QVERIFY(visibleWindows().isEmpty());
        QCOMPARE(services->settings.values.value(storedKey()), fifteenDaysAgo);
        QVERIFY(services->urls.addresses.isEmpty());
    }

    // What the start-up stored reaches the disk right after the main
    // window's first frame, never before it.
    void theFirstFrameComesBeforeTheSettingsAreFlushed()
    {
        int flushesAtFirstPaint = -1;
        EventWatch paints(QEvent::Paint, [&] {
            if (flushesAtFirstPaint < 0)
                flushesAtFirstPaint = services->settings.flushCount;
        });
        Forms::get<FrmMain>()->installEventFilter(&paints);
        QVERIFY(createStartupForm()->Form_Load());
        QCOMPARE(services->settings.flushCount, 0);
        QTRY_COMPARE(services->settings.flushCount, 1);
        QCOMPARE(flushesAtFirstPaint, 0);
        Forms::get<FrmMain>()->repaint(); // later frames flush nothing more
        QCoreApplication::sendPostedEvents();
        QCOMPARE(services->settings.flushCount, 1);
    }

    void failingReminderDoesNotStopStartUp_data()
    {
        QTest::addColumn<bool>("unreadable");
        QTest::addColumn<bool>("unwritable");
        QTest::addColumn<QString>("stored");
        QTest::newRow("unreadable store") << true << false << QString();
        QTest::newRow("unwritable store") << false << true << QString();
        QTest::newRow("stored value no date") << false << false << EncodeSetting(QStringLiteral("12/8/26"));
    }
    void failingReminderDoesNotStopStartUp()
    {
        QFETCH(bool, unreadable);
        QFETCH(bool, unwritable);
        QFETCH(QString, stored);
        services->settings.unreadable = unreadable;
        services->settings.unwritable = unwritable;
        if (!stored.isEmpty())
            services->settings.values.insert(storedKey(), stored);
        services->random.values.enqueue(0.5f);

        StartupForm *startup = createStartupForm();
        QVERIFY(startup->Form_Load());
        QVERIFY(services->messages.messages.isEmpty());
        QVERIFY(Forms::find<FrmMain>()->isVisible());
        QVERIFY(!startup->isVisible());
        QCOMPARE(startup->intCoBrandRandomNumber, 4);
        if (!stored.isEmpty())
            QCOMPARE(services->settings.values.value(storedKey()), stored);
    }

    void secondCopyIsRefused()
    {
        SingleInstanceGuard firstCopy(lockPath());
        QVERIFY(!firstCopy.anotherInstanceRunning());
        const QByteArray lockBefore = [&] {
            QFile file(lockPath());
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();
        bool endedBeforeTheMessage = true;
        services->messages.onShow = [&](const auto &) { endedBeforeTheMessage = Forms::exitRequested(); };

        QPointer<StartupForm> startup = createStartupForm();
        QVERIFY(!startup->Form_Load());

        QCOMPARE(services->messages.messages.size(), 1);
        const auto &message = services->messages.messages.constFirst();
        QCOMPARE(message.text, QStringLiteral("Application is already running"));
        QCOMPARE(message.icon, MessageIcon::Information);
        QCOMPARE(message.buttons, MessageButtons::Ok);
        QVERIFY(!endedBeforeTheMessage);

        QVERIFY(Forms::exitRequested());
        QVERIFY(Forms::loadedInOrder().isEmpty());
        QVERIFY(!Forms::find<FrmMain>());
        QVERIFY(visibleWindows().isEmpty());
        QCOMPARE(startupShows, 0);
        QCOMPARE(services->settings.readCount, 0);
        QCOMPARE(services->settings.writeCount, 0);
        QCOMPARE(services->random.randomizeCount, 0);
        QVERIFY(services->urls.addresses.isEmpty());
        QCOMPARE(startup->intCoBrandRandomNumber, 0);

        // The running copy is left as it was.
        QVERIFY(firstCopy.holdsLock());
        QFile file(lockPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), lockBefore);

        destroyUnloadedWindows();
        QVERIFY(startup.isNull());
    }

    void bannerRule_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("cobrandInFrontBefore");
        QTest::addColumn<bool>("cobrandInFrontAfter");

        const float justBelowOne = std::nextafter(1.0f, 0.0f);
        // Ties go to the even number: 2.5 -> 2, 5.5 -> 6.
        QTest::newRow("0.25 -> 2") << 0.25f << 2 << true << false;
        QTest::newRow("0.75 -> 6") << 0.75f << 6 << true << false;
        QTest::newRow("0 -> 1") << 0.0f << 1 << false << true;
        QTest::newRow("1/12 -> 2") << 1.0f / 12.0f << 2 << true << false;
        QTest::newRow("0.0625 -> 1") << 0.0625f << 1 << false << true;
        QTest::newRow("0.125 -> 2") << 0.125f << 2 << true << false;
        QTest::newRow("0.375 -> 3") << 0.375f << 3 << false << true;
        QTest::newRow("0.5 -> 4") << 0.5f << 4 << true << false;
        QTest::newRow("0.625 -> 5") << 0.625f << 5 << false << true;
        QTest::newRow("0.875 -> 6") << 0.875f << 6 << true << false;
        QTest::newRow("0.9375 -> 7, full brand stays") << 0.9375f << 7 << false << false;
        QTest::newRow("just below 1 -> 7, co-brand stays") << justBelowOne << 7 << true << true;
    }
    void bannerRule()
    {
        QFETCH(float, r);
        QFETCH(int, number);
        QFETCH(bool, cobrandInFrontBefore);
        QFETCH(bool, cobrandInFrontAfter);
        StartupForm *startup = createStartupForm();
        auto *mainWindow = Forms::get<FrmMain>();
        // The full brand lies in front as created.
        QCOMPARE(frontBanner(mainWindow), control<QLabel>(mainWindow, "lblFullBrand"));
        QCOMPARE(control<QLabel>(mainWindow, "lblCobrand")->geometry(),
                 control<QLabel>(mainWindow, "lblFullBrand")->geometry());
        if (cobrandInFrontBefore)
            mainWindow->bringCoBrandBannerToFront();
        services->random.values.enqueue(r);

        startup->CoBrand_Randomize();

        QCOMPARE(startup->intCoBrandRandomNumber, number);
        QCOMPARE(frontBanner(mainWindow), cobrandInFrontAfter ? control<QLabel>(mainWindow, "lblCobrand")
                                                              : control<QLabel>(mainWindow, "lblFullBrand"));
    }

    void drawWithoutMainWindowDoesNoHarm()
    {
        StartupForm *startup = createStartupForm();
        services->random.values.enqueue(0.375f);
        startup->CoBrand_Randomize();
        QCOMPARE(startup->intCoBrandRandomNumber, 3);
        QVERIFY(!Forms::find<FrmMain>());
    }

    void bannersOverManyStarts()
    {
        QtRandomSource random;
        Platform withRealGenerator = platform();
        withRealGenerator.random = &random;
        installPlatform(withRealGenerator);
        random.randomize();

        StartupForm *startup = createStartupForm();
        auto *mainWindow = Forms::get<FrmMain>();
        constexpr int starts = 60000;
        QList<int> counts(8, 0);
        int cobrandInFront = 0;
        for (int start = 0; start < starts; ++start) {
            mainWindow->bringFullBrandBannerToFront(); // as created
            startup->CoBrand_Randomize();
            ++counts[startup->intCoBrandRandomNumber];
            if (frontBanner(mainWindow) == control<QLabel>(mainWindow, "lblCobrand"))
                ++cobrandInFront;
        }
        QCOMPARE(counts[0], 0);
        // 1 and 7 in 1 start of 12 each, 2 to 6 in 1 of 6 each (about 5 standard deviations).
        for (const int number : {1, 7})
            QVERIFY2(std::abs(counts[number] - starts / 12) < 350, qPrintable(QString::number(counts[number])));
        for (int number = 2; number <= 6; ++number)
            QVERIFY2(std::abs(counts[number] - starts / 6) < 500, qPrintable(QString::number(counts[number])));
        QVERIFY2(std::abs(cobrandInFront - starts * 5 / 12) < 700, qPrintable(QString::number(cobrandInFront)));
    }
};

QTEST_MAIN(TestStartupForm)
#include "tst_startupform.moc"
