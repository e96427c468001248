#include "common/message_texts.h"
#include "common/print_routes.h"
#include "common/spool_file.h"
#include "common/terminal_settings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

bool putFile(const QString& path, const QByteArray& bytes, bool executable = false)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    if (executable)
        return file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeGroup);
    return true;
}

// A stand-in for `imp`: records where it ran, the VORINDA_DIR it was given and
// how many arguments it got, after `delay` seconds.
QByteArray impScript(int delay)
{
    return "#!/bin/sh\n"
           "sleep " + QByteArray::number(delay) + "\n"
           "{ pwd; printf '%s\\n' \"$VORINDA_DIR\"; printf '%s\\n' \"$#\"; } > \"$VORINDA_DIR/ran.tmp\"\n"
           "mv \"$VORINDA_DIR/ran.tmp\" \"$VORINDA_DIR/imp_ran.txt\"\n";
}

QString canonical(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}

QStringList jobLines(int count, int width = 40)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QString::number(i).rightJustified(width, u'.');
    return lines;
}

// Reads a FIFO from a thread of its own, as a printer would take the bytes.
class FifoReader
{
public:
    // Stops reading (and closes its end) after `limit` bytes; -1 reads to the end.
    FifoReader(const QString& path, qint64 limit = -1)
        : m_thread([this, p = QFile::encodeName(path), limit] {
              const int fd = ::open(p.constData(), O_RDONLY);
              if (fd < 0)
                  return;
              char buffer[4096];
              for (;;) {
                  const ssize_t n = ::read(fd, buffer, sizeof buffer);
                  if (n <= 0)
                      break;
                  m_bytes.append(buffer, n);
                  if (limit >= 0 && m_bytes.size() >= limit)
                      break;
                  ::usleep(500);   // a printer slower than the counter
              }
              ::close(fd);
          })
    {
    }
    ~FifoReader()
    {
        if (m_thread.joinable())
            m_thread.join();
    }
    QByteArray finish()
    {
        m_thread.join();
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    std::thread m_thread;
};

} // namespace

class TestPrintRoutes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void directToDevice_data();
    void directToDevice();
    void unavailableDevice_data();
    void unavailableDevice();
    void nothingPrintedYetSendsNothing();
    void blockedPrinterGivesUp();
    void fullPrinterGivesUpAndScreenKeepsPainting();
    void slowPrinterGetsEveryByte_data();
    void slowPrinterGetsEveryByte();
    void printerGoneAwayIsAFailure();

    void printProgramStartedWithoutWaiting_data();
    void printProgramStartedWithoutWaiting();
    void printProgramMissing_data();
    void printProgramMissing();

    void otherRoutesPrintNothing_data();
    void otherRoutesPrintNothing();

private:
    TerminalSettings settings(qint16 route) const;
    QString dataPath(const QString& name) const { return m_data->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_data;
    std::unique_ptr<QTemporaryDir> m_other;
    QString m_device;
    QByteArray m_savedPath;
    QByteArray m_savedVorindaDir;
};

TerminalSettings TestPrintRoutes::settings(qint16 route) const
{
    TerminalSettings s;
    s.modo_impressao = route;
    s.dataDir = m_data->path();
    return s;
}

void TestPrintRoutes::initTestCase()
{
    m_savedPath = qgetenv("PATH");
    m_savedVorindaDir = qgetenv("VORINDA_DIR");
}

void TestPrintRoutes::init()
{
    m_data = std::make_unique<QTemporaryDir>();
    m_other = std::make_unique<QTemporaryDir>();
    QVERIFY(m_data->isValid() && m_other->isValid());
    m_device = m_other->filePath(u"lp0"_s);
    qputenv("VORINDA_PRINTER_PORT", QFile::encodeName(m_device));
    // The process's own data folder is elsewhere: imp must get the terminal's.
    qputenv("VORINDA_DIR", QFile::encodeName(m_other->path()));
}

void TestPrintRoutes::cleanup()
{
    qputenv("PATH", m_savedPath);
    qputenv("VORINDA_DIR", m_savedVorindaDir);
    qunsetenv("VORINDA_PRINTER_PORT");
}

