#include "db/schema.h"

#include "db/connection.h"
#include "db/sql_script.h"
#include "db/transaction.h"

#include <QFile>

static void loadSchemaResource()
{
    // The resource lives in a static library: naming it here makes the
    // linker keep it.
    Q_INIT_RESOURCE(schema);
}

namespace schema {

namespace {

Failure scriptFailure(const QString& script, const QString& statement, const Failure& failure)
{
    Failure wrapped = failure;
    wrapped.text = failure.text + QStringLiteral(" [%1: %2]").arg(script, statement.left(200).simplified());
    return wrapped;
}

bool holdsRows(const QString& name)
{
    return name.contains(QStringLiteral("rows"));
}

} // namespace

QStringList scriptNames(bool demo)
{
    QStringList names{QStringLiteral("01_tables.sql"), QStringLiteral("02_generators.sql"),
                      QStringLiteral("03_exceptions.sql"), QStringLiteral("04_triggers.sql"),
                      QStringLiteral("05_indexes.sql"), QStringLiteral("06_base_rows.sql")};
    if (demo)
        names.append(QStringLiteral("07_demo_rows.sql"));
    return names;
}

QString scriptText(const QString& name)
{
    loadSchemaResource();
    QFile file(QStringLiteral(":/vorinda/sql/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

Result<void> apply(Connection& connection, bool demo)
{
    for (const QString& name : scriptNames(demo)) {
        const QString text = scriptText(name);
        if (text.isEmpty())
            return Failure{QString(), QStringLiteral("O script %1 do banco de dados não foi encontrado.").arg(name)};
        const QStringList statements = splitSqlScript(text);
        if (holdsRows(name)) {
            Transaction transaction(connection);
            if (!transaction.begun())
                return transaction.failure();
            for (const QString& statement : statements) {
                if (Result<int> run = connection.execute(statement); !run)
                    return scriptFailure(name, statement, run.failure());
            }
            if (Result<void> done = transaction.commit(); !done)
                return done.failure();
        } else {
            for (const QString& statement : statements) {
                if (Result<int> run = connection.execute(statement); !run)
                    return scriptFailure(name, statement, run.failure());
            }
        }
    }
    return {};
}

} // namespace schema
