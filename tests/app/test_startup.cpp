#include "app/startup.h"
#include "app_test_files.h"
#include "tests/support/test_database.h"
#include "common/message_texts.h"
#include "db/connection.h"
#include "tests/support/scripted_messages.h"

#include <QTest>

using apptest::configLines;
using apptest::crlf;

namespace {

// Records which screen each start-up opened.
class RecordedScreens final : public ScreenOpener
{
public:
    void openConfigEditor() override { opened.append(QStringLiteral("editor")); }
    void openModeScreen(TerminalMode mode) override
    {
        switch (mode) {
        case TerminalMode::Sale: opened.append(QStringLiteral("sale")); break;
        case TerminalMode::Entry: opened.append(QStringLiteral("entry")); break;
        case TerminalMode::Console: opened.append(QStringLiteral("console")); break;
        case TerminalMode::None: opened.append(QStringLiteral("none")); break;
        }
    }
    QStringList opened;
};

// What a test expects to be shown: "info: fragment" or "question: fragment".
void compareShown(const ScriptedMessages& messages, const QStringList& expected)
{
    const QString transcript = messages.transcript();
    QVERIFY2(messages.shown().size() == expected.size(), qPrintable(transcript));
    for (int i = 0; i < expected.size(); ++i) {
        const auto& shown = messages.shown().at(i);
        const QString kind = expected.at(i).section(QStringLiteral(": "), 0, 0);
        const QString fragment = expected.at(i).section(QStringLiteral(": "), 1);
        QVERIFY2(ScriptedMessages::kindName(shown.kind) == kind, qPrintable(transcript));
        QVERIFY2(shown.text.contains(fragment), qPrintable(transcript));
    }
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void roads_data();
    void roads();
    void unknownRegisterInEveryMode_data();
    void unknownRegisterInEveryMode();
    void notConfiguredOpensNoConnection();
    void settingsFromTheFileAndDatabase_data();
    void settingsFromTheFileAndDatabase();
    void settingsReadBeforeAFailureStaySet();
    void emptyTablesAreFailures_data();
    void emptyTablesAreFailures();
    void failuresGoToTheLog();

private:
    QString dataDir() const { return m_db->dataFolder(); }
    QString databasePath() const { return m_db->path(); }
    void writeConfig(const QList<QByteArray>& lines) { apptest::writeFile(configFilePath(dataDir()), crlf(lines)); }
    void execute(const QString& sql);

    std::unique_ptr<TestDatabase> m_db;
};

void TestStartup::init()
{
    m_db.reset();
    m_db = std::make_unique<TestDatabase>();
    QVERIFY2(m_db->ok(), qPrintable(m_db->error()));
}

void TestStartup::execute(const QString& sql)
{
    const auto done = m_db->connection().execute(sql);
    QVERIFY2(done.ok(), qPrintable(done.ok() ? QString() : done.failure().description()));
}

void TestStartup::roads_data()
{
    QTest::addColumn<QByteArray>("file");          // "missing" for no file at all
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("opened");

    const QString db = QStringLiteral("%DB%");
    const QString falha = QStringLiteral("question: ") + msg::falhaCarregar;
    auto file = [](const QList<QByteArray>& lines) { return crlf(lines); };
    auto with = [&](int line, const QByteArray& text) {
        auto lines = configLines(db);
        lines[line - 1] = text;
        return crlf(lines);
    };

    QTest::addRow("not configured, other lines absent") << file({"CONFIGURADO=FALSE"}) << QList<bool>{}
                                                        << QStringList{} << "editor";
    QTest::addRow("not configured as 0") << with(1, "CONFIGURADO=0") << QList<bool>{} << QStringList{} << "editor";
    QTest::addRow("missing file, original not wanted") << QByteArray("missing") << QList<bool>{false}
                                                       << QStringList{falha} << "editor";
    QTest::addRow("missing file, original shown") << QByteArray("missing") << QList<bool>{true}
                                                  << QStringList{falha, QStringLiteral("info: não existe")} << "editor";
    QTest::addRow("empty file") << QByteArray() << QList<bool>{true}
                                << QStringList{falha, QStringLiteral("info: terminou antes da linha 1")} << "editor";
    QTest::addRow("first line not boolean") << with(1, "CONFIGURADO=sim") << QList<bool>{true}
                                            << QStringList{falha, QStringLiteral("info: \"sim\" de CONFIGURADO")} << "editor";
    QTest::addRow("lines in another order") << with(2, "CAIXA=1") << QList<bool>{true}
                                            << QStringList{falha, QStringLiteral("info: deveria conter \"PATH=\"")} << "editor";
    QTest::addRow("short file") << crlf(configLines(db).mid(0, 7)) << QList<bool>{true}
                                << QStringList{falha, QStringLiteral("info: antes da linha 8")} << "editor";
    QTest::addRow("cash register beyond 16 bits") << with(3, "CAIXA=40000") << QList<bool>{true}
                                                  << QStringList{falha, QStringLiteral("info: entre -32768 e 32767")} << "editor";
    QTest::addRow("negative margin") << with(4, "COLUNA=-1") << QList<bool>{true}
                                     << QStringList{falha, QStringLiteral("info: COLUNA=-1")} << "editor";
    QTest::addRow("absurd margin") << with(4, "COLUNA=2000000000") << QList<bool>{true}
                                   << QStringList{falha, QStringLiteral("info: COLUNA=2000000000")} << "editor";
    QTest::addRow("print route not a number") << with(6, "IMPRESSAO=direta") << QList<bool>{false}
                                              << QStringList{falha} << "editor";
    QTest::addRow("quantity not boolean") << with(8, "QUANTIDADE=talvez") << QList<bool>{false}
                                          << QStringList{falha} << "editor";
    QTest::addRow("database that does not exist") << with(2, "PATH=/nao/existe/movimento.fdb") << QList<bool>{true}
                                                  << QStringList{falha, QStringLiteral("info: /nao/existe/movimento.fdb")}
                                                  << "editor";
    QTest::addRow("VENDA") << with(7, "MODO=VENDA") << QList<bool>{} << QStringList{} << "sale";
    QTest::addRow("blanks around VENDA") << with(7, "MODO= VENDA ") << QList<bool>{} << QStringList{} << "sale";
    QTest::addRow("ENTRADA") << with(7, "MODO=ENTRADA") << QList<bool>{} << QStringList{} << "entry";
    QTest::addRow("GERENCIA") << with(7, "MODO=GERENCIA") << QList<bool>{} << QStringList{} << "console";
    QTest::addRow("venda in lower case") << with(7, "MODO=venda") << QList<bool>{} << QStringList{} << "none";
    QTest::addRow("Gerencia as the list shows it") << with(7, "MODO=Gerencia") << QList<bool>{} << QStringList{} << "none";
    QTest::addRow("no mode word") << with(7, "MODO=") << QList<bool>{} << QStringList{} << "none";
    QTest::addRow("quantity line with blanks") << with(8, "QUANTIDADE= TRUE ") << QList<bool>{} << QStringList{} << "sale";
    QTest::addRow("ninth line ignored") << file(configLines(db) + QList<QByteArray>{"lixo", "MODO=GERENCIA"})
                                        << QList<bool>{} << QStringList{} << "sale";
}

void TestStartup::roads()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<bool>, answers);
    QFETCH(QStringList, shown);
    QFETCH(QString, opened);

    if (file != "missing")
        apptest::writeFile(configFilePath(dataDir()), file.replace("%DB%", databasePath().toLatin1()));
    RunState state;
    state.settings.dataDir = dataDir();
    ScriptedMessages messages;
    for (bool answer : answers)
        messages.answerNext(answer);
    RecordedScreens screens;

    Startup(state, messages, screens).run();

    compareShown(messages, shown);
    QCOMPARE(messages.pendingAnswers(), 0);
    QCOMPARE(screens.opened, QStringList{opened});
}