void TestPrintRoutes::directToDevice_data()
{
    QTest::addColumn<QByteArray>("spool");
    QTest::addColumn<QByteArray>("printed");

    QTest::addRow("CR LF spool") << QByteArray("  BAR\r\n---\r\n \r\n") << QByteArray("  BAR\r\n---\r\n \r\n");
    QTest::addRow("LF spool gets CR LF") << QByteArray("A\nB\n") << QByteArray("A\r\nB\r\n");
    QTest::addRow("Latin-1 bytes unchanged") << QByteArray("S\xC1" "BADO\r\n") << QByteArray("S\xC1" "BADO\r\n");
}

void TestPrintRoutes::directToDevice()
{
    QFETCH(QByteArray, spool);
    QFETCH(QByteArray, printed);

    QVERIFY(putFile(spoolPath(settings(0)), spool));
    QVERIFY(putFile(m_device, QByteArray()));
    const Result<void> result = imprime_arquivo(settings(0));
    QVERIFY2(result.ok(), qPrintable(result.ok() ? QString() : result.failure().text));
    QCOMPARE(fileBytes(m_device), printed);
}

void TestPrintRoutes::unavailableDevice_data()
{
    QTest::addColumn<QString>("device");
    QTest::addRow("missing") << u"sem_impressora"_s;
    QTest::addRow("a folder") << u"."_s;
}

void TestPrintRoutes::unavailableDevice()
{
    QFETCH(QString, device);
    const QString path = m_other->filePath(device);
    qputenv("VORINDA_PRINTER_PORT", QFile::encodeName(path));

    QElapsedTimer clock;
    clock.start();
    const Result<void> result = printJob(settings(0), {u"X"_s});
    QVERIFY(!result.ok());
    QVERIFY2(result.failure().text.startsWith(msg::impressoraIndisponivel), qPrintable(result.failure().text));
    QVERIFY(result.failure().text.contains(path));   // the reason, for the log
    QVERIFY(clock.elapsed() < 1000);                 // no waiting for a device that is not there
    // The job stays in the spool for F3.
    QCOMPARE(fileBytes(spoolPath(settings(0))), QByteArray("X\r\n"));
}

void TestPrintRoutes::nothingPrintedYetSendsNothing()
{
    qputenv("VORINDA_PRINTER_PORT", "/nao/existe/lp0");
    QVERIFY(!QFile::exists(spoolPath(settings(0))));
    QVERIFY(imprime_arquivo(settings(0)).ok());
}

void TestPrintRoutes::blockedPrinterGivesUp()
{
    // A FIFO nobody reads stands for a printer that does not answer.
    QCOMPARE(::mkfifo(QFile::encodeName(m_device).constData(), 0600), 0);
    QVERIFY(writeSpoolFile(spoolPath(settings(0)), {u"X"_s}).ok());

    QElapsedTimer clock;
    clock.start();
    const Result<void> result = imprime_arquivo(settings(0));
    const qint64 elapsed = clock.elapsed();
    QVERIFY(!result.ok());
    QVERIFY2(result.failure().text.startsWith(msg::impressoraNaoResponde), qPrintable(result.failure().text));
    QVERIFY2(elapsed >= printerTimeoutMs - 100 && elapsed < printerTimeoutMs + 1500,
             qPrintable(QString::number(elapsed)));
}

void TestPrintRoutes::fullPrinterGivesUpAndScreenKeepsPainting()
{
    // A reader that takes nothing more: the pipe is filled before the job.
    const QByteArray fifo = QFile::encodeName(m_device);
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
    const int reader = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(reader >= 0);
    const int filler = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
    QVERIFY(filler >= 0);
    const QByteArray block(4096, 'x');
    while (::write(filler, block.constData(), block.size()) > 0) {
    }

    int ticks = 0;
    QTimer timer;
    timer.setInterval(20);
    connect(&timer, &QTimer::timeout, this, [&ticks] { ++ticks; });
    timer.start();

    QElapsedTimer clock;
    clock.start();
    const Result<void> result = sendToDevice(m_device, {u"X"_s}, 400);
    const qint64 elapsed = clock.elapsed();
    ::close(filler);
    ::close(reader);

    QVERIFY(!result.ok());
    QVERIFY(result.failure().text.startsWith(msg::impressoraNaoResponde));
    QVERIFY2(elapsed >= 350 && elapsed < 1500, qPrintable(QString::number(elapsed)));
    QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
}

void TestPrintRoutes::slowPrinterGetsEveryByte_data()
{
    // Far more than a pipe holds, so writes would block; a line longer than
    // the pipe is taken in pieces.
    QTest::addColumn<QStringList>("lines");
    QTest::addRow("many ticket lines") << jobLines(4000);
    QTest::addRow("one line longer than the pipe") << jobLines(3, 200000);
}

