#pragma once

#include <QString>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <csignal>

// A disk that takes no more bytes, for the write checks. Two ways, as rows of
// one test: a small file system of its own, filled up (mounting needs root's
// rights; where there are none, `reason()` says so and the row is skipped),
// and a limit on the size of the files this process writes, which needs none.
class SmallDisk
{
public:
    // A tmpfs of `bytes` mounted over a temporary folder.
    explicit SmallDisk(int bytes = 64 * 1024);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return m_mounted; }
    QString reason() const { return m_reason; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    // Takes every free byte left with one filler file.
    bool fill();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_reason;
};

// While alive, no file of this process may grow beyond `bytes`: a write
// past it fails with EFBIG (its signal ignored) as a full disk would.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_previous{};
    struct sigaction m_previousAction {};
};
