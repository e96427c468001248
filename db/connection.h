#pragma once

#include "db/result.h"
#include "db/rows.h"
#include "db/sql_value.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class QSqlQuery;

// The one database connection of a run (`conexao`). Every statement is
// prepared afresh, bound, run and closed inside one call, so it joins the
// transaction in force at that moment (see Transaction) or commits on its own.
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
    void close();
    bool isOpen() const;
    QString path() const { return m_path; }

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

    // Used by Transaction only.
    QSqlDatabase& database() { return m_db; }
    bool inTransaction() const { return m_inTransaction; }
    void setInTransaction(bool on) { m_inTransaction = on; }

private:
    Result<void> prepareAndRun(QSqlQuery& query, const QString& sql, const SqlParams& params);

    QString m_name;
    QString m_path;
    QSqlDatabase m_db;
    bool m_inTransaction = false;
    struct Columns
    {
        QStringList names;
        QList<int> scales; // decimals of a NUMERIC column, else -1
    };
    // By statement text, so the driver's record() is asked once per statement.
    QHash<QString, Columns> m_columns;
};

// Turns the driver's error into our Failure (code + Firebird's text).
class QSqlError;
Failure failureFrom(const QSqlError& error);
// "O banco de dados não está aberto.": a statement asked of a closed connection.
Failure notOpenFailure();
