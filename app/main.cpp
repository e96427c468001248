#include "app/navigator.h"
#include "app/process_test_driver.h"
#include "app/report_command.h"
#include "app/screen_factories.h"
#include "app/termination.h"
#include "common/message_texts.h"
#include "common/messages.h"
#include "common/terminal_settings.h"
#include "common/wait_box.h"
#include "db/database_creator.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include <termios.h>
#include <unistd.h>

namespace {

const char* const helpText =
    "Uso: vorinda [opções]\n"
    "\n"
    "Sem opções, abre a tela do modo deste terminal, conforme o arquivo\n"
    "configuracao.ini da pasta de dados (VENDA, ENTRADA ou GERENCIA).\n"
    "\n"
    "Opções:\n"
    "  --create-database CAMINHO  cria um banco de dados novo e vazio; CAMINHO é um\n"
    "                             arquivo local (/caminho/movimento.fdb) ou um banco\n"
    "                             num servidor Firebird (servidor:/caminho/movimento.fdb).\n"
    "                             Um banco existente nunca é sobrescrito.\n"
    "  --demo                     com --create-database: inclui um catálogo de\n"
    "                             demonstração (grupos, produtos, tipos de entrada).\n"
    "  --db-user NOME             com --create-database num servidor: cria também o\n"
    "                             usuário NOME das estações, com direitos só sobre as\n"
    "                             tabelas, geradores e exceções do bar. As senhas (a do\n"
    "                             SYSDBA, depois a de NOME) são lidas da entrada padrão,\n"
    "                             sem eco num terminal, nunca da linha de comando.\n"
    "  --report NN --pdf ARQUIVO  grava o relatório NN (01 resumo do movimento, 02\n"
    "                             vendas por produtos, 03 resumo dos caixas, 04\n"
    "                             produtos cadastrados) em PDF, sem abrir janela,\n"
    "                             no banco deste terminal.\n"
    "  --from \"dd/mm/aaaa hh:mm\" --to \"dd/mm/aaaa hh:mm\"\n"
    "                             com --report: o período (padrão: o dia do\n"
    "                             movimento, no horário de trabalho); o 04 não tem.\n"
    "  --help                     mostra esta ajuda.\n"
    "  --version                  mostra a versão.\n"
    "\n"
    "Ambiente:\n"
    "  VORINDA_DIR           pasta de dados: configuracao.ini, imp.txt, vorinda.log,\n"
    "                        credenciais.ini (padrão: ~/vorinda).\n"
    "  VORINDA_PRINTER_PORT  dispositivo da impressora na impressão direta\n"
    "                        (IMPRESSAO=0; padrão: /dev/usb/lp0).\n"
    "  VORINDA_RELATORIO     pasta das definições dos relatórios (padrão: a\n"
    "                        pasta relatorio ao lado do programa).\n";

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// One line of the standard input, not echoed when it is a terminal: a
// password never stands on the command line nor in the shell's history.
QString readSecret(const QString& prompt)
{
    print(stderr, prompt);
    std::fflush(stderr);
    termios saved {};
    const bool terminal = ::isatty(STDIN_FILENO) && ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    std::string line;
    std::getline(std::cin, line);
    if (terminal) {
        ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        print(stderr, QStringLiteral("\n"));
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromLocal8Bit(line.data(), qsizetype(line.size()));
}

// Options that run without any window: they need no display.
bool isCommandLineTask(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--", 2) == 0 || std::strcmp(argv[i], "-h") == 0
            || std::strcmp(argv[i], "-v") == 0)
            return true;
    }
    return false;
}

