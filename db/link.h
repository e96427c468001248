#pragma once

#include "db/result.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// One attachment to the database with the thread it lives on. The driver is
// used on that thread only; callers hand it jobs and wait (Connection). A
// statement running there marks since when it runs and whether it may wait
// on a record lock, so that the waiting caller can tell a lock from a server
// that stopped answering, and cancel or cut it.
class Link : public std::enable_shared_from_this<Link>
{
public:
    enum class Step { Idle, Read, Change, Attach };

    static std::shared_ptr<Link> create();
    ~Link();

    // Hands `job` to the link's thread. One job at a time.
    void post(std::function<void()> job);
    // Waits up to `ms` for the posted job; true once it has finished.
    bool waitDone(int ms);

    // Ends the thread once its job is done. `join` waits for it; otherwise
    // the thread is left to finish on its own (an attach that hangs).
    void finish(bool join);

    bool onThisThread() const { return std::this_thread::get_id() == m_threadId; }

    // --- on the link's thread -------------------------------------------
    QSqlDatabase db;
    QString name;
    // The attachment as the server numbers it (0 before the attach).
    qint64 attachmentId = 0;

    // The statement under way: marks the step for the watchdog.
    class Busy
    {
    public:
        Busy(Link& link, Step step);
        ~Busy();

    private:
        Link& m_link;
    };

    // The link broke (or was given up): every later statement fails at once
    // with this failure.
    void markBroken(const Failure& failure);
    bool broken() const { return m_broken.load(); }
    Failure brokenFailure() const;

    // --- from the waiting caller ----------------------------------------
    qint64 busySince() const { return m_busySince.load(); }   // 0: nothing running
    Step busyStep() const { return Step(m_busyStep.load()); }
    void setHandle(unsigned handle) { m_handle.store(handle); }
    // Firebird's cancellation of the statement running (a lock wait ends
    // with "operation was cancelled"; the attachment stays usable).
    void cancelStatement();
    // Cuts the attachment on the client's side: a call blocked on a server
    // that does not answer returns at once with a network error.
    void cutAttachment();

    // Why the waiting caller stepped in, read by the statement's own error
    // handling when the driver returns.
    enum class GaveUp { No, LockWait, Silence };
    void setGaveUp(GaveUp why) { m_gaveUp.store(int(why)); }
    GaveUp gaveUp() const { return GaveUp(m_gaveUp.load()); }
    void clearGaveUp() { m_gaveUp.store(int(GaveUp::No)); }

private:
    Link() = default;
    void loop();

    std::thread m_thread;
    std::thread::id m_threadId;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    std::function<void()> m_job;
    bool m_hasJob = false;
    bool m_jobDone = true;
    // The same two facts, read without the lock by a short spin on either
    // side: a statement of a millisecond would otherwise pay two sleeps and
    // two wake-ups on another core, each as long as a small read.
    std::atomic<bool> m_jobReady{false};
    std::atomic<bool> m_jobFinished{true};
    bool m_stop = false;

    std::atomic<qint64> m_busySince{0};
    std::atomic<int> m_busyStep{int(Step::Idle)};
    std::atomic<unsigned> m_handle{0};
    std::atomic<bool> m_broken{false};
    std::atomic<int> m_gaveUp{int(GaveUp::No)};
    mutable std::mutex m_failureMutex;
    Failure m_brokenFailure;
};

// Milliseconds of a monotonic clock.
qint64 steadyMs();
