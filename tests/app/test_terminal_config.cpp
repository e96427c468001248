#include "app/terminal_config.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The file as the editor writes it, line by line (CR LF added by `crlf`).
QByteArray crlf(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

const QList<QByteArray> goodLines = {
    "CONFIGURADO=TRUE", "PATH=c:\\dados\\movimento.fdb", "CAIXA=2", "COLUNA=3",
    "LINHA=8", "IMPRESSAO=0", "MODO=VENDA", "QUANTIDADE=false",
};

} // namespace

class TestTerminalConfig : public QObject
{
    Q_OBJECT

private slots:
    void valueOfALine_data();
    void valueOfALine();
    void lineEndings_data();
    void lineEndings();
    void linesAfterTheEighthAreNeverRead();
    void boolean_data();
    void boolean();
    void integers_data();
    void integers();
    void missingFileIsAFailure();

    void writtenBytes();
    void writeRefusesWhatTheFileCannotHold_data();
    void writeRefusesWhatTheFileCannotHold();
    void writeCreatesFileAndFolder();
    void writeReplacesTheWholeFile();
};

void TestTerminalConfig::valueOfALine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("value");

    QTest::addRow("plain") << QByteArray("PATH=/srv/bar.fdb") << "PATH=" << true << "/srv/bar.fdb";
    QTest::addRow("blanks kept") << QByteArray("PATH= /srv/bar.fdb ") << "PATH=" << true << " /srv/bar.fdb ";
    QTest::addRow("empty value") << QByteArray("PATH=") << "PATH=" << true << "";
    QTest::addRow("key twice: up to the second") << QByteArray("PATH=a:/x.fdbPATH=b:/y.fdb") << "PATH=" << true << "a:/x.fdb";
    QTest::addRow("key three times") << QByteArray("PATH=aPATH=bPATH=c") << "PATH=" << true << "a";
    QTest::addRow("key not at the start") << QByteArray("xPATH=/y.fdb") << "PATH=" << true << "/y.fdb";
    QTest::addRow("server path with colon") << QByteArray("PATH=servidor:/dados/bar.fdb") << "PATH=" << true << "servidor:/dados/bar.fdb";
    QTest::addRow("equals inside the value") << QByteArray("PATH=/a=b.fdb") << "PATH=" << true << "/a=b.fdb";
    QTest::addRow("Latin-1 accent") << QByteArray("PATH=/dados/a\xe7\xe3o.fdb") << "PATH=" << true << QStringLiteral("/dados/ação.fdb");
    QTest::addRow("key in other case") << QByteArray("path=/y.fdb") << "PATH=" << false << "";
    QTest::addRow("another key") << QByteArray("CAIXA=2") << "PATH=" << false << "";
    QTest::addRow("key without equals") << QByteArray("PATH /y.fdb") << "PATH=" << false << "";
    QTest::addRow("empty line") << QByteArray("") << "PATH=" << false << "";
}

void TestTerminalConfig::valueOfALine()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, key);
    QFETCH(bool, ok);
    QFETCH(QString, value);

    const auto file = ConfigFile::fromBytes(line + "\r\n");
    const auto read = file.text(1, key);
    QCOMPARE(read.ok(), ok);
    if (ok)
        QCOMPARE(*read, value);
}

void TestTerminalConfig::lineEndings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addRow("CR LF") << crlf(goodLines);
    QByteArray lf;
    for (const QByteArray& line : goodLines)
        lf += line + "\n";
    QTest::addRow("LF only") << lf;
    QTest::addRow("no end on the last line") << crlf(goodLines).chopped(2);
    QByteArray mixed = crlf(goodLines);
    mixed.replace("CAIXA=2\r\n", "CAIXA=2\n");
    QTest::addRow("mixed") << mixed;
}

void TestTerminalConfig::lineEndings()
{
    QFETCH(QByteArray, bytes);
    const auto file = ConfigFile::fromBytes(bytes);
    QCOMPARE(file.linesRead(), 8);
    QCOMPARE(*file.text(2, configkey::path), QStringLiteral("c:\\dados\\movimento.fdb"));
    QCOMPARE(*file.integer16(3, configkey::caixa), qint16(2));
    QCOMPARE(*file.text(7, configkey::modo), QStringLiteral("VENDA"));
    QCOMPARE(*file.boolean(8, configkey::quantidade), false);
}

