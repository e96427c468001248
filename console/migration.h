#pragma once

#include "db/result.h"

#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

class Connection;
class Messages;

// FrmMigracao without widgets: every sale of the old database ANTIGO.fdb
// copied into the current one, replacing its sales. All of it happens in
// one transaction of the current database (the old sales deleted with their
// lines, both key generators back to 0, each copied sale with its line), so
// a failure anywhere leaves the current sales, lines and generators as they
// were.
class Migration
{
public:
    // Told before the copy and after each page: sales copied so far, of how many.
    using Progress = std::function<void(qint64 copied, qint64 total)>;

    Migration(Connection& conexao, Messages& messages, QString oldPath);

    // "ANTIGO.fdb" in the data folder.
    static QString oldDatabasePath(const QString& dataDir);

    void setProgress(Progress progress) { m_progress = std::move(progress); }

    // The copy, ending in "ok" (then how many old rows had an unknown
    // situation, when any had) or in the message of what stopped it.
    bool run();

    qint64 copied() const { return m_copied; }
    qint64 unknownSituations() const { return m_unknown; }

private:
    enum class Side { Old, Current };
    struct Stop
    {
        Failure failure;
        Side side = Side::Current;
        qint64 firstCode = 0;   // the old codes of the page being copied
        qint64 lastCode = 0;
    };
    std::optional<Stop> copy(Connection& old, qint64 total);
    void tell(qint64 total);

    Connection& m_conexao;
    Messages& m_messages;
    QString m_oldPath;
    Progress m_progress;
    qint64 m_copied = 0;
    qint64 m_unknown = 0;
};
