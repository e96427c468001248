#pragma once

#include "db/result.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <functional>

struct TerminalSettings;

// The four pickers of a period (start date and time, end date and time) as
// a screen's logic keeps them, first offered as the current business day
// within the working hours.
class PeriodPickers
{
public:
    QDate dataInicial() const { return m_dataInicial; }
    QTime horaInicial() const { return m_horaInicial; }
    QDate dataFinal() const { return m_dataFinal; }
    QTime horaFinal() const { return m_horaFinal; }
    void setDataInicial(const QDate& value) { m_dataInicial = value; }
    void setHoraInicial(const QTime& value) { m_horaInicial = value; }
    void setDataFinal(const QDate& value) { m_dataFinal = value; }
    void setHoraFinal(const QTime& value) { m_horaFinal = value; }

    // Tests give the database's clock a fixed moment; by default the
    // business day comes from the database server's own clock.
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }

protected:
    // The business day in the dates and the working hours (hora_inicio,
    // hora_fim) in the times; the database's failure, nothing changed, when
    // it could not tell the time.
    Result<void> offerBusinessDay(const TerminalSettings& settings);

    QDate m_dataInicial;
    QTime m_horaInicial;
    QDate m_dataFinal;
    QTime m_horaFinal;

private:
    std::function<QDateTime()> m_now;
};
