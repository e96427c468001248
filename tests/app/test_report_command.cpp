// vorinda --report as a process: a PDF written with no window from the
// terminal's own configuration and database, and a clear refusal with a
// non-zero exit for a bad option, date or destination.

#include "app_test_files.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "db/database_creator.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestReportCommand : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

private slots:
    void initTestCase()
    {
        const QString database = path("movimento.fdb");
        QVERIFY(createDatabase(database, true).ok());
        {
            Connection db;
            QVERIFY(db.open(database).ok());
            QVERIFY(db.execute(QStringLiteral("update estabelecimento set cfantasia = 'Bar D''Ávila'")).ok());
            QVERIFY(db.execute(QStringLiteral(
                "insert into entrada (ncodigo, ddata_entrada, ntipo_entrada, ncaixa_entrada, nvalor, cexcluida, "
                "cforma_pagamento, nnumero) values (gen_id(entrada, 1), '2026-12-04 20:00', 1, 1, 30, 'Nao', 'Dinheiro', 1)")).ok());
        }   // closed: the program opens the file itself
        apptest::writeFile(configFilePath(m_dir.path()), apptest::crlf(apptest::configLines(database, "GERENCIA")));
    }

    void report_data()
    {
        QTest::addColumn<QStringList>("arguments");   // %D: the data folder
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("says");            // on the output
        QTest::addColumn<QStringList>("inPdf");       // empty: no file may be left

        const QStringList night{"--from", "04/12/2026 18:00", "--to", "05/12/2026 06:00"};
        QTest::newRow("movement summary of a night")
            << (QStringList{"--report", "01", "--pdf", "%D/01.pdf"} + night) << 0 << "Relatório 01 gravado em %D/01.pdf"
            << QStringList{"Bar D'Ávila", "Período de 04/12/2026 a 05/12/2026", "Total das entradas 1 R$ 30,00"};
        QTest::newRow("the product list needs no period")
            << QStringList{"--report=4", "--pdf", "%D/04.pdf"} << 0 << "Relatório 04 gravado"
            << QStringList{"Produtos cadastrados", "15 produto(s) cadastrado(s)"};
        QTest::newRow("no period: the business day")
            << QStringList{"--report", "03", "--pdf", "%D/03.pdf"} << 0 << "Relatório 03 gravado"
            << QStringList{"Resumo dos caixas", "Total (2 caixa(s))"};
        QTest::newRow("a report that does not exist")
            << (QStringList{"--report", "05", "--pdf", "%D/x.pdf"} + night) << 2 << "relatório desconhecido \"05\"" << QStringList{};
        QTest::newRow("no file to write") << (QStringList{"--report", "01"} + night) << 2 << "--pdf ARQUIVO" << QStringList{};
        QTest::newRow("a date that does not exist")
            << QStringList{"--report", "02", "--pdf", "%D/x.pdf", "--from", "31/02/2026 18:00", "--to", "01/03/2026 06:00"}
            << 2 << "data e hora inválida em --from: \"31/02/2026 18:00\"" << QStringList{};
        QTest::newRow("a date without its time")
            << QStringList{"--report", "02", "--pdf", "%D/x.pdf", "--from", "04/12/2026", "--to", "05/12/2026 06:00"}
            << 2 << "data e hora inválida em --from" << QStringList{};
        QTest::newRow("half a period") << QStringList{"--report", "02", "--pdf", "%D/x.pdf", "--from", "04/12/2026 18:00"}
                                       << 2 << "--from e --to" << QStringList{};
        QTest::newRow("a period that ends before it starts")
            << QStringList{"--report", "02", "--pdf", "%D/x.pdf", "--from", "05/12/2026 18:00", "--to", "05/12/2026 06:00"}
            << 2 << "termina antes de começar" << QStringList{};
        QTest::newRow("a period for the product list")
            << (QStringList{"--report", "04", "--pdf", "%D/x.pdf"} + night) << 2 << "não tem período" << QStringList{};
        QTest::newRow("an option it does not know")
            << QStringList{"--report", "01", "--pdf", "%D/x.pdf", "--imprimir"} << 2 << "imprimir" << QStringList{};
        QTest::newRow("a folder that does not exist")
            << (QStringList{"--report", "02", "--pdf", "%D/falta/02.pdf"} + night) << 1
            << "Não foi possível gravar o arquivo %D/falta/02.pdf" << QStringList{};
    }

    void report()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, says);
        QFETCH(QStringList, inPdf);
        arguments.replaceInStrings(QStringLiteral("%D"), m_dir.path());
        says.replace(QStringLiteral("%D"), m_dir.path());
        const int pdfAt = int(arguments.indexOf(QStringLiteral("--pdf")));
        const QString pdf = pdfAt >= 0 ? arguments.value(pdfAt + 1) : QStringLiteral("none");

        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("VORINDA_DIR"), m_dir.path());
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));   // no display needed all the same
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("VORINDA_RELATORIO"));  // the definitions beside the program
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QStringLiteral(VORINDA_BINARY), arguments);
        QVERIFY(process.waitForFinished(60000));
        const QString out = QString::fromUtf8(process.readAll());
        QCOMPARE(process.exitCode(), exitCode);
        QVERIFY2(out.contains(says), qPrintable(out));
        QCOMPARE(QFile::exists(pdf), !inPdf.isEmpty());
        if (inPdf.isEmpty())
            return;
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY2(text.waitForFinished(30000) && text.exitCode() == 0, "pdftotext (poppler-utils) could not read the PDF");
        const QString written = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        for (const QString& line : inPdf)
            QVERIFY2(written.contains(line), qPrintable(line + QStringLiteral(" not in: ") + written));
    }

    void unusableConfiguration()
    {
        // The start-up's own road: the reason told, nothing written.
        QTemporaryDir elsewhere;
        apptest::writeFile(configFilePath(elsewhere.path()),
                           apptest::crlf(apptest::configLines(QStringLiteral("/nao/existe.fdb"), "GERENCIA")));
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("VORINDA_DIR"), elsewhere.path());
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        const QString pdf = elsewhere.filePath(QStringLiteral("04.pdf"));
        process.start(QStringLiteral(VORINDA_BINARY), {QStringLiteral("--report"), QStringLiteral("04"),
                                                       QStringLiteral("--pdf"), pdf});
        QVERIFY(process.waitForFinished(60000));
        const QString out = QString::fromUtf8(process.readAll());
        QCOMPARE(process.exitCode(), 1);
        QVERIFY2(out.contains(QStringLiteral("/nao/existe.fdb")), qPrintable(out));
        QVERIFY(!QFile::exists(pdf));
    }
};

QTEST_GUILESS_MAIN(TestReportCommand)
#include "test_report_command.moc"
