#pragma once

#include "db/connection.h"

#include <QString>

#include <functional>

class FirebirdServer;

// How a test breaks its server while a commit runs: killed before the
// commit, killed after it (the reply lost), or frozen at the commit.
enum class CommitFault { KillBefore, KillAfter, Freeze };

// A hook for Connection::setFaultHook: the first time a commit reaches the
// fault's point, the server's process is killed (or stopped) and given
// 200 ms to go, and `fired` is set. A kill after the commit also makes the
// link count as broken right there.
std::function<bool(FaultPoint)> breakAtCommit(const FirebirdServer& server, CommitFault fault, bool& fired);

// The server back after `fault` (thawed, or started again after a kill),
// then the connection's pause before it reopens (`retryMs`) waited out.
// False, with the reason, when the server did not start again.
bool bringBack(FirebirdServer& server, CommitFault fault, int retryMs, QString* why);
