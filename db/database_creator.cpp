#include "db/database_creator.h"

#include "db/connection.h"
#include "db/embedded_lock.h"
#include "db/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <ibase.h>

namespace {

const QByteArray kUser = QByteArrayLiteral("SYSDBA");
const QByteArray kPassword = QByteArrayLiteral("lanternas");

Failure statusFailure(const ISC_STATUS* status)
{
    QStringList parts;
    const ISC_STATUS* cursor = status;
    char buffer[1024];
    while (fb_interpret(buffer, sizeof buffer, &cursor) > 0)
        parts.append(QString::fromLocal8Bit(buffer));
    const ISC_LONG code = isc_sqlcode(status);
    return Failure{code != 0 ? QString::number(code) : QString(), parts.join(QStringLiteral(" - "))};
}

// Database names travel as the operating system's bytes.
QByteArray nativeName(const QString& path)
{
    return isServerPath(path) ? path.toUtf8() : QFile::encodeName(path);
}

QByteArray parameterBlock(int forcedWrites = -1)
{
    QByteArray dpb;
    dpb.append(char(isc_dpb_version1));
    dpb.append(char(isc_dpb_user_name));
    dpb.append(char(kUser.size()));
    dpb.append(kUser);
    dpb.append(char(isc_dpb_password));
    dpb.append(char(kPassword.size()));
    dpb.append(kPassword);
    if (forcedWrites >= 0) {
        dpb.append(char(isc_dpb_force_write));
        dpb.append(char(1));
        dpb.append(char(forcedWrites));
    }
    return dpb;
}

// Made with synchronous writes off: filling in the schema is a few dozen
// commits, and waiting for the disk on each would take seconds.
Result<void> createEmptyDatabase(const QString& path)
{
    const QByteArray name = nativeName(path);
    QByteArray dpb = parameterBlock(0);
    const auto appendNumber = [&dpb](char tag, qint32 value) {
        dpb.append(tag);
        dpb.append(char(4));
        for (int i = 0; i < 4; ++i)
            dpb.append(char((value >> (8 * i)) & 0xff));
    };
    appendNumber(char(isc_dpb_page_size), 8192);
    appendNumber(char(isc_dpb_sql_dialect), SQL_DIALECT_V6);
    const QByteArray charset = QByteArrayLiteral("UTF8");
    dpb.append(char(isc_dpb_set_db_charset));
    dpb.append(char(charset.size()));
    dpb.append(charset);

    ISC_STATUS_ARRAY status = {};
    isc_db_handle db = 0;
    if (isc_create_database(status, short(name.size()), name.constData(), &db, short(dpb.size()), dpb.constData(), 0))
        return statusFailure(status);
    isc_detach_database(status, &db);
    return {};
}

// Removes a database this run has just made and failed to finish.
void dropDatabase(const QString& path)
{
    const QByteArray name = nativeName(path);
    const QByteArray dpb = parameterBlock();
    ISC_STATUS_ARRAY status = {};
    isc_db_handle db = 0;
    if (isc_attach_database(status, short(name.size()), name.constData(), &db, short(dpb.size()), dpb.constData()) == 0
        && isc_drop_database(status, &db) == 0) {
        return;
    }
    if (db)
        isc_detach_database(status, &db);
    if (!isServerPath(path))
        QFile::remove(path);
}

} // namespace

bool isServerPath(const QString& path)
{
    if (path.startsWith(QStringLiteral("inet://")) || path.startsWith(QStringLiteral("inet4://"))
        || path.startsWith(QStringLiteral("inet6://"))) {
        return true;
    }
    // "host:/path" or "host/port:/path"; a path of our own starts with "/"
    // (or ".", or is a bare name without a colon).
    const qsizetype colon = path.indexOf(u':');
    if (colon <= 0 || path.startsWith(u'/') || path.startsWith(u'.'))
        return false;
    // A single letter before the colon is a Windows drive, not a host.
    return colon > 1;
}

Result<void> createDatabase(const QString& path, bool demo)
{
    return createDatabase(path, demo, CreateOptions());
}

Result<void> createDatabase(const QString& path, bool demo, const CreateOptions& options)
{
    if (path.trimmed().isEmpty())
        return Failure{QString(), QStringLiteral("Informe o caminho do banco de dados a criar.")};
    const bool embedded = !isServerPath(path);
    if (embedded) {
        const QFileInfo info(path);
        if (info.exists() || info.isSymLink()) {
            return Failure{QString(),
                           QStringLiteral("O arquivo \"%1\" já existe. Nenhum banco de dados foi criado "
                                          "e o arquivo não foi alterado.").arg(path)};
        }
        if (!QDir().mkpath(info.absolutePath())) {
            return Failure{QString(),
                           QStringLiteral("Não foi possível criar a pasta \"%1\".").arg(info.absolutePath())};
        }
        prepareEmbeddedLockFolder();
    }

    if (Result<void> created = createEmptyDatabase(path); !created) {
        Failure failure = created.failure();
        // A server never overwrites either; say so in the operator's words.
        if (failure.text.contains(QStringLiteral("File exists"))) {
            return Failure{failure.code,
                           QStringLiteral("O banco de dados \"%1\" já existe. Nenhum banco de dados foi criado "
                                          "e o existente não foi alterado. (%2)").arg(path, failure.text)};
        }
        failure.text = QStringLiteral("Não foi possível criar o banco de dados \"%1\": %2").arg(path, failure.text);
        return failure;
    }

    // Writes turn synchronous before anybody else uses the database.
    Result<void> filled = [&]() -> Result<void> {
        {
            Connection connection;
            if (Result<void> opened = connection.open(path); !opened)
                return opened;
            if (Result<void> applied = schema::apply(connection, demo); !applied)
                return applied;
            for (const QString& statement : options.extraStatements) {
                if (Result<int> run = connection.execute(statement); !run)
                    return run.failure();
            }
        }
        return options.synchronousWrites ? setForcedWrites(path, true) : Result<void>();
    }();
    if (!filled) {
        dropDatabase(path);
        Failure failure = filled.failure();
        failure.text = QStringLiteral("O banco de dados \"%1\" não pôde ser preparado e foi removido: %2")
                           .arg(path, failure.text);
        return failure;
    }
    return {};
}

Result<void> setForcedWrites(const QString& path, bool on)
{
    if (!isServerPath(path))
        prepareEmbeddedLockFolder();
    const QByteArray name = nativeName(path);
    const QByteArray dpb = parameterBlock(on ? 1 : 0);
    ISC_STATUS_ARRAY status = {};
    isc_db_handle db = 0;
    if (isc_attach_database(status, short(name.size()), name.constData(), &db, short(dpb.size()), dpb.constData()))
        return statusFailure(status);
    isc_detach_database(status, &db);
    return {};
}
