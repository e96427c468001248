#include "db/transaction.h"

#include "db/connection.h"

#include <QSqlError>

Transaction::Transaction(Connection& connection)
    : m_connection(connection)
{
    if (!m_connection.isOpen()) {
        m_failure = notOpenFailure();
        return;
    }
    if (m_connection.inTransaction()) {
        // Firebird through Qt has one transaction per connection; a nested
        // guard would commit its caller's work halfway.
        m_failure = Failure{QString(), QStringLiteral("Já existe uma transação em andamento nesta conexão.")};
        return;
    }
    if (!m_connection.database().transaction()) {
        m_failure = failureFrom(m_connection.database().lastError());
        return;
    }
    m_begun = true;
    m_connection.setInTransaction(true);
}

Transaction::~Transaction()
{
    rollback();
}

Result<void> Transaction::commit()
{
    if (!m_begun)
        return m_failure;
    if (m_done || !m_connection.inTransaction())
        return Failure{QString(), QStringLiteral("A transação já foi encerrada.")};
    if (!m_connection.database().commit()) {
        Failure failure = failureFrom(m_connection.database().lastError());
        rollback();
        return failure;
    }
    m_done = true;
    m_connection.setInTransaction(false);
    return {};
}

void Transaction::rollback()
{
    if (!m_begun || m_done)
        return;
    m_done = true;
    // Closing the connection already gave the work up.
    if (m_connection.inTransaction())
        m_connection.database().rollback();
    m_connection.setInTransaction(false);
}
