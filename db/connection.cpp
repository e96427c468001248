#include "db/connection.h"

#include "db/embedded_lock.h"
#include "db/parameter_check.h"

#include <QAtomicInteger>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlField>
#include <QSqlRecord>

namespace {

const QString kDriver = QStringLiteral("QIBASE");
const QString kUser = QStringLiteral("SYSDBA");
const QString kPassword = QStringLiteral("lanternas");
constexpr int kColumnCacheLimit = 1000;

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

Connection::Connection()
    : m_name(uniqueName())
{
}

Connection::~Connection()
{
    close();
}

Result<void> Connection::open(const QString& path)
{
    close();
    if (!QSqlDatabase::isDriverAvailable(kDriver)) {
        return Failure{QString(),
                       QStringLiteral("O driver Firebird do Qt (QIBASE) não está instalado; instale o pacote libqt6sql6-ibase.")};
    }
    prepareEmbeddedLockFolder();
    m_db = QSqlDatabase::addDatabase(kDriver, m_name);
    m_db.setDatabaseName(path);
    m_db.setUserName(kUser);
    m_db.setPassword(kPassword);
    // The driver's "high precision" only prints the same double as text,
    // which Rows would then parse back: a third of a long list's fetch went
    // into that round trip.
    m_db.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
    if (!m_db.open()) {
        Failure failure = failureFrom(m_db.lastError());
        if (failure.text.isEmpty())
            failure.text = QStringLiteral("Não foi possível abrir o banco de dados \"%1\".").arg(path);
        close();
        return failure;
    }
    m_path = path;
    return {};
}

void Connection::close()
{
    m_columns.clear();
    m_path.clear();
    if (!m_db.isValid()) {
        m_inTransaction = false;
        return;
    }
    // Firebird refuses to detach with a transaction open; what was not
    // committed is given up, as a guard leaving its scope would.
    if (m_inTransaction)
        m_db.rollback();
    m_inTransaction = false;
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

bool Connection::isOpen() const
{
    return m_db.isValid() && m_db.isOpen();
}

Failure notOpenFailure()
{
    return Failure{QString(), QStringLiteral("O banco de dados não está aberto.")};
}

Result<void> Connection::prepareAndRun(QSqlQuery& query, const QString& sql, const SqlParams& params)
{
    // Every value is checked before anything reaches the database.
    Result<QVariantList> values = driverValues(params);
    if (!values)
        return values.failure();
    if (!isOpen())
        return notOpenFailure();
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return failureFrom(query.lastError());
    if (Result<void> bound = bindChecked(query, params, std::move(*values)); !bound)
        return bound;
    if (!query.exec())
        return failureFrom(query.lastError());
    return {};
}

Result<Rows> Connection::select(const QString& sql, const SqlParams& params)
{
    QSqlQuery query(m_db);
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
    while (query.next()) {
        for (int i = 0; i < width; ++i)
            values.append(query.value(i));
    }
    if (query.lastError().isValid()) {
        Failure failure = failureFrom(query.lastError());
        query.clear();
        return failure;
    }
    // Ends the read's own transaction now rather than when the query dies.
    query.clear();
    return Rows(columns.names, std::move(values), columns.scales);
}

Result<int> Connection::execute(const QString& sql, const SqlParams& params)
{
    QSqlQuery query(m_db);
    if (Result<void> run = prepareAndRun(query, sql, params); !run)
        return run.failure();
    const int touched = insertsOneRow(sql) ? 1 : changesRows(sql) ? query.numRowsAffected() : 0;
    query.clear();
    return touched < 0 ? 0 : touched;
}

Result<int> Connection::executeEach(const QString& sql, const QList<SqlParams>& rows)
{
    if (!isOpen())
        return notOpenFailure();
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return failureFrom(query.lastError());
    int run = 0;
    for (const SqlParams& params : rows) {
        Result<QVariantList> values = driverValues(params);
        if (!values)
            return values.failure();
        if (Result<void> bound = bindChecked(query, params, std::move(*values)); !bound)
            return bound.failure();
        if (!query.exec()) {
            Failure failure = failureFrom(query.lastError());
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
