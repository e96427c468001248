#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <functional>

class Messages;
struct TerminalSettings;

// The report period as the console keeps it between reports (`data_inicial`
// and `data_final`): "yyyy-mm-dd hh:mm" texts, empty when none was chosen.
struct ReportPeriod
{
    QString data_inicial;
    QString data_final;

    // Both texts read as moments (the period dialog was accepted).
    bool chosen() const;
    QDateTime inicio() const;
    QDateTime fim() const;
};

// The logic of the period dialog FrmSelecionaData: the business day and the
// working hours offered, the period handed back on "&Imprimir".
class PeriodChoice final
{
public:
    PeriodChoice(const TerminalSettings& settings, Messages& messages, ReportPeriod& period);

    // Tests give the database's clock a fixed moment; by default the
    // business day comes from the database server's own clock.
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }

    // Load: the period texts emptied, the business day in the dates and the
    // working hours in the times. False (after the database's message) when
    // the database could not tell the time: there is nothing to offer.
    bool load();

    QDate dataInicial() const { return m_dataInicial; }
    QTime horaInicial() const { return m_horaInicial; }
    QDate dataFinal() const { return m_dataFinal; }
    QTime horaFinal() const { return m_horaFinal; }
    void setDataInicial(const QDate& value) { m_dataInicial = value; }
    void setHoraInicial(const QTime& value) { m_horaInicial = value; }
    void setDataFinal(const QDate& value) { m_dataFinal = value; }
    void setHoraFinal(const QTime& value) { m_horaFinal = value; }

    // "&Imprimir": the period texts set from the four fields; false (after
    // a message, nothing set) when the period ends before it starts.
    bool imprimir();

private:
    const TerminalSettings& m_settings;
    Messages& m_messages;
    ReportPeriod& m_period;
    std::function<QDateTime()> m_now;
    QDate m_dataInicial;
    QTime m_horaInicial;
    QDate m_dataFinal;
    QTime m_horaFinal;
};
