#pragma once

#include "console/period_choice.h"
#include "console/reports/report_control.h"

#include <QDateTime>
#include <QString>

#include <functional>

class Messages;
struct TerminalSettings;

// Where a finished report goes: the preview window, or a PDF file.
class ReportPresenter
{
public:
    virtual ~ReportPresenter() = default;
    // A failure is told to the operator as information.
    virtual Result<void> present(const report::Document& document) = 0;
};

// The four entries of the "Relatórios" menu: each asks for the period where
// it needs one, computes the figures the report cannot read itself, sets
// the report component's formula slots and selection formula and starts
// the report. Database refusals go to trata_erro_banco and abandon the
// report; a definition or formula that cannot be read is told, naming it.
class ConsoleReports final
{
public:
    enum class Outcome { Shown, NoPeriod, Failed };
    // Shows the period dialog; leaves the period empty when it was left.
    using PeriodAsker = std::function<void(ReportPeriod& period)>;

    // `folder` holds 01.rpt to 04.rpt.
    ConsoleReports(const TerminalSettings& settings, Messages& messages, QString folder, PeriodAsker askPeriod,
                   ReportPresenter& presenter);

    Outcome resumoMovimento();      // relResumoMovimento, report 01
    Outcome vendasPorProdutos();    // menuRelVendasProdutos, report 02
    Outcome resumoCaixa();          // relResumoCaixa, report 03
    Outcome produtosCadastrados();  // relCadProdutos, report 04
    // By number, "01" to "04"; Failed (after a message) for any other.
    Outcome run(const QString& number);

    ReportPeriod& period() { return m_period; }
    report::ReportControl& cr() { return m_cr; }
    // The moment the pages say they were printed; the machine's clock by default.
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }
    // Runs between writing the cash-register summary rows and reading them:
    // where a test lets another console run the same report.
    void setAfterSummaryRows(std::function<void()> step) { m_afterSummaryRows = std::move(step); }

    // The folder beside the program ("<program folder>/relatorio").
    static QString defaultFolder();

private:
    bool askPeriod();
    void prepareReport(const char* file);
    // Reads the report, inside the transaction when one is open.
    report::Prepared read();
    Outcome show(const report::Prepared& prepared);
    void report(const Failure& failure);
    QString periodFormula(bool shortDates) const;
    void refreshStatistics();

    const TerminalSettings& m_settings;
    Messages& m_messages;
    QString m_folder;
    PeriodAsker m_askPeriod;
    ReportPresenter& m_presenter;
    ReportPeriod m_period;
    report::ReportControl m_cr;
    std::function<QDateTime()> m_now;
    std::function<void()> m_afterSummaryRows;
    bool m_statisticsRefreshed = false;
};
