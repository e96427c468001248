#include "common/spool_file.h"

#include "common/message_texts.h"
#include "common/terminal_settings.h"

#include <QFile>
#include <QSaveFile>

namespace {

Failure spoolFailure(const QString& message, const QString& path, const QString& reason)
{
    return Failure{QString(), message + u"\n\nMotivo: " + path + u": " + reason};
}

} // namespace

QString spoolPath(const TerminalSettings& settings)
{
    const QString dir = settings.dataDir.isEmpty() ? dataDirectory() : settings.dataDir;
    return spoolFilePath(dir);
}

QByteArray spoolBytes(const QStringList& lines)
{
    QByteArray bytes;
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    bytes.reserve(size);
    for (const QString& line : lines) {
        bytes += line.toLatin1();
        bytes += "\r\n";
    }
    return bytes;
}

QStringList spoolLines(const QByteArray& bytes)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const bool lastWithoutEnd = end < 0;
        if (lastWithoutEnd)
            end = bytes.size();
        qsizetype stop = end;
        if (stop > start && bytes.at(stop - 1) == '\r')
            --stop;
        lines.append(QString::fromLatin1(bytes.constData() + start, stop - start));
        start = end + 1;
    }
    return lines;
}

Result<void> writeSpoolFile(const QString& path, const QStringList& lines)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return spoolFailure(msg::arquivoImpressaoFalhou, path, file.errorString());
    const QByteArray bytes = spoolBytes(lines);
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return spoolFailure(msg::arquivoImpressaoFalhou, path, reason);
    }
    if (!file.commit())
        return spoolFailure(msg::arquivoImpressaoFalhou, path, file.errorString());
    return {};
}

Result<QStringList> readSpoolFile(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return QStringList();
    if (!file.open(QIODevice::ReadOnly))
        return spoolFailure(msg::impressoraIndisponivel, path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return spoolFailure(msg::impressoraIndisponivel, path, file.errorString());
    return spoolLines(bytes);
}
