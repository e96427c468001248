#pragma once

// SIGTERM and SIGINT (a logout, a shutdown, Ctrl+C in a terminal)
// end the program the way its last window closing does: through the event
// loop, so the connection is closed and nothing is left half-done. Without
// this the embedded database engine takes those signals and the program
// lingers with no display.
void quitOnTerminationSignals();
