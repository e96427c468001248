#include "db/login.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <optional>

#include <sys/stat.h>
#include <unistd.h>

QString loginFilePath(const QString& dataDir)
{
    return dataDir + QStringLiteral("/credenciais.ini");
}

namespace {

Failure loginFailure(const QString& path, const QString& why)
{
    return Failure{QString(), QStringLiteral("O arquivo de acesso ao banco de dados \"%1\" %2").arg(path, why)};
}

// The text after `key` on the line, or nothing when the line is not that key's.
std::optional<QString> valueOf(const QString& line, const QString& key)
{
    if (!line.startsWith(key))
        return std::nullopt;
    return line.mid(key.size());
}

} // namespace

Result<DatabaseLogin> readLogin(const QString& dataDir)
{
    const QString path = loginFilePath(dataDir);
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0)
        return DatabaseLogin();
    // A password others can read is no password; one others can change lets
    // them log the counters in elsewhere.
    if (!S_ISREG(info.st_mode) || info.st_uid != ::getuid() || (info.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
        return loginFailure(path, QStringLiteral("precisa pertencer ao usuário que roda o programa e ser "
                                                 "legível só por ele. Corrija com: chmod 600 \"%1\"")
                                      .arg(path));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return loginFailure(path, QStringLiteral("não pôde ser lido."));
    const QList<QByteArray> raw = file.readAll().split('\n');
    QStringList lines;
    for (QByteArray line : raw) {
        if (line.endsWith('\r'))
            line.chop(1);
        lines.append(QString::fromLatin1(line));
    }
    const auto user = valueOf(lines.value(0), QStringLiteral("USUARIO="));
    const auto password = valueOf(lines.value(1), QStringLiteral("SENHA="));
    if (!user || user->trimmed().isEmpty())
        return loginFailure(path, QStringLiteral("deve ter na linha 1 \"USUARIO=\" seguido do usuário."));
    if (!password)
        return loginFailure(path, QStringLiteral("deve ter na linha 2 \"SENHA=\" seguido da senha."));
    DatabaseLogin login;
    login.user = user->trimmed();
    login.password = *password;
    return login;
}
