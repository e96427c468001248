#include "common/support_log.h"
#include "common/terminal_settings.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestTerminalSettings : public QObject
{
    Q_OBJECT

private slots:
    void dataFolder_data()
    {
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QString>("expected");
        QTest::addRow("from VORINDA_DIR") << QByteArray("/srv/bar/vorinda/") << QStringLiteral("/srv/bar/vorinda");
        QTest::addRow("default in the home folder") << QByteArray() << QDir::homePath() + QStringLiteral("/vorinda");
    }
    void dataFolder()
    {
        QFETCH(QByteArray, variable);
        QFETCH(QString, expected);
        const QByteArray previous = qgetenv("VORINDA_DIR");
        const bool had = qEnvironmentVariableIsSet("VORINDA_DIR");
        if (variable.isEmpty())
            qunsetenv("VORINDA_DIR");
        else
            qputenv("VORINDA_DIR", variable);
        const QString folder = dataDirectory();
        if (had)
            qputenv("VORINDA_DIR", previous);
        else
            qunsetenv("VORINDA_DIR");
        QCOMPARE(folder, expected);
    }

    void files()
    {
        QCOMPARE(configFilePath(QStringLiteral("/d")), QStringLiteral("/d/configuracao.ini"));
        QCOMPARE(spoolFilePath(QStringLiteral("/d")), QStringLiteral("/d/imp.txt"));
        QCOMPARE(logFilePath(QStringLiteral("/d")), QStringLiteral("/d/vorinda.log"));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$")).match(programVersion()).hasMatch());
    }

    void logLines()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        logFailure(dir.path(), 2, QStringLiteral("Não gravou"));
        logFailure(dir.path(), 3, QStringLiteral("linha 1\r\nlinha 2"));
        QFile file(logFilePath(dir.path()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        const QRegularExpression stamp(QStringLiteral("^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2} "));
        QVERIFY(stamp.match(lines.at(0)).hasMatch());
        QVERIFY(lines.at(0).endsWith(QStringLiteral(" caixa 2: Não gravou")));
        QVERIFY(lines.at(1).endsWith(QStringLiteral(" caixa 3: linha 1 / linha 2")));
    }

    void logSkippedQuietly()
    {
        // A folder that does not exist, or none at all: nothing happens.
        logFailure(QStringLiteral("/nao/existe/pasta"), 1, QStringLiteral("x"));
        logFailure(QString(), 1, QStringLiteral("x"));
        QVERIFY(!QFile::exists(QStringLiteral("/nao/existe/pasta/vorinda.log")));
    }
};

QTEST_GUILESS_MAIN(TestTerminalSettings)
#include "test_terminal_settings.moc"
