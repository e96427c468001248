#include "app/report_command.h"

#include "app/startup.h"
#include "common/br_format.h"
#include "common/business_day.h"
#include "common/db_errors.h"
#include "common/messages.h"
#include "console/console_reports.h"
#include "console/report_preview.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>

namespace {

void print(std::FILE* stream, const QString& text)
{
    std::fputs((text + u'\n').toLocal8Bit().constData(), stream);
}

// The messages a screen would show, written to the error output. Questions
// are answered "Sim": the database's own message is printed too.
class ErrorOutput final : public Messages
{
public:
    void info(const QString& text) override { print(stderr, QStringLiteral("vorinda: ") + text); }
    bool question(const QString&) override { return true; }
    void plain(const QString& text) override { print(stderr, QStringLiteral("vorinda: ") + text); }
};

// The start-up's road without a screen at its end.
class NoScreens final : public ScreenOpener
{
public:
    void openConfigEditor() override { ready = false; }
    void openModeScreen(TerminalMode) override { ready = true; }
    bool ready = false;
};

int usage(const QString& why)
{
    print(stderr, QStringLiteral("vorinda: %1\nUse vorinda --help para ver as opções.").arg(why));
    return 2;
}

std::optional<QDateTime> readMoment(const QString& text)
{
    const QDateTime moment = QDateTime::fromString(text.simplified(), QStringLiteral("dd/MM/yyyy HH:mm"));
    if (!moment.isValid())
        return std::nullopt;
    return moment;
}

} // namespace

bool isReportCommand(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--report") == 0 || std::strncmp(argv[i], "--report=", 9) == 0)
            return true;
    }
    return false;
}

int runReportCommand(int argc, char** argv)
{
    // No window is opened: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    const QCommandLineOption reportOption(QStringLiteral("report"), QString(), QStringLiteral("NN"));
    const QCommandLineOption fromOption(QStringLiteral("from"), QString(), QStringLiteral("INICIO"));
    const QCommandLineOption toOption(QStringLiteral("to"), QString(), QStringLiteral("FIM"));
    const QCommandLineOption pdfOption(QStringLiteral("pdf"), QString(), QStringLiteral("ARQUIVO"));
    parser.addOptions({reportOption, fromOption, toOption, pdfOption});
    if (!parser.parse(QCoreApplication::arguments()))
        return usage(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return usage(QStringLiteral("argumento desconhecido: %1").arg(parser.positionalArguments().first()));

    QString number = parser.value(reportOption).trimmed();
    if (number.size() == 1)
        number.prepend(u'0');
    static const QStringList known{QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("03"), QStringLiteral("04")};
    if (!known.contains(number))
        return usage(QStringLiteral("relatório desconhecido \"%1\": os relatórios são 01, 02, 03 e 04.")
                         .arg(parser.value(reportOption)));
    const QString pdf = parser.value(pdfOption).trimmed();
    if (pdf.isEmpty())
        return usage(QStringLiteral("informe o arquivo a gravar em --pdf ARQUIVO."));
    const bool hasPeriod = parser.isSet(fromOption) || parser.isSet(toOption);
    if (number == u"04" && hasPeriod)
        return usage(QStringLiteral("o relatório 04 (produtos cadastrados) não tem período: tire --from e --to."));
    if (parser.isSet(fromOption) != parser.isSet(toOption))
        return usage(QStringLiteral("informe o período inteiro, --from e --to (ou nenhum dos dois: o dia de hoje)."));
    std::optional<QDateTime> from;
    std::optional<QDateTime> to;
    if (hasPeriod) {
        from = readMoment(parser.value(fromOption));
        to = readMoment(parser.value(toOption));
        for (const auto& [moment, option] : {std::pair{from, fromOption}, std::pair{to, toOption}}) {
            if (!moment)
                return usage(QStringLiteral("data e hora inválida em --%1: \"%2\" (escreva dd/mm/aaaa hh:mm).")
                                 .arg(option.names().first(), parser.value(option)));
        }
        if (*from > *to)
            return usage(QStringLiteral("o período termina antes de começar (--from depois de --to)."));
    }

    // The terminal's own configuration and database, as the program starts.
    ErrorOutput messages;
    RunState state;
    state.settings.dataDir = dataDirectory();
    NoScreens screens;
    Startup(state, messages, screens).run();
    if (!screens.ready)
        return 1;

    PdfPresenter presenter(QDir::current().absoluteFilePath(pdf));
    bool periodKnown = true;
    auto askPeriod = [&](ReportPeriod& period) {
        if (from) {
            period = ReportPeriod{data_hora_periodo(from->date(), br::time(from->time())),
                                  data_hora_periodo(to->date(), br::time(to->time()))};
            return;
        }
        // Without a period, the business day in the working hours, as the dialog offers it.
        Result<Period> day = data_do_movimento(*state.settings.conexao, state.settings.hora_inicio);
        if (!day) {
            trata_erro_banco(messages, day.failure());
            periodKnown = false;
            return;
        }
        period = ReportPeriod{data_hora_periodo(day->inicio, state.settings.hora_inicio),
                              data_hora_periodo(day->fim, state.settings.hora_fim)};
    };
    ConsoleReports reports(state.settings, messages, ConsoleReports::defaultFolder(), askPeriod, presenter);
    const ConsoleReports::Outcome outcome = reports.run(number);
    if (outcome != ConsoleReports::Outcome::Shown) {
        if (outcome == ConsoleReports::Outcome::NoPeriod && periodKnown)
            messages.info(QStringLiteral("o período do relatório não pôde ser lido."));
        return 1;
    }
    print(stdout, QStringLiteral("Relatório %1 gravado em %2").arg(number, QDir::toNativeSeparators(pdf)));
    return 0;
}
