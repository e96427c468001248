#include "app/termination.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <ibase.h>

namespace {

// Runs in Firebird's own signal thread.
int onFirebirdShutdown(const int reason, const int mask, void*)
{
    if (reason != fb_shutrsn_signal || mask != fb_shut_confirmation)
        return 0;
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, &QCoreApplication::quit, Qt::QueuedConnection);
    return 1;   // not now: the program ends by itself, its connection closed
}

} // namespace

void endOnTerminationSignals()
{
    ISC_STATUS_ARRAY status = {};
    fb_shutdown_callback(status, onFirebirdShutdown, fb_shut_confirmation, nullptr);
}
