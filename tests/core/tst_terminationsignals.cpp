// SIGTERM, SIGINT and SIGHUP: received on the event loop while the catcher
// lives, and harmless once it has gone, when the program is ending.

#include "core/platform/TerminationSignals.h"

#include <QSignalSpy>
#include <QtTest>

#include <csignal>

#include <pthread.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace qx;

class TestTerminationSignals : public QObject {
    Q_OBJECT

    static void signalRows()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }

private Q_SLOTS:
    void aSignalArrivesOnTheEventLoop_data() { signalRows(); }

    void aSignalArrivesOnTheEventLoop()
    {
        QFETCH(int, signalNumber);
        const TerminationSignals catcher;
        QSignalSpy received(&catcher, &TerminationSignals::received);
        QVERIFY(::raise(signalNumber) == 0);
        QTRY_COMPARE(received.size(), 1);
        // Once each time: a second signal comes as a second, and nothing more follows.
        QVERIFY(::raise(signalNumber) == 0);
        QTRY_COMPARE(received.size(), 2);
        QCoreApplication::processEvents();
        QCOMPARE(received.size(), 2);
        QCOMPARE(received.at(0).at(0).toInt(), signalNumber);
        QCOMPARE(received.at(1).at(0).toInt(), signalNumber);
    }

    // From the first statement of main(), before any catcher exists: a signal
    // that comes then is delivered by the catcher at once, without waiting
    // for the event loop. One that came while the signals were held back
    // reaches the handler as soon as it is in place, and the signals are not
    // left blocked (threads and programs started later inherit the mask):
    // tried in a child process, so that a fault kills the child, not the
    // test; its handler writes into the socket pair it shares with this one.
    void aSignalBeforeTheCatcherIsHeldForIt_data() { signalRows(); }

    void aSignalBeforeTheCatcherIsHeldForIt()
    {
        QFETCH(int, signalNumber);
        TerminationSignals::catchFromStart();
        QVERIFY(::raise(signalNumber) == 0);
        TerminationSignals catcher;
        QSignalSpy received(&catcher, &TerminationSignals::received);
        catcher.deliverPending();
        QCOMPARE(received.size(), 1);
        QCOMPARE(received.at(0).at(0).toInt(), signalNumber);

        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            sigset_t held;
            sigemptyset(&held);
            sigaddset(&held, signalNumber);
            ::pthread_sigmask(SIG_BLOCK, &held, nullptr);
            ::raise(signalNumber);
            TerminationSignals::catchFromStart();
            sigset_t blocked;
            ::pthread_sigmask(SIG_BLOCK, nullptr, &blocked);
            ::_exit(sigismember(&blocked, signalNumber) ? 1 : 0);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY2(!WIFSIGNALED(status), qPrintable(QStringLiteral("killed by signal %1").arg(WTERMSIG(status))));
        QCOMPARE(WEXITSTATUS(status), 0);
        catcher.deliverPending();
        QCOMPARE(received.size(), 2);
        QCOMPARE(received.at(1).at(0).toInt(), signalNumber);
    }

    // The handler runs in the middle of whatever the program was doing, which
    // may be about to read errno: it leaves errno as it found it, also when
    // its write fails because the socket is full.
    void theHandlerLeavesErrnoAlone()
    {
        TerminationSignals catcher;
        QSignalSpy received(&catcher, &TerminationSignals::received);
        bool kept = true;
        for (int i = 0; i < 100000 && kept; ++i) {
            errno = EDOM;
            ::raise(SIGTERM);
            kept = errno == EDOM;
        }
        catcher.deliverPending();
        QVERIFY(kept);
        QVERIFY(received.size() > 0);
    }

    // The catcher goes while the program tears down; signals that come after
    // it, at the very point of the end, must leave the exit status alone. A
    // child process takes them, so that a fault kills the child, not the test.
    // Those that came before and were never read go with it.
    void aSignalAfterTheEndChangesNothing_data() { signalRows(); }

    void aSignalAfterTheEndChangesNothing()
    {
        QFETCH(int, signalNumber);
        int delivered = 0;
        {
            TerminationSignals catcher;
            connect(&catcher, &TerminationSignals::received, [&delivered] { ++delivered; });
            for (int i = 0; i < 3; ++i)
                QVERIFY(::raise(signalNumber) == 0);
        }
        QCOMPARE(delivered, 0);
        // Nor does one that comes once it has gone, which is ignored.
        QVERIFY(::raise(signalNumber) == 0);
        {
            TerminationSignals next;
            QSignalSpy received(&next, &TerminationSignals::received);
            next.deliverPending();
            QCOMPARE(received.size(), 0);
        }
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            for (int i = 0; i < 3; ++i)
                ::raise(signalNumber);
            ::_exit(0);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY2(!WIFSIGNALED(status), qPrintable(QStringLiteral("killed by signal %1").arg(WTERMSIG(status))));
        QCOMPARE(WEXITSTATUS(status), 0);
    }
};

QTEST_GUILESS_MAIN(TestTerminationSignals)
#include "tst_terminationsignals.moc"
