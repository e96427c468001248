#include "app/terminal_config.h"
#include "app_test_files.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using apptest::crlf;

namespace {

const QList<QByteArray> goodLines = {"CONFIGURADO=TRUE", "PATH=c:\\dados\\movimento.fdb", "CAIXA=2", "COLUNA=3",
                                     "LINHA=8", "IMPRESSAO=0", "MODO=VENDA", "QUANTIDADE=false"};

ConfigValues valuesOf(const QString& path, const QString& caixa = QStringLiteral("1"))
{
    return ConfigValues{.path = path, .caixa = caixa, .coluna = "1", .linha = "1", .modo = "VENDA"};
}

} // namespace

class TestTerminalConfig : public QObject
{
    Q_OBJECT

private slots:
    void readLine_data();
    void readLine();
    void lineEndings_data();
    void lineEndings();
    void writtenBytes();
    void write_data();
    void write();
};

void TestTerminalConfig::readLine_data()
{
    // The key picks the reader: PATH= text, QUANTIDADE= boolean, LINHA= 16-bit integer.
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("value");

    const QString path = configkey::path, flag = configkey::quantidade, number = configkey::linha;
    QTest::addRow("blanks kept") << path << QByteArray("PATH= /srv/bar.fdb ") << true << " /srv/bar.fdb ";
    QTest::addRow("key twice: up to the second") << path << QByteArray("PATH=a:/x.fdbPATH=b:/y.fdb") << true << "a:/x.fdb";
    QTest::addRow("key not at the start") << path << QByteArray("xPATH=/y.fdb") << true << "/y.fdb";
    QTest::addRow("equals and colon inside") << path << QByteArray("PATH=srv:/a=b.fdb") << true << "srv:/a=b.fdb";
    QTest::addRow("Latin-1 accent") << path << QByteArray("PATH=/dados/a\xe7\xe3o.fdb") << true << QStringLiteral("/dados/ação.fdb");
    QTest::addRow("key in other case") << path << QByteArray("path=/y.fdb") << false << "";
    QTest::addRow("true, blanks around") << flag << QByteArray("QUANTIDADE=  true  ") << true << "true";
    QTest::addRow("-1") << flag << QByteArray("QUANTIDADE=-1") << true << "true";
    QTest::addRow("0.5") << flag << QByteArray("QUANTIDADE=0.5") << true << "true";
    QTest::addRow("yes") << flag << QByteArray("QUANTIDADE=yes") << false << "";
    QTest::addRow("tab, zeros, sign") << number << QByteArray("LINHA=\t+007 ") << true << "7";
    QTest::addRow("16-bit top") << number << QByteArray("LINHA=32767") << true << "32767";
    QTest::addRow("16-bit overflow refused, not wrapped") << number << QByteArray("LINHA=32768") << false << "";
    QTest::addRow("far beyond 64 bits") << number << QByteArray("LINHA=99999999999999999999999") << false << "";
    QTest::addRow("letter after") << number << QByteArray("LINHA=2a") << false << "";
    QTest::addRow("sign alone") << number << QByteArray("LINHA=-") << false << "";
}

void TestTerminalConfig::readLine()
{
    QFETCH(QString, key);
    QFETCH(QByteArray, line);
    QFETCH(bool, ok);
    QFETCH(QString, value);
    const auto file = ConfigFile::fromBytes(line + "\r\n");
    Result<QString> read = QString();
    if (key == configkey::path) {
        read = file.text(1, key);
    } else if (key == configkey::quantidade) {
        const auto flag = file.boolean(1, key);
        read = flag ? Result<QString>(*flag ? QStringLiteral("true") : QStringLiteral("false")) : flag.failure();
    } else {
        const auto number = file.integer16(1, key);
        read = number ? Result<QString>(QString::number(*number)) : number.failure();
    }
    QCOMPARE(read.ok(), ok);
    if (ok)
        QCOMPARE(*read, value);
    else
        QVERIFY(!read.failure().isDatabaseRefusal());
}

void TestTerminalConfig::lineEndings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addRow("CR LF") << crlf(goodLines);
    QTest::addRow("LF only") << QByteArray(crlf(goodLines)).replace("\r\n", "\n");
    QTest::addRow("no end on the last line") << crlf(goodLines).chopped(2);
    QTest::addRow("lines after the eighth") << crlf(goodLines) + "MODO=GERENCIA\r\n" + QByteArray(100000, 'x');
}

void TestTerminalConfig::lineEndings()
{
    QFETCH(QByteArray, bytes);
    const auto file = ConfigFile::fromBytes(bytes);
    QCOMPARE(file.linesRead(), 8);
    QCOMPARE(*file.text(2, configkey::path), QStringLiteral("c:\\dados\\movimento.fdb"));
    QCOMPARE(*file.boolean(8, configkey::quantidade), false);
}

// Latin-1 on disk, CR LF after every line, the mode in capitals.
void TestTerminalConfig::writtenBytes()
{
    QCOMPARE(*configFileBytes({QStringLiteral("/home/joão/movimento.fdb"), "2", "1", "1", 2, "Gerencia", true}),
             crlf({"CONFIGURADO=TRUE", "PATH=/home/jo\xe3o/movimento.fdb", "CAIXA=2", "COLUNA=1", "LINHA=1",
                   "IMPRESSAO=2", "MODO=GERENCIA", "QUANTIDADE=true"}));
}

void TestTerminalConfig::write_data()
{
    QTest::addColumn<QString>("file");       // under a "bloqueado" folder that is a file: nothing can be written
    QTest::addColumn<QByteArray>("old");     // empty: no file yet
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("caixa");
    QTest::addColumn<QString>("says");       // empty: written

    const QString file = QStringLiteral("configuracao.ini");
    const QByteArray old = crlf(goodLines);
    QTest::addRow("created with its folders") << "nova/pasta/" + file << QByteArray() << "/srv/bar.fdb" << "1" << "";
    QTest::addRow("longer file replaced whole") << file << old + QByteArray(5000, 'z') << "x" << "1" << "";
    QTest::addRow("euro sign") << file << old << QStringLiteral("/dados/€.fdb") << "1" << "PATH";
    QTest::addRow("line feed") << file << old << "/dados/a.fdb" << "1\n2" << "CAIXA";
    QTest::addRow("folder cannot be made") << "bloqueado/" + file << QByteArray() << "/srv/bar.fdb" << "1" << "pasta";
}

void TestTerminalConfig::write()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, old);
    QFETCH(QString, path);
    QFETCH(QString, caixa);
    QFETCH(QString, says);
    QTemporaryDir dir;
    const QString filePath = dir.filePath(file);
    if (file.startsWith(QStringLiteral("bloqueado/")))
        apptest::writeFile(dir.filePath(QStringLiteral("bloqueado")), "x");
    if (!old.isEmpty())
        apptest::writeFile(filePath, old);
    const ConfigValues values = valuesOf(path, caixa);
    const auto written = writeConfigFile(filePath, values);
    QCOMPARE(written.ok(), says.isEmpty());
    if (!written)
        QVERIFY2(written.failure().description().contains(says), qPrintable(written.failure().description()));
    QCOMPARE(apptest::readFile(filePath), written ? *configFileBytes(values) : old);
    // Replaced by rename: no temporary file is left beside it.
    if (QFile::exists(filePath))
        QCOMPARE(QDir(QFileInfo(filePath).path()).entryList(QDir::Files), QStringList{QFileInfo(filePath).fileName()});
}

QTEST_GUILESS_MAIN(TestTerminalConfig)
#include "test_terminal_config.moc"