void TestStartup::unknownRegisterInEveryMode_data()
{
    QTest::addColumn<QByteArray>("mode");
    QTest::addRow("VENDA") << QByteArray("VENDA");
    QTest::addRow("ENTRADA") << QByteArray("ENTRADA");
    QTest::addRow("GERENCIA") << QByteArray("GERENCIA");
    QTest::addRow("no mode") << QByteArray("x");
}

void TestStartup::unknownRegisterInEveryMode()
{
    QFETCH(QByteArray, mode);
    writeConfig(configLines(databasePath(), mode, "7"));
    RunState state;
    state.settings.dataDir = dataDir();
    ScriptedMessages messages;
    RecordedScreens screens;

    Startup(state, messages, screens).run();

    QCOMPARE(messages.shown(), (QList<ScriptedMessages::Shown>{{ScriptedMessages::Kind::Info, msg::caixaNaoCadastrado}}));
    QCOMPARE(screens.opened, QStringList{QStringLiteral("editor")});
    QCOMPARE(state.settings.numero_caixa, qint16(7));
}

void TestStartup::notConfiguredOpensNoConnection()
{
    writeConfig({"CONFIGURADO=false", "PATH=/um/banco.fdb", "CAIXA=dois"});
    RunState state;
    state.settings.dataDir = dataDir();
    ScriptedMessages messages;
    RecordedScreens screens;

    Startup(state, messages, screens).run();

    QVERIFY(!state.connection);
    QVERIFY(!state.settings.conexao);
    QVERIFY(state.settings.caminho_banco.isEmpty());
    QCOMPARE(screens.opened, QStringList{QStringLiteral("editor")});
}

void TestStartup::settingsFromTheFileAndDatabase_data()
{
    QTest::addColumn<QByteArray>("coluna");
    QTest::addColumn<QString>("margem");
    QTest::addColumn<QByteArray>("quantidade");
    QTest::addColumn<bool>("quantidadeLivre");

    QTest::addRow("no margin") << QByteArray("0") << "" << QByteArray("false") << false;
    QTest::addRow("two blanks") << QByteArray(" 2 ") << "  " << QByteArray("TRUE") << true;
    QTest::addRow("five blanks") << QByteArray("5") << "     " << QByteArray("1") << true;
}

