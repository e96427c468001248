#pragma once

#include "db/login.h"

#include <QString>

#include <memory>

// Whether a database server still answers, asked on a fresh attachment from
// a thread of its own while the connection's own call is stuck: a server
// that answers means a record lock or a long statement; one that does not
// means a frozen server or a dead link. Never blocks the caller; a probe
// whose attach hangs is left to end on its own.
class ServerProbe
{
public:
    enum class Answer { Pending, Answering, Silent };

    void start(const QString& path, const DatabaseLogin& login);
    bool started() const { return m_state != nullptr; }
    // Pending until the server answered or `silentAfterMs` passed.
    Answer answer(int silentAfterMs) const;
    qint64 startedAt() const { return m_startedAt; }

private:
    struct State;
    std::shared_ptr<State> m_state;
    qint64 m_startedAt = 0;
};
