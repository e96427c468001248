#include "queries/movement_query.h"

#include "common/br_format.h"
#include "common/db_errors.h"
#include "common/form_checks.h"
#include "common/message_texts.h"
#include "common/messages.h"
#include "common/support_log.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "db/transaction.h"

namespace {

// The pickers show hours and minutes; the bound is taken to the minute.
QDateTime bound(const QDate& date, const QTime& time)
{
    return QDateTime(date, QTime(time.hour(), time.minute()));
}

const QString ConflictCode = QStringLiteral("-913");

} // namespace

MovementQuery::MovementQuery(const MovementKind& kind, const TerminalSettings& settings,
                             Messages& messages, QObject* parent)
    : QObject(parent)
    , m_kind(kind)
    , m_settings(settings)
    , m_messages(messages)
    , m_validas(kind.active)
    , m_excluidas(kind.cancelled)
{
}

void MovementQuery::setPeriod(const QDateTime& start, const QDateTime& end)
{
    m_dataInicial = start.date();
    m_horaInicial = start.time();
    m_dataFinal = end.date();
    m_horaFinal = end.time();
    emit periodChanged();
}

QString MovementQuery::qtdeValidas() const
{
    return QString::number(m_validas.count());
}

QString MovementQuery::totalValidas() const
{
    return br::money(m_validas.total());
}

QString MovementQuery::qtdeExcluidas() const
{
    return QString::number(m_excluidas.count());
}

QString MovementQuery::totalExcluidas() const
{
    return br::money(m_excluidas.total());
}

void MovementQuery::load()
{
    monta_grid_validas();
    monta_grid_excluidas();
    if (periodoInicial())
        pesquisa();
}

bool MovementQuery::periodoInicial()
{
    if (const Result<void> offered = offerBusinessDay(m_settings); !offered) {
        report(offered.failure());
        return false;
    }
    emit periodChanged();
    return true;
}

void MovementQuery::monta_grid_validas()
{
    m_validas.clear();
    emit changed();
}

void MovementQuery::monta_grid_excluidas()
{
    m_excluidas.clear();
    emit changed();
}

// The grid is prepared afresh either way: the rows read replace every cell
// and mark at once, and a failed read leaves it empty.
bool MovementQuery::carrega_validas()
{
    return fill(m_validas, m_kind.active);
}

bool MovementQuery::carrega_excluidas()
{
    return fill(m_excluidas, m_kind.cancelled);
}

void MovementQuery::pesquisa()
{
    // One message is enough when the database does not answer: the second
    // list is then left empty rather than asked again.
    if (carrega_validas())
        carrega_excluidas();
    else
        monta_grid_excluidas();
}

bool MovementQuery::fill(MovementModel& model, const GridList& list)
{
    Result<Rows> rows = m_settings.conexao->select(
        list.sql,
        {SqlValue::timestamp(bound(m_dataInicial, m_horaInicial)),
         SqlValue::timestamp(bound(m_dataFinal, m_horaFinal))});
    if (!rows) {
        model.clear();
        emit changed();
        report(rows.failure());
        return false;
    }
    model.setRows(std::move(*rows));
    emit changed();
    return true;
}

void MovementQuery::marca(int row)
{
    m_validas.toggleMark(row);
}

MovementQuery::Cancel MovementQuery::cancela_marcados(int currentRow)
{
    if (!m_validas.hasCode(currentRow))
        return Cancel::NotADataRow;
    if (!confirma_exclusao(m_messages))
        return Cancel::Declined;

    const QList<qint64> codes = m_validas.markedCodes();
    int touched = 0;
    std::optional<Failure> failure;
    if (!codes.isEmpty()) {
        // All marked rows or none, in one hop: the guard rolls back on
        // leaving unless it committed, before any message is shown.
        Connection& conexao = *m_settings.conexao;
        Result<int> done = conexao.run<int>([&]() -> Result<int> {
            Transaction transaction(conexao);
            if (!transaction.begun())
                return transaction.failure();
            int rows = 0;
            for (qint64 code : codes) {
                Result<int> one = conexao.execute(
                    m_kind.cancelSql, {SqlValue::integer(m_settings.numero_caixa), SqlValue::integer(code)});
                if (!one)
                    return one.failure();
                rows += *one;
            }
            if (Result<void> committed = transaction.commit(); !committed)
                return committed.failure();
            return rows;
        });
        if (done) {
            touched = *done;
        } else if (done.failure().lost) {
            // The commit may have reached the server: ask it, once it is back.
            logFailure(m_settings.dataDir, m_settings.numero_caixa, done.failure().description());
            Result<int> found = conexao.reconnect() ? cancelledHere(codes) : Result<int>(done.failure());
            if (!found) {
                m_messages.info(msg::exclusaoIndefinida);
                return Cancel::Unknown;
            }
            pesquisa();
            if (*found == 0) {
                report(done.failure());
                return Cancel::Failed;
            }
            m_messages.info(msg::exclusaoJaGravada);
            return Cancel::Done;
        } else {
            failure = done.failure();
        }
    }

    // The lists show what the database holds now, whatever came of it.
    pesquisa();

    if (failure) {
        if (failure->code == ConflictCode) {
            logFailure(m_settings.dataDir, m_settings.numero_caixa, failure->description());
            m_messages.info(msg::conflitoOutroCaixa);
            return Cancel::Conflict;
        }
        report(*failure);
        return Cancel::Failed;
    }
    if (touched < codes.size()) {
        if (touched > 0)
            m_messages.info(msg::algunsJaExcluidos);
        else
            m_messages.info(codes.size() == 1 ? msg::registroJaExcluido : msg::registrosJaExcluidos);
        return Cancel::SomeAlreadyDone;
    }
    return Cancel::Done;
}

Result<int> MovementQuery::cancelledHere(const QList<qint64>& codes)
{
    Connection& conexao = *m_settings.conexao;
    return conexao.run<int>([&]() -> Result<int> {
        int cancelled = 0;
        for (qint64 code : codes) {
            Result<Rows> rows = conexao.select(
                m_kind.cancelledSql, {SqlValue::integer(code), SqlValue::integer(m_settings.numero_caixa)});
            if (!rows)
                return rows.failure();
            cancelled += int(rows->integer(0, QStringLiteral("count")));
        }
        return cancelled;
    });
}

void MovementQuery::report(const Failure& failure)
{
    logFailure(m_settings.dataDir, m_settings.numero_caixa, failure.description());
    trata_erro_banco(m_messages, failure);
}
