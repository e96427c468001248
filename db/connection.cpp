#include "db/connection.h"

#include "db/database_creator.h"
#include "db/embedded_lock.h"
#include "db/link.h"
#include "db/parameter_check.h"
#include "db/server_probe.h"
#include "db/waiting.h"

#include <QAtomicInteger>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>

#include <ibase.h>

namespace {

const QString kDriver = QStringLiteral("QIBASE");
constexpr int kColumnCacheLimit = 1000;
// How often a waiting caller looks at the statement under way.
constexpr int kPollMs = 40;
// A statement running this long on a server makes us ask whether it answers.
constexpr int kProbeAfterMs = 1000;
// A fresh attachment that has not come in this long: the server is silent.
constexpr int kProbeSilentMs = 3000;
// A cancelled statement that has not returned in this long: the server is silent.
constexpr int kCancelGraceMs = 3000;

const QString kLost = QStringLiteral(
    "Sem conexão com o servidor do banco de dados. O que está na tela foi mantido: verifique a rede e o "
    "servidor e tente de novo.");
const QString kSilent = QStringLiteral(
    "Sem conexão com o servidor do banco de dados: ele deixou de responder e a operação foi desistida. O que "
    "está na tela foi mantido: verifique a rede e o servidor e tente de novo.");
const QString kLockTimeout = QStringLiteral(
    "Outro caixa está alterando um registro desta operação há mais de %1 segundos. A operação foi desistida "
    "e nada foi gravado; o que está na tela foi mantido: tente de novo em instantes.");
const QString kBusy = QStringLiteral(
    "O banco de dados ainda está respondendo a outra operação: aguarde e tente de novo.");

QString uniqueName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("vorinda-%1").arg(counter.fetchAndAddRelaxed(1) + 1);
}

// Generator names come from the program's own constants; the check keeps a
// typed text from ever reaching the statement should one slip through.
bool isPlainIdentifier(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z][A-Za-z0-9_]{0,30}$"));
    return pattern.match(name).hasMatch();
}

// Whether the driver can count the rows a statement touched; asking about
// any other statement only fills the log with warnings.
bool changesRows(const QString& sql)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(insert|update|delete|merge)\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern.match(sql).hasMatch();
}

// "insert into t [(columns)] values (...)" writes exactly one row when it
// succeeds. Asking the server costs a round trip per line of a sale.
bool insertsOneRow(const QString& sql)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*insert\\s+into\\s+[A-Za-z0-9_$\"]+\\s*(\\([^()]*\\))?\\s*values\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern.match(sql).hasMatch();
}

// A change that hands back its row ("insert ... returning", "execute
// procedure") answers with exactly one row, which the driver repeats on
// every next() instead of saying that the rows are over.
bool answersOneRow(const QString& sql)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(insert|update|delete|merge|execute\\s+procedure)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern.match(sql).hasMatch();
}

// A read never waits on another workstation's record; anything else may.
Link::Step stepOf(const QString& sql)
{
    static const QRegularExpression read(QStringLiteral("^\\s*select\\b"), QRegularExpression::CaseInsensitiveOption);
    return read.match(sql).hasMatch() ? Link::Step::Read : Link::Step::Change;
}

Failure badGeneratorName(const QString& name)
{
    return Failure{QString(), QStringLiteral("Nome de gerador inválido: \"%1\".").arg(name)};
}

// The values as the driver takes them, each checked on its own.
Result<QVariantList> driverValues(const SqlParams& params)
{
    QVariantList values;
    values.reserve(params.size());
    for (const SqlValue& param : params) {
        Result<QVariant> value = param.toDriver();
        if (!value)
            return value.failure();
        values.append(std::move(*value));
    }
    return values;
}

// Binds the values once checked against the prepared statement's "?".
Result<void> bindChecked(QSqlQuery& query, const SqlParams& params, QVariantList values)
{
    Result<QVariantList> checked = checkParameters(query, params, std::move(values));
    if (!checked)
        return checked.failure();
    for (int i = 0; i < checked->size(); ++i)
        query.bindValue(i, checked->at(i));
    return {};
}

