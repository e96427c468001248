#include "common/message_texts.h"
#include "common/spool_file.h"
#include "tests/common/files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestPrintSpool : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    // Each row starts without imp.txt: the job creates it.
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
        QVERIFY(writeSpoolFile(path(), lines).ok());
        QCOMPARE(fileBytes(path()), bytes);
    }

    void replacedWhole()
    {
        // A longer previous job leaves nothing behind, nor does the file written beside it.
        QVERIFY(writeSpoolFile(path(), QStringList(200, u"LINHA ANTIGA"_s)).ok());
        QVERIFY(writeSpoolFile(path(), {u"NOVA"_s}).ok());
        QCOMPARE(fileBytes(path()), QByteArray("NOVA\r\n"));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"imp.txt"_s});
    }

    // Root passes permission checks, so the folders are made impossible instead.
    void unwritableFolderFails_data()
    {
        QTest::addColumn<QString>("relativePath");
        QTest::addRow("folder is a file") << u"arquivo/imp.txt"_s;
        QTest::addRow("imp.txt is a folder") << u"pasta"_s;
    }
    void unwritableFolderFails()
    {
        QFETCH(QString, relativePath);
        QVERIFY(putFile(m_dir->filePath(u"arquivo"_s), "x"));
        QVERIFY(QDir(m_dir->path()).mkdir(u"pasta"_s));
        const Result<void> written = writeSpoolFile(m_dir->filePath(relativePath), {u"X"_s});
        QVERIFY(!written.ok());
        QVERIFY2(written.failure().text.startsWith(msg::arquivoImpressaoFalhou), qPrintable(written.failure().text));
        QVERIFY(written.failure().text.contains(relativePath));
    }

    void readBack_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::addRow("CR LF, feed lines of one blank") << QByteArray("A\r\n \r\n") << QStringList{u"A"_s, u" "_s};
        QTest::addRow("bare LF, last line without end") << QByteArray("A\nB") << QStringList{u"A"_s, u"B"_s};
        QTest::addRow("Latin-1") << QByteArray("S\xC1" "BADO\r\n") << QStringList{u"SÁBADO"_s};
        QTest::addRow("empty file") << QByteArray() << QStringList();
    }
    void readBack()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QVERIFY(putFile(path(), bytes));
        const Result<QStringList> read = readSpoolFile(path());
        QVERIFY(read.ok());
        QCOMPARE(*read, lines);
    }

private:
    QString path() const { return m_dir->filePath(u"imp.txt"_s); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestPrintSpool)
#include "test_print_spool.moc"
