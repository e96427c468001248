#pragma once

#include "db/result.h"

#include <QDate>
#include <QDateTime>
#include <QString>

class Connection;

// The business day: the working day crosses midnight, so before the start of
// work (hora_inicio) the day is still the one that began yesterday.
struct Period
{
    QDate inicio;
    QDate fim;
    bool operator==(const Period&) const = default;
};

// data_do_movimento at the moment `now`: before `hora_inicio` ("hh:mm", to
// the minute) the period runs from the day before to today, otherwise from
// today to tomorrow. A `hora_inicio` that does not read as a time counts as
// midnight.
Period data_do_movimento(const QDateTime& now, const QString& hora_inicio);
// The same at the database server's moment ("select current_timestamp from
// rdb$database"), so every workstation agrees on the day.
Result<Period> data_do_movimento(Connection& connection, const QString& hora_inicio);

// data_hora_periodo: "2026-12-04 18:00", the date as yyyy-mm-dd (empty when
// there is none), a blank, the time as hh:mm.
QString data_hora_periodo(const QDate& date, const QString& time);
// The same bound as a moment for a statement's parameter; empty when the
// date or the time does not read.
std::optional<QDateTime> periodoMomento(const QDate& date, const QString& time);
