#include "support/TestPlatform.h"
#include "support/Windows.h"
#include "ui/Forms.h"
#include "ui/StartupForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QTimer>
#include <QtTest>

namespace qx::test {
namespace {

// The unload steps in the order they ran, by class name.
QStringList unloadLog;

void logUnload(const QObject *form)
{
    unloadLog.append(QString::fromLatin1(form->metaObject()->className()).remove(QStringLiteral("qx::")));
}

// Records the start-up form's unload step, which is its close event.
class UnloadSpy : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close)
            logUnload(watched);
        return false;
    }
};

} // namespace
} // namespace qx::test

using namespace qx;
using namespace qx::test;

// Stand-ins for the windows, with the unload steps of the real ones.
class FakeExitScreen : public QWidget {
    Q_OBJECT

public:
    void cmdClose_Click() { ExitApplication(); }

protected:
    void closeEvent(QCloseEvent *event) override
    {
        logUnload(this);
        event->accept();
        Forms::unloaded(this);
        ExitApplication();
    }
};

// The unload step of the main window and of the results window: the exit
// screen takes their place.
class ReplacedByExitScreen : public QWidget {
    Q_OBJECT

public:
    QPointer<QWidget> strayWindow; // shown by the unload step when set

protected:
    void closeEvent(QCloseEvent *event) override
    {
        logUnload(this);
        event->accept();
        Forms::get<FakeExitScreen>()->show();
        Forms::hide<StartupForm>();
        if (strayWindow)
            strayWindow->show();
        Forms::unloaded(this);
    }
};

class FakeMainWindow : public ReplacedByExitScreen {
    Q_OBJECT
};

class FakeResultsWindow : public ReplacedByExitScreen {
    Q_OBJECT
};

// A window whose unload step refuses to finish.
class StubbornWindow : public QWidget {
    Q_OBJECT

protected:
    void closeEvent(QCloseEvent *event) override
    {
        logUnload(this);
        event->ignore();
    }
};

// A window whose unload step loads a fresh one of its kind, again and again.
class RestlessWindow : public QWidget {
    Q_OBJECT

protected:
    void closeEvent(QCloseEvent *event) override
    {
        logUnload(this);
        event->accept();
        Forms::unloaded(this);
        Forms::get<RestlessWindow>()->show();
    }
};

class TestExitApplication : public QObject {
    Q_OBJECT

    std::unique_ptr<TestPlatform> services;
    UnloadSpy spy;

    StartupForm *loadStartupForm()
    {
        auto *startup = Forms::get<StartupForm>();
        startup->installEventFilter(&spy);
        return startup;
    }

