#include "common/loaders.h"
#include "common/message_texts.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "tests/support/test_database.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestLoaders : public QObject
{
    Q_OBJECT

private slots:
    // The establishment's name as stored; without its row, a message and nothing changed.
    void establishment_data()
    {
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QString>("expected");
        QTest::addRow("base row") << QStringList() << u"Meu Bar"_s;
        QTest::addRow("accents and apostrophe") << QStringList{u"update estabelecimento set cfantasia = 'Bar D''Ávila'"_s}
                                                << u"Bar D'Ávila"_s;
        QTest::addRow("empty name") << QStringList{u"update estabelecimento set cfantasia = null"_s} << QString();
        QTest::addRow("no row") << QStringList{u"alter trigger estabelecimento_bd inactive"_s, u"delete from estabelecimento"_s}
                                << u"antes"_s;
    }
    void establishment()
    {
        QFETCH(QStringList, changes);
        QFETCH(QString, expected);
        TestDatabase db;
        QVERIFY2(db.ok(), qPrintable(db.error()));
        for (const QString& change : changes)
            QVERIFY(db.connection().execute(change).ok());
        TerminalSettings settings;
        settings.nome_fantasia = u"antes"_s;
        const Result<void> loaded = carrega_estabelecimento(db.connection(), settings);
        QCOMPARE(settings.nome_fantasia, expected);
        QCOMPARE(loaded.ok() ? QString() : loaded.failure().text, expected == u"antes"_s ? msg::estabelecimentoVazio : QString());
    }

    void entryTypes_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addRow("none") << QStringList{};
        QTest::addRow("in code order") << QStringList{u"Entrada"_s, u"Estacionamento"_s, u"Área VIP"_s};
    }
    void entryTypes()
    {
        QFETCH(QStringList, names);
        TestDatabase db;
        QVERIFY2(db.ok(), qPrintable(db.error()));
        for (const QString& name : names)
            QVERIFY(db.connection().execute(u"insert into tipo_entrada (ncodigo, cnome, nvalor) values (null, ?, 10)"_s,
                                            {SqlValue::text(name)}).ok());
        QComboBox list;
        list.addItems({u"velho 1"_s, u"velho 2"_s});
        list.setCurrentIndex(1);
        QSignalSpy changes(&list, &QComboBox::currentIndexChanged);
        QVERIFY(carrega_tipos_entrada(db.connection(), &list).ok());
        QStringList shown;
        for (int i = 0; i < list.count(); ++i)
            shown << list.itemText(i);
        QCOMPARE(shown, names);
        QCOMPARE(list.currentIndex(), names.isEmpty() ? -1 : 0);
        QCOMPARE(changes.count(), names.isEmpty() ? 0 : 1);   // the screen looks up the first price once

        Connection closed;   // a failed read leaves the list empty, not stale
        QVERIFY(!carrega_tipos_entrada(closed, &list).ok());
        QCOMPARE(list.count(), 0);
    }
};

QTEST_MAIN(TestLoaders)
#include "test_loaders.moc"
