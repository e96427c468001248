#pragma once

class QCoreApplication;

// SIGTERM and SIGINT end the program through its event loop, so that it
// closes its screens and its connection as when its last window closes.
// Firebird's client takes both signals for itself once a database is open
// and then neither shuts down nor lets the program end, so they are blocked
// in every thread and read from a descriptor instead.

// Before the first thread starts (threads keep the mask they start with).
void blockTerminationSignals();
// Once the application exists: a pending or later signal quits its loop.
void endOnTerminationSignals(QCoreApplication& app);