    void verifyEnded()
    {
        QVERIFY(Forms::exitRequested());
        QVERIFY(Forms::loadedInOrder().isEmpty());
        QVERIFY(visibleWindows().isEmpty());
        QVERIFY(services->settings.flushCount >= 1);
    }

private Q_SLOTS:
    void initTestCase()
    {
        // As in the program: only ExitApplication ends it.
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void init()
    {
        services = std::make_unique<TestPlatform>();
        Forms::reset();
        destroyUnloadedWindows();
        unloadLog.clear();
    }
    void cleanup()
    {
        Forms::reset();
        destroyUnloadedWindows();
        services.reset();
    }

    void closingMainThenExit()
    {
        loadStartupForm();
        auto *mainWindow = Forms::get<FakeMainWindow>();
        mainWindow->show();

        mainWindow->close();
        QCOMPARE(unloadLog, QStringList{QStringLiteral("FakeMainWindow")});
        QVERIFY(!Forms::isLoaded(mainWindow));
        auto *exitScreen = Forms::find<FakeExitScreen>();
        QVERIFY(exitScreen && exitScreen->isVisible());
        QVERIFY(!Forms::exitRequested());

        exitScreen->cmdClose_Click();
        QCOMPARE(unloadLog, (QStringList{QStringLiteral("FakeMainWindow"), QStringLiteral("StartupForm"),
                                         QStringLiteral("FakeExitScreen")}));
        verifyEnded();
    }

    void closingResultsWhileMainIsHiddenThenExit()
    {
        loadStartupForm();
        auto *mainWindow = Forms::get<FakeMainWindow>();
        auto *results = Forms::get<FakeResultsWindow>();
        results->show();

        results->close();
        auto *exitScreen = Forms::find<FakeExitScreen>();
        QVERIFY(exitScreen && exitScreen->isVisible());
        QVERIFY(Forms::isLoaded(mainWindow));
        QVERIFY(!mainWindow->isVisible());

        exitScreen->cmdClose_Click();
        // Load order: start-up form, main window (which shows the exit screen
        // once more), exit screen.
        QCOMPARE(unloadLog, (QStringList{QStringLiteral("FakeResultsWindow"), QStringLiteral("StartupForm"),
                                         QStringLiteral("FakeMainWindow"), QStringLiteral("FakeExitScreen")}));
        verifyEnded();
    }

    void closingTheExitScreenWithItsCloseBox()
    {
        loadStartupForm();
        Forms::get<FakeMainWindow>();
        auto *results = Forms::get<FakeResultsWindow>();
        results->show();
        results->close();

        Forms::find<FakeExitScreen>()->close();
        // The main window's unload step loads a fresh exit screen, which goes too.
        QCOMPARE(unloadLog, (QStringList{QStringLiteral("FakeResultsWindow"), QStringLiteral("FakeExitScreen"),
                                         QStringLiteral("StartupForm"), QStringLiteral("FakeMainWindow"),
                                         QStringLiteral("FakeExitScreen")}));
        verifyEnded();
    }

    void unloadsInLoadOrder()
    {
        auto *exitScreen = Forms::get<FakeExitScreen>();
        loadStartupForm();
        auto *results = Forms::get<FakeResultsWindow>();
        auto *mainWindow = Forms::get<FakeMainWindow>();
        QCOMPARE(Forms::loadedInOrder(),
                 (QList<QWidget *>{exitScreen, Forms::find<StartupForm>(), results, mainWindow}));

        ExitApplication();
        QCOMPARE(unloadLog, (QStringList{QStringLiteral("FakeExitScreen"), QStringLiteral("StartupForm"),
                                         QStringLiteral("FakeResultsWindow"), QStringLiteral("FakeMainWindow"),
                                         QStringLiteral("FakeExitScreen")}));
        verifyEnded();
    }

    void reenteredFromTheStartupFormsUnloadStep()
    {
        StartupForm *startup = loadStartupForm();
        Forms::get<FakeMainWindow>()->show();

        // The start-up form's unload step calls ExitApplication itself.
        startup->close();
        QCOMPARE(unloadLog, (QStringList{QStringLiteral("StartupForm"), QStringLiteral("FakeMainWindow"),
                                         QStringLiteral("FakeExitScreen")}));
        verifyEnded();
    }

    void callingAgainAfterTheEndIsHarmless()
    {
        loadStartupForm();
        ExitApplication();
        ExitApplication();
        QCOMPARE(unloadLog, QStringList{QStringLiteral("StartupForm")});
        verifyEnded();
    }

    void windowThatRefusesToGoIsTakenDown()
    {
        loadStartupForm();
        auto *stubborn = Forms::get<StubbornWindow>();
        stubborn->show();
        ExitApplication();
        QCOMPARE(unloadLog, (QStringList{QStringLiteral("StartupForm"), QStringLiteral("StubbornWindow")}));
        verifyEnded();
    }

    void unloadStepsThatKeepLoadingWindowsDoNotKeepTheProgramAlive()
    {
        loadStartupForm();
        Forms::get<RestlessWindow>()->show();
        ExitApplication();
        QVERIFY(unloadLog.count(QStringLiteral("RestlessWindow")) > 1);
        verifyEnded();
    }

    void windowShownByAnUnloadStepDoesNotStay()
    {
        loadStartupForm();
        QWidget stray;
        auto *mainWindow = Forms::get<FakeMainWindow>();
        mainWindow->strayWindow = &stray;
        mainWindow->show();
        ExitApplication();
        QVERIFY(!stray.isVisible());
        verifyEnded();
    }

    void unloadedWindowsAreDestroyed()
    {
        QPointer<StartupForm> startup = loadStartupForm();
        QPointer<FakeMainWindow> mainWindow = Forms::get<FakeMainWindow>();
        ExitApplication();
        destroyUnloadedWindows();
        QVERIFY(startup.isNull());
        QVERIFY(mainWindow.isNull());
    }

    void endsTheEventLoop()
    {
        loadStartupForm();
        Forms::get<FakeMainWindow>()->show();
        QTimer::singleShot(0, [] { Forms::find<FakeMainWindow>()->close(); });
        QTimer::singleShot(10, [] { Forms::find<FakeExitScreen>()->cmdClose_Click(); });
        QTimer safety;
        safety.setSingleShot(true);
        connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        safety.start(10000);
        QCOMPARE(QApplication::exec(), 0);
        verifyEnded();
    }
};

QTEST_MAIN(TestExitApplication)
#include "tst_exitapplication.moc"
