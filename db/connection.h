#pragma once

#include "db/login.h"
#include "db/result.h"
#include "db/rows.h"
#include "db/sql_value.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class Link;
class QSqlError;
class QSqlQuery;
class Waiting;

// How long the connection waits, in milliseconds.
struct ConnectionLimits
{
    int quietMs = 400;      // a call waits this long before anything is shown
    int lockMs = 10000;     // a change waiting on a record another workstation holds
    int silenceMs = 10000;  // a statement on a server that does not answer
    int attachMs = 10000;   // opening the attachment
    int retryMs = 1000;     // after a loss or a failed reopening, calls fail at once this long
    int settleMs = 10000;   // the broken attachment ending on the server
};

// Where a test may step in to break the link at the worst moment.
enum class FaultPoint { BeforeCommit, AfterCommit };

// The one database connection of a run (`conexao`). Every statement is
// prepared afresh, bound, run and closed inside one call, so it joins the
// transaction in force at that moment (see Transaction) or commits on its own.
//
// The driver lives on a thread of the connection's own; a call hands its
// work there and waits. A call that takes more than a moment shows a
// waiting indication (setWaiting) saying what it waits for; a change that
// waits on a record another workstation holds is cancelled after
// `lockMs`, and a server that stopped answering is cut off after
// `silenceMs`. A broken link leaves the connection lost: calls then fail at
// once with a failure marked `lost` ("Sem conexão com o servidor do banco de
// dados..."), and the first call after `retryMs` (or reconnect()) opens the
// same database again with the same login. Before anything else is read
// on the new attachment, the old one is ended on the server and waited for,
// so a server that thaws cannot still commit what it held after the
// program looked.
class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // `path` as the configuration gives it: a plain file path opens the
    // database embedded in this process, "host:/path/file.fdb" a server.
    Result<void> open(const QString& path);
    Result<void> open(const QString& path, const DatabaseLogin& login);
    void close();
    // Opened and not closed: lost links included, which open again by themselves.
    bool isOpen() const;
    // The attachment is there, as far as the last call knows.
    bool isConnected() const;
    QString path() const { return m_path; }
    const DatabaseLogin& login() const { return m_login; }

    // A read: every row fetched and the query closed before it returns.
    // NUMERIC values arrive as exact plain decimal texts ("1234.5", "100000");
    // INTEGER and SMALLINT as numbers, dates and times as Qt values.
    // Each value is checked against the type of its "?" before anything runs
    // (a text never fills a number; a date may be given as "yyyy-MM-dd hh:mm").
    Result<Rows> select(const QString& sql, const SqlParams& params = {});
    // A change; the number of rows it touched (0 for a definition).
    Result<int> execute(const QString& sql, const SqlParams& params = {});
    // One change run once for each list of values, prepared once: the rows of
    // one sale inside its transaction without a prepare per row. Stops at the
    // first refusal; the number of rows it ran.
    Result<int> executeEach(const QString& sql, const QList<SqlParams>& rows);
    // "select gen_id(<generator>,<step>) from rdb$database": the generator's
    // value after the step (step 0 reads it unchanged). Generator names are the
    // program's own constants, never typed text.
    Result<qint64> generator(const QString& name, qint64 step);
    // "set generator <name> to <value>", the number written from a checked integer.
    Result<void> setGenerator(const QString& name, qint64 value);

    // Runs `unit` where the driver is, in one hop: the calls it makes on this
    // connection cost no hop each. `unit` touches nothing but the database
    // and its own values (no widget, no message).
    template <typename T>
    Result<T> run(const std::function<Result<T>()>& unit)
    {
        if (onLinkThread())
            return unit();
        std::optional<Result<T>> result;
        if (Result<void> hopped = hop([&] { result.emplace(unit()); }); !hopped)
            return hopped.failure();
        return std::move(*result);
    }

    // Opens the database again now when the link is lost (a connection that
    // is there is left alone).
    Result<void> reconnect();

    void setWaiting(Waiting* waiting) { m_waiting = waiting; }
    void setLimits(const ConnectionLimits& limits) { m_limits = limits; }
    const ConnectionLimits& limits() const { return m_limits; }
    // Tests only: called on the connection's thread at each point; true
    // makes the link count as broken right there.
    void setFaultHook(std::function<bool(FaultPoint)> hook) { m_faultHook = std::move(hook); }

    // Used by Transaction.
    Result<void> beginTransaction();
    Result<void> commitTransaction();
    void rollbackTransaction();
    bool inTransaction() const { return m_inTransaction; }
    void setInTransaction(bool on) { m_inTransaction = on; }

    // The driver itself, for benchmarks that compare with raw driver calls:
    // use it only while no call of this connection is under way.
    QSqlDatabase& database();

private:
    enum class State { Closed, Open, Lost };

    bool onLinkThread() const;
    Result<void> hop(const std::function<void()>& job);
    Result<void> attach(const QString& path, const DatabaseLogin& login);
    Result<void> settlePrevious();
    void waitFor(Link& link, const QString& path, bool attaching, bool* gaveUp = nullptr);
    void lose(const Failure& failure);
    void dropLink();

    // On the link's thread.
    Result<void> prepareAndRun(QSqlQuery& query, const QString& sql, const SqlParams& params);
    Failure failureHere(const QSqlError& error);
    Result<Rows> selectHere(const QString& sql, const SqlParams& params);
    Result<int> executeHere(const QString& sql, const SqlParams& params);
    Result<int> executeEachHere(const QString& sql, const QList<SqlParams>& rows);

    QString m_path;
    DatabaseLogin m_login;
    std::shared_ptr<Link> m_link;
    State m_state = State::Closed;
    Failure m_lost;
    qint64 m_lastAttempt = 0;
    // The attachment that broke, to be ended on the server before the new
    // one reads anything (0: none).
    qint64 m_previousAttachment = 0;
    bool m_inTransaction = false;
    bool m_inCall = false;
    Waiting* m_waiting = nullptr;
    ConnectionLimits m_limits;
    std::function<bool(FaultPoint)> m_faultHook;

    struct Columns
    {
        QStringList names;
        QList<int> scales; // decimals of a NUMERIC column, else -1
    };
    // By statement text, so the driver's record() is asked once per statement.
    QHash<QString, Columns> m_columns;
};

// Turns the driver's error into our Failure (code + Firebird's text).
Failure failureFrom(const QSqlError& error);
// "O banco de dados não está aberto.": a statement asked of a closed connection.
Failure notOpenFailure();
// "Sem conexão com o servidor do banco de dados...", marked lost.
Failure connectionLostFailure();
