#include "tests/support/server_faults.h"

#include "tests/support/firebird_server.h"

#include <QThread>

#include <signal.h>

std::function<bool(FaultPoint)> breakAtCommit(const FirebirdServer& server, CommitFault fault, bool& fired)
{
    const qint64 pid = server.pid();
    return [pid, fault, &fired](FaultPoint point) {
        const bool before = point == FaultPoint::BeforeCommit;
        if (fired || before != (fault != CommitFault::KillAfter))
            return false;
        fired = true;
        ::kill(pid_t(pid), fault == CommitFault::Freeze ? SIGSTOP : SIGKILL);
        QThread::msleep(200);
        return fault == CommitFault::KillAfter;
    };
}

bool bringBack(FirebirdServer& server, CommitFault fault, int retryMs, QString* why)
{
    if (fault == CommitFault::Freeze) {
        server.thaw();
    } else {
        server.kill();
        if (!server.restart(why))
            return false;
    }
    QThread::msleep(retryMs + 50);
    return true;
}
