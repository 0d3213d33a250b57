#include "core/platform/TerminationSignals.h"

#include <QSignalBlocker>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>

#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

namespace qx {

namespace {

constexpr std::array<int, 3> CaughtSignals = {SIGTERM, SIGINT, SIGHUP};

// The socket pair: the handler writes into the first, the loop reads the
// second. Made once and kept open until the process ends: a handler that is
// still running on another thread while an object goes must never write into
// a descriptor that was closed and has since been reused for a file.
int signalSockets[2] = {-1, -1};

extern "C" void writeSignalNumber(int signalNumber)
{
    const int savedErrno = errno;
    const char number = static_cast<char>(signalNumber);
    // A full socket means the loop has a signal to read already.
    [[maybe_unused]] const ssize_t written = ::write(signalSockets[0], &number, 1);
    errno = savedErrno;
}

// Made at the first call; whether that worked, at every later one.
bool openSignalSockets()
{
    static const bool opened = ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalSockets) == 0;
    return opened;
}

sigset_t caughtSignalSet()
{
    sigset_t set;
    sigemptyset(&set);
    for (const int signalNumber : CaughtSignals)
        sigaddset(&set, signalNumber);
    return set;
}

} // namespace

void TerminationSignals::catchFromStart()
{
    const sigset_t caught = caughtSignalSet();
    // Held back until the handler is in place, then delivered to it.
    ::pthread_sigmask(SIG_BLOCK, &caught, nullptr);
    if (openSignalSockets()) {
        struct sigaction action = {};
        action.sa_handler = writeSignalNumber;
        action.sa_flags = SA_RESTART;
        for (const int signalNumber : CaughtSignals)
            ::sigaction(signalNumber, &action, nullptr);
    }
    // Without the socket pair the signals keep their default action: the
    // program ends without its shutdown, as it would without this.
    ::pthread_sigmask(SIG_UNBLOCK, &caught, nullptr);
}

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
    catchFromStart();
    if (signalSockets[1] < 0)
        return;
    m_notifier = new QSocketNotifier(signalSockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::deliverPending);
}

TerminationSignals::~TerminationSignals()
{
    if (!m_notifier)
        return;
    // The object goes while the program ends: from here on a termination
    // signal changes nothing, where its default action would kill the
    // program in the middle of its shutdown.
    for (const int signalNumber : CaughtSignals)
        ::signal(signalNumber, SIG_IGN);
    // What came in since the loop last looked belongs to this object alone.
    const QSignalBlocker blocker(this);
    deliverPending();
}

void TerminationSignals::deliverPending()
{
    char number;
    while (::read(signalSockets[1], &number, 1) == 1)
        Q_EMIT received(number);
}

} // namespace qx
