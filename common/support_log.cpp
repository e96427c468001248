#include "common/support_log.h"

#include "common/terminal_settings.h"

#include <QDateTime>
#include <QFile>

void logFailure(const QString& dataDir, qint16 numero_caixa, const QString& text)
{
    if (dataDir.isEmpty())
        return;
    QFile file(logFilePath(dataDir));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;   // a support log must never stop the counter

    // One entry per line, whatever line breaks the failure's own text holds.
    QString oneLine = text;
    oneLine.replace(QLatin1String("\r\n"), QLatin1String(" / "));
    oneLine.replace(QLatin1Char('\n'), QLatin1String(" / "));
    oneLine.replace(QLatin1Char('\r'), QLatin1String(" / "));

    const QString line = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
        + QStringLiteral(" caixa ") + QString::number(numero_caixa) + QStringLiteral(": ")
        + oneLine + QLatin1Char('\n');
    file.write(line.toUtf8());
}
