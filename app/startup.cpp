#include "app/startup.h"

#include "app/terminal_config.h"
#include "common/br_format.h"
#include "common/loaders.h"
#include "common/message_texts.h"
#include "common/messages.h"
#include "common/support_log.h"
#include "db/login.h"

#include <limits>

TerminalMode terminalModeFromWord(const QString& word)
{
    if (word == u"VENDA")
        return TerminalMode::Sale;
    if (word == u"ENTRADA")
        return TerminalMode::Entry;
    if (word == u"GERENCIA")
        return TerminalMode::Console;
    return TerminalMode::None;
}

Startup::Startup(RunState& state, Messages& messages, ScreenOpener& screens)
    : m_state(state)
    , m_messages(messages)
    , m_screens(screens)
{
}

void Startup::run()
{
    TerminalMode mode = TerminalMode::None;
    const auto road = steps(mode);
    if (!road) {
        const QString description = road.failure().description();
        logFailure(m_state.settings.dataDir, m_state.settings.numero_caixa,
                   QStringLiteral("Falha ao carregar o programa: ") + description);
        if (m_messages.question(msg::falhaCarregar))
            m_messages.info(description);
        m_screens.openConfigEditor();
        return;
    }
    switch (*road) {
    case Road::NotConfigured:
        m_screens.openConfigEditor();
        return;
    case Road::UnknownRegister:
        logFailure(m_state.settings.dataDir, m_state.settings.numero_caixa, msg::caixaNaoCadastrado);
        m_messages.info(msg::caixaNaoCadastrado);
        m_screens.openConfigEditor();
        return;
    case Road::ModeScreen:
        m_screens.openModeScreen(mode);
        return;
    }
}

Result<Startup::Road> Startup::steps(TerminalMode& mode)
{
    // Line 1 decides alone: an unconfigured file may lack the others.
    auto file = ConfigFile::read(configFilePath(m_state.settings.dataDir));
    if (!file)
        return file.failure();
    const auto configured = file->boolean(1, configkey::configurado);
    if (!configured)
        return configured.failure();
    if (!*configured)
        return Road::NotConfigured;

    if (auto read = readSettings(*file, mode); !read)
        return read.failure();
    if (auto opened = connect(); !opened)
        return opened.failure();
    if (auto hours = readWorkingHours(); !hours)
        return hours.failure();
    const auto exists = registerExists();
    if (!exists)
        return exists.failure();
    if (!*exists)
        return Road::UnknownRegister;
    if (auto loaded = carrega_estabelecimento(*m_state.connection, m_state.settings); !loaded)
        return loaded.failure();
    return Road::ModeScreen;
}

// Lines 2 to 8, each setting its value as soon as it is read: what was read
// before a failure stays set.
Result<void> Startup::readSettings(const ConfigFile& file, TerminalMode& mode)
{
    TerminalSettings& settings = m_state.settings;

    const auto path = file.text(2, configkey::path);
    if (!path)
        return path.failure();
    settings.caminho_banco = *path;

    const auto caixa = file.integer16(3, configkey::caixa);
    if (!caixa)
        return caixa.failure();
    settings.numero_caixa = *caixa;

    const auto coluna = file.integer(4, configkey::coluna, std::numeric_limits<qint32>::min(),
                                      std::numeric_limits<qint32>::max());
    if (!coluna)
        return coluna.failure();
    if (*coluna < 0 || *coluna > maxMarginColumns)
        return Failure{QString(),
                       QStringLiteral("A margem de impressão COLUNA=%1 (linha 4 do arquivo de "
                                      "configuração) deveria estar entre 0 e %2.")
                           .arg(QString::number(*coluna), QString::number(maxMarginColumns))};
    settings.margem = QString(*coluna, u' ');

    const auto linha = file.integer16(5, configkey::linha);
    if (!linha)
        return linha.failure();
    settings.linhas_avanco = *linha;

    const auto impressao = file.integer16(6, configkey::impressao);
    if (!impressao)
        return impressao.failure();
    settings.modo_impressao = *impressao;

    const auto modo = file.text(7, configkey::modo);
    if (!modo)
        return modo.failure();
    mode = terminalModeFromWord(modo->trimmed());

    const auto quantidade = file.boolean(8, configkey::quantidade);
    if (!quantidade)
        return quantidade.failure();
    settings.quantidade_livre = *quantidade;
    return {};
}

// A fresh connection replaces the one held, whether or not it opens.
Result<void> Startup::connect()
{
    m_state.connection.reset();
    m_state.settings.conexao = nullptr;
    m_state.connection = std::make_unique<Connection>();
    m_state.settings.conexao = m_state.connection.get();
    m_state.connection->setWaiting(m_state.waiting);
    // The database user lives apart from the eight-line file.
    const auto login = readLogin(m_state.settings.dataDir);
    if (!login)
        return login.failure();
    return m_state.connection->open(m_state.settings.caminho_banco, *login);
}

Result<void> Startup::readWorkingHours()
{
    const auto rows = m_state.connection->select(QStringLiteral("select * from horario"));
    if (!rows)
        return rows.failure();
    if (rows->isEmpty())
        return Failure{QString(),
                       QStringLiteral("O horário de trabalho não está cadastrado (a tabela horario está vazia).")};
    if (rows->isNull(0, QStringLiteral("thora1")) || rows->isNull(0, QStringLiteral("thora2")))
        return Failure{QString(),
                       QStringLiteral("O horário de trabalho está incompleto (thora1 ou thora2 vazio na tabela horario).")};
    m_state.settings.hora_inicio = br::time(rows->time(0, QStringLiteral("thora1")));
    m_state.settings.hora_fim = br::time(rows->time(0, QStringLiteral("thora2")));
    return {};
}

Result<bool> Startup::registerExists()
{
    const auto rows = m_state.connection->select(
        QStringLiteral("select count(*) from caixa where ncodigo = ?"),
        {SqlValue::integer(m_state.settings.numero_caixa)});
    if (!rows)
        return rows.failure();
    return rows->integer(0, QStringLiteral("Count")) != 0;
}
