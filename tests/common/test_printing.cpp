#include "common/message_texts.h"
#include "common/print_routes.h"
#include "common/spool_file.h"
#include "common/terminal_settings.h"
#include "tests/common/files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <thread>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
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
        QVERIFY(written.failure().text.contains(u"imp.txt"_s));
    }

    void readToleratesLf()
    {
        QVERIFY(putFile(spoolFile(), "A\n \nB"));
        const Result<QStringList> read = readSpoolFile(spoolFile());
        QVERIFY(read.ok());
        QCOMPARE(*read, (QStringList{u"A"_s, u" "_s, u"B"_s}));
    }

    // Route 0 copies imp.txt to the port in CR LF; a missing port fails at once, the job kept for F3.
    void directToDevice_data()
    {
        QTest::addColumn<QByteArray>("spool");   // null: no job printed yet
        QTest::addColumn<QString>("device");
        QTest::addColumn<QByteArray>("printed");
        QTest::addColumn<QString>("failure");
        const QByteArray job("S\xC1" "BADO\r\n \r\n");
        QTest::addRow("CR LF, Latin-1 unchanged") << job << u"lp0"_s << job << QString();
        QTest::addRow("LF spool gets CR LF") << QByteArray("A\nB\n") << u"lp0"_s << QByteArray("A\r\nB\r\n") << QString();
        QTest::addRow("nothing printed yet sends nothing") << QByteArray() << u"sem_impressora"_s << QByteArray() << QString();
        QTest::addRow("missing device") << job << u"sem_impressora"_s << QByteArray() << msg::impressoraIndisponivel;
    }
    void directToDevice()
    {
        QFETCH(QByteArray, spool);
        QFETCH(QString, device);
        QFETCH(QByteArray, printed);
        QFETCH(QString, failure);
        const QString path = m_other->filePath(device);
        qputenv("VORINDA_PRINTER_PORT", QFile::encodeName(path));
        QVERIFY(device != u"lp0"_s || putFile(path, QByteArray()));
        QVERIFY(spool.isNull() || putFile(spoolFile(), spool));
        QElapsedTimer clock;
        clock.start();
        const Result<void> result = imprime_arquivo(settings(0));
        QVERIFY(clock.elapsed() < 1000);
        if (failure.isEmpty()) {
            QVERIFY2(result.ok(), qPrintable(failureText(result)));
            QCOMPARE(device == u"lp0"_s ? fileBytes(path) : QByteArray(), printed);
            return;
        }
        QVERIFY2(failureText(result).startsWith(failure), qPrintable(failureText(result)));
        QVERIFY(result.failure().text.contains(path));   // the reason, for the log
        QCOMPARE(fileBytes(spoolFile()), spool);
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
    }
    void printProgram()
    {
        QFETCH(QString, place);
        QFETCH(bool, executable);
        QFETCH(bool, found);
        QTemporaryDir bin;
        if (!place.isEmpty())
            QVERIFY(putFile((place == u"path"_s ? bin.filePath(u"imp"_s) : dataPath(u"imp"_s)), impScript(1), executable));
        qputenv("PATH", QFile::encodeName(bin.path()) + (found ? ':' + m_savedPath : QByteArray()));
        // As in the program, which reads SIGTERM and SIGINT in its event loop.
        sigset_t termination, kept;
        sigemptyset(&termination);
        sigaddset(&termination, SIGTERM);
        sigaddset(&termination, SIGINT);
        pthread_sigmask(SIG_BLOCK, &termination, &kept);
        QElapsedTimer clock;
        clock.start();
        const Result<void> result = imprime_arquivo(settings(1));
        pthread_sigmask(SIG_SETMASK, &kept, nullptr);
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