Failure lostWith(const QString& text)
{
    Failure failure{QString(), text};
    failure.lost = true;
    return failure;
}

// Firebird says a link is gone with SQL code -902 once attached.
bool linkGone(const Failure& failure)
{
    return failure.code == u"-902";
}

// Firebird's English words for a server that cannot be reached.
bool unreachable(const Failure& failure)
{
    static const QRegularExpression words(
        QStringLiteral("network request|establish a connection|reading data|writing data|connection rejected|"
                       "connection lost|connection shutdown|Connection refused|No route to host|"
                       "Name or service not known|Network is unreachable"),
        QRegularExpression::CaseInsensitiveOption);
    return words.match(failure.text).hasMatch();
}

// Why an attach failed, in the operator's words where Firebird's are English
// network texts; other refusals (a missing file) keep the driver's text.
Failure openFailure(const Failure& failure, const QString& path, const DatabaseLogin& login)
{
    if (unreachable(failure)) {
        return lostWith(QStringLiteral("Sem conexão com o servidor do banco de dados \"%1\": o servidor não "
                                       "respondeu. Verifique se ele está ligado, a rede e o caminho do banco.")
                            .arg(path));
    }
    if (failure.text.contains(QStringLiteral("user name and password are not defined"))) {
        return Failure{failure.code,
                       QStringLiteral("O servidor do banco de dados recusou o usuário \"%1\" com a senha "
                                      "informada.").arg(login.user)};
    }
    return failure;
}

QString seconds(qint64 ms)
{
    return QString::number((ms + 500) / 1000);
}

} // namespace

Failure failureFrom(const QSqlError& error)
{
    Failure failure;
    failure.code = error.nativeErrorCode();
    failure.text = error.databaseText();
    if (failure.text.isEmpty())
        failure.text = error.driverText();
    if (failure.code == u"-836") {
        // The operator reads what follows "{ini}"; where in which trigger the
        // exception was raised is for developers.
        static const QRegularExpression context(
            QStringLiteral("\\s+-\\s+At (trigger|procedure|function|block)\\b.*$"),
            QRegularExpression::DotMatchesEverythingOption);
        failure.text.remove(context);
    }
    return failure;
}

Failure notOpenFailure()
{
    return Failure{QString(), QStringLiteral("O banco de dados não está aberto.")};
}

Failure connectionLostFailure()
{
    return lostWith(kLost);
}

Connection::Connection() = default;

Connection::~Connection()
{
    close();
}

Result<void> Connection::open(const QString& path)
{
    return open(path, DatabaseLogin());
}

Result<void> Connection::open(const QString& path, const DatabaseLogin& login)
{
    close();
    if (!QSqlDatabase::isDriverAvailable(kDriver)) {
        return Failure{QString(),
                       QStringLiteral("O driver Firebird do Qt (QIBASE) não está instalado; instale o pacote libqt6sql6-ibase.")};
    }
    if (Result<void> attached = attach(path, login); !attached)
        return attached;
    m_path = path;
    m_login = login;
    m_state = State::Open;
    return {};
}

void Connection::close()
{
    dropLink();
    m_columns.clear();
    m_path.clear();
    m_state = State::Closed;
    m_inTransaction = false;
    m_previousAttachment = 0;
}

void Connection::dropLink()
{
    if (!m_link)
        return;
    // The thread rolls back what was left open and detaches on its way out.
    m_link->finish(true);
    m_link.reset();
}

bool Connection::isOpen() const
{
    return m_state != State::Closed;
}

bool Connection::isConnected() const
{
    return m_state == State::Open;
}

QSqlDatabase& Connection::database()
{
    static QSqlDatabase none;
    return m_link ? m_link->db : none;
}

