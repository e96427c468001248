#include "db/link.h"

#include <ibase.h>

#include <chrono>
#include <thread>

namespace {

// How long either side looks at the other before it sleeps.
constexpr auto kSpin = std::chrono::microseconds(200);

// True once `flag` is set, looked at for at most kSpin.
bool spinFor(const std::atomic<bool>& flag)
{
    const auto until = std::chrono::steady_clock::now() + kSpin;
    while (!flag.load(std::memory_order_acquire)) {
        if (std::chrono::steady_clock::now() >= until)
            return false;
        std::this_thread::yield();
    }
    return true;
}

} // namespace

qint64 steadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::shared_ptr<Link> Link::create()
{
    std::shared_ptr<Link> link(new Link);
    // The thread holds the link too: a link given up while its attach hangs
    // lives until that attach returns.
    std::shared_ptr<Link> self = link;
    link->m_thread = std::thread([self] { self->loop(); });
    link->m_threadId = link->m_thread.get_id();
    return link;
}

Link::~Link()
{
    if (m_thread.joinable())
        m_thread.detach();
}

void Link::loop()
{
    for (;;) {
        std::function<void()> job;
        // The next statement of a screen usually follows at once.
        spinFor(m_jobReady);
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_hasJob || m_stop; });
            if (m_hasJob) {
                job = std::move(m_job);
                m_hasJob = false;
                m_jobReady.store(false, std::memory_order_relaxed);
            } else {
                break;
            }
        }
        job();
        {
            std::lock_guard lock(m_mutex);
            m_jobDone = true;
            m_jobFinished.store(true, std::memory_order_release);
        }
        m_done.notify_all();
    }
    // The driver is closed on the thread it was used on.
    if (db.isValid()) {
        if (!broken())
            db.rollback();
        db.close();
    }
    db = QSqlDatabase();
    if (!name.isEmpty())
        QSqlDatabase::removeDatabase(name);
    // The thread's own reference goes with it.
}

void Link::post(std::function<void()> job)
{
    {
        std::lock_guard lock(m_mutex);
        m_job = std::move(job);
        m_hasJob = true;
        m_jobDone = false;
        m_jobFinished.store(false, std::memory_order_relaxed);
        m_jobReady.store(true, std::memory_order_release);
    }
    m_wake.notify_one();
}

bool Link::waitDone(int ms)
{
    if (spinFor(m_jobFinished))
        return true;
    std::unique_lock lock(m_mutex);
    return m_done.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_jobDone; });
}

void Link::finish(bool join)
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    if (!m_thread.joinable())
        return;
    if (join && !onThisThread())
        m_thread.join();
    else
        m_thread.detach();
}

Link::Busy::Busy(Link& link, Step step)
    : m_link(link)
{
    m_link.m_busyStep.store(int(step));
    m_link.m_busySince.store(steadyMs());
}

Link::Busy::~Busy()
{
    m_link.m_busySince.store(0);
    m_link.m_busyStep.store(int(Step::Idle));
}

void Link::markBroken(const Failure& failure)
{
    std::lock_guard lock(m_failureMutex);
    if (m_broken.load())
        return;
    m_brokenFailure = failure;
    m_broken.store(true);
}

Failure Link::brokenFailure() const
{
    std::lock_guard lock(m_failureMutex);
    return m_brokenFailure;
}

void Link::cancelStatement()
{
    isc_db_handle handle = m_handle.load();
    if (!handle)
        return;
    ISC_STATUS_ARRAY status = {};
    fb_cancel_operation(status, &handle, fb_cancel_raise);
}

void Link::cutAttachment()
{
    isc_db_handle handle = m_handle.load();
    if (!handle)
        return;
    ISC_STATUS_ARRAY status = {};
    fb_cancel_operation(status, &handle, fb_cancel_abort);
}
