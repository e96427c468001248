#pragma once

#include "db/result.h"

class Connection;

// What must be all-or-nothing runs between the construction of a Transaction
// and its commit(). Leaving the scope without commit() rolls back, so a
// failure path only has to return; roll back (let the guard go) BEFORE showing
// any message, since a message box must never hold locks that freeze the
// other workstations.
class Transaction
{
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // False when the transaction could not begin; failure() says why.
    bool begun() const { return m_begun; }
    const Failure& failure() const { return m_failure; }

    Result<void> commit();
    void rollback();

private:
    Connection& m_connection;
    bool m_begun = false;
    bool m_done = false;
    Failure m_failure;
};