void TestStartup::settingsFromTheFileAndDatabase()
{
    QFETCH(QByteArray, coluna);
    QFETCH(QString, margem);
    QFETCH(QByteArray, quantidade);
    QFETCH(bool, quantidadeLivre);

    execute(QStringLiteral("update estabelecimento set cfantasia = 'Bar do Zé'"));
    execute(QStringLiteral("update horario set thora1 = '17:30:45', thora2 = '05:05'"));
    writeConfig({"CONFIGURADO=TRUE", "PATH=" + databasePath().toLatin1(), "CAIXA=1", "COLUNA=" + coluna,
                 "LINHA=-4", "IMPRESSAO=7", "MODO=ENTRADA", "QUANTIDADE=" + quantidade});
    RunState state;
    state.settings.dataDir = dataDir();
    ScriptedMessages messages;
    RecordedScreens screens;

    Startup(state, messages, screens).run();

    QVERIFY2(messages.shown().isEmpty(), qPrintable(messages.transcript()));
    QCOMPARE(screens.opened, QStringList{QStringLiteral("entry")});
    const TerminalSettings& s = state.settings;
    QVERIFY(state.connection && state.connection->isOpen());
    QCOMPARE(s.conexao, state.connection.get());
    QCOMPARE(s.caminho_banco, databasePath());
    QCOMPARE(s.numero_caixa, qint16(1));
    QCOMPARE(s.margem, margem);
    QCOMPARE(s.linhas_avanco, qint16(-4));
    QCOMPARE(s.modo_impressao, qint16(7));
    QCOMPARE(s.quantidade_livre, quantidadeLivre);
    QCOMPARE(s.hora_inicio, QStringLiteral("17:30"));
    QCOMPARE(s.hora_fim, QStringLiteral("05:05"));
    QCOMPARE(s.nome_fantasia, QStringLiteral("Bar do Zé"));
}

void TestStartup::settingsReadBeforeAFailureStaySet()
{
    RunState state;
    state.settings.dataDir = dataDir();
    state.settings.linhas_avanco = 42;
    state.settings.quantidade_livre = true;
    writeConfig({"CONFIGURADO=TRUE", "PATH=/outro/banco.fdb", "CAIXA=3", "COLUNA=2", "LINHA=muitas"});
    ScriptedMessages messages;
    messages.answerNext(false);
    RecordedScreens screens;

    Startup(state, messages, screens).run();

    QCOMPARE(screens.opened, QStringList{QStringLiteral("editor")});
    QCOMPARE(state.settings.caminho_banco, QStringLiteral("/outro/banco.fdb"));
    QCOMPARE(state.settings.numero_caixa, qint16(3));
    QCOMPARE(state.settings.margem, QStringLiteral("  "));
    QCOMPARE(state.settings.linhas_avanco, qint16(42));
    QCOMPARE(state.settings.quantidade_livre, true);
    QVERIFY(!state.connection);
}

void TestStartup::emptyTablesAreFailures_data()
{
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QString>("says");

    QTest::addRow("no working hours") << QStringList{QStringLiteral("delete from horario")} << "horario";
    QTest::addRow("working hours without start")
        << QStringList{QStringLiteral("update horario set thora1 = null")} << "thora1";
    QTest::addRow("no establishment")
        << QStringList{QStringLiteral("alter trigger estabelecimento_bd inactive"),
                       QStringLiteral("delete from estabelecimento")}
        << "estabelecimento";
}

void TestStartup::emptyTablesAreFailures()
{
    QFETCH(QStringList, statements);
    QFETCH(QString, says);

    for (const QString& sql : statements)
        execute(sql);
    writeConfig(configLines(databasePath(), "GERENCIA"));
    RunState state;
    state.settings.dataDir = dataDir();
    ScriptedMessages messages;
    messages.answerNext(true);
    RecordedScreens screens;

    Startup(state, messages, screens).run();

    compareShown(messages, {QStringLiteral("question: ") + msg::falhaCarregar, QStringLiteral("info: ") + says});
    QCOMPARE(screens.opened, QStringList{QStringLiteral("editor")});
}

void TestStartup::failuresGoToTheLog()
{
    writeConfig(configLines(databasePath(), "VENDA", "9"));
    RunState state;
    state.settings.dataDir = dataDir();
    ScriptedMessages messages;
    RecordedScreens screens;
    Startup(state, messages, screens).run();

    apptest::writeFile(configFilePath(dataDir()), "CONFIGURADO=TRUE\r\nCAIXA=1\r\n");
    messages.answerNext(false);
    Startup(state, messages, screens).run();

    const QString log = QString::fromUtf8(apptest::readFile(logFilePath(dataDir())));
    QVERIFY2(log.contains(msg::caixaNaoCadastrado), qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("deveria conter \"PATH=\"")), qPrintable(log));
    QCOMPARE(log.count(u'\n'), 2);
}

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
