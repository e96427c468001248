#pragma once

#include "common/period_pickers.h"

#include <QDateTime>
#include <QString>

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
class PeriodChoice final : public PeriodPickers
{
public:
    PeriodChoice(const TerminalSettings& settings, Messages& messages, ReportPeriod& period);

    // Load: the period texts emptied, the business day in the dates and the
    // working hours in the times. False (after the database's message) when
    // the database could not tell the time: there is nothing to offer.
    bool load();

    // "&Imprimir": the period texts set from the four fields; false (after
    // a message, nothing set) when the period ends before it starts.
    bool imprimir();

private:
    const TerminalSettings& m_settings;
    Messages& m_messages;
    ReportPeriod& m_period;
};
