#pragma once

#include "db/connection.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

// A fresh embedded database for one test, in a temporary data folder that
// VORINDA_DIR points to while the object lives. The database is made once
// per test process by the project's own createDatabase (as a template) and
// copied for every TestDatabase, which takes a few milliseconds.
//
//     TestDatabase db;                      // base rows only
//     QVERIFY2(db.ok(), qPrintable(db.error()));
//     db.connection().execute(...);
//     TestDatabase demo(TestDatabase::Demo); // with the demo catalogue
class TestDatabase
{
public:
    enum Catalog { Base, Demo };

    explicit TestDatabase(Catalog catalog = Base);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }

    // The database file (a plain path: embedded).
    QString path() const { return m_path; }
    // The temporary data folder (configuracao.ini, imp.txt, the log).
    QString dataFolder() const { return m_dir.path(); }
    // The connection opened on the copy, as the program's `conexao`.
    Connection& connection() { return *m_connection; }
    // Another connection to the same file: a second workstation's view.
    std::unique_ptr<Connection> openAnother() const;

    // Time taken to make this process's template of `catalog` (made on first use).
    static qint64 templateMilliseconds(Catalog catalog);

private:
    QTemporaryDir m_dir;
    QString m_path;
    QString m_error;
    QByteArray m_previousDataDir;
    bool m_hadDataDir = false;
    std::unique_ptr<Connection> m_connection;
};