void TestTerminalConfig::linesAfterTheEighthAreNeverRead()
{
    QByteArray bytes = crlf(goodLines);
    bytes += "MODO=GERENCIA\r\n" + QByteArray(100000, 'x') + "\r\n";
    QTemporaryDir dir;
    QFile out(dir.filePath(QStringLiteral("configuracao.ini")));
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();

    const auto file = ConfigFile::read(out.fileName());
    QVERIFY(file.ok());
    QCOMPARE(file->linesRead(), 8);
    QCOMPARE(*file->text(7, configkey::modo), QStringLiteral("VENDA"));
    QVERIFY(!file->text(9, configkey::modo).ok());
}

void TestTerminalConfig::boolean_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("flag");

    QTest::addRow("TRUE") << "TRUE" << true << true;
    QTest::addRow("true") << "true" << true << true;
    QTest::addRow("False") << "False" << true << false;
    QTest::addRow("blanks around") << "  true  " << true << true;
    QTest::addRow("1") << "1" << true << true;
    QTest::addRow("-1") << "-1" << true << true;
    QTest::addRow("2") << "2" << true << true;
    QTest::addRow("0") << "0" << true << false;
    QTest::addRow("0,0") << "0,0" << true << false;
    QTest::addRow("0.5") << "0.5" << true << true;
    QTest::addRow("yes") << "yes" << false << false;
    QTest::addRow("empty") << "" << false << false;
    QTest::addRow("truex") << "truex" << false << false;
    QTest::addRow("verdadeiro") << "verdadeiro" << false << false;
    QTest::addRow("1 0") << "1 0" << false << false;
}

void TestTerminalConfig::boolean()
{
    QFETCH(QString, value);
    QFETCH(bool, ok);
    QFETCH(bool, flag);

    const auto file = ConfigFile::fromBytes("QUANTIDADE=" + value.toLatin1() + "\r\n");
    const auto read = file.boolean(1, configkey::quantidade);
    QCOMPARE(read.ok(), ok);
    if (ok)
        QCOMPARE(*read, flag);
}

void TestTerminalConfig::integers_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("number");

    QTest::addRow("plain") << "2" << true << 2;
    QTest::addRow("blanks around") << "  12  " << true << 12;
    QTest::addRow("tab before") << "\t7" << true << 7;
    QTest::addRow("leading zeros") << "007" << true << 7;
    QTest::addRow("negative") << "-3" << true << -3;
    QTest::addRow("plus sign") << "+4" << true << 4;
    QTest::addRow("16-bit top") << "32767" << true << 32767;
    QTest::addRow("16-bit bottom") << "-32768" << true << -32768;
    QTest::addRow("16-bit overflow is refused, not wrapped") << "32768" << false << 0;
    QTest::addRow("16-bit underflow") << "-32769" << false << 0;
    QTest::addRow("far beyond 64 bits") << "99999999999999999999999" << false << 0;
    QTest::addRow("blank inside") << "1 2" << false << 0;
    QTest::addRow("letter after") << "2a" << false << 0;
    QTest::addRow("decimal") << "2.0" << false << 0;
    QTest::addRow("decimal comma") << "2,5" << false << 0;
    QTest::addRow("empty") << "" << false << 0;
    QTest::addRow("blanks only") << "   " << false << 0;
    QTest::addRow("sign alone") << "-" << false << 0;
}

void TestTerminalConfig::integers()
{
    QFETCH(QString, value);
    QFETCH(bool, ok);
    QFETCH(int, number);

    const auto file = ConfigFile::fromBytes("LINHA=" + value.toLatin1() + "\r\n");
    const auto read = file.integer16(1, configkey::linha);
    QCOMPARE(read.ok(), ok);
    if (ok)
        QCOMPARE(int(*read), number);
    if (!ok)
        QVERIFY(!read.failure().isDatabaseRefusal());
}

