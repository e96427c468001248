#include "common/terminal_settings.h"

#include <QDir>

QString dataDirectory()
{
    const QString fromEnvironment = qEnvironmentVariable("VORINDA_DIR");
    if (!fromEnvironment.isEmpty())
        return QDir::cleanPath(QDir::current().absoluteFilePath(fromEnvironment));
    return QDir(QDir::homePath()).filePath(QStringLiteral("vorinda"));
}

QString configFilePath(const QString& dataDir)
{
    return QDir(dataDir).filePath(QStringLiteral("configuracao.ini"));
}

QString spoolFilePath(const QString& dataDir)
{
    return QDir(dataDir).filePath(QStringLiteral("imp.txt"));
}

QString logFilePath(const QString& dataDir)
{
    return QDir(dataDir).filePath(QStringLiteral("vorinda.log"));
}

QString programVersion()
{
    return QStringLiteral("%1.%2.%3")
        .arg(VORINDA_VERSION_MAJOR)
        .arg(VORINDA_VERSION_MINOR)
        .arg(VORINDA_VERSION_PATCH);
}
