// SPDX-License-Identifier: GPL-3.0-or-later
#include "termination_signals.h"

#include <QSocketNotifier>
#include <QThread>
#include <QtDebug>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace quorvex {

namespace {

int g_pipe[2] = {-1, -1}; // read by the event loop
int g_wake[2] = {-1, -1}; // never read: readable for good after the first signal
bool g_attached = false;  // a TerminationSignals object delivers the signals
volatile std::sig_atomic_t g_received = 0;
struct sigaction g_previousInt;
struct sigaction g_previousTerm;

void onSignal(int number)
{
    if (g_received) {
        // The second one: the person does not want to wait for the orderly end.
        struct sigaction fallback = {};
        fallback.sa_handler = SIG_DFL;
        sigemptyset(&fallback.sa_mask);
        ::sigaction(number, &fallback, nullptr);
        ::raise(number); // delivered as this handler returns
        return;
    }
    g_received = 1;
    const int savedErrno = errno;
    const char byte = static_cast<char>(number);
    // Nothing else is safe here.
    [[maybe_unused]] ssize_t written = ::write(g_pipe[1], &byte, 1);
    written = ::write(g_wake[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

bool TerminationSignals::install()
{
    if (g_pipe[0] >= 0)
        return true;
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        g_pipe[0] = g_pipe[1] = -1;
        qWarning("TerminationSignals: no pipe");
        return false;
    }
    if (::pipe2(g_wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        ::close(g_pipe[0]);
        ::close(g_pipe[1]);
        g_pipe[0] = g_pipe[1] = g_wake[0] = g_wake[1] = -1;
        qWarning("TerminationSignals: no pipe");
        return false;
    }
    g_received = 0;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGINT);
    sigaddset(&action.sa_mask, SIGTERM);
    action.sa_flags = 0; // no SA_RESTART: a blocked call must come back
    ::sigaction(SIGINT, &action, &g_previousInt);
    ::sigaction(SIGTERM, &action, &g_previousTerm);
    return true;
}

void TerminationSignals::uninstall()
{
    if (g_pipe[0] < 0)
        return;
    ::sigaction(SIGINT, &g_previousInt, nullptr);
    ::sigaction(SIGTERM, &g_previousTerm, nullptr);
    for (int* fd : {&g_pipe[0], &g_pipe[1], &g_wake[0], &g_wake[1]}) {
        ::close(*fd);
        *fd = -1;
    }
    g_received = 0;
}

bool TerminationSignals::requested()
{
    return g_received != 0;
}

int TerminationSignals::wakeDescriptor()
{
    return g_wake[0];
}

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (g_attached) {
        qWarning("TerminationSignals: already installed");
        return;
    }
    if (!install())
        return;
    g_attached = true;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readPipe);
}

TerminationSignals::~TerminationSignals()
{
    if (!m_notifier)
        return;
    delete m_notifier;
    g_attached = false;
    uninstall();
}

void TerminationSignals::readPipe()
{
    char byte = 0;
    while (::read(g_pipe[0], &byte, 1) == 1)
        emit terminationRequested(static_cast<unsigned char>(byte));
}

void sleepUnlessTerminating(int ms)
{
    const int fd = TerminationSignals::wakeDescriptor();
    if (fd < 0) {
        QThread::msleep(ulong(ms));
        return;
    }
    if (TerminationSignals::requested())
        return;
    pollfd p{fd, POLLIN, 0};
    ::poll(&p, 1, ms); // EINTR: a signal came, which is what ends the wait early
}

} // namespace quorvex
