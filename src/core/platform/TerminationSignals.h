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
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

Q_SIGNALS:
    void received(int signalNumber);

private:
    void readSignals();

    QSocketNotifier *m_notifier = nullptr;
};

} // namespace qx
