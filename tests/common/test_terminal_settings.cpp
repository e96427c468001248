#include "common/support_log.h"
#include "common/terminal_settings.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestTerminalSettings : public QObject
{
    Q_OBJECT

private slots:
    void dataFolder_data()
    {
        QTest::addColumn<QByteArray>("variable");
        QTest::addColumn<QString>("expected");
        QTest::addRow("from VORINDA_DIR") << QByteArray("/srv/bar/vorinda/") << u"/srv/bar/vorinda"_s;
        QTest::addRow("default in the home folder") << QByteArray() << QDir::homePath() + u"/vorinda"_s;
    }
    void dataFolder()
    {
        QFETCH(QByteArray, variable);
        QFETCH(QString, expected);
        const QByteArray previous = qgetenv("VORINDA_DIR");
        variable.isEmpty() ? qunsetenv("VORINDA_DIR") : qputenv("VORINDA_DIR", variable);
        const QString folder = dataDirectory();
        previous.isEmpty() ? qunsetenv("VORINDA_DIR") : qputenv("VORINDA_DIR", previous);
        QCOMPARE(folder, expected);
    }

    // One stamped line per failure, line breaks of the text folded; no folder, no log.
    void logLines()
    {
        QTemporaryDir dir;
        logFailure(dir.path(), 2, u"Não gravou"_s);
        logFailure(dir.path(), 3, u"linha 1\r\nlinha 2"_s);
        logFailure(u"/nao/existe/pasta"_s, 1, u"x"_s);
        logFailure(QString(), 1, u"x"_s);
        QFile file(logFilePath(dir.path()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY(QRegularExpression(u"^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2} caixa 2: Não gravou$"_s).match(lines.at(0)).hasMatch());
        QVERIFY(lines.at(1).endsWith(u" caixa 3: linha 1 / linha 2"_s));
        QVERIFY(!QFile::exists(u"/nao/existe/pasta/vorinda.log"_s));
    }
};

QTEST_GUILESS_MAIN(TestTerminalSettings)
#include "test_terminal_settings.moc"
