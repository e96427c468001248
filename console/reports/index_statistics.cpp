#include "console/reports/index_statistics.h"

#include "db/connection.h"

#include <QRegularExpression>

namespace report {

Result<int> refreshIndexStatistics(Connection& connection, const QStringList& tables)
{
    QStringList upper;
    QString marks;
    SqlParams params;
    for (const QString& table : tables) {
        marks += marks.isEmpty() ? QStringLiteral("?") : QStringLiteral(",?");
        params.append(SqlValue::text(table.toUpper()));
    }
    Result<Rows> indexes = connection.select(
        QStringLiteral("select rdb$index_name as name from rdb$indices where rdb$relation_name in (%1) "
                       "and coalesce(rdb$index_inactive, 0) = 0").arg(marks),
        params);
    if (!indexes)
        return indexes.failure();
    // Names come from the catalogue, never from typed text; the check keeps
    // anything else out of the statement all the same.
    static const QRegularExpression plain(QStringLiteral("^[A-Z][A-Z0-9_$]{0,62}$"));
    int refreshed = 0;
    for (int i = 0; i < indexes->count(); ++i) {
        const QString name = indexes->text(i, QStringLiteral("name")).trimmed();
        if (!plain.match(name).hasMatch())
            continue;
        Result<int> done = connection.execute(QStringLiteral("set statistics index ") + name);
        if (!done)
            return done.failure();
        ++refreshed;
    }
    return refreshed;
}

} // namespace report
