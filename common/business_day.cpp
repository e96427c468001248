#include "common/business_day.h"

#include "common/br_format.h"
#include "common/message_texts.h"
#include "db/connection.h"

Period data_do_movimento(const QDateTime& now, const QString& hora_inicio)
{
    const QDate today = now.date();
    const QTime start = br::parseTime(hora_inicio);
    const QTime startMinute = start.isValid() ? QTime(start.hour(), start.minute()) : QTime(0, 0);
    const QTime nowMinute(now.time().hour(), now.time().minute());
    if (nowMinute < startMinute)
        return {today.addDays(-1), today};
    return {today, today.addDays(1)};
}

Result<Period> data_do_movimento(Connection& connection, const QString& hora_inicio)
{
    Result<Rows> rows = connection.select(QStringLiteral("select current_timestamp from rdb$database"));
    if (!rows)
        return rows.failure();
    // Date and time of day from one reading, so they cannot straddle midnight.
    const QDateTime now = rows->isEmpty() ? QDateTime() : rows->value(0, 0).toDateTime();
    if (!now.isValid())
        return Failure{QString(), msg::dataHoraBanco};
    return data_do_movimento(now, hora_inicio);
}

QString data_hora_periodo(const QDate& date, const QString& time)
{
    const QTime t = br::parseTime(time);
    const QString shortTime = t.isValid() ? br::time(t) : time.trimmed();
    const QString day = date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : QString();
    return day + QLatin1Char(' ') + shortTime;
}

std::optional<QDateTime> periodoMomento(const QDate& date, const QString& time)
{
    const QTime t = br::parseTime(time);
    if (!date.isValid() || !t.isValid())
        return std::nullopt;
    return QDateTime(date, QTime(t.hour(), t.minute()));
}
