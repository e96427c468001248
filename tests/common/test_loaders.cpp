#include "common/loaders.h"
#include "common/message_texts.h"
#include "common/terminal_settings.h"
#include "db/connection.h"
#include "tests/support/test_database.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QTest>

class TestLoaders : public QObject
{
    Q_OBJECT

private slots:
    void establishment_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("expected");
        QTest::addRow("base row") << QString() << true << QStringLiteral("Meu Bar");
        QTest::addRow("accents and apostrophe") << QStringLiteral("update estabelecimento set cfantasia = 'Bar D''Ávila'")
                                                << true << QStringLiteral("Bar D'Ávila");
        QTest::addRow("empty name") << QStringLiteral("update estabelecimento set cfantasia = null")
                                    << true << QString();
    }
    void establishment()
    {
        QFETCH(QString, change);
        QFETCH(bool, ok);
        QFETCH(QString, expected);
        TestDatabase db;
        QVERIFY2(db.ok(), qPrintable(db.error()));
        if (!change.isEmpty())
            QVERIFY(db.connection().execute(change).ok());
        TerminalSettings settings;
        settings.nome_fantasia = QStringLiteral("antes");
        const Result<void> loaded = carrega_estabelecimento(db.connection(), settings);
        QCOMPARE(loaded.ok(), ok);
        QCOMPARE(settings.nome_fantasia, expected);
    }

    void emptyEstablishmentFails()
    {
        TestDatabase db;
        QVERIFY2(db.ok(), qPrintable(db.error()));
        // The database refuses deleting the row; an installation without it is
        // made by hand, so take the trigger away first.
        QVERIFY(db.connection().execute(QStringLiteral("alter trigger estabelecimento_bd inactive")).ok());
        QVERIFY(db.connection().execute(QStringLiteral("delete from estabelecimento")).ok());
        TerminalSettings settings;
        settings.nome_fantasia = QStringLiteral("antes");
        const Result<void> loaded = carrega_estabelecimento(db.connection(), settings);
        QVERIFY(!loaded.ok());
        QCOMPARE(loaded.failure().text, msg::estabelecimentoVazio);
        QCOMPARE(settings.nome_fantasia, QStringLiteral("antes"));
    }

    void entryTypes_data()
    {
        QTest::addColumn<QStringList>("inserted");
        QTest::addColumn<QStringList>("expected");
        QTest::addRow("none") << QStringList{} << QStringList{};
        QTest::addRow("in code order") << QStringList{QStringLiteral("Entrada"), QStringLiteral("Estacionamento"), QStringLiteral("Área VIP")}
                                       << QStringList{QStringLiteral("Entrada"), QStringLiteral("Estacionamento"), QStringLiteral("Área VIP")};
    }
    void entryTypes()
    {
        QFETCH(QStringList, inserted);
        QFETCH(QStringList, expected);
        TestDatabase db;
        QVERIFY2(db.ok(), qPrintable(db.error()));
        for (const QString& name : inserted) {
            QVERIFY(db.connection().execute(QStringLiteral("insert into tipo_entrada (ncodigo, cnome, nvalor) values (null, ?, 10)"),
                                            {SqlValue::text(name)}).ok());
        }
        const Result<QStringList> names = carrega_tipos_entrada(db.connection());
        QVERIFY(names.ok());
        QCOMPARE(*names, expected);

        QComboBox list;
        list.addItems({QStringLiteral("velho 1"), QStringLiteral("velho 2")});
        list.setCurrentIndex(1);
        QSignalSpy changes(&list, &QComboBox::currentIndexChanged);
        QVERIFY(carrega_tipos_entrada(db.connection(), &list).ok());
        QStringList shown;
        for (int i = 0; i < list.count(); ++i)
            shown << list.itemText(i);
        QCOMPARE(shown, expected);
        QCOMPARE(list.currentIndex(), expected.isEmpty() ? -1 : 0);
        // The screen looks up the price of the first type once.
        QCOMPARE(changes.count(), expected.isEmpty() ? 0 : 1);
    }

    void entryTypesFailureLeavesTheListEmpty()
    {
        Connection closed;
        QComboBox list;
        list.addItems({QStringLiteral("velho")});
        QVERIFY(!carrega_tipos_entrada(closed, &list).ok());
        QCOMPARE(list.count(), 0);
    }
};

QTEST_MAIN(TestLoaders)
#include "test_loaders.moc"
