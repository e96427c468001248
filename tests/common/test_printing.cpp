#include "common/message_texts.h"
#include "common/print_routes.h"
#include "common/spool_file.h"
#include "common/terminal_settings.h"
#include "tests/common/files.h"
#include "tests/support/full_disk.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <functional>
#include <optional>
#include <thread>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A stand-in for `imp`: records, after `delay` seconds, its working folder,
// the VORINDA_DIR it was given, how many arguments it got and the signals it
// started with blocked. Perl, because a shell clears that mask as it starts.
QByteArray impScript(int delay)
{
    return "#!/usr/bin/perl\nuse Cwd;\nsleep " + QByteArray::number(delay) + ";\n"
           "open(my $s, '<', '/proc/self/status');\n"
           "my ($blocked) = map { /^SigBlk:\\s*(\\S+)/ ? $1 : () } <$s>;\n"
           "my $dir = $ENV{VORINDA_DIR};\n"
           "open(my $o, '>', \"$dir/ran.tmp\");\n"
           "print $o join(\"\\n\", getcwd(), $dir, scalar(@ARGV), $blocked), \"\\n\";\n"
           "close($o);\nrename(\"$dir/ran.tmp\", \"$dir/imp_ran.txt\");\n";
}

QStringList jobLines(int count, int width = 40)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QString::number(i).rightJustified(width, u'.');
    return lines;
}

QString failureText(const Result<void>& result)
{
    return result.ok() ? u"(ok)"_s : result.failure().text;
}

// A printer slower than the counter, reading a FIFO from a thread of its own;
// it stops (closing its end) after `limit` bytes, or reads to the end.
class FifoReader
{
public:
    FifoReader(const QString& path, qint64 limit = -1)
        : m_thread([this, p = QFile::encodeName(path), limit] {
              const int fd = ::open(p.constData(), O_RDONLY);
              char buffer[4096];
              for (ssize_t n; fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
                  m_bytes.append(buffer, n);
                  if (limit >= 0 && m_bytes.size() >= limit)
                      break;
                  ::usleep(500);
              }
              ::close(fd);
          })
    {
    }
    QByteArray finish()
    {
        m_thread.join();
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    std::jthread m_thread;
};

// Runs `step` in a child process as a user without root's rights (root
// passes every permission check); its exit status, 0 when `step` held.
int asOrdinaryUser(const std::function<bool()>& step)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        ::_exit(step() ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

// imp.txt, the print spool, and the routes that send it.
class TestPrinting : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_savedPath = qgetenv("PATH");
        m_data = std::make_unique<QTemporaryDir>();
        m_other = std::make_unique<QTemporaryDir>();
        m_device = m_other->filePath(u"lp0"_s);
        qputenv("VORINDA_PRINTER_PORT", QFile::encodeName(m_device));
        // The process's own data folder is elsewhere: imp must get the terminal's.
        qputenv("VORINDA_DIR", QFile::encodeName(m_other->path()));
    }
    void cleanup()
    {
        qputenv("PATH", m_savedPath);
        qunsetenv("VORINDA_PRINTER_PORT");
    }

