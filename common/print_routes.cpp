#include "common/print_routes.h"

#include "common/message_texts.h"
#include "common/spool_file.h"
#include "common/system_reason.h"
#include "common/terminal_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <ctime>

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <unistd.h>

namespace {

constexpr int waitSliceMs = 50;

QString dataFolder(const TerminalSettings& settings)
{
    return settings.dataDir.isEmpty() ? dataDirectory() : settings.dataDir;
}

Failure printFailure(const QString& message, const QString& reason)
{
    return Failure{QString(), message + u"\n\nMotivo: " + reason};
}

// Paints the screen while the printer works. Keystrokes wait in the queue
// until the job is over, so F3 cannot start a second job inside this one and
// nothing the operator types is lost.
void keepScreenAlive()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// A reader that went away (a FIFO, a disconnected port) must give EPIPE, not
// kill the counter with SIGPIPE: block the signal while writing and swallow the
// one our own write raised.
class PipeSignalGuard
{
public:
    PipeSignalGuard()
    {
        sigemptyset(&m_pipe);
        sigaddset(&m_pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &m_pipe, &m_previous);
    }
    ~PipeSignalGuard()
    {
        if (m_raised) {
            const timespec zero{0, 0};
            while (sigtimedwait(&m_pipe, nullptr, &zero) == SIGPIPE) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
    }
    void raised() { m_raised = true; }

private:
    sigset_t m_pipe;
    sigset_t m_previous;
    bool m_raised = false;
};

class Device
{
public:
    ~Device()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int fd() const { return m_fd; }
    void set(int fd) { m_fd = fd; }

private:
    int m_fd = -1;
};

bool notReady(int error)
{
    // ENXIO: nobody reading yet (a FIFO, a port not answering); EBUSY: another
    // program holds the printer; EAGAIN: the driver asks to try again.
    return error == ENXIO || error == EBUSY || error == EAGAIN || error == EWOULDBLOCK;
}

Failure noAnswer(const QString& device, int timeoutMs)
{
    return printFailure(msg::impressoraNaoResponde,
                        device + u": nada aceito em " + QString::number(timeoutMs) + u" ms");
}

Result<void> openDevice(Device& out, const QString& device, int timeoutMs)
{
    const QByteArray path = QFile::encodeName(device);
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        // O_APPEND: a plain file standing for the printer gathers the jobs like paper.
        const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_APPEND);
        if (fd >= 0) {
            out.set(fd);
            return {};
        }
        const int error = errno;
        if (error == EINTR)
            continue;
        if (!notReady(error))
            return printFailure(msg::impressoraIndisponivel, device + u": " + systemReason(error));
        if (waited.elapsed() >= timeoutMs)
            return noAnswer(device, timeoutMs);
        QThread::msleep(waitSliceMs);
        keepScreenAlive();
    }
}

Result<void> writeAll(int fd, const QByteArray& data, const QString& device, int timeoutMs,
                      PipeSignalGuard& pipeGuard)
{
    QElapsedTimer stalled;
    stalled.start();
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (n > 0) {
            done += n;
            stalled.restart();
            continue;
        }
        const int error = n < 0 ? errno : EAGAIN;
        if (error == EINTR)
            continue;
        if (error == EPIPE)
            pipeGuard.raised();
        if (error != EAGAIN && error != EWOULDBLOCK)
            return printFailure(msg::impressoraIndisponivel, device + u": " + systemReason(error));

        const qint64 left = timeoutMs - stalled.elapsed();
        if (left <= 0)
            return noAnswer(device, timeoutMs);
        pollfd waitFor{fd, POLLOUT, 0};
        const int ready = ::poll(&waitFor, 1, int(qMin<qint64>(left, waitSliceMs)));
        if (ready > 0 && (waitFor.revents & (POLLERR | POLLNVAL)))
            return printFailure(msg::impressoraIndisponivel, device + u": erro do dispositivo");
        keepScreenAlive();
    }
    return {};
}

Result<void> startPrintProgram(const TerminalSettings& settings)
{
    // imp runs in the data folder: a relative one would point elsewhere from there.
    const QString dir = QFileInfo(dataFolder(settings)).absoluteFilePath();
    const QString program = findPrintProgram(dir);
    if (program.isEmpty())
        return printFailure(msg::programaImpressaoNaoEncontrado,
                            u"imp não está em " + dir + u" nem no PATH");

    QProcess process;
    process.setProgram(program);
    process.setArguments({});
    process.setWorkingDirectory(dir);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VORINDA_DIR"), dir);
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    // Started and left alone: the program prints the spool by itself. It
    // must not inherit the blocked termination signals of this thread.
    sigset_t none;
    sigset_t kept;
    sigemptyset(&none);
    pthread_sigmask(SIG_SETMASK, &none, &kept);
    const bool started = process.startDetached();
    pthread_sigmask(SIG_SETMASK, &kept, nullptr);
    if (!started)
        return printFailure(msg::programaImpressaoNaoEncontrado,
                            program + u": o programa não pôde ser iniciado");
    return {};
}

} // namespace

QString printerDevice()
{
    const QString port = qEnvironmentVariable("VORINDA_PRINTER_PORT");
    return port.isEmpty() ? QStringLiteral("/dev/usb/lp0") : port;
}

QString findPrintProgram(const QString& dataDir)
{
    const QFileInfo local(QDir(dataDir).filePath(QStringLiteral("imp")));
    if (local.isFile() && local.isExecutable())
        return local.absoluteFilePath();
    return QStandardPaths::findExecutable(QStringLiteral("imp"));
}

Result<void> sendToDevice(const QString& device, const QStringList& lines, int timeoutMs)
{
    PipeSignalGuard pipeGuard;
    Device printer;
    if (Result<void> opened = openDevice(printer, device, timeoutMs); !opened)
        return opened;
    for (const QString& line : lines) {
        QByteArray data = line.toLatin1();
        data += "\r\n";
        if (Result<void> written = writeAll(printer.fd(), data, device, timeoutMs, pipeGuard); !written)
            return written;
        keepScreenAlive();
    }
    return {};
}

namespace {

// The job handed to the terminal's route; imp (route 1) prints imp.txt itself.
Result<void> route(const TerminalSettings& settings, const QStringList& lines)
{
    switch (settings.modo_impressao) {
    case 0:
        return sendToDevice(printerDevice(), lines);
    case 1:
        return startPrintProgram(settings);
    default:
        return {};
    }
}

} // namespace

Result<void> imprime_arquivo(const TerminalSettings& settings)
{
    if (settings.modo_impressao != 0 && settings.modo_impressao != 1)
        return {};
    if (const LastPrintJob* last = settings.ultimaImpressao.get(); last && last->made) {
        // imp.txt may hold another job by now: imp gets this one back.
        if (settings.modo_impressao == 1) {
            if (Result<void> written = writeSpoolFile(spoolPath(settings), last->lines); !written)
                return written;
        }
        return route(settings, last->lines);
    }
    if (settings.modo_impressao == 1)
        return route(settings, {});
    Result<QStringList> lines = readSpoolFile(spoolPath(settings));
    if (!lines)
        return lines.failure();
    if (lines->isEmpty())
        return {};   // nothing printed yet at this terminal
    return route(settings, *lines);
}

Result<void> printJob(const TerminalSettings& settings, const QStringList& lines)
{
    // Kept first: when imp.txt cannot be written, F3 still prints this job.
    if (settings.ultimaImpressao)
        *settings.ultimaImpressao = LastPrintJob{true, lines};
    if (Result<void> written = writeSpoolFile(spoolPath(settings), lines); !written)
        return written;
    return route(settings, lines);
}
