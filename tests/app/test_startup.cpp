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
        static const QStringList names = {"none", "sale", "entry", "console"};
        opened.append(names.at(int(mode)));
    }
    QStringList opened;
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void roads_data();
    void roads();
    void settingsFromTheFileAndDatabase();
    void settingsReadBeforeAFailureStaySet();

private:
    QString dataDir() const { return m_db->dataFolder(); }
    QString databasePath() const { return m_db->path(); }
    void writeConfig(const QList<QByteArray>& lines) { apptest::writeFile(configFilePath(dataDir()), crlf(lines)); }
    void execute(const QString& sql);
    // One start-up; `answers` to its questions, "Sim" as true.
    void start(const QList<bool>& answers = {});

    std::unique_ptr<TestDatabase> m_db;
    RunState m_state;
    std::unique_ptr<ScriptedMessages> m_messages;
    RecordedScreens m_screens;
};

void TestStartup::init()
{
    m_state = RunState{};   // its connection closes before the database goes
    m_db.reset();
    m_db = std::make_unique<TestDatabase>();
    QVERIFY2(m_db->ok(), qPrintable(m_db->error()));
    m_state.settings.dataDir = dataDir();
    m_messages = std::make_unique<ScriptedMessages>();
    m_screens.opened.clear();
}

void TestStartup::execute(const QString& sql)
{
    const auto done = m_db->connection().execute(sql);
    QVERIFY2(done.ok(), qPrintable(done.ok() ? QString() : done.failure().description()));
}

void TestStartup::start(const QList<bool>& answers)
{
    for (bool answer : answers)
        m_messages->answerNext(answer);
    Startup(m_state, *m_messages, m_screens).run();
    QCOMPARE(m_messages->pendingAnswers(), 0);
}

void TestStartup::roads_data()
{
    QTest::addColumn<QByteArray>("file");          // "missing" for no file at all
    QTest::addColumn<QStringList>("sql");          // run on the database first
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("opened");

    const QString falha = QStringLiteral("question: ") + msg::falhaCarregar;
    auto with = [](int line, const QByteArray& text) { return apptest::crlfWith(configLines("%DB%"), line, text); };
    auto failure = [&](const char* says) { return QStringList{falha, QStringLiteral("info: ") + says}; };
    auto row = [](const char* name, const QByteArray& file, const QStringList& shown, const char* opened,
                  const QStringList& sql = {}) { QTest::newRow(name) << file << sql << shown << QString(opened); };

    row("not configured, other lines absent", crlf({"CONFIGURADO=FALSE"}), {}, "editor");
    row("missing file", "missing", failure("não existe"), "editor");
    row("first line not boolean", with(1, "CONFIGURADO=sim"), failure("\"sim\" de CONFIGURADO"), "editor");
    row("short file", crlf(configLines("%DB%").mid(0, 7)), failure("antes da linha 8"), "editor");
    row("cash register beyond 16 bits", with(3, "CAIXA=40000"), failure("entre -32768 e 32767"), "editor");
    row("negative margin", with(4, "COLUNA=-1"), failure("COLUNA=-1"), "editor");
    row("absurd margin", with(4, "COLUNA=2000000000"), failure("COLUNA=2000000000"), "editor");
    row("original message not wanted", with(6, "IMPRESSAO=direta"), {falha}, "editor");
    row("database that does not exist", with(2, "PATH=/nao/existe/movimento.fdb"),
        failure("/nao/existe/movimento.fdb"), "editor");
    row("unknown cash register", with(3, "CAIXA=7"), {QStringLiteral("info: ") + msg::caixaNaoCadastrado}, "editor");
    row("no working hours", with(7, "MODO=GERENCIA"), failure("horario"), "editor", {"delete from horario"});
    row("working hours without start", with(7, "MODO=GERENCIA"), failure("thora1"), "editor",
        {"update horario set thora1 = null"});
    row("no establishment", with(7, "MODO=GERENCIA"), failure("estabelecimento"), "editor",
        {"alter trigger estabelecimento_bd inactive", "delete from estabelecimento"});
    row("blanks around VENDA", with(7, "MODO= VENDA "), {}, "sale");
    row("GERENCIA", with(7, "MODO=GERENCIA"), {}, "console");
    row("Gerencia as the list shows it", with(7, "MODO=Gerencia"), {}, "none");
    row("ninth line ignored", crlf(configLines("%DB%") + QList<QByteArray>{"lixo", "MODO=GERENCIA"}), {}, "sale");
}