    // Each row starts without imp.txt: the job creates it; read back as written (outside Latin-1 as "?").
    void writtenBytes_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addRow("CR LF on every line, blanks kept")
            << QStringList{u"  X  "_s, QString(), u" "_s} << QByteArray("  X  \r\n\r\n \r\n");
        QTest::addRow("accents in Latin-1")
            << QStringList{u"SÁBADO"_s, u"TERÇA-FEIRA"_s} << QByteArray("S\xC1" "BADO\r\nTER\xC7" "A-FEIRA\r\n");
        QTest::addRow("outside Latin-1 becomes ?") << QStringList{u"R€ 5"_s} << QByteArray("R? 5\r\n");
    }
    void writtenBytes()
    {
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, bytes);
        QVERIFY(writeSpoolFile(spoolFile(), lines).ok());
        QCOMPARE(fileBytes(spoolFile()), bytes);
        const Result<QStringList> read = readSpoolFile(spoolFile());
        QVERIFY(read.ok());
        QCOMPARE(*read, lines.replaceInStrings(u"€"_s, u"?"_s));
    }

    void replacedWhole()
    {
        // A longer previous job leaves nothing behind, nor does the file written beside it.
        QVERIFY(writeSpoolFile(spoolFile(), QStringList(200, u"LINHA ANTIGA"_s)).ok());
        QVERIFY(writeSpoolFile(spoolFile(), {u"NOVA"_s}).ok());
        QCOMPARE(fileBytes(spoolFile()), QByteArray("NOVA\r\n"));
        QCOMPARE(QDir(m_data->path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"imp.txt"_s});
    }

    // Root passes permission checks, so imp.txt is made a folder instead.
    void unwritableSpoolFails()
    {
        QVERIFY(QDir(m_data->path()).mkdir(u"imp.txt"_s));
        const Result<void> written = writeSpoolFile(spoolFile(), {u"X"_s});
        QVERIFY2(failureText(written).startsWith(msg::arquivoImpressaoFalhou), qPrintable(failureText(written)));
        QVERIFY2(written.failure().text.contains(u"Motivo: "_s + spoolFile() + u": o caminho é uma pasta"_s),
                 qPrintable(written.failure().text));
    }

    // A disk that takes no more: the job is refused with the reason in
    // Portuguese, the old imp.txt whole and nothing left beside it.
    void fullDisk_data()
    {
        QTest::addColumn<bool>("smallDisk");   // else a limit on file sizes
        QTest::addColumn<QString>("reason");
        QTest::addRow("small file system filled up") << true << u"Motivo: %1: não há espaço livre no disco"_s;
        QTest::addRow("file size limit") << false << u"Motivo: %1: o arquivo passou do tamanho máximo"_s;
    }
    void fullDisk()
    {
        QFETCH(bool, smallDisk);
        QFETCH(QString, reason);
        SmallDisk disk;
        if (smallDisk && !disk.mounted())
            QSKIP(qPrintable(disk.reason()));
        const QString folder = smallDisk ? disk.path() : m_data->path();
        const QString path = QDir(folder).filePath(u"imp.txt"_s);
        QVERIFY(writeSpoolFile(path, {u"TICKET ANTIGO"_s}).ok());
        const QStringList before = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        if (smallDisk)
            QVERIFY(disk.fill());
        std::optional<FileSizeLimit> limit;
        if (!smallDisk)
            limit.emplace(64);
        const Result<void> written = writeSpoolFile(path, jobLines(100));
        limit.reset();
        QVERIFY2(failureText(written).startsWith(msg::arquivoImpressaoFalhou), qPrintable(failureText(written)));
        QVERIFY2(written.failure().text.contains(reason.arg(path)), qPrintable(written.failure().text));
        QCOMPARE(fileBytes(path), QByteArray("TICKET ANTIGO\r\n"));
        QStringList after = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        after.removeOne(u"filler"_s);
        QCOMPARE(after, before);
    }

    // A folder that takes no new file: imp.txt itself is rewritten when it
    // may be, else the old job stays.
    void lockedFolder_data()
    {
        QTest::addColumn<bool>("spoolWritable");
        QTest::addRow("imp.txt writable") << true;
        QTest::addRow("imp.txt read-only too") << false;
    }
    void lockedFolder()
    {
        QFETCH(bool, spoolWritable);
        QVERIFY(putFile(spoolFile(), "ANTIGO\r\n"));
        QVERIFY(::chmod(QFile::encodeName(spoolFile()).constData(), spoolWritable ? 0666 : 0444) == 0);
        const QByteArray folder = QFile::encodeName(m_data->path());
        QVERIFY(::chmod(folder.constData(), 0555) == 0);
        const int status = asOrdinaryUser([this] { return writeSpoolFile(spoolFile(), {u"NOVO"_s}).ok(); });
        ::chmod(folder.constData(), 0700);
        QCOMPARE(status, spoolWritable ? 0 : 1);
        QCOMPARE(fileBytes(spoolFile()), spoolWritable ? QByteArray("NOVO\r\n") : QByteArray("ANTIGO\r\n"));
        QCOMPARE(QDir(m_data->path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"imp.txt"_s});
    }

    void readToleratesLf()
    {
        QVERIFY(putFile(spoolFile(), "A\n \nB"));
        const Result<QStringList> read = readSpoolFile(spoolFile());
        QVERIFY(read.ok());
        QCOMPARE(*read, (QStringList{u"A"_s, u" "_s, u"B"_s}));
    }

    // Route 0 copies imp.txt to the port in CR LF; a missing port fails at once, the job kept for F3.
    // The reason after "Motivo:" is Portuguese, and an unreadable imp.txt is not blamed on the printer.
    void directToDevice_data()
    {
        QTest::addColumn<QByteArray>("spool");   // null: no job printed yet; "<unreadable>": a folder
        QTest::addColumn<QString>("device");
        QTest::addColumn<QByteArray>("printed");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("reason");
        const QByteArray job("S\xC1" "BADO\r\n \r\n");
        QTest::addRow("CR LF, Latin-1 unchanged") << job << u"lp0"_s << job << QString() << QString();
        QTest::addRow("LF spool gets CR LF") << QByteArray("A\nB\n") << u"lp0"_s << QByteArray("A\r\nB\r\n") << QString() << QString();
        QTest::addRow("nothing printed yet sends nothing") << QByteArray() << u"sem_impressora"_s << QByteArray() << QString() << QString();
        QTest::addRow("missing device") << job << u"sem_impressora"_s << QByteArray() << msg::impressoraIndisponivel
                                        << u"o arquivo ou a pasta não existe"_s;
        QTest::addRow("unreadable spool") << QByteArray("<unreadable>") << u"lp0"_s << QByteArray()
                                          << msg::arquivoImpressaoIlegivel << u"o caminho é uma pasta"_s;
    }
    void directToDevice()
    {
        QFETCH(QByteArray, spool);
        QFETCH(QString, device);
        QFETCH(QByteArray, printed);
        QFETCH(QString, failure);
        QFETCH(QString, reason);
        const QString path = m_other->filePath(device);
        qputenv("VORINDA_PRINTER_PORT", QFile::encodeName(path));
        QVERIFY(device != u"lp0"_s || putFile(path, QByteArray()));
        if (spool == "<unreadable>")
            QVERIFY(QDir(m_data->path()).mkdir(u"imp.txt"_s));
        else
            QVERIFY(spool.isNull() || putFile(spoolFile(), spool));
        QElapsedTimer clock;
        clock.start();
        const Result<void> result = imprime_arquivo(settings(0));
        QVERIFY(clock.elapsed() < 1000);
        QCOMPARE(device == u"lp0"_s ? fileBytes(path) : QByteArray(), printed);
        if (failure.isEmpty()) {
            QVERIFY2(result.ok(), qPrintable(failureText(result)));
            return;
        }
        QVERIFY2(failureText(result).startsWith(failure), qPrintable(failureText(result)));
        const QString where = failure == msg::impressoraIndisponivel ? path : spoolFile();
        QVERIFY2(result.failure().text.contains(u"Motivo: "_s + where + u": "_s + reason), qPrintable(result.failure().text));
        QCOMPARE(fileBytes(spoolFile()), spool);
    }

    // F3 prints the run's last job whatever became of imp.txt since: a write
    // of it that failed, or another program's job written over it.
    void reprintsTheLastJob_data()
    {
        QTest::addColumn<qint16>("route");
        QTest::addColumn<bool>("writeFails");   // else another program writes imp.txt
        QTest::addRow("printer, the job's write failed") << qint16(0) << true;
        QTest::addRow("printer, another program's imp.txt") << qint16(0) << false;
        QTest::addRow("imp, the job's write failed") << qint16(1) << true;
        QTest::addRow("imp, another program's imp.txt") << qint16(1) << false;
    }
    void reprintsTheLastJob()
    {
        QFETCH(qint16, route);
        QFETCH(bool, writeFails);
        QVERIFY(putFile(m_device, QByteArray()));
        QVERIFY(putFile(dataPath(u"imp"_s), impScript(0), true));
        const TerminalSettings counter = settings(route);
        QVERIFY(printJob(counter, {u"CLIENTE ANTERIOR"_s}).ok());
        const QString ran = dataPath(u"imp_ran.txt"_s);
        if (route == 1) {
            QTRY_VERIFY(QFile::exists(ran));
            QVERIFY(QFile::remove(ran));
        }
        QVERIFY(putFile(m_device, QByteArray()));

        const QStringList job{u"CLIENTE NOVO"_s, u" "_s};
        if (writeFails) {
            QVERIFY(QFile::remove(spoolFile()) && QDir(m_data->path()).mkdir(u"imp.txt"_s));
            const Result<void> failed = printJob(counter, job);
            QVERIFY2(failureText(failed).startsWith(msg::arquivoImpressaoFalhou), qPrintable(failureText(failed)));
            if (route == 1) {
                // imp prints imp.txt: F3 must write it first, and says so while it cannot.
                const Result<void> again = imprime_arquivo(counter);
                QVERIFY2(failureText(again).startsWith(msg::arquivoImpressaoFalhou), qPrintable(failureText(again)));
                QVERIFY(QDir(m_data->path()).rmdir(u"imp.txt"_s));
            }
        } else {
            QVERIFY(printJob(counter, job).ok());
            if (route == 1) {
                QTRY_VERIFY(QFile::exists(ran));
                QVERIFY(QFile::remove(ran));
            }
            QVERIFY(putFile(m_device, QByteArray()));
            QVERIFY(putFile(spoolFile(), "OUTRO PROGRAMA\r\n"));
        }
        const Result<void> reprinted = imprime_arquivo(counter);
        QVERIFY2(reprinted.ok(), qPrintable(failureText(reprinted)));
        if (route == 0) {
            QCOMPARE(fileBytes(m_device), spoolBytes(job));
            return;
        }
        QCOMPARE(fileBytes(spoolFile()), spoolBytes(job));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(ran), 10000);
        QCOMPARE(fileBytes(m_device), QByteArray());
    }

    // A printer that never answers: the job gives up in time and the screen keeps painting.
    void stuckPrinterGivesUp_data()
    {
        QTest::addColumn<bool>("reader");
        QTest::addRow("nobody opens the port") << false;
        QTest::addRow("the reader takes nothing more") << true;
    }
    void stuckPrinterGivesUp()
    {
        QFETCH(bool, reader);
        const QByteArray fifo = QFile::encodeName(m_device);
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        const int in = reader ? ::open(fifo.constData(), O_RDONLY | O_NONBLOCK) : -1;
        const int filler = reader ? ::open(fifo.constData(), O_WRONLY | O_NONBLOCK) : -1;
        const QByteArray block(4096, 'x');
        while (filler >= 0 && ::write(filler, block.constData(), block.size()) > 0) {
        }
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&ticks] { ++ticks; });
        timer.start(20);
        QElapsedTimer clock;
        clock.start();
        const Result<void> result = sendToDevice(m_device, {u"X"_s}, 400);
        const qint64 elapsed = clock.elapsed();
        ::close(filler);
        ::close(in);
        QVERIFY2(failureText(result).startsWith(msg::impressoraNaoResponde), qPrintable(failureText(result)));
        QVERIFY2(elapsed >= 350 && elapsed < 1500, qPrintable(QString::number(elapsed)));
        QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
    }

    // Far more than a pipe holds, a line longer than the pipe, a printer that leaves
    // mid-job (EPIPE: a failure, the counter survives).
    void slowPrinter_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<qint64>("readerStopsAt");
        QTest::addRow("many ticket lines") << jobLines(4000) << qint64(-1);
        QTest::addRow("one line longer than the pipe") << jobLines(3, 200000) << qint64(-1);
        QTest::addRow("printer gone away") << jobLines(4000) << qint64(1000);
    }
    void slowPrinter()
    {
        QFETCH(QStringList, lines);
        QFETCH(qint64, readerStopsAt);
        QCOMPARE(::mkfifo(QFile::encodeName(m_device).constData(), 0600), 0);
        FifoReader printer(m_device, readerStopsAt);
        const Result<void> result = sendToDevice(m_device, lines);
        const QByteArray printed = printer.finish();
        if (readerStopsAt >= 0) {
            QVERIFY2(failureText(result).startsWith(msg::impressoraIndisponivel), qPrintable(failureText(result)));
            return;
        }
        QVERIFY2(result.ok(), qPrintable(failureText(result)));
        QCOMPARE(printed, spoolBytes(lines));
    }

    void printProgram_data()
    {
        QTest::addColumn<QString>("place");
        QTest::addColumn<bool>("executable");
        QTest::addColumn<bool>("found");
        QTest::addRow("in the data folder") << u"data"_s << true << true;
        QTest::addRow("on the PATH") << u"path"_s << true << true;
        QTest::addRow("in the data folder, not executable") << u"data"_s << false << false;
        QTest::addRow("relative data folder") << u"relative"_s << true << true;
    }
    void printProgram()
    {
        QFETCH(QString, place);
        QFETCH(bool, executable);
        QFETCH(bool, found);
        QTemporaryDir bin;
        QVERIFY(putFile((place == u"path"_s ? bin.filePath(u"imp"_s) : dataPath(u"imp"_s)), impScript(1), executable));
        TerminalSettings counter = settings(1);
        const QString workingFolder = QDir::currentPath();
        if (place == u"relative"_s) {
            // Seen from the folder the counter runs in; imp runs in the data folder.
            QVERIFY(QDir::setCurrent(QFileInfo(m_data->path()).absolutePath()));
            counter.dataDir = QFileInfo(m_data->path()).fileName();
        }
        qputenv("PATH", QFile::encodeName(bin.path()) + (found ? ':' + m_savedPath : QByteArray()));
        // As in the program, which reads SIGTERM and SIGINT in its event loop.
        sigset_t termination, kept;
        sigemptyset(&termination);
        sigaddset(&termination, SIGTERM);
        sigaddset(&termination, SIGINT);
        pthread_sigmask(SIG_BLOCK, &termination, &kept);
        QElapsedTimer clock;
        clock.start();
        const Result<void> result = imprime_arquivo(counter);
        pthread_sigmask(SIG_SETMASK, &kept, nullptr);
        QVERIFY(QDir::setCurrent(workingFolder));
        if (!found) {
            QVERIFY2(failureText(result).startsWith(msg::programaImpressaoNaoEncontrado), qPrintable(failureText(result)));
            return;
        }
        QVERIFY2(result.ok(), qPrintable(failureText(result)));
        QVERIFY2(clock.elapsed() < 800, "the counter waited for imp");
        const QString ran = dataPath(u"imp_ran.txt"_s);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(ran), 10000);
        const QStringList got = QString::fromLocal8Bit(fileBytes(ran)).split(u'\n');
        const QString data = QFileInfo(m_data->path()).canonicalFilePath();
        QCOMPARE(QFileInfo(got.value(0)).canonicalFilePath(), data);   // working folder
        QCOMPARE(QFileInfo(got.value(1)).canonicalFilePath(), data);   // VORINDA_DIR
        QVERIFY2(QDir::isAbsolutePath(got.value(1)), qPrintable(got.value(1)));
        QCOMPARE(got.value(2), u"0"_s);                                 // no arguments
        QCOMPARE(got.value(3), u"0000000000000000"_s);                  // can be ended
    }

    // Route 2 (and any other number) only keeps the job in imp.txt.
    void otherRoutesPrintNothing()
    {
        QVERIFY(putFile(m_device, QByteArray()));
        QVERIFY(putFile(dataPath(u"imp"_s), impScript(0), true));
        QVERIFY(printJob(settings(7), {u"A"_s, u" "_s}).ok());
        QCOMPARE(fileBytes(spoolFile()), QByteArray("A\r\n \r\n"));
        QTest::qWait(300);
        QCOMPARE(fileBytes(m_device), QByteArray());
        QVERIFY(!QFile::exists(dataPath(u"imp_ran.txt"_s)));
    }

private:
    TerminalSettings settings(qint16 route) const
    {
        TerminalSettings s;
        s.modo_impressao = route;
        s.dataDir = m_data->path();
        return s;
    }
    QString dataPath(const QString& name) const { return m_data->filePath(name); }
    QString spoolFile() const { return spoolPath(settings(0)); }

    std::unique_ptr<QTemporaryDir> m_data;
    std::unique_ptr<QTemporaryDir> m_other;
    QString m_device;
    QByteArray m_savedPath;
};

QTEST_GUILESS_MAIN(TestPrinting)
#include "test_printing.moc"