bool Connection::onLinkThread() const
{
    return m_link && m_link->onThisThread();
}

Result<void> Connection::attach(const QString& path, const DatabaseLogin& login)
{
    prepareEmbeddedLockFolder();
    std::shared_ptr<Link> link = Link::create();
    // Held by the job too: an attach given up may return long after.
    auto outcome = std::make_shared<std::optional<Result<void>>>();
    link->post([link = link.get(), outcome, path, login] {
        Link::Busy busy(*link, Link::Step::Attach);
        link->name = uniqueName();
        link->db = QSqlDatabase::addDatabase(kDriver, link->name);
        link->db.setDatabaseName(path);
        link->db.setUserName(login.user);
        link->db.setPassword(login.password);
        // The driver's "high precision" only prints the same double as text,
        // which Rows would then parse back: a third of a long list's fetch went
        // into that round trip.
        link->db.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
        if (!link->db.open()) {
            Failure failure = failureFrom(link->db.lastError());
            if (failure.text.isEmpty())
                failure.text = QStringLiteral("Não foi possível abrir o banco de dados \"%1\".").arg(path);
            outcome->emplace(openFailure(failure, path, login));
            return;
        }
        const QVariant handle = link->db.driver()->handle();
        if (handle.isValid() && handle.metaType().sizeOf() == int(sizeof(isc_db_handle)))
            link->setHandle(*static_cast<const isc_db_handle*>(handle.constData()));
        QSqlQuery id(link->db);
        if (id.exec(QStringLiteral("select current_connection from rdb$database")) && id.next())
            link->attachmentId = id.value(0).toLongLong();
        id.clear();
        outcome->emplace();
    });
    bool gaveUp = false;
    waitFor(*link, path, true, &gaveUp);
    if (gaveUp) {
        link->finish(false);
        return lostWith(QStringLiteral("Sem conexão com o servidor do banco de dados \"%1\": o servidor não "
                                       "respondeu em %2 segundos. Verifique se ele está ligado e a rede.")
                            .arg(path, seconds(m_limits.attachMs)));
    }
    Result<void> result = outcome->value_or(Result<void>(notOpenFailure()));
    if (!result) {
        link->finish(true);
        return result;
    }
    m_link = std::move(link);
    return {};
}

void Connection::waitFor(Link& link, const QString& path, bool attaching, bool* gaveUp)
{
    if (link.waitDone(m_limits.quietMs))
        return;
    const bool server = isServerPath(path);
    const qint64 began = steadyMs() - m_limits.quietMs;
    ServerProbe probe;
    qint64 statement = 0;
    qint64 cancelledAt = 0;
    bool cut = false;
    QString shown;
    while (!link.waitDone(kPollMs)) {
        const qint64 now = steadyMs();
        const qint64 since = link.busySince();
        const Link::Step step = link.busyStep();
        if (since != statement) {
            // Each statement is judged on its own.
            statement = since;
            cancelledAt = 0;
            probe = ServerProbe();
        }
        const qint64 age = since ? now - since : 0;
        ServerProbe::Answer answer = ServerProbe::Answer::Answering;
        if (server && since && step != Link::Step::Attach) {
            if (!probe.started() && age >= kProbeAfterMs)
                probe.start(path, m_login);
            answer = probe.started() ? probe.answer(kProbeSilentMs) : ServerProbe::Answer::Pending;
        }

        if (attaching) {
            if (since && age >= m_limits.attachMs) {
                if (gaveUp)
                    *gaveUp = true;
                break;
            }
        } else if (since) {
            if (step == Link::Step::Change && answer == ServerProbe::Answer::Answering && !cancelledAt
                && age >= m_limits.lockMs) {
                link.setGaveUp(Link::GaveUp::LockWait);
                link.cancelStatement();
                cancelledAt = now;
            }
            const bool silent = answer == ServerProbe::Answer::Silent && age >= m_limits.silenceMs;
            const bool cancelIgnored = cancelledAt && now - cancelledAt >= kCancelGraceMs;
            if (!cut && (silent || cancelIgnored)) {
                link.setGaveUp(Link::GaveUp::Silence);
                link.cutAttachment();
                cut = true;
            }
        }

        if (!m_waiting)
            continue;
        const QString elapsed = seconds(now - began);
        QString text;
        if (attaching) {
            text = QStringLiteral("Conectando ao servidor do banco de dados... (%1 s)").arg(elapsed);
        } else if (answer == ServerProbe::Answer::Silent) {
            text = QStringLiteral("O servidor do banco de dados não está respondendo. Aguardando... (%1 s; "
                                  "desistindo após %2 s)").arg(elapsed, seconds(m_limits.silenceMs));
        } else if (answer == ServerProbe::Answer::Answering && step == Link::Step::Change) {
            text = QStringLiteral("Aguardando um registro que outro caixa está alterando... (%1 s; desistindo "
                                  "após %2 s)").arg(elapsed, seconds(m_limits.lockMs));
        } else if (answer == ServerProbe::Answer::Answering && since) {
            text = QStringLiteral("O servidor do banco de dados está processando a operação... (%1 s)").arg(elapsed);
        } else {
            text = QStringLiteral("Aguardando o servidor do banco de dados... (%1 s)").arg(elapsed);
        }
        if (text != shown) {
            shown = text;
            m_waiting->show(text);
        }
        m_waiting->pump();
    }
    if (!shown.isEmpty())
        m_waiting->hide();
}