int runCommandLine()
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption create(QStringLiteral("create-database"), QString(), QStringLiteral("CAMINHO"));
    const QCommandLineOption demo(QStringLiteral("demo"));
    const QCommandLineOption dbUser(QStringLiteral("db-user"), QString(), QStringLiteral("NOME"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({create, demo, dbUser, help, version});
    if (!parser.parse(QCoreApplication::arguments())) {
        print(stderr, QStringLiteral("vorinda: %1\nUse vorinda --help para ver as opções.\n")
                          .arg(parser.errorText()));
        return 2;
    }
    if (!parser.positionalArguments().isEmpty()) {
        print(stderr, QStringLiteral("vorinda: argumento desconhecido: %1\nUse vorinda --help para ver as opções.\n")
                          .arg(parser.positionalArguments().first()));
        return 2;
    }
    if (parser.isSet(help)) {
        std::fputs(helpText, stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("Vorinda %1\n").arg(programVersion()));
        return 0;
    }
    if (parser.isSet(demo) && !parser.isSet(create)) {
        print(stderr, QStringLiteral("vorinda: --demo só vale junto com --create-database CAMINHO.\n"));
        return 2;
    }
    if (parser.isSet(dbUser) && !parser.isSet(create)) {
        print(stderr, QStringLiteral("vorinda: --db-user só vale junto com --create-database CAMINHO.\n"));
        return 2;
    }
    const QString path = parser.value(create).trimmed();
    if (path.isEmpty()) {
        print(stderr, QStringLiteral("vorinda: informe o caminho do banco em --create-database CAMINHO.\n"));
        return 2;
    }
    CreateOptions options;
    if (parser.isSet(dbUser)) {
        options.admin.password = readSecret(QStringLiteral("Senha do SYSDBA no servidor: "));
        options.workstations = DatabaseLogin{parser.value(dbUser).trimmed(),
                                             readSecret(QStringLiteral("Senha do usuário %1: ").arg(parser.value(dbUser).trimmed()))};
        if (Result<void> plain = checkWorkstationLogin(*options.workstations); !plain) {
            print(stderr, QStringLiteral("vorinda: %1 Nenhum banco foi criado.\n").arg(plain.failure().text));
            return 2;
        }
    }
    const auto created = createDatabase(path, parser.isSet(demo), options);
    if (!created) {
        print(stderr, QStringLiteral("vorinda: o banco %1 não foi criado: %2\n")
                          .arg(path, created.failure().description()));
        return 1;
    }
    print(stdout, QStringLiteral("Banco de dados criado: %1%2\n")
                      .arg(path, parser.isSet(demo) ? QStringLiteral(" (com catálogo de demonstração)") : QString()));
    return 0;
}

// Qt's own texts (standard dialogs, print preview) in Portuguese.
void loadQtTranslations(QCoreApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(translator);
}

} // namespace

int main(int argc, char** argv)
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QCoreApplication::setApplicationName(QStringLiteral("Vorinda"));
    QCoreApplication::setApplicationVersion(programVersion());

    if (isReportCommand(argc, argv))
        return runReportCommand(argc, argv);
    if (isCommandLineTask(argc, argv)) {
        QCoreApplication app(argc, argv);
        loadQtTranslations(app);
        return runCommandLine();
    }

    // Under Wayland a window cannot place itself, and the lock keys cannot be
    // read: on a desktop that offers X11 too, the counters run through it.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && qEnvironmentVariableIsSet("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsSet("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    blockTerminationSignals();
    QApplication app(argc, argv);
    loadQtTranslations(app);
    endOnTerminationSignals(app);
    if (app.arguments().size() > 1) {
        print(stderr, QStringLiteral("vorinda: argumento desconhecido: %1\nUse vorinda --help para ver as opções.\n")
                          .arg(app.arguments().at(1)));
        return 2;
    }

    BoxMessages boxes;
    Messages* messages = &boxes;
    if (qEnvironmentVariableIsSet("VORINDA_TEST_ANSWERS")) {
        auto* driver = new ProcessTestDriver(qEnvironmentVariable("VORINDA_TEST_ANSWERS"), &app);
        app.installEventFilter(driver);
        messages = driver;
    }

    WaitBox waitBox;
    Navigator navigator(dataDirectory(), *messages, defaultScreenFactories(),
                        QCoreApplication::applicationDirPath());
    navigator.setWaiting(&waitBox);
    // Inside the event loop, so that the program ends when its last window
    // closes, whichever road the start-up takes.
    QTimer::singleShot(0, &navigator, &Navigator::start);
    return app.exec();
}
