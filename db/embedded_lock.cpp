#include "db/embedded_lock.h"

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace {

bool usableFolder(const QString& path)
{
    QDir().mkpath(path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QFileInfo info(path);
    // A folder someone else made (and could swap) is never ours to use.
    return info.isDir() && !info.isSymLink() && info.ownerId() == ::getuid()
        && ::access(path.toLocal8Bit().constData(), W_OK | X_OK) == 0;
}

QString chooseFolder()
{
    if (qEnvironmentVariableIsSet("FIREBIRD_LOCK"))
        return QString();
    const QString shared = QStringLiteral("/tmp/firebird");
    const QFileInfo info(shared);
    if (!info.exists() || ::access(shared.toLocal8Bit().constData(), W_OK | X_OK) == 0)
        return QString();

    // Every process of this user picks the same folder, so two programs of
    // one user still see each other's locks on a shared file.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) {
        const QString folder = runtime + QStringLiteral("/firebird");
        if (usableFolder(folder))
            return folder;
    }
    const QString folder = QStringLiteral("/tmp/firebird-%1").arg(::getuid());
    if (usableFolder(folder))
        return folder;
    return QString();
}

} // namespace

QString prepareEmbeddedLockFolder()
{
    // The client library reads the variable once, at its first use; deciding
    // once per process keeps every later attach consistent with the first.
    static const QString chosen = [] {
        const QString folder = chooseFolder();
        if (!folder.isEmpty())
            qputenv("FIREBIRD_LOCK", folder.toLocal8Bit());
        return folder;
    }();
    return chosen;
}
