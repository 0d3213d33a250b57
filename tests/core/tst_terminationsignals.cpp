// SIGTERM, SIGINT and SIGHUP: received on the event loop while the catcher
// lives, and harmless once it has gone, when the program is ending.

#include "core/platform/TerminationSignals.h"

#include <QSignalSpy>
#include <QtTest>

#include <csignal>

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

    // The catcher goes while the program tears down; signals that come after
    // it, at the very point of the end, must leave the exit status alone. A
    // child process takes them, so that a fault kills the child, not the test.
    void aSignalAfterTheEndChangesNothing_data() { signalRows(); }

    void aSignalAfterTheEndChangesNothing()
    {
        QFETCH(int, signalNumber);
        {
            const TerminationSignals catcher;
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
