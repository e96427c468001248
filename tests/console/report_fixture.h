#pragma once

// A demo database with movements stamped where a test puts them, and the
// console's report entries run against it with the build's own definitions.

#include "common/terminal_settings.h"
#include "console/console_reports.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/test_database.h"

#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace reports {

inline QDateTime at(const char* text)
{
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

// The night of 04/12/2026, 18:00 to 06:00, as the period dialog hands it on.
inline ReportPeriod night()
{
    return ReportPeriod{QStringLiteral("2026-12-04 18:00"), QStringLiteral("2026-12-05 06:00")};
}

inline const QDateTime Printed = at("2026-12-05 07:15:00");

// Keeps every report presented, as the preview would show it.
class KeptReports final : public ReportPresenter
{
public:
    Result<void> present(const report::Document& document) override
    {
        documents.append(document);
        return {};
    }
    QList<report::Document> documents;
};

// The text of a PDF as pdftotext reads it (layout kept); empty when the
// tool is missing, which the caller reports.
inline QString pdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct Bench
{
    Bench()
    {
        settings.conexao = &db.connection();
        settings.numero_caixa = 1;
        settings.hora_inicio = QStringLiteral("18:00");
        settings.hora_fim = QStringLiteral("06:00");
        settings.nome_fantasia = QStringLiteral("Bar Estrela");
        settings.dataDir = db.dataFolder();
        reports = std::make_unique<ConsoleReports>(
            settings, messages, QStringLiteral(VORINDA_REPORT_FOLDER),
            [this](ReportPeriod& p) { p = chosen; ++asked; }, kept);
        reports->setClock([] { return Printed; });
    }

    Connection& connection() { return db.connection(); }

    void run(const QString& sql, const SqlParams& values = {})
    {
        auto done = db.connection().execute(sql, values);
        if (!done)
            qFatal("%s: %s", qPrintable(sql), qPrintable(done.failure().text));
    }

    // One sale line of `total` at cash register `caixa`, a sale of its own.
    void sale(const char* when, int caixa, int produto, const char* qtde, const char* total, bool cancelled = false)
    {
        const Money amount = Money::fromDecimalText(QString::fromLatin1(total)).value();
        run(QStringLiteral("insert into venda (ncodigo, ncaixa_venda, ddata_venda, cforma_pagamento, ntotal, "
                           "nvalor_pago, ntroco) values (gen_id(venda, 1), ?, ?, 'Dinheiro', ?, ?, 0)"),
            {SqlValue::integer(caixa), SqlValue::timestamp(at(when)), SqlValue::money(amount), SqlValue::money(amount)});
        run(QStringLiteral("insert into item_venda (ncodigo, nvenda, nproduto, nqtde, npreco, ntotal, cexcluido, "
                           "nnumero, cvenda_interna) values (null, gen_id(venda, 0), ?, ?, 0, ?, ?, "
                           "gen_id(numero_venda, 1), 'N')"),
            {SqlValue::integer(produto), SqlValue::quantity(Money::fromDecimalText(QString::fromLatin1(qtde)).value()),
             SqlValue::money(amount), SqlValue::text(cancelled ? QStringLiteral("Sim") : QStringLiteral("Nao"))});
    }

    // One entry unit of `value` of entry type `tipo` at cash register `caixa`.
    void entry(const char* when, int caixa, int tipo, const char* value, bool cancelled = false)
    {
        run(QStringLiteral("insert into entrada (ncodigo, ddata_entrada, ntipo_entrada, ncaixa_entrada, nvalor, "
                           "cexcluida, cforma_pagamento, nnumero) values (gen_id(entrada, 1), ?, ?, ?, ?, ?, "
                           "'Dinheiro', gen_id(numero_entrada, 1))"),
            {SqlValue::timestamp(at(when)), SqlValue::integer(tipo), SqlValue::integer(caixa),
             SqlValue::money(Money::fromDecimalText(QString::fromLatin1(value)).value()),
             SqlValue::text(cancelled ? QStringLiteral("Sim") : QStringLiteral("Nao"))});
    }

    // The main query's rows of the last report presented, one text per row
    // with the named columns joined by "|".
    QStringList rows(const QStringList& columns) const
    {
        QStringList out;
        if (kept.documents.isEmpty())
            return out;
        const Rows& data = kept.documents.last().data().main;
        for (int r = 0; r < data.count(); ++r) {
            QStringList cells;
            for (const QString& column : columns)
                cells << data.text(r, column);
            out << cells.join(u'|');
        }
        return out;
    }

    TestDatabase db{TestDatabase::Demo};
    TerminalSettings settings;
    ScriptedMessages messages;
    KeptReports kept;
    ReportPeriod chosen = night();
    int asked = 0;
    std::unique_ptr<ConsoleReports> reports;
};

} // namespace reports
