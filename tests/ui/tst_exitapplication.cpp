#include "support/TestPlatform.h"
#include "support/Windows.h"
#include "ui/DesktopApplication.h"
#include "ui/Forms.h"
#include "ui/FrmAbout.h"
#include "ui/FrmDisplay.h"
#include "ui/FrmMain.h"
#include "ui/FrmNagScreen2.h"
#include "ui/StartupForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QTimer>
#include <QtTest>

namespace qx::test {
namespace {

// The unload steps in the order they ran, by class name: a loaded window's
// unload step is its close event.
class UnloadLog : public QObject {
public:
    QStringList steps;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close && watched->isWidgetType()
            && Forms::isLoaded(static_cast<QWidget *>(watched)))
            steps.append(QString::fromLatin1(watched->metaObject()->className()).section(QStringLiteral("::"), -1));
        return false;
    }
};

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

// A window whose unload step refuses to finish.
class StubbornWindow : public QWidget {
    Q_OBJECT

protected:
    void closeEvent(QCloseEvent *event) override { event->ignore(); }
};

// A window whose unload step loads a fresh one of its kind, again and again.
class RestlessWindow : public QWidget {
    Q_OBJECT

protected:
    void closeEvent(QCloseEvent *event) override
    {
        event->accept();
        Forms::unloaded(this);
        Forms::get<RestlessWindow>()->show();
    }
};

// The end of the program with the real windows and their unload steps.
class TestExitApplication : public QObject {
    Q_OBJECT

    std::unique_ptr<TestPlatform> services;
    UnloadLog log;

    // Ended by one call of ExitApplication (unload steps that call it again included).
    void verifyEnded(int exitCalls = 1)
    {
        QVERIFY(Forms::exitRequested());
        QVERIFY(Forms::loadedInOrder().isEmpty());
        QVERIFY(visibleWindows().isEmpty());
        QCOMPARE(services->settings.flushCount, exitCalls);
    }

private Q_SLOTS:
    void initTestCase()
    {
        // As in the program: only ExitApplication ends it.
        setUpDesktopApplication();
        qApp->installEventFilter(&log);
    }
    void init()
    {
        services = std::make_unique<TestPlatform>();
        unloadAllWindows();
        log.steps.clear();
    }
    void cleanup()
    {
        unloadAllWindows();
        services.reset();
    }

    void closingMainThenExit()
    {
        // Shown as if the start-up had not hidden it yet.
        auto *startup = Forms::get<StartupForm>();
        startup->show();
        auto *mainWindow = Forms::get<FrmMain>();
        mainWindow->show();

        mainWindow->close();
        QCOMPARE(log.steps, (QStringList{"FrmMain"}));
        QVERIFY(!startup->isVisible());
        QVERIFY(!Forms::isLoaded(mainWindow));
        auto *exitScreen = Forms::find<FrmNagScreen2>();
        QVERIFY(exitScreen && exitScreen->isVisible());
        QVERIFY(!Forms::exitRequested());

        exitScreen->cmdClose_Click();
        QCOMPARE(log.steps, (QStringList{"FrmMain", "StartupForm", "FrmNagScreen2"}));
        verifyEnded();
    }

    void closingResultsWhileMainIsHiddenThenExit()
    {
        Forms::get<StartupForm>();
        auto *mainWindow = Forms::get<FrmMain>();
        auto *results = Forms::get<FrmDisplay>();
        results->show();

        results->close();
        auto *exitScreen = Forms::find<FrmNagScreen2>();
        QVERIFY(exitScreen && exitScreen->isVisible());
        QVERIFY(Forms::isLoaded(mainWindow));
        QVERIFY(!mainWindow->isVisible());

        exitScreen->cmdClose_Click();
        // Load order: start-up form, main window (whose unload step shows the
        // exit screen once more), exit screen.
        QCOMPARE(log.steps, (QStringList{"FrmDisplay", "StartupForm", "FrmMain", "FrmNagScreen2"}));
        verifyEnded();
    }