Result<void> Connection::hop(const std::function<void()>& job)
{
    if (m_state == State::Closed)
        return notOpenFailure();
    // Re-entered from an event handled while a call waits: never two calls
    // on one attachment.
    if (m_inCall)
        return Failure{QString(), kBusy};
    if (m_state == State::Lost) {
        // A unit whose link broke stays broken until its guard ends: its
        // statements must never go on in another attachment.
        if (m_inTransaction || steadyMs() - m_lastAttempt < m_limits.retryMs)
            return m_lost;
        if (Result<void> back = reconnect(); !back)
            return back;
    }
    m_inCall = true;
    m_link->clearGaveUp();
    m_link->post(job);
    waitFor(*m_link, m_path, false);
    m_inCall = false;
    if (m_link->broken())
        lose(m_link->brokenFailure());
    return {};
}

void Connection::lose(const Failure& failure)
{
    m_state = State::Lost;
    m_lost = failure;
    m_lost.lost = true;
    m_lastAttempt = steadyMs();
    if (m_link && m_link->attachmentId)
        m_previousAttachment = m_link->attachmentId;
    m_columns.clear();
    dropLink();
}

Result<void> Connection::reconnect()
{
    if (m_state == State::Open)
        return {};
    if (m_state == State::Closed)
        return notOpenFailure();
    if (m_inCall)
        return Failure{QString(), kBusy};
    if (m_inTransaction)
        return m_lost;
    m_inCall = true;
    Result<void> attached = attach(m_path, m_login);
    m_inCall = false;
    if (!attached) {
        m_lastAttempt = steadyMs();
        // The operator reads why, in Portuguese, and that the screen was kept.
        m_lost = attached.failure().lost ? attached.failure() : lostWith(kLost);
        return m_lost;
    }
    m_state = State::Open;
    if (Result<void> settled = settlePrevious(); !settled) {
        if (m_state == State::Open)
            lose(settled.failure());
        return m_lost;
    }
    return {};
}

