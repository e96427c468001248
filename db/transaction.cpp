#include "db/transaction.h"

#include "db/connection.h"

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
    if (Result<void> begun = m_connection.beginTransaction(); !begun) {
        m_failure = begun.failure();
        return;
    }
    m_begun = true;
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
    m_done = true;
    // A commit that fails leaves nothing open: the connection gives the
    // transaction up either way.
    return m_connection.commitTransaction();
}

void Transaction::rollback()
{
    if (!m_begun || m_done)
        return;
    m_done = true;
    // Closing the connection already gave the work up.
    m_connection.rollbackTransaction();
}
