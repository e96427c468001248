#include "common/spool_file.h"

#include "common/file_write.h"
#include "common/message_texts.h"
#include "common/system_reason.h"
#include "common/terminal_settings.h"

#include <QFile>

#include <cerrno>

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
    // The installation may provide imp.txt in a folder the counter cannot
    // write: then the file itself is rewritten.
    if (Result<void> written = replaceFile(path, spoolBytes(lines), InPlace::WhenFolderLocked); !written)
        return spoolFailure(msg::arquivoImpressaoFalhou, path, written.failure().text);
    return {};
}

Result<QStringList> readSpoolFile(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return QStringList();
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return spoolFailure(msg::arquivoImpressaoIlegivel, path, fileReason(path, file.error(), errno));
    errno = 0;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return spoolFailure(msg::arquivoImpressaoIlegivel, path, fileReason(path, file.error(), errno));
    return spoolLines(bytes);
}