// The attachment that broke is ended on the server and waited for: whatever
// it was committing is then committed or rolled back for good, and what the
// screens read next is the final truth.
Result<void> Connection::settlePrevious()
{
    if (!m_previousAttachment)
        return {};
    const qint64 old = m_previousAttachment;
    const int limit = m_limits.settleMs;
    Result<void> settled = run<void>([this, old, limit]() -> Result<void> {
        // A user may end its own attachments; a refusal changes nothing here,
        // the wait below decides.
        Result<int> ended = executeHere(QStringLiteral("delete from mon$attachments where mon$attachment_id = ?"),
                                        {SqlValue::bigint(old)});
        if (!ended && ended.failure().lost)
            return ended.failure();
        const qint64 began = steadyMs();
        for (;;) {
            Result<Rows> left = selectHere(
                QStringLiteral("select count(*) from mon$attachments where mon$attachment_id = ?"),
                {SqlValue::bigint(old)});
            if (!left)
                return left.failure();
            if (left->integer(0, QStringLiteral("count")) == 0)
                return {};
            if (steadyMs() - began > limit)
                return lostWith(kLost);
            QThread::msleep(50);
        }
    });
    if (settled)
        m_previousAttachment = 0;
    return settled;
}

Failure Connection::failureHere(const QSqlError& error)
{
    const Failure failure = failureFrom(error);
    switch (m_link->gaveUp()) {
    case Link::GaveUp::LockWait:
        if (!linkGone(failure)) {
            m_link->clearGaveUp();
            return Failure{QString(), kLockTimeout.arg(seconds(m_limits.lockMs))};
        }
        break;
    case Link::GaveUp::Silence:
        m_link->markBroken(lostWith(kSilent));
        return m_link->brokenFailure();
    case Link::GaveUp::No:
        break;
    }
    if (linkGone(failure)) {
        m_link->markBroken(lostWith(kLost));
        return m_link->brokenFailure();
    }
    return failure;
}

Result<void> Connection::prepareAndRun(QSqlQuery& query, const QString& sql, const SqlParams& params)
{
    // Every value is checked before anything reaches the database.
    Result<QVariantList> values = driverValues(params);
    if (!values)
        return values.failure();
    if (m_link->broken())
        return m_link->brokenFailure();
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return failureHere(query.lastError());
    if (Result<void> bound = bindChecked(query, params, std::move(*values)); !bound)
        return bound;
    if (!query.exec())
        return failureHere(query.lastError());
    return {};
}

Result<Rows> Connection::select(const QString& sql, const SqlParams& params)
{
    return run<Rows>([&] { return selectHere(sql, params); });
}

Result<Rows> Connection::selectHere(const QString& sql, const SqlParams& params)
{
    Link::Busy busy(*m_link, stepOf(sql));
    QSqlQuery query(m_link->db);
    if (Result<void> run = prepareAndRun(query, sql, params); !run)
        return run.failure();

    // The driver answers record() with a catalog query per NUMERIC column;
    // the names of one statement never change during a run, so ask once.
    auto cached = m_columns.constFind(sql);
    if (cached == m_columns.constEnd()) {
        const QSqlRecord record = query.record();
        Columns columns;
        for (int i = 0; i < record.count(); ++i) {
            const QSqlField field = record.field(i);
            columns.names.append(field.name());
            const bool scaled = field.metaType().id() == QMetaType::Double && field.precision() > 0;
            columns.scales.append(scaled ? field.precision() : -1);
        }
        if (m_columns.size() >= kColumnCacheLimit)
            m_columns.clear();
        cached = m_columns.insert(sql, columns);
    }
    const Columns& columns = *cached;

    const int width = int(columns.names.size());
    QVariantList values;
    const bool oneRow = answersOneRow(sql);
    while (query.next()) {
        for (int i = 0; i < width; ++i)
            values.append(query.value(i));
        if (oneRow)
            break;
    }
    if (query.lastError().isValid()) {
        Failure failure = failureHere(query.lastError());
        query.clear();
        return failure;
    }
    // Ends the read's own transaction now rather than when the query dies.
    query.clear();
    return Rows(columns.names, std::move(values), columns.scales);
}

Result<int> Connection::execute(const QString& sql, const SqlParams& params)
{
    return run<int>([&] { return executeHere(sql, params); });
}

