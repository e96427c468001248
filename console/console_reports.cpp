#include "console/console_reports.h"

#include "common/br_format.h"
#include "common/db_errors.h"
#include "common/messages.h"
#include "common/terminal_settings.h"
#include "console/report_figures.h"
#include "console/reports/index_statistics.h"
#include "db/connection.h"
#include "db/transaction.h"

#include <QCoreApplication>
#include <QDir>

using report::formulaText;

namespace {

// What the reports and the movement queries read by index.
const QStringList MovementTables{QStringLiteral("venda"), QStringLiteral("item_venda"), QStringLiteral("entrada"),
                                 QStringLiteral("produto"), QStringLiteral("tipo_entrada"), QStringLiteral("grupo")};

// The report footer: no screen sets it, so it is always empty.
const QString rodape_relatorio;

} // namespace

ConsoleReports::ConsoleReports(const TerminalSettings& settings, Messages& messages, QString folder,
                               PeriodAsker askPeriod, ReportPresenter& presenter)
    : m_settings(settings)
    , m_messages(messages)
    , m_folder(std::move(folder))
    , m_askPeriod(std::move(askPeriod))
    , m_presenter(presenter)
{
}

QString ConsoleReports::defaultFolder()
{
    // An integrator may try out changed layouts from a folder of their own.
    const QString chosen = qEnvironmentVariable("VORINDA_RELATORIO");
    if (!chosen.isEmpty())
        return QDir::cleanPath(chosen);
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("relatorio"));
}

bool ConsoleReports::askPeriod()
{
    if (m_askPeriod)
        m_askPeriod(m_period);
    return m_period.chosen();
}

void ConsoleReports::prepareReport(const char* file)
{
    m_cr.limpa_relatorio();
    m_cr.setReportFileName(QDir(m_folder).filePath(QString::fromLatin1(file)));
}

QString ConsoleReports::periodFormula(bool shortDates) const
{
    const QString start = shortDates ? br::date(m_period.inicio().date()) : m_period.data_inicial;
    const QString end = shortDates ? br::date(m_period.fim().date()) : m_period.data_final;
    return formulaText(QStringLiteral("Periodo"), QStringLiteral(" Período de ") + start + QStringLiteral(" a ") + end);
}

void ConsoleReports::report(const Failure& failure)
{
    trata_erro_banco(m_messages, failure);
}

report::Prepared ConsoleReports::read()
{
    const QDateTime printed = m_now ? m_now() : QDateTime::currentDateTime();
    return m_cr.read(*m_settings.conexao, printed);
}

// After the report's transaction has ended: no message ever holds one open.
ConsoleReports::Outcome ConsoleReports::show(const report::Prepared& prepared)
{
    if (!prepared) {
        if (prepared.fault == report::Prepared::Fault::Database)
            report(prepared.failure);
        else
            m_messages.info(prepared.failure.text);
        return Outcome::Failed;
    }
    if (Result<void> shown = m_presenter.present(*prepared.document); !shown) {
        m_messages.info(shown.failure().text);
        return Outcome::Failed;
    }
    refreshStatistics();
    return Outcome::Shown;
}

void ConsoleReports::refreshStatistics()
{
    // Once a run, once the manager has closed the first report (nobody waits
    // on it then), so that every later plan reads the movement's dates by
    // their indexes. A refusal changes nothing the manager asked for.
    if (m_statisticsRefreshed || !m_settings.conexao || !m_settings.conexao->isOpen())
        return;
    m_statisticsRefreshed = true;
    (void)report::refreshIndexStatistics(*m_settings.conexao, MovementTables);
}

