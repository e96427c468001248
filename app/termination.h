#pragma once

// Once a database is open, Firebird's client library takes SIGINT and SIGTERM
// for itself: it would shut its engine down under the open screens and leave
// the program running on a dead connection. This asks it to decline those
// signals and to end the event loop instead, so the program closes its
// screens and its connection as when its last window closes.
void endOnTerminationSignals();