Result<int> Connection::executeHere(const QString& sql, const SqlParams& params)
{
    Link::Busy busy(*m_link, stepOf(sql));
    QSqlQuery query(m_link->db);
    if (Result<void> run = prepareAndRun(query, sql, params); !run)
        return run.failure();
    const int touched = insertsOneRow(sql) ? 1 : changesRows(sql) ? query.numRowsAffected() : 0;
    query.clear();
    return touched < 0 ? 0 : touched;
}

Result<int> Connection::executeEach(const QString& sql, const QList<SqlParams>& rows)
{
    return run<int>([&] { return executeEachHere(sql, rows); });
}

Result<int> Connection::executeEachHere(const QString& sql, const QList<SqlParams>& rows)
{
    if (m_link->broken())
        return m_link->brokenFailure();
    Link::Busy busy(*m_link, Link::Step::Change);
    QSqlQuery query(m_link->db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return failureHere(query.lastError());
    int run = 0;
    for (const SqlParams& params : rows) {
        Result<QVariantList> values = driverValues(params);
        if (!values)
            return values.failure();
        if (Result<void> bound = bindChecked(query, params, std::move(*values)); !bound)
            return bound.failure();
        if (!query.exec()) {
            Failure failure = failureHere(query.lastError());
            query.clear();
            return failure;
        }
        ++run;
    }
    query.clear();
    return run;
}

Result<qint64> Connection::generator(const QString& name, qint64 step)
{
    if (!isPlainIdentifier(name))
        return badGeneratorName(name);
    const QString sql = QStringLiteral("select gen_id(") + name + u',' + QString::number(step)
        + QStringLiteral(") from rdb$database");
    Result<Rows> rows = select(sql);
    if (!rows)
        return rows.failure();
    if (rows->isEmpty())
        return Failure{QString(), QStringLiteral("O gerador \"%1\" não respondeu.").arg(name)};
    return rows->integer(0, QStringLiteral("gen_id"));
}

Result<void> Connection::setGenerator(const QString& name, qint64 value)
{
    if (!isPlainIdentifier(name))
        return badGeneratorName(name);
    const QString sql = QStringLiteral("set generator ") + name + QStringLiteral(" to ") + QString::number(value);
    Result<int> run = execute(sql);
    if (!run)
        return run.failure();
    return {};
}

Result<void> Connection::beginTransaction()
{
    Result<void> begun = run<void>([this]() -> Result<void> {
        if (m_link->broken())
            return m_link->brokenFailure();
        Link::Busy busy(*m_link, Link::Step::Read);
        if (!m_link->db.transaction())
            return failureHere(m_link->db.lastError());
        return {};
    });
    if (begun)
        m_inTransaction = true;
    return begun;
}

Result<void> Connection::commitTransaction()
{
    Result<void> committed = run<void>([this]() -> Result<void> {
        if (m_link->broken())
            return m_link->brokenFailure();
        if (m_faultHook && m_faultHook(FaultPoint::BeforeCommit)) {
            m_link->markBroken(lostWith(kLost));
            return m_link->brokenFailure();
        }
        {
            // A commit never waits on another workstation's records.
            Link::Busy busy(*m_link, Link::Step::Read);
            if (!m_link->db.commit())
                return failureHere(m_link->db.lastError());
        }
        if (m_faultHook && m_faultHook(FaultPoint::AfterCommit)) {
            m_link->markBroken(lostWith(kLost));
            return m_link->brokenFailure();
        }
        return {};
    });
    // Whatever came of it, the driver holds no transaction any more.
    m_inTransaction = false;
    return committed;
}

void Connection::rollbackTransaction()
{
    if (!m_inTransaction)
        return;
    m_inTransaction = false;
    if (m_state != State::Open || !m_link || m_link->broken())
        return;
    (void)run<void>([this]() -> Result<void> {
        Link::Busy busy(*m_link, Link::Step::Read);
        m_link->db.rollback();
        return {};
    });
}