void TestPrintRoutes::slowPrinterGetsEveryByte()
{
    QFETCH(QStringList, lines);
    QCOMPARE(::mkfifo(QFile::encodeName(m_device).constData(), 0600), 0);
    FifoReader printer(m_device);
    const Result<void> result = sendToDevice(m_device, lines);
    QVERIFY2(result.ok(), qPrintable(result.ok() ? QString() : result.failure().text));
    QCOMPARE(printer.finish(), spoolBytes(lines));
}

void TestPrintRoutes::printerGoneAwayIsAFailure()
{
    // The reader leaves mid-job: the write fails (EPIPE), the counter survives.
    QCOMPARE(::mkfifo(QFile::encodeName(m_device).constData(), 0600), 0);
    FifoReader printer(m_device, 1000);
    const Result<void> result = sendToDevice(m_device, jobLines(4000));
    printer.finish();
    QVERIFY(!result.ok());
    QVERIFY2(result.failure().text.startsWith(msg::impressoraIndisponivel), qPrintable(result.failure().text));
}

void TestPrintRoutes::printProgramStartedWithoutWaiting_data()
{
    QTest::addColumn<bool>("onPath");
    QTest::addRow("in the data folder") << false;
    QTest::addRow("on the PATH") << true;
}

void TestPrintRoutes::printProgramStartedWithoutWaiting()
{
    QFETCH(bool, onPath);
    QTemporaryDir bin;
    QVERIFY(putFile(onPath ? bin.filePath(u"imp"_s) : dataPath(u"imp"_s), impScript(1), true));
    if (onPath)
        qputenv("PATH", QFile::encodeName(bin.path()) + ':' + m_savedPath);

    QElapsedTimer clock;
    clock.start();
    const Result<void> result = imprime_arquivo(settings(1));
    QVERIFY2(result.ok(), qPrintable(result.ok() ? QString() : result.failure().text));
    QVERIFY2(clock.elapsed() < 800, "the counter waited for imp");

    const QString ran = dataPath(u"imp_ran.txt"_s);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(ran), 10000);
    const QStringList got = QString::fromLocal8Bit(fileBytes(ran)).split(u'\n');
    QCOMPARE(canonical(got.value(0)), canonical(m_data->path()));   // working folder
    QCOMPARE(canonical(got.value(1)), canonical(m_data->path()));   // VORINDA_DIR
    QCOMPARE(got.value(2), u"0"_s);                                 // no arguments
}

void TestPrintRoutes::printProgramMissing_data()
{
    QTest::addColumn<bool>("notExecutableInDataFolder");
    QTest::addRow("nowhere") << false;
    QTest::addRow("in the data folder but not executable") << true;
}

void TestPrintRoutes::printProgramMissing()
{
    QFETCH(bool, notExecutableInDataFolder);
    if (notExecutableInDataFolder)
        QVERIFY(putFile(dataPath(u"imp"_s), impScript(0), false));
    QTemporaryDir emptyBin;
    qputenv("PATH", QFile::encodeName(emptyBin.path()));

    const Result<void> result = imprime_arquivo(settings(1));
    QVERIFY(!result.ok());
    QVERIFY2(result.failure().text.startsWith(msg::programaImpressaoNaoEncontrado),
             qPrintable(result.failure().text));
}

void TestPrintRoutes::otherRoutesPrintNothing_data()
{
    QTest::addColumn<int>("route");
    QTest::addRow("2, none") << 2;
    QTest::addRow("7") << 7;
    QTest::addRow("-1") << -1;
}

void TestPrintRoutes::otherRoutesPrintNothing()
{
    QFETCH(int, route);
    QVERIFY(putFile(m_device, QByteArray()));
    QVERIFY(putFile(dataPath(u"imp"_s), impScript(0), true));

    QVERIFY(printJob(settings(qint16(route)), {u"A"_s, u" "_s}).ok());
    QCOMPARE(fileBytes(spoolPath(settings(0))), QByteArray("A\r\n \r\n"));
    QTest::qWait(300);
    QCOMPARE(fileBytes(m_device), QByteArray());
    QVERIFY(!QFile::exists(dataPath(u"imp_ran.txt"_s)));
}

QTEST_GUILESS_MAIN(TestPrintRoutes)
#include "test_print_routes.moc"
