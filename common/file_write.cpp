#include "common/file_write.h"

#include "common/system_reason.h"

#include <QSaveFile>

#include <cerrno>

namespace {

Failure failed(const QSaveFile& file, int error)
{
    return Failure{QString(), fileReason(file.fileName(), file.error(), error)};
}

} // namespace

Result<void> replaceFile(const QString& path, const QByteArray& bytes, InPlace inPlace)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(inPlace == InPlace::WhenFolderLocked);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return failed(file, errno);
    // commit() of Qt 6.4 does not look at a flush that failed (a full disk
    // takes the buffered bytes without a word): it would rename an empty or
    // cut file over the good one. Every step is checked before it runs.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        const Failure failure = failed(file, errno);
        file.cancelWriting();
        return failure;
    }
    errno = 0;
    if (!file.commit())
        return failed(file, errno);
    return {};
}
