#pragma once

#include "tests/support/test_database.h"

#include <QApplication>
#include <QSqlQuery>

#include <cstdio>

// What the benchmark programs share: their start, and the raw read through
// the driver that a screen's figures are set beside.

// Offscreen unless QT_QPA_PLATFORM names a platform, so a run needs no
// display; called before the application is made.
inline void runHeadless()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// A benchmark over a fresh demo database: headless, the application, then
// the database.
class DemoBench
{
public:
    DemoBench(int& argc, char** argv) : m_app(argc, argv) {}

    // False, after saying why, when the database could not be made.
    bool ready() const
    {
        if (!m_db.ok())
            std::fprintf(stderr, "no database: %s\n", qPrintable(m_db.error()));
        return m_db.ok();
    }
    Connection& connection() { return m_db.connection(); }

private:
    struct Headless
    {
        Headless() { runHeadless(); }
    } m_headless;
    QApplication m_app;
    TestDatabase m_db{TestDatabase::Demo};
};

// Every row of an executed query fetched and its first `columns` values
// touched, nothing kept; then the query closed. The rows read.
inline int readAll(QSqlQuery& query, int columns)
{
    int rows = 0;
    while (query.next()) {
        for (int c = 0; c < columns; ++c)
            query.value(c);
        ++rows;
    }
    query.clear();
    return rows;
}
