#include "app_test_files.h"
#include "common/message_texts.h"
#include "common/terminal_settings.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

using apptest::configLines;
using apptest::crlf;

namespace {

struct Run
{
    int exitCode = -1;
    bool ended = false;
    QString out;
    QStringList test;   // the driver's lines, without their prefix
};

} // namespace

// Every start-up road ends in its window, and the process ends by itself once
// the test driver closes it.
class TestVorindaProcess : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void roads_data();
    void roads();
    void commandLine_data();
    void commandLine();
    void terminationSignalsEndTheProgram_data();
    void terminationSignalsEndTheProgram();

private:
    QProcessEnvironment environment(const QString& answers, bool driven) const;
    Run run(const QStringList& arguments, const QString& answers, bool driven = true);
    QString databasePath() const { return m_dir->filePath(QStringLiteral("movimento.fdb")); }

    QTemporaryDir m_templateDir;
    QString m_template;
    std::unique_ptr<QTemporaryDir> m_dir;
};

QProcessEnvironment TestVorindaProcess::environment(const QString& answers, bool driven) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VORINDA_DIR"), m_dir->path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (driven)
        environment.insert(QStringLiteral("VORINDA_TEST_ANSWERS"), answers);
    else
        environment.remove(QStringLiteral("VORINDA_TEST_ANSWERS"));
    return environment;
}

Run TestVorindaProcess::run(const QStringList& arguments, const QString& answers, bool driven)
{
    QProcess process;
    process.setProcessEnvironment(environment(answers, driven));
    process.start(QStringLiteral(VORINDA_BINARY), arguments);
    Run result;
    if (!process.waitForStarted(10000))
        return result;
    process.closeWriteChannel();
    result.ended = process.waitForFinished(30000);
    if (!result.ended)
        process.kill(), process.waitForFinished(5000);
    result.exitCode = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    for (const QString& line : result.out.split(u'\n')) {
        if (line.startsWith(QStringLiteral("vorinda-test: ")))
            result.test << line.mid(14);
    }
    return result;
}

void TestVorindaProcess::initTestCase()
{
    // The database comes from the program's own create command.
    m_dir = std::make_unique<QTemporaryDir>();
    m_template = m_templateDir.filePath(QStringLiteral("template.fdb"));
    const Run created = run({QStringLiteral("--create-database"), m_template}, QString(), false);
    QVERIFY2(created.ended && created.exitCode == 0, qPrintable(created.out));
    QVERIFY(QFile::exists(m_template));
}

void TestVorindaProcess::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(QFile::copy(m_template, databasePath()));
}

void TestVorindaProcess::roads_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QStringList>("expected");

    const QString falha = QStringLiteral("question: ") + msg::falhaCarregar;
    const QString editor = QStringLiteral("window: FrmConfiguracao \"Configurações\"");
    auto with = [](int line, const QByteArray& text) { return apptest::crlfWith(configLines("%DB%"), line, text); };

    QTest::addRow("not configured") << crlf({"CONFIGURADO=FALSE"}) << ""
                                    << QStringList{editor, "painted: FrmConfiguracao"};
    QTest::addRow("database cannot be opened")
        << with(2, "PATH=/nao/existe/movimento.fdb") << "n" << QStringList{falha + " -> Não", editor, "painted: FrmConfiguracao"};
    QTest::addRow("cash register not registered")
        << with(3, "CAIXA=9") << "" << QStringList{"info: " + msg::caixaNaoCadastrado, editor, "painted: FrmConfiguracao"};
    QTest::addRow("VENDA") << with(7, "MODO=VENDA") << ""
                           << QStringList{"window: FrmVendas ", "painted: FrmVendas"};
    QTest::addRow("ENTRADA") << with(7, "MODO= ENTRADA ") << ""
                             << QStringList{"window: FrmEntradas ", "painted: FrmEntradas"};
    QTest::addRow("GERENCIA") << with(7, "MODO=GERENCIA") << ""
                              << QStringList{"window: principal ", "painted: principal"};
    QTest::addRow("venda: nothing opens, the program ends") << with(7, "MODO=venda") << "" << QStringList{};
}

void TestVorindaProcess::roads()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, answers);
    QFETCH(QStringList, expected);
    apptest::writeFile(configFilePath(m_dir->path()), file.replace("%DB%", databasePath().toLatin1()));
    const Run result = run({}, answers);
    QVERIFY2(result.ended, qPrintable(QStringLiteral("the program did not end:\n") + result.out));
    QCOMPARE(result.exitCode, 0);
    // A screen's own title is its business: a window line is matched by its start.
    const QString transcript = result.test.join(u'\n');
    QVERIFY2(result.test.size() == expected.size(), qPrintable(transcript));
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY2(result.test.at(i).startsWith(expected.at(i)), qPrintable(transcript));
}

void TestVorindaProcess::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("says");

    QTest::addRow("help") << QStringList{"--help"} << 0
                          << QStringList{"--create-database CAMINHO", "--demo", "--version", "VORINDA_DIR",
                                         "VORINDA_PRINTER_PORT"};
    QTest::addRow("version") << QStringList{"--version"} << 0 << QStringList{"Vorinda " + programVersion()};
    QTest::addRow("unknown option") << QStringList{"--vender"} << 2 << QStringList{"vender", "--help"};
    QTest::addRow("existing database never overwritten")
        << QStringList{"--create-database", "%TEMPLATE%"} << 1 << QStringList{"já existe"};
    QTest::addRow("place where no file can be")
        << QStringList{"--create-database", "/dev/null/novo.fdb"} << 1 << QStringList{"não foi criado"};
}

void TestVorindaProcess::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, says);
    const Run result = run(arguments.replaceInStrings(QStringLiteral("%TEMPLATE%"), m_template), QString(), false);
    QVERIFY2(result.ended, qPrintable(result.out));
    QCOMPARE(result.exitCode, exitCode);
    for (const QString& text : says)
        QVERIFY2(result.out.contains(text), qPrintable(result.out));
}

void TestVorindaProcess::terminationSignalsEndTheProgram_data()
{
    QTest::addColumn<int>("signal");
    QTest::addRow("SIGTERM") << int(SIGTERM);
    QTest::addRow("SIGINT") << int(SIGINT);
}

// With the database open, Firebird catches these signals; the program must
// still end, and with its connection closed (the database stays usable).
void TestVorindaProcess::terminationSignalsEndTheProgram()
{
    QFETCH(int, signal);
    apptest::writeFile(configFilePath(m_dir->path()), crlf(configLines(databasePath(), "GERENCIA")));

    QProcess process;
    process.setProcessEnvironment(environment(QStringLiteral("keep"), true));
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(VORINDA_BINARY), {});
    QByteArray out;
    while (!out.contains("painted: principal") && process.waitForReadyRead(20000))
        out += process.readAll();
    QVERIFY2(out.contains("painted: principal"), out.constData());
    ::kill(pid_t(process.processId()), signal);
    const bool ended = process.waitForFinished(15000);
    if (!ended)
        process.kill(), process.waitForFinished(5000);
    QVERIFY2(ended, "the program ignored the signal");
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    // Nothing holds the database: the program itself opens it again.
    const Run again = run({}, QString());
    QVERIFY2(again.test.contains(QStringLiteral("painted: principal")), qPrintable(again.out));
}

QTEST_GUILESS_MAIN(TestVorindaProcess)
#include "test_vorinda_process.moc"