    void closingTheExitScreenWithItsCloseBox()
    {
        Forms::get<StartupForm>();
        Forms::get<FrmMain>();
        auto *results = Forms::get<FrmDisplay>();
        results->show();
        results->close();

        Forms::find<FrmNagScreen2>()->close();
        // The main window's unload step finds no exit screen, and the end
        // creates none.
        QCOMPARE(log.steps, (QStringList{"FrmDisplay", "FrmNagScreen2", "StartupForm", "FrmMain"}));
        verifyEnded();
        QVERIFY(!Forms::find<FrmNagScreen2>());
    }

    // And destroys them once the event is done.
    void unloadsInLoadOrder()
    {
        auto *exitScreen = Forms::get<FrmNagScreen2>();
        QPointer<StartupForm> startup = Forms::get<StartupForm>();
        auto *results = Forms::get<FrmDisplay>();
        QPointer<FrmMain> mainWindow = Forms::get<FrmMain>();
        QCOMPARE(Forms::loadedInOrder(), (QList<QWidget *>{exitScreen, startup, results, mainWindow}));

        ExitApplication();
        QCOMPARE(log.steps, (QStringList{"FrmNagScreen2", "StartupForm", "FrmDisplay", "FrmMain"}));
        verifyEnded();
        destroyUnloadedWindows();
        QVERIFY(startup.isNull());
        QVERIFY(mainWindow.isNull());
    }

    void reenteredFromTheStartupFormsUnloadStep()
    {
        StartupForm *startup = Forms::get<StartupForm>();
        Forms::get<FrmMain>()->show();
        Forms::get<FrmNagScreen2>();

        // The start-up form's unload step calls ExitApplication itself.
        startup->close();
        QCOMPARE(log.steps, (QStringList{"StartupForm", "FrmMain", "FrmNagScreen2"}));
        verifyEnded();
    }

    void callingAgainAfterTheEndIsHarmless()
    {
        Forms::get<StartupForm>();
        ExitApplication();
        ExitApplication();
        QCOMPARE(log.steps, (QStringList{"StartupForm"}));
        verifyEnded(2);
    }

    void windowThatRefusesToGoIsTakenDown()
    {
        Forms::get<StartupForm>();
        auto *stubborn = Forms::get<StubbornWindow>();
        stubborn->show();
        ExitApplication();
        QCOMPARE(log.steps, (QStringList{"StartupForm", "StubbornWindow"}));
        verifyEnded();
    }

    void unloadStepsThatKeepLoadingWindowsDoNotKeepTheProgramAlive()
    {
        Forms::get<StartupForm>();
        Forms::get<RestlessWindow>()->show();
        ExitApplication();
        // Unload steps run for 32 windows in all: the start-up form's and 31 more.
        QCOMPARE(log.steps.count(QStringLiteral("RestlessWindow")), 31);
        verifyEnded();
    }

    void aWindowOutsideTheCollectionDoesNotStay()
    {
        // The about window is no loaded window: the session may end the
        // program while it is up.
        Forms::get<StartupForm>();
        auto *mainWindow = Forms::get<FrmMain>();
        mainWindow->show();
        FrmAbout about(mainWindow);
        about.show();
        ExitApplication();
        QVERIFY(!about.isVisible());
        verifyEnded();
    }

    void endsTheEventLoop()
    {
        Forms::get<StartupForm>();
        Forms::get<FrmMain>()->show();
        QTimer::singleShot(0, [] { Forms::find<FrmMain>()->close(); });
        QTimer::singleShot(10, [] { Forms::find<FrmNagScreen2>()->cmdClose_Click(); });
        QObject safety; // a way out should the steps go wrong; its timer goes with it
        QTimer::singleShot(10000, &safety, [] { QCoreApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
        verifyEnded();
    }
};

QTEST_MAIN(TestExitApplication)
#include "tst_exitapplication.moc"