ConsoleReports::Outcome ConsoleReports::resumoMovimento()
{
    if (!askPeriod())
        return Outcome::NoPeriod;
    prepareReport("01.rpt");
    Connection& db = *m_settings.conexao;

    report::Prepared prepared;
    {
        // Figures and rows from one snapshot of the database, so that they agree.
        Transaction snapshot(db);
        if (!snapshot.begun()) {
            report(snapshot.failure());
            return Outcome::Failed;
        }
        Result<figures::Movement> counted = figures::movement(db, m_period);
        if (!counted) {
            snapshot.rollback();
            report(counted.failure());
            return Outcome::Failed;
        }
        const Money e = counted->entradas;
        const qint64 n = counted->qtdeEntradas;
        const Money s = counted->consumo;
        const qint64 ce = counted->entradasCanceladas;
        const qint64 cs = counted->vendasCanceladas;

        m_cr.setFormula(0, formulaText(QStringLiteral("NomeEmpresa"), m_settings.nome_fantasia));
        m_cr.setFormula(1, formulaText(QStringLiteral("ConsumoGeral"), br::money(s)));
        m_cr.setFormula(2, formulaText(QStringLiteral("entradasCanceladas"), QString::number(ce)));
        m_cr.setFormula(3, formulaText(QStringLiteral("FaturamentoGeral"), br::money(e + s)));
        m_cr.setFormula(4, formulaText(QStringLiteral("nomeEmpresa"), m_settings.nome_fantasia));
        m_cr.setFormula(5, periodFormula(true));
        m_cr.setFormula(6, formulaText(QStringLiteral("qtdeEntradas"), QString::number(n), QStringLiteral("= ")));
        m_cr.setFormula(7, formulaText(QStringLiteral("totalEntradas"), br::money(e)));
        m_cr.setFormula(8, formulaText(QStringLiteral("vendasCanceladas"), QString::number(cs)));
        m_cr.setSelectionFormula(QStringLiteral("{entrada.ddata_entrada} >= dateTime('") + m_period.data_inicial
                                 + QStringLiteral("') and {entrada.ddata_entrada} <= dateTime('") + m_period.data_final
                                 + QStringLiteral("') and {entrada.cexcluida} = 'Nao'"));
        prepared = read();
    }
    return show(prepared);
}

ConsoleReports::Outcome ConsoleReports::vendasPorProdutos()
{
    if (!askPeriod())
        return Outcome::NoPeriod;
    prepareReport("02.rpt");
    m_cr.setFormula(0, formulaText(QStringLiteral("NomeEmpresa"), m_settings.nome_fantasia));
    m_cr.setFormula(1, periodFormula(true));
    m_cr.setFormula(2, formulaText(QStringLiteral("Rodape"), rodape_relatorio));
    m_cr.setSelectionFormula(QStringLiteral("{venda.ddata_venda} >= dateTime('") + m_period.data_inicial
                             + QStringLiteral("') and {venda.ddata_venda} <= dateTime('") + m_period.data_final
                             + QStringLiteral("') and {item_venda.cexcluido} = 'Nao'"));
    return show(read());
}

ConsoleReports::Outcome ConsoleReports::resumoCaixa()
{
    if (!askPeriod())
        return Outcome::NoPeriod;
    prepareReport("03.rpt");
    Connection& db = *m_settings.conexao;

    report::Prepared prepared;
    std::optional<Failure> refused;
    {
        Transaction privateRows(db);
        if (!privateRows.begun()) {
            report(privateRows.failure());
            return Outcome::Failed;
        }
        if (Result<int> filled = figures::writeCashRegisterSummary(db, m_period); !filled) {
            refused = filled.failure();
        } else {
            if (m_afterSummaryRows)
                m_afterSummaryRows();
            m_cr.setFormula(0, formulaText(QStringLiteral("NomeEmpresa"), m_settings.nome_fantasia));
            m_cr.setFormula(1, periodFormula(true));
            prepared = read();
        }
        // Leaving the scope undoes the rows: they were only ever this report's.
    }
    if (refused) {
        report(*refused);
        return Outcome::Failed;
    }
    return show(prepared);
}

ConsoleReports::Outcome ConsoleReports::produtosCadastrados()
{
    prepareReport("04.rpt");
    m_cr.setFormula(0, formulaText(QStringLiteral("NomeEmpresa"), m_settings.nome_fantasia));
    m_cr.setFormula(1, periodFormula(false));
    m_cr.setFormula(2, formulaText(QStringLiteral("Rodape"), rodape_relatorio));
    return show(read());
}

ConsoleReports::Outcome ConsoleReports::run(const QString& number)
{
    if (number == u"01")
        return resumoMovimento();
    if (number == u"02")
        return vendasPorProdutos();
    if (number == u"03")
        return resumoCaixa();
    if (number == u"04")
        return produtosCadastrados();
    m_messages.info(QStringLiteral("Relatório desconhecido: %1 (os relatórios são 01, 02, 03 e 04).").arg(number));
    return Outcome::Failed;
}