void TestStartup::roads()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, sql);
    QFETCH(QStringList, shown);
    QFETCH(QString, opened);
    for (const QString& statement : sql)
        execute(statement);
    if (file != "missing")
        apptest::writeFile(configFilePath(dataDir()), file.replace("%DB%", databasePath().toLatin1()));
    // The failure question is answered "Sim" when the original message is expected.
    start(shown.value(0).startsWith(QStringLiteral("question: ")) ? QList<bool>{shown.size() == 2} : QList<bool>{});
    // Each expected message is "info: fragment" or "question: fragment".
    const QString transcript = m_messages->transcript();
    QVERIFY2(m_messages->shown().size() == shown.size(), qPrintable(transcript));
    for (int i = 0; i < shown.size(); ++i) {
        const auto& message = m_messages->shown().at(i);
        QVERIFY2(shown.at(i).startsWith(ScriptedMessages::kindName(message.kind) + QStringLiteral(": "))
                     && message.text.contains(shown.at(i).section(QStringLiteral(": "), 1)),
                 qPrintable(transcript));
    }
    QCOMPARE(m_screens.opened, QStringList{opened});
    // Every road that shows a message leaves one line in the log, with the message.
    const QString log = QString::fromUtf8(apptest::readFile(logFilePath(dataDir())));
    QVERIFY2(log.count(u'\n') == (shown.isEmpty() ? 0 : 1), qPrintable(log));
    if (shown.value(shown.size() - 1).startsWith(QStringLiteral("info: ")))
        QVERIFY2(log.contains(shown.last().mid(6)), qPrintable(log));
    // An unconfigured terminal opens no connection.
    if (file.startsWith("CONFIGURADO=FALSE"))
        QVERIFY(!m_state.connection && !m_state.settings.conexao);
}

void TestStartup::settingsFromTheFileAndDatabase()
{
    execute(QStringLiteral("update estabelecimento set cfantasia = 'Bar do Zé'"));
    execute(QStringLiteral("update horario set thora1 = '17:30:45', thora2 = '05:05'"));
    writeConfig({"CONFIGURADO=TRUE", "PATH=" + databasePath().toLatin1(), "CAIXA=1", "COLUNA= 2 ",
                 "LINHA=-4", "IMPRESSAO=7", "MODO=ENTRADA", "QUANTIDADE= TRUE "});
    start();
    QVERIFY2(m_messages->shown().isEmpty(), qPrintable(m_messages->transcript()));
    QCOMPARE(m_screens.opened, QStringList{QStringLiteral("entry")});
    const TerminalSettings& s = m_state.settings;
    QVERIFY(m_state.connection && m_state.connection->isOpen());
    QCOMPARE(s.conexao, m_state.connection.get());
    QCOMPARE(s.caminho_banco, databasePath());
    QCOMPARE(s.numero_caixa, qint16(1));
    QCOMPARE(s.margem, QStringLiteral("  "));
    QCOMPARE(s.linhas_avanco, qint16(-4));
    QCOMPARE(s.modo_impressao, qint16(7));
    QCOMPARE(s.quantidade_livre, true);
    QCOMPARE(s.hora_inicio, QStringLiteral("17:30"));
    QCOMPARE(s.hora_fim, QStringLiteral("05:05"));
    QCOMPARE(s.nome_fantasia, QStringLiteral("Bar do Zé"));
}

// The editor shows the ones read before the failure.
void TestStartup::settingsReadBeforeAFailureStaySet()
{
    m_state.settings.linhas_avanco = 42;
    m_state.settings.quantidade_livre = true;
    writeConfig({"CONFIGURADO=TRUE", "PATH=/outro/banco.fdb", "CAIXA=3", "COLUNA=2", "LINHA=muitas"});
    start({false});
    QCOMPARE(m_screens.opened, QStringList{QStringLiteral("editor")});
    QCOMPARE(m_state.settings.caminho_banco, QStringLiteral("/outro/banco.fdb"));
    QCOMPARE(m_state.settings.numero_caixa, qint16(3));
    QCOMPARE(m_state.settings.margem, QStringLiteral("  "));
    QCOMPARE(m_state.settings.linhas_avanco, qint16(42));
    QCOMPARE(m_state.settings.quantidade_livre, true);
    QVERIFY(!m_state.connection);
}

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
