#pragma once

#include "common/terminal_settings.h"
#include "db/connection.h"
#include "registers/list_screen.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/test_database.h"

#include <QTest>

#include <memory>

// What the register tests share: a fresh copy of a database for each test,
// the settings that reach it and the messages the screens show.
class RegisterFixture
{
protected:
    void openDatabase(TestDatabase::Catalog catalog = TestDatabase::Demo)
    {
        m_db = std::make_unique<TestDatabase>(catalog);
        QVERIFY2(m_db->ok(), qPrintable(m_db->error()));
        m_settings.conexao = &m_db->connection();
        m_messages.clear();
    }

    // Every answer queued was asked for.
    void closeDatabase()
    {
        QCOMPARE(m_messages.pendingAnswers(), 0);
        m_db.reset();
    }

    // The codes a list shows, filler rows left out.
    static QList<qint32> codes(const ListScreen& list)
    {
        QList<qint32> found;
        for (int row = 0; row < list.model().rowCount(); ++row)
            if (const std::optional<qint32> code = list.codeAt(row))
                found << *code;
        return found;
    }

    // "code text" of every row of `table`, by code, the text from `column`.
    QStringList codesWith(const QString& table, const QString& column) const
    {
        QStringList out;
        const Result<Rows> rows =
            m_db->connection().select(QStringLiteral("select * from %1 order by ncodigo").arg(table));
        for (int i = 0; rows && i < rows->count(); ++i)
            out << rows->text(i, QStringLiteral("ncodigo")) + u' ' + rows->text(i, column);
        return out;
    }

    std::unique_ptr<TestDatabase> m_db;
    TerminalSettings m_settings;
    ScriptedMessages m_messages;
};