void TestTerminalConfig::missingFileIsAFailure()
{
    QTemporaryDir dir;
    const auto file = ConfigFile::read(dir.filePath(QStringLiteral("configuracao.ini")));
    QVERIFY(!file.ok());
    QVERIFY(file.failure().description().contains(QStringLiteral("não existe")));
}

void TestTerminalConfig::writtenBytes()
{
    ConfigValues values;
    values.path = QStringLiteral("c:\\dados\\movimento.fdb");
    values.caixa = QStringLiteral("2");
    values.coluna = QStringLiteral("3");
    values.linha = QStringLiteral("8");
    values.impressao = 0;
    values.modo = QStringLiteral("Venda");
    values.quantidade = false;
    QCOMPARE(*configFileBytes(values), crlf(goodLines));

    values.path = QStringLiteral("/home/joão/movimento.fdb");
    values.impressao = 2;
    values.modo = QStringLiteral("GERENCIA");
    values.quantidade = true;
    const QByteArray bytes = *configFileBytes(values);
    QVERIFY(bytes.contains("PATH=/home/jo\xe3o/movimento.fdb\r\n"));
    QVERIFY(bytes.contains("IMPRESSAO=2\r\nMODO=GERENCIA\r\nQUANTIDADE=true\r\n"));
    QVERIFY(bytes.endsWith("QUANTIDADE=true\r\n"));
    QCOMPARE(bytes.count("\r\n"), 8);
    QCOMPARE(bytes.count('\n'), 8);
}

void TestTerminalConfig::writeRefusesWhatTheFileCannotHold_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("caixa");
    QTest::addColumn<QString>("says");

    QTest::addRow("euro sign") << QStringLiteral("/dados/€.fdb") << "1" << "PATH";
    QTest::addRow("CJK") << QStringLiteral("/dados/数据.fdb") << "1" << "PATH";
    QTest::addRow("line feed") << QStringLiteral("/dados/a.fdb") << "1\n2" << "CAIXA";
    QTest::addRow("carriage return") << QStringLiteral("/dados/a\r.fdb") << "1" << "PATH";
}

void TestTerminalConfig::writeRefusesWhatTheFileCannotHold()
{
    QFETCH(QString, path);
    QFETCH(QString, caixa);
    QFETCH(QString, says);

    QTemporaryDir dir;
    const QString filePath = dir.filePath(QStringLiteral("configuracao.ini"));
    QFile old(filePath);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(crlf(goodLines));
    old.close();

    ConfigValues values;
    values.path = path;
    values.caixa = caixa;
    values.coluna = QStringLiteral("1");
    values.linha = QStringLiteral("1");
    values.modo = QStringLiteral("VENDA");
    const auto written = writeConfigFile(filePath, values);
    QVERIFY(!written.ok());
    QVERIFY2(written.failure().description().contains(says), qPrintable(written.failure().description()));

    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), crlf(goodLines));
}

void TestTerminalConfig::writeCreatesFileAndFolder()
{
    QTemporaryDir dir;
    const QString filePath = dir.filePath(QStringLiteral("nova/pasta/configuracao.ini"));
    ConfigValues values;
    values.path = QStringLiteral("/srv/bar.fdb");
    values.caixa = values.coluna = values.linha = QStringLiteral("1");
    values.modo = QStringLiteral("ENTRADA");
    QVERIFY(writeConfigFile(filePath, values).ok());
    QFile file(filePath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), *configFileBytes(values));
}

void TestTerminalConfig::writeReplacesTheWholeFile()
{
    QTemporaryDir dir;
    const QString filePath = dir.filePath(QStringLiteral("configuracao.ini"));
    QFile old(filePath);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(crlf(goodLines) + QByteArray(5000, 'z'));
    old.close();

    ConfigValues values;
    values.path = QStringLiteral("x");
    values.caixa = values.coluna = values.linha = QStringLiteral("1");
    values.modo = QStringLiteral("VENDA");
    QVERIFY(writeConfigFile(filePath, values).ok());
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), *configFileBytes(values));
    // Nothing is left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("configuracao.ini")});
}

QTEST_GUILESS_MAIN(TestTerminalConfig)
#include "test_terminal_config.moc"
