#include "db/database_creator.h"

#include "db/connection.h"
#include "db/embedded_lock.h"
#include "db/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <ibase.h>

namespace {


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

QByteArray parameterBlock(const DatabaseLogin& login, int forcedWrites = -1)
{
    const QByteArray user = login.user.toUtf8().left(255);
    const QByteArray password = login.password.toUtf8().left(255);
    QByteArray dpb;
    dpb.append(char(isc_dpb_version1));
    dpb.append(char(isc_dpb_user_name));
    dpb.append(char(user.size()));
    dpb.append(user);
    dpb.append(char(isc_dpb_password));
    dpb.append(char(password.size()));
    dpb.append(password);
    if (forcedWrites >= 0) {
        dpb.append(char(isc_dpb_force_write));
        dpb.append(char(1));
        dpb.append(char(forcedWrites));
    }
    return dpb;
}

// Made with synchronous writes off: filling in the schema is a few dozen
// commits, and waiting for the disk on each would take seconds.
Result<void> createEmptyDatabase(const QString& path, const DatabaseLogin& login)
{
    const QByteArray name = nativeName(path);
    QByteArray dpb = parameterBlock(login, 0);
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
void dropDatabase(const QString& path, const DatabaseLogin& login)
{
    const QByteArray name = nativeName(path);
    const QByteArray dpb = parameterBlock(login);
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

// The workstations' user and its rights on what the schema made, object by
// object: nothing of the system's own, no right to change the schema.
Result<void> grantWorkstations(Connection& connection, const DatabaseLogin& login)
{
    QString password = login.password;
    password.replace(u'\'', QStringLiteral("''"));
    if (Result<int> made = connection.execute(QStringLiteral("create or alter user %1 password '%2'")
                                                  .arg(login.user, password));
        !made)
        return made.failure();
    struct Kind
    {
        const char* list;
        const char* grant;
    };
    const Kind kinds[] = {
        {"select rdb$relation_name as name from rdb$relations where rdb$system_flag = 0 and rdb$view_blr is null",
         "grant select, insert, update, delete on table \"%1\" to %2"},
        {"select rdb$generator_name as name from rdb$generators where rdb$system_flag = 0",
         "grant usage on generator \"%1\" to %2"},
        {"select rdb$exception_name as name from rdb$exceptions where rdb$system_flag = 0",
         "grant usage on exception \"%1\" to %2"},
    };
    for (const Kind& kind : kinds) {
        Result<Rows> names = connection.select(QString::fromLatin1(kind.list));
        if (!names)
            return names.failure();
        for (int i = 0; i < names->count(); ++i) {
            const QString name = names->text(i, QStringLiteral("name")).trimmed();
            if (Result<int> granted = connection.execute(QString::fromLatin1(kind.grant).arg(name, login.user)); !granted)
                return granted.failure();
        }
    }
    // The general settings set the document counters.
    if (Result<int> granted = connection.execute(QStringLiteral("grant alter any generator to %1").arg(login.user));
        !granted)
        return granted.failure();
    return {};
}

} // namespace

Result<void> checkWorkstationLogin(const DatabaseLogin& login)
{
    static const QRegularExpression plainName(QStringLiteral("^[A-Za-z][A-Za-z0-9_]{0,30}$"));
    if (!plainName.match(login.user).hasMatch())
        return Failure{QString(), QStringLiteral("O nome do usuário deve começar por uma letra e ter só letras sem "
                                                 "acento, algarismos e \"_\" (até 31).")};
    if (login.user.compare(QStringLiteral("SYSDBA"), Qt::CaseInsensitive) == 0)
        return Failure{QString(), QStringLiteral("O usuário das estações deve ser outro que não o SYSDBA.")};
    if (login.password.isEmpty() || login.password.size() > 32)
        return Failure{QString(), QStringLiteral("A senha deve ter de 1 a 32 caracteres.")};
    for (const QChar c : login.password) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.unicode() > 0xff)
            return Failure{QString(), QStringLiteral("A senha só pode ter letras, algarismos, espaços e sinais "
                                                     "comuns (sem caracteres de controle).")};
    }
    return {};
}

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

    if (options.workstations) {
        if (Result<void> plain = checkWorkstationLogin(*options.workstations); !plain)
            return plain;
    }
    if (Result<void> created = createEmptyDatabase(path, options.admin); !created) {
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
            if (Result<void> opened = connection.open(path, options.admin); !opened)
                return opened;
            if (Result<void> applied = schema::apply(connection, demo); !applied)
                return applied;
            for (const QString& statement : options.extraStatements) {
                if (Result<int> run = connection.execute(statement); !run)
                    return run.failure();
            }
            if (options.workstations) {
                if (Result<void> granted = grantWorkstations(connection, *options.workstations); !granted)
                    return granted;
            }
        }
        return options.synchronousWrites ? setForcedWrites(path, true, options.admin) : Result<void>();
    }();
    if (!filled) {
        dropDatabase(path, options.admin);
        Failure failure = filled.failure();
        failure.text = QStringLiteral("O banco de dados \"%1\" não pôde ser preparado e foi removido: %2")
                           .arg(path, failure.text);
        return failure;
    }
    return {};
}

Result<void> setForcedWrites(const QString& path, bool on, const DatabaseLogin& login)
{
    if (!isServerPath(path))
        prepareEmbeddedLockFolder();
    const QByteArray name = nativeName(path);
    const QByteArray dpb = parameterBlock(login, on ? 1 : 0);
    ISC_STATUS_ARRAY status = {};
    isc_db_handle db = 0;
    if (isc_attach_database(status, short(name.size()), name.constData(), &db, short(dpb.size()), dpb.constData()))
        return statusFailure(status);
    isc_detach_database(status, &db);
    return {};
}
