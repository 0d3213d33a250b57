#pragma once

#include <QObject>

class QSocketNotifier;

namespace qx {

// SIGTERM (the session ends), SIGINT (Ctrl+C in a terminal) and SIGHUP (the
// terminal closes), turned into received() on the event loop. The signal
// handler only writes the signal's number into a socket pair; everything
// else runs on the user-interface thread once the loop reads it. The signals
// are caught while this object lives, and ignored once it has gone: it goes
// while the program ends, and a late signal must not kill the program in the
// middle of its shutdown. One such object at a time.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    // Catches the three signals from here on, before any object exists: the
    // first statement of main() calls it, so that a signal that comes while
    // the program starts waits in the socket pair instead of killing it. The
    // signals are blocked only while the handler is put in place, and are
    // let through again before it returns: the threads and the programs
    // started later (the browser) inherit none of them blocked.
    static void catchFromStart();

    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    // Emits received() at once for each signal that has come and not been
    // read yet, those that came before this object existed included, without
    // waiting for the event loop.
    void deliverPending();

Q_SIGNALS:
    void received(int signalNumber);

private:
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace qx
