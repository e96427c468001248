#include "common/message_texts.h"
#include "common/spool_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

void putBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestPrintSpool : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void writtenBytes_data();
    void writtenBytes();
    void replacedWhole();
    void unwritableFolderFails_data();
    void unwritableFolderFails();
    void readBack_data();
    void readBack();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path() const { return m_dir->filePath(u"imp.txt"_s); }
};

void TestPrintSpool::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestPrintSpool::writtenBytes_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("bytes");

    QTest::addRow("every line ends in CR LF, the last too")
        << QStringList{u"ABC"_s, u"DEF"_s} << QByteArray("ABC\r\nDEF\r\n");
    QTest::addRow("blank lines and trailing blanks kept")
        << QStringList{u"  X  "_s, QString(), u" "_s} << QByteArray("  X  \r\n\r\n \r\n");
    QTest::addRow("accents in Latin-1")
        << QStringList{u"SÁBADO"_s, u"TERÇA-FEIRA"_s}
        << QByteArray("S\xC1" "BADO\r\nTER\xC7" "A-FEIRA\r\n");
    QTest::addRow("outside Latin-1 becomes ?") << QStringList{u"R€ 5"_s} << QByteArray("R? 5\r\n");
}

// Each row starts without imp.txt: the job creates it.
void TestPrintSpool::writtenBytes()
{
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, bytes);

    QVERIFY(writeSpoolFile(path(), lines).ok());
    QCOMPARE(fileBytes(path()), bytes);
}

void TestPrintSpool::replacedWhole()
{
    // The previous job was longer: nothing of it may remain after the new one.
    QStringList longJob;
    for (int i = 0; i < 200; ++i)
        longJob << u"LINHA ANTIGA %1"_s.arg(i);
    QVERIFY(writeSpoolFile(path(), longJob).ok());
    QVERIFY(writeSpoolFile(path(), {u"NOVA"_s}).ok());
    QCOMPARE(fileBytes(path()), QByteArray("NOVA\r\n"));
    // Written beside and renamed over: no temporary file is left behind.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"imp.txt"_s});
}

void TestPrintSpool::unwritableFolderFails_data()
{
    QTest::addColumn<QString>("relativePath");
    // Root passes permission checks, so the folders are made impossible instead.
    QTest::addRow("folder is a file") << u"arquivo/imp.txt"_s;
    QTest::addRow("imp.txt is a folder") << u"pasta"_s;
}

void TestPrintSpool::unwritableFolderFails()
{
    QFETCH(QString, relativePath);
    putBytes(m_dir->filePath(u"arquivo"_s), "x");
    QVERIFY(QDir(m_dir->path()).mkdir(u"pasta"_s));

    const Result<void> written = writeSpoolFile(m_dir->filePath(relativePath), {u"X"_s});
    QVERIFY(!written.ok());
    QVERIFY2(written.failure().text.startsWith(msg::arquivoImpressaoFalhou),
             qPrintable(written.failure().text));
    QVERIFY(written.failure().text.contains(relativePath));
    QVERIFY(written.failure().code.isEmpty());
}

void TestPrintSpool::readBack_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    QTest::addRow("CR LF") << QByteArray("A\r\nB\r\n") << QStringList{u"A"_s, u"B"_s};
    QTest::addRow("bare LF") << QByteArray("A\nB\n") << QStringList{u"A"_s, u"B"_s};
    QTest::addRow("last line without end") << QByteArray("A\r\nB") << QStringList{u"A"_s, u"B"_s};
    QTest::addRow("feed lines of one blank") << QByteArray("A\r\n \r\n \r\n")
                                             << QStringList{u"A"_s, u" "_s, u" "_s};
    QTest::addRow("Latin-1") << QByteArray("S\xC1" "BADO\r\n") << QStringList{u"SÁBADO"_s};
    QTest::addRow("empty file") << QByteArray() << QStringList();
}

void TestPrintSpool::readBack()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);

    putBytes(path(), bytes);
    const Result<QStringList> read = readSpoolFile(path());
    QVERIFY(read.ok());
    QCOMPARE(*read, lines);
}

QTEST_GUILESS_MAIN(TestPrintSpool)
#include "test_print_spool.moc"
